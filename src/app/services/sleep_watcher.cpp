#include "app/services/sleep_watcher.h"

#include <QDBusConnection>

#include "app/shell/app_messages.h"

namespace md {

SleepWatcher::SleepWatcher(Handler handler, QObject* parent)
    : QObject(parent), m_handler(std::move(handler)) {
    QDBusConnection bus = QDBusConnection::systemBus();
    if (bus.isConnected())
        m_connected = bus.connect("org.freedesktop.login1", "/org/freedesktop/login1",
                                  "org.freedesktop.login1.Manager", "PrepareForSleep", this,
                                  SLOT(onPrepareForSleep(bool)));
}

void SleepWatcher::onPrepareForSleep(bool start) {
    if (m_handler)
        m_handler(msg::kPowerBroadcast, start ? msg::kPowerSuspend : msg::kPowerResume, 0);
}

}  // namespace md
