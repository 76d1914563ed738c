#include "app/services/single_instance.h"

#include <unistd.h>

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>

#include "common/dbus_names.h"
#include "app/services/dbus_service.h"
#include "common/dbg_out.h"
#include "common/private_dir.h"

namespace md {
namespace {
constexpr int kLocalTimeoutMs = 3000;
constexpr int kBusTimeoutMs = 5000;
const QByteArray kActivateLine = "activate\n";

QString defaultLocalName() {
    const QString uid = QString::number(getuid());
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (!runtime.isEmpty()) return runtime + "/mouse-driver-" + uid + ".sock";
    // Without a runtime folder: a folder of the temporary one that only this user can enter
    // (a socket lying in the open there could be taken by another local user first).
    const auto dir =
        privateUserDir(QDir::tempPath().toStdString(), "mouse-driver-" + uid.toStdString());
    return dir ? QString::fromStdString(*dir) + "/instance.sock" : QString();
}
}  // namespace

SingleInstance::SingleInstance(QObject* parent, Mode mode, QString localName)
    : QObject(parent),
      m_mode(mode),
      m_localName(localName.isEmpty() ? defaultLocalName() : std::move(localName)) {}

SingleInstance::~SingleInstance() {
    if (m_ownsName) {
        QDBusConnection bus = QDBusConnection::sessionBus();
        bus.unregisterObject(dbus::kPath);
        bus.unregisterService(dbus::kService);
    }
}

SingleInstance::Role SingleInstance::acquire() {
    if (m_mode == Mode::Auto && QDBusConnection::sessionBus().isConnected()) return acquireOnBus();
    return acquireLocal();
}

SingleInstance::Role SingleInstance::acquireOnBus() {
    QDBusConnection bus = QDBusConnection::sessionBus();
    auto reply =
        bus.interface()->registerService(dbus::kService, QDBusConnectionInterface::DontQueueService,
                                         QDBusConnectionInterface::DontAllowReplacement);
    if (reply.isValid() && reply.value() == QDBusConnectionInterface::ServiceRegistered) {
        m_ownsName = true;
        m_service = new DbusService(this);
        bus.registerObject(
            dbus::kPath, m_service,
            QDBusConnection::ExportScriptableSlots | QDBusConnection::ExportScriptableSignals);
        return Role::Primary;
    }
    auto call =
        QDBusMessage::createMethodCall(dbus::kService, dbus::kPath, dbus::kInterface, "Activate");
    const QDBusMessage answer = bus.call(call, QDBus::Block, kBusTimeoutMs);
    if (answer.type() == QDBusMessage::ErrorMessage)
        dbgOut(("activation failed: " + answer.errorMessage()).toStdString());
    return Role::Secondary;
}

SingleInstance::Role SingleInstance::acquireLocal() {
    if (m_localName.isEmpty()) {
        dbgOut("single instance: no private folder for its socket; running without");
        return Role::Primary;
    }
    {
        QLocalSocket probe;
        probe.connectToServer(m_localName);
        if (probe.waitForConnected(kLocalTimeoutMs)) {
            probe.write(kActivateLine);
            probe.waitForBytesWritten(kLocalTimeoutMs);
            probe.disconnectFromServer();
            return Role::Secondary;
        }
    }
    QLocalServer::removeServer(m_localName);  // a stale socket of a program that crashed
    m_server = new QLocalServer(this);
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    if (!m_server->listen(m_localName))
        dbgOut(("single-instance socket: " + m_server->errorString()).toStdString());
    connect(m_server, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket* s = m_server->nextPendingConnection()) {
            connect(s, &QLocalSocket::disconnected, s, &QObject::deleteLater);
            connect(s, &QLocalSocket::readyRead, this, [this, s] {
                while (s->canReadLine())
                    if (s->readLine() == kActivateLine) emit activationRequested();
            });
        }
    });
    return Role::Primary;
}

}  // namespace md
