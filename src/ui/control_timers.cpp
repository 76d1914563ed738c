#include "ui/control_timers.h"

#include <QPointer>
#include <QWidget>

#include "ui/notify_dispatcher.h"

namespace md {

ControlTimers::ControlTimers(NotifyDispatcher& dispatcher, QObject* parent)
    : QObject(parent), m_dispatcher(dispatcher) {}

void ControlTimers::start(QWidget* control, int id, int intervalMs, bool singleShot) {
    if (!control) return;
    const Key key{control, id};
    QTimer* t = m_timers.value(key);
    if (!t) {
        t = new QTimer(this);
        m_timers.insert(key, t);
        QPointer<QWidget> target(control);
        connect(t, &QTimer::timeout, this, [this, t, target, id] {
            if (!target) return;
            m_dispatcher.notify(target, "timer", static_cast<uintptr_t>(id));
        });
        connect(control, &QObject::destroyed, this, [this, key] {
            if (QTimer* dead = m_timers.take(key)) dead->deleteLater();
        });
    }
    t->setSingleShot(singleShot);
    t->start(intervalMs);
}

void ControlTimers::kill(QWidget* control, int id) {
    if (QTimer* t = m_timers.value({control, id})) t->stop();
}

bool ControlTimers::isActive(QWidget* control, int id) const {
    const QTimer* t = m_timers.value({control, id});
    return t && t->isActive();
}

}  // namespace md
