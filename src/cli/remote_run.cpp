#include "cli/remote_run.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusError>
#include <QDBusMessage>
#include <QStringList>
#include <cstdlib>
#include <filesystem>
#include <ostream>

#include "app/services/dbus_names.h"
#include "cli/cli_context.h"

namespace md::cli {
namespace {

// A verb may write macros or wait for a 2.4G mouse; the bus default of 25 s is too short.
constexpr int kCallTimeoutMs = 120000;

// Without a bus address (nor the standard socket) there is nothing to ask, and asking would
// make libdbus try to launch a bus.
bool sessionBusConfigured() {
    if (const char* a = std::getenv("DBUS_SESSION_BUS_ADDRESS"); a && *a) return true;
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    std::error_code ec;
    return runtime && *runtime &&
           std::filesystem::exists(std::filesystem::path(runtime) / "bus", ec);
}

}  // namespace

RemoteRun runInApplication(const std::vector<std::string>& argv, std::ostream& out,
                           std::ostream& err, int& rc) {
    if (!sessionBusConfigured()) return RemoteRun::NotRunning;
    int qtArgc = 1;
    char name[] = "mouse-driver-cli";
    char* qtArgv[] = {name, nullptr};
    QCoreApplication app(qtArgc, qtArgv);
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected() || !bus.interface()) return RemoteRun::NotRunning;
    if (!bus.interface()->isServiceRegistered(QString::fromLatin1(dbus::kService)).value())
        return RemoteRun::NotRunning;

    QStringList args;
    for (const std::string& a : argv) args << QString::fromStdString(a);
    QDBusMessage call =
        QDBusMessage::createMethodCall(dbus::kService, dbus::kPath, dbus::kInterface, "RunCommand");
    call << args;
    const QDBusMessage reply = bus.call(call, QDBus::Block, kCallTimeoutMs);
    if (reply.type() == QDBusMessage::ErrorMessage) {
        // The application went away between the check and the call: run alone.
        if (reply.errorName() == QDBusError::errorString(QDBusError::ServiceUnknown))
            return RemoteRun::NotRunning;
        err << "mouse-driver did not run the command: " << reply.errorMessage().toStdString()
            << "\n";
        rc = kExitDeviceError;
        return RemoteRun::Done;
    }
    const QList<QVariant> values = reply.arguments();
    if (values.size() != 3) {
        err << "mouse-driver answered the command in an unknown form\n";
        rc = kExitDeviceError;
        return RemoteRun::Done;
    }
    rc = values[0].toInt();
    out << values[1].toString().toStdString();
    err << values[2].toString().toStdString();
    return RemoteRun::Done;
}

}  // namespace md::cli
