#pragma once
// Helpers of the custom-control tests: a root that records the notifications of its tree, and
// mouse events sent straight to a widget.

#include <QEvent>
#include <QPoint>
#include <QStringList>
#include <QWidget>
#include <memory>
#include <vector>

#include "ui/notification.h"
#include "ui/notify_dispatcher.h"

namespace md::test {

class NotifyRecorder : public NotifyTarget {
  public:
    // Records the notifications of root's tree (root must outlive the recorder's use).
    explicit NotifyRecorder(QWidget* root);
    void notify(const Notification& n) override { seen.push_back(n); }
    // "type:sender" of every notification, in order.
    QStringList list() const;
    int count(const QString& type) const;
    void clear() { seen.clear(); }

    std::vector<Notification> seen;

  private:
    std::unique_ptr<NotifyDispatcher> m_dispatcher;
};

void sendMouse(QWidget* w, QEvent::Type type, QPoint pos, Qt::MouseButton button = Qt::LeftButton,
               Qt::KeyboardModifiers modifiers = Qt::NoModifier);
// Press at from, moves in steps to to, release at to.
void drag(QWidget* w, QPoint from, QPoint to, int steps = 4);
void sendEnter(QWidget* w, QPoint pos = QPoint(1, 1));
void sendLeave(QWidget* w);

}  // namespace md::test
