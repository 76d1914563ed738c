#include "app/services/sleep_watcher.h"

#include <unistd.h>

#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDBusUnixFileDescriptor>

#include "app/shell/app_messages.h"
#include "common/dbg_out.h"

namespace md {
namespace {
constexpr const char* kLogin = "org.freedesktop.login1";
constexpr const char* kManagerPath = "/org/freedesktop/login1";
constexpr const char* kManager = "org.freedesktop.login1.Manager";
}  // namespace

SleepWatcher::SleepWatcher(Handler handler, QObject* parent, QDBusConnection bus)
    : QObject(parent), m_handler(std::move(handler)), m_bus(std::move(bus)) {
    if (!m_bus.isConnected()) return;
    m_connected = m_bus.connect(kLogin, kManagerPath, kManager, "PrepareForSleep", this,
                                SLOT(onPrepareForSleep(bool)));
    if (m_connected) takeInhibitor();
}

SleepWatcher::~SleepWatcher() {
    releaseInhibitor();
}

void SleepWatcher::takeInhibitor() {
    if (m_inhibitor >= 0) return;
    QDBusMessage call = QDBusMessage::createMethodCall(kLogin, kManagerPath, kManager, "Inhibit");
    call << QStringLiteral("sleep") << QStringLiteral("Mouse Driver")
         << QStringLiteral("Turning the device lighting off before sleep")
         << QStringLiteral("delay");
    // Asked without waiting: the window must not stall on the system bus at start.
    auto* watch = new QDBusPendingCallWatcher(m_bus.asyncCall(call), this);
    connect(watch, &QDBusPendingCallWatcher::finished, this, [this](QDBusPendingCallWatcher* w) {
        w->deleteLater();
        const QDBusPendingReply<QDBusUnixFileDescriptor> reply = *w;
        if (reply.isError() || !reply.value().isValid()) {
            dbgOutf("no sleep inhibitor: %s\n", qPrintable(reply.error().message()));
            return;
        }
        if (m_inhibitor >= 0) return;
        m_inhibitor = ::dup(reply.value().fileDescriptor());
        emit inhibitorTaken();
    });
}

void SleepWatcher::releaseInhibitor() {
    if (m_inhibitor < 0) return;
    ::close(m_inhibitor);
    m_inhibitor = -1;
}

void SleepWatcher::onPrepareForSleep(bool start) {
    if (m_handler)
        m_handler(msg::kPowerBroadcast, start ? msg::kPowerSuspend : msg::kPowerResume, 0);
    // The suspend message has done its writes by now; sleep may go on.
    if (start)
        releaseInhibitor();
    else if (m_connected)
        takeInhibitor();
}

}  // namespace md
