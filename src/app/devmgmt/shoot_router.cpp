#include "app/devmgmt/shoot_router.h"

#include "app/devmgmt/device_manager.h"
#include "app/devmgmt/router_dialogs.h"
#include "app/shell/main_wnd.h"
#include "pages/mouse/orrivale_mouse_device.h"
#include "panels/shoot_control_ui.h"
#include "ui/indexed_name.h"
#include "ui/object_tree.h"
#include "ui/resource_manager.h"

namespace md {

ShootRouter::ShootRouter(CMainWnd& wnd, DeviceManager& devices)
    : QObject(&wnd), m_wnd(wnd), m_devices(devices) {
    confirm = [this](const QString& textId) { return askYesNo(m_wnd, textId); };
    inform = [this](const QString& text, bool isId) { tellUser(m_wnd, text, isId); };
    chooseFile = [this](bool save) {
        return chooseFileOf(&m_wnd, save,
                            ResourceManager::instance().text(QStringLiteral("shoot_file_filter")),
                            QStringLiteral("shoot"));
    };
}

bool ShootRouter::route(const Notification& n) {
    COrrivaleMouseDevice* mouse = m_devices.selectedMouse();
    auto* panel = mouse ? mouse->findChild<CShootControlUI*>() : nullptr;
    if (!panel || !isInside(n.control, panel)) return false;
    const QString& s = n.sender;
    const auto is = [&](const char* name) { return s == QLatin1String(name); };
    const IndexedName name = splitIndexedName(s);
    const auto failed = [&](const char* textId) {
        if (!inform) return;
        const QString text = ResourceManager::instance().text(QLatin1String(textId));
        inform(text.arg(QString::fromStdString(panel->tables().problem())), false);
    };
    if (n.type == QLatin1String("selectchanged")) {
        // The options act as one choice: clearing the chosen one keeps it.
        if (name.prefix == QLatin1String("shoot_gun_op_"))
            panel->selectGun(n.wParam ? name.index : panel->selectedGun());
        else if (name.prefix == QLatin1String("bullet_op_"))
            panel->selectBullet(n.wParam ? name.index : panel->selectedBullet());
        else if (is("bullet_x_check") || is("bullet_y_check"))
            panel->updateDirectionTexts();
        else
            return false;
        return true;
    }
    if (n.type == QLatin1String("killfocus")) {
        if (!is("bullet_x_eidt") && !is("bullet_y_eidt") && !is("bullet_delay_eidt")) return false;
        if (panel->saveBullet() != RecoilTables::kOk) failed("shoot_import_failed");
        return true;
    }
    if (n.type != QLatin1String("click")) return false;
    if (is("bullet_selected_prev")) {
        panel->previousBullet();
    } else if (is("bullet_selected_next")) {
        panel->nextBullet();
    } else if (is("shootdate_reset_btn")) {
        if (confirm && !confirm(QStringLiteral("shoot_reset_confirm"))) return true;
        if (panel->resetGun() != RecoilTables::kOk) failed("shoot_import_failed");
    } else if (is("shootdate_import_btn") || is("shootdate_export_btn")) {
        const bool exporting = is("shootdate_export_btn");
        const QString path = chooseFile ? chooseFile(exporting) : QString();
        if (path.isEmpty()) return true;
        const int r =
            exporting ? panel->exportGun(path.toStdString()) : panel->importGun(path.toStdString());
        if (r != RecoilTables::kOk)
            failed(exporting ? "shoot_export_failed" : "shoot_import_failed");
    } else if (is("shootdate_save_btn")) {
        // The bullet being edited is kept first, then all four tables go to the mouse.
        panel->saveBullet();
        if (mouse->writeRecoilToDevice() != 0 && inform)
            inform(QStringLiteral("shoot_write_failed"), true);
    } else {
        return false;
    }
    return true;
}

}  // namespace md
