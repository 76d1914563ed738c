#include "app/services/dbus_service.h"

#include "app/shell/app_messages.h"
#include "common/dbg_out.h"
#include "devices/work_tool_block.h"

namespace md {

DbusService::DbusService(QObject* parent) : QObject(parent) {}

void DbusService::deliver(uint32_t message, uintptr_t wParam, intptr_t lParam) {
    if (m_handler) m_handler(message, wParam, lParam);
}

void DbusService::Activate() {
    dbgOut("activation request");
    deliver(msg::kActivateInstance, 0, 1);
}

void DbusService::UpdateProgress(qulonglong wParam, qlonglong lParam) {
    deliver(msg::kUpdateProgress, static_cast<uintptr_t>(wParam), static_cast<intptr_t>(lParam));
}

void DbusService::SetLightOwner(uint wParam, int lParam) {
    deliver(msg::kLightOwnerSet, wParam, lParam);
}

QByteArray DbusService::QueryWorkTool() {
    deliver(msg::kWorkToolQuery, 0, 0);
    const auto block = buildWorkToolBlock(kDeviceModels, kProgramVersion);
    return QByteArray(reinterpret_cast<const char*>(block.data()),
                      static_cast<qsizetype>(block.size()));
}

void DbusService::GameStart(uint wParam, int lParam) {
    deliver(msg::kGameStart, wParam, lParam);
}
void DbusService::GameEnd(uint wParam, int lParam) {
    deliver(msg::kGameEnd, wParam, lParam);
}
void DbusService::GameKill(uint wParam, int lParam) {
    deliver(msg::kGameKill, wParam, lParam);
}
void DbusService::GameDeath(uint wParam, int lParam) {
    deliver(msg::kGameDeath, wParam, lParam);
}

int DbusService::RunCommand(const QStringList& args, QString& out, QString& err) {
    if (!m_commandHandler) {
        err = QStringLiteral("mouse-driver is starting or ending; try again\n");
        return 1;
    }
    std::vector<std::string> argv;
    argv.reserve(static_cast<size_t>(args.size()));
    for (const QString& a : args) argv.push_back(a.toStdString());
    std::string o, e;
    const int rc = m_commandHandler(argv, o, e);
    out = QString::fromStdString(o);
    err = QString::fromStdString(e);
    return rc;
}

}  // namespace md
