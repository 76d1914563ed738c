#pragma once
// One UI notification: what happened ("click", "selectchanged", ...) to which named control.

#include <QPointer>
#include <QString>
#include <QWidget>
#include <cstdint>

namespace md {

struct Notification {
    QString type;
    QString sender;  // objectName of the control
    QPointer<QWidget> control;
    uintptr_t wParam = 0;
    intptr_t lParam = 0;
};

// The owner of a window tree receives every notification of that tree here.
class NotifyTarget {
  public:
    virtual ~NotifyTarget() = default;
    virtual void notify(const Notification& n) = 0;
};

}  // namespace md
