#pragma once
// Lets the user move a frameless window by dragging one of its widgets (its title bar).
// Uses the window system's own move where it has one (Wayland, X11), else moves by hand.

#include <QObject>
#include <QPoint>

class QWidget;

namespace md {

class TitleBarDrag : public QObject {
    Q_OBJECT
  public:
    // Owned by the title bar; does nothing when titleBar is nullptr.
    static void install(QWidget* titleBar);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    explicit TitleBarDrag(QWidget* titleBar);
    QPoint m_grab;
    bool m_dragging = false;
};

}  // namespace md
