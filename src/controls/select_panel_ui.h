#pragma once
// The panel behind a device picture. Dragging over it with the left button selects the key
// buttons it contains: on release every direct child of class "DeviceKeyButton" is marked iff
// its geometry overlaps the dragged rectangle, and "click_select_end" is notified. A click
// without moving changes nothing. The rectangle itself is not drawn.

#include <QFrame>
#include <QPoint>
#include <QRect>

namespace md {

class CSelectPanelUI : public QFrame {
    Q_OBJECT
  public:
    static constexpr const char* kClass = "SelectPanel";

    explicit CSelectPanelUI(QWidget* parent = nullptr);

    bool isPressed() const { return m_pressed; }
    bool isDragging() const { return m_dragging; }
    // The last dragged rectangle; right and bottom are exclusive, so a drag along a line
    // gives an empty rectangle.
    QRect selectionRect() const { return m_selection; }

    // True for a widget that stands for a key button (its class or its "controlClass").
    static bool isKeyButton(const QWidget* w);

  protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

  private:
    void markKeyButtons();

    bool m_pressed = false;
    bool m_dragging = false;
    QPoint m_start;
    QPoint m_current;
    QRect m_selection;
};

}  // namespace md
