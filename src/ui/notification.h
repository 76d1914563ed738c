#pragma once
// One UI notification: what happened ("click", "selectchanged", ...) to which named control.

#include <QPointer>
#include <QString>
#include <QWidget>
#include <cstdint>
#include <memory>

namespace md {

struct Notification {
    QString type;
    QString sender;  // objectName of the control
    QPointer<QWidget> control;
    uintptr_t wParam = 0;
    intptr_t lParam = 0;
};

// The owner of a window tree receives every notification of that tree here. A target derived
// from QWidget is destroyed before its child widgets are; the life token tells dispatchers to
// stop delivering (a child losing the focus while it is deleted, for example).
class NotifyTarget {
  public:
    virtual ~NotifyTarget() = default;
    virtual void notify(const Notification& n) = 0;
    std::weak_ptr<void> lifeToken() const { return m_life; }

  private:
    std::shared_ptr<void> m_life = std::make_shared<int>(0);
};

}  // namespace md
