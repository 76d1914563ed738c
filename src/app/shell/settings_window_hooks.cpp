#include "app/shell/settings_window_hooks.h"

#include <QApplication>
#include <QPointer>
#include <QScreen>
#include <memory>

#include "app/shell/app_messages.h"
#include "app/shell/language_controller.h"
#include "app/shell/main_wnd.h"
#include "app/shell/msg_wnd.h"
#include "app/shell/set_wnd.h"
#include "common/dbg_out.h"
#include "online/update_config.h"
#include "online/update_time_file.h"
#include "profiles/app_paths.h"
#include "ui/resource_manager.h"

namespace md {
namespace {

std::function<SetWndSetup::LightingServer()>& lightingServerSwitch() {
    static std::function<SetWndSetup::LightingServer()> current;
    return current;
}

// The version list and service are read again at every opening, so that an edited
// configuration applies without a restart.
SetWndSetup makeSetup(CMainWnd& wnd) {
    std::string problems;
    const UpdateConfig cfg =
        loadUpdateConfig(AppPaths::defaultDataFolder() + kUpdateConfigFileName,
                         AppPaths::configRoot() + kUpdateConfigFileName, &problems);
    if (!problems.empty()) dbgOut("update configuration: " + problems);
    SetWndSetup setup;
    setup.entries = buildVersionList(cfg, installedVersionNumber());
    setup.serviceUrl = cfg.serviceUrl;
    setup.http.caFile = cfg.caFile;
    setup.timeFile = AppPaths::dataRoot() + kUpdateTimeFileName;
    setup.languages = wnd.language().readLanguageList();
    setup.languageIndex = wnd.language().current();
    setup.sendToMain = [&wnd](uint32_t m, uintptr_t w, intptr_t l) { wnd.handleMessage(m, w, l); };
    setup.autostart = AutostartEntry::forThisProgram();
    if (lightingServerSwitch()) setup.lightingServer = lightingServerSwitch()();
    setup.reportProblem = [&wnd](const QString& problem) {
        showMessageBox(QApplication::activeWindow(),
                       ResourceManager::instance().text("setwnd_title"), problem, wnd.uiScale(),
                       false, 0);
    };
    return setup;
}

}  // namespace

void installLightingServerSwitch(std::function<SetWndSetup::LightingServer()> current) {
    lightingServerSwitch() = std::move(current);
}

void installSettingsWindow(CMainWnd& wnd) {
    auto open = std::make_shared<QPointer<CSetWnd>>();
    MainWndHooks& hooks = wnd.hooks();
    hooks.openSettings = [&wnd, open](bool centred) {
        if (CSetWnd* current = *open) {
            current->raise();
            current->activateWindow();
            return;
        }
        auto* set = new CSetWnd(makeSetup(wnd), &wnd);
        set->setAttribute(Qt::WA_DeleteOnClose);
        set->setWindowModality(Qt::ApplicationModal);
        // Over the main window when it is shown and not asked otherwise, else mid-screen.
        const QRect area = !centred && wnd.isVisible() ? wnd.frameGeometry()
                           : set->screen()             ? set->screen()->availableGeometry()
                                                       : QRect();
        if (area.isValid()) set->move(area.center() - set->rect().center());
        *open = set;
        set->show();
        set->raise();
        set->activateWindow();
    };
    hooks.forwardUpdateProgress = [open](uintptr_t wParam, intptr_t lParam) {
        CSetWnd* set = *open;
        return set && set->handleMessage(msg::kUpdateProgress, wParam, lParam);
    };
    hooks.closeSettings = [open] {
        if (CSetWnd* set = *open) set->close();
    };
    hooks.onLanguageApplied = [open](int index) {
        if (CSetWnd* set = *open)
            set->handleMessage(msg::kLanguageChanged, static_cast<uintptr_t>(index), 0);
    };
}

}  // namespace md
