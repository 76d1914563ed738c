#pragma once
// A picture larger than its button that the user pans by dragging. Attribute "handimage"
// names the image file; when the button is smaller than the image, the part shown starts at
// the top-left corner and follows the drags, never past the left or top edge. Attribute
// "cursor" sets the pointer shape over the button.

#include <QPoint>
#include <QPushButton>
#include <QSize>

namespace md {

// A source rectangle of the picture: left, top, right, bottom (right and bottom exclusive).
struct SourceEdges {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    bool operator==(const SourceEdges&) const = default;
};

// One panning step: d = last pointer position - new pointer position. A positive step moves
// the source right (down) while its right (bottom) edge is inside the image; a step of 0 or
// less moves it left (up) by -d while it is away from the edge, stopping exactly at 0.
SourceEdges panSource(SourceEdges source, QSize image, QPoint d);

class CHandImgSelectButtonUI : public QPushButton {
    Q_OBJECT
  public:
    static constexpr const char* kClass = "HandImgSelectButton";

    explicit CHandImgSelectButtonUI(QWidget* parent = nullptr);

    using QPushButton::setAttribute;
    void setAttribute(const QString& name, const QString& value);

    QString handImage() const { return m_handImage; }
    // The description drawn over the button: the file, or file='...' source='l,t,r,b'.
    QString drawImage() const { return m_drawImage; }
    QSize imageSize() const { return m_imageSize; }
    SourceEdges source() const { return m_source; }
    bool isDragging() const { return m_dragging; }

  protected:
    bool event(QEvent* e) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;

  private:
    void setHandImage(const QString& file);
    void press(QMouseEvent* event);
    QString describeSource() const;

    QString m_handImage;
    QString m_drawImage;
    QSize m_imageSize;
    SourceEdges m_source;
    QPoint m_last;
    bool m_dragging = false;
    bool m_captured = false;
};

}  // namespace md
