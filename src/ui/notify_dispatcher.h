#pragma once
// Turns the signals of every named widget of a tree into notifications for the tree's owner:
//
//   buttons       "click"; checkable ones also "selectchanged" (wParam = checked); Enter
//                 presses them as Space does
//   sliders       "movevaluechanged" while dragged, "valuechanged" once settled (wParam = value)
//   combo boxes   "itemselect" (wParam = index)
//   line edits    "textchanged"; Enter gives "killfocus" as leaving the field does (the value
//                 is applied), Esc puts back the text the field had when it took the focus
//   any widget    focus changes give "setfocus" / "killfocus"; "menu" on a context-menu
//                 request (wParam = x, lParam = y, widget coords)
//   item views    "itemclick", "itemactivate", "itemselect" (wParam = row)
//   the root      "windowsize" when resized; "windowinit" through windowInit()
//
// Custom controls emit their own types with NotifyDispatcher::emitFrom(). A widget changed
// under QSignalBlocker sends nothing. Every notification except "timer" is written to the
// debug output.

#include <QObject>
#include <QPointer>

#include "ui/notification.h"

namespace md {

class NotifyDispatcher : public QObject {
    Q_OBJECT
  public:
    NotifyDispatcher(NotifyTarget& target, QWidget* root);

    // Connects the root and every named descendant not connected yet; call again after
    // adding a built sub-tree.
    void attach(QWidget* tree);
    void notify(QWidget* sender, const QString& type, uintptr_t wParam = 0, intptr_t lParam = 0);
    // Sends "windowinit" for the root once; later calls do nothing.
    void windowInit();

    // The dispatcher of the nearest ancestor tree of w (w included), or nullptr.
    static NotifyDispatcher* of(const QWidget* w);
    // For custom controls: sends a notification of their own type through their tree.
    static void emitFrom(QWidget* sender, const QString& type, uintptr_t wParam = 0,
                         intptr_t lParam = 0);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void connectWidget(QWidget* w);

    NotifyTarget& m_target;
    std::weak_ptr<void> m_targetLife;
    QPointer<QWidget> m_root;
    bool m_initSent = false;
};

}  // namespace md
