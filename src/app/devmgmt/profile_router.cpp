#include "app/devmgmt/profile_router.h"

#include <QFileInfo>
#include <QSettings>

#include "app/devmgmt/device_manager.h"
#include "app/devmgmt/router_dialogs.h"
#include "app/shell/app_messages.h"
#include "app/shell/main_wnd.h"
#include "devices/device_registry.h"
#include "pages/base/model_profile_device.h"
#include "pages/base/orrivale_usb_device.h"
#include "panels/device_profile_ui.h"
#include "profiles/app_paths.h"
#include "ui/control_timers.h"
#include "ui/object_tree.h"
#include "ui/resource_manager.h"

namespace md {
namespace {

bool is(const Notification& n, const char* name) {
    return n.sender == QLatin1String(name);
}

QSettings settings() {
    return QSettings(QString::fromStdString(AppPaths::configRoot() + "settings.ini"),
                     QSettings::IniFormat);
}

}  // namespace

ProfileRouter::ProfileRouter(CMainWnd& wnd, DeviceManager& devices)
    : QObject(&wnd), m_wnd(wnd), m_devices(devices) {
    confirm = [this](const QString& textId) { return askYesNo(m_wnd, textId); };
    inform = [this](const QString& text, bool isId) { tellUser(m_wnd, text, isId); };
    chooseFile = [this](bool save, const QString& folder) {
        return chooseFileOf(&m_wnd, save,
                            ResourceManager::instance().text(QStringLiteral("profile_file_filter")),
                            QStringLiteral("json"), folder);
    };
}

bool ProfileRouter::route(const Notification& n) {
    if (n.type == QLatin1String("timer")) {
        if (n.control != &m_wnd || n.wParam != static_cast<uintptr_t>(msg::kTimerProfileSwitch))
            return false;
        switchProfile();
        return true;
    }
    COrrivaleUSBDevice* model = m_devices.selectedModel();
    auto* panel = model ? model->findChild<CDeviceProfileUI*>() : nullptr;
    if (!panel || !isInside(n.control, panel)) return false;
    if (n.type == QLatin1String("itemselect")) {
        if (!is(n, "device_profile_combo")) return false;
        // Selections within the delay make one switch, to the last one.
        m_wnd.timers().start(&m_wnd, msg::kTimerProfileSwitch, kSwitchDelayMs, true);
        return true;
    }
    if (n.type != QLatin1String("click")) return false;
    if (is(n, "profile_fun_spread_btn")) {
        panel->setMenuVisible(!panel->isMenuVisible());
    } else if (is(n, "device_add_btn")) {
        if (!panel->addProfile()) tellProblem(*panel);
    } else if (is(n, "device_sub_btn")) {
        // A profile deleted cannot come back: asked first (the last one is never deleted).
        if (panel->itemCount() < 2 || !confirm ||
            !confirm(QStringLiteral("message_profile_delete")))
            return true;
        if (m_devices.selectedModel() != model) return true;  // gone while asked
        // The device follows the new selection; the deleted profile is nobody's any more.
        if (panel->deleteProfile())
            switchProfile();
        else
            tellProblem(*panel);
    } else if (is(n, "device_copy_btn")) {
        if (!panel->copyProfile()) tellProblem(*panel);
    } else if (is(n, "device_profile_edit_save_btn")) {
        onRename(*panel);
    } else if (is(n, "device_import_btn")) {
        onImport(*model, *panel);
    } else if (is(n, "device_export_btn")) {
        onExport(*panel);
    } else if (is(n, "device_reset_btn")) {
        onReset(*model, *panel);
    } else {
        return false;
    }
    return true;
}

void ProfileRouter::switchProfile() {
    m_wnd.timers().kill(&m_wnd, msg::kTimerProfileSwitch);
    COrrivaleUSBDevice* model = m_devices.selectedModel();
    auto* panel = model ? model->findChild<CDeviceProfileUI*>() : nullptr;
    if (!panel || panel->currentSelection() < 0) return;
    panel->selectProfile(panel->currentSelection(), false);
    if (panel->currentProfileUuid().empty()) return tellProblem(*panel);
    model->setProfileName(panel->currentProfileUuid());
    applyCurrentProfile(*model);
}

ProfileSwitchResult ProfileRouter::applyCurrentProfile(COrrivaleUSBDevice& model,
                                                       ProfileSwitchSteps steps) {
    ModelProfileDevice device(model);
    const ProfileSwitchResult r = runProfileSwitch(device, steps);
    if (!r.loaded) {
        if (inform) inform(QString::fromStdString(device.problem()), false);
    } else if (r.macros == -1) {
        if (inform) inform(QStringLiteral("message_text_7"), true);
    } else if (r.macros > 0) {
        QString text = ResourceManager::instance().text(QStringLiteral("message_text_16"));
        text.replace(QLatin1String("%d"), QString::number(r.macros));
        if (inform) inform(text, false);
    }
    return r;
}

void ProfileRouter::onRename(CDeviceProfileUI& panel) {
    const std::string name = panel.profileNameText();
    if (name.empty()) return;
    const int r = panel.renameProfile(name);
    if (r == ProfileList::kNameTaken && !panel.problem().empty()) return tellProblem(panel);
    if (r == ProfileList::kNameTaken && inform) inform(QStringLiteral("message_text_5"), true);
    if (r == ProfileList::kNameBlank && inform) inform(QStringLiteral("message_text_25"), true);
    if (r == ProfileList::kNameTooLong && inform)
        inform(QStringLiteral("message_profile_name_long"), true);
}

void ProfileRouter::onImport(COrrivaleUSBDevice& model, CDeviceProfileUI& panel) {
    if (panel.currentSelection() < 0 || !chooseFile) return;
    const QString file = chooseFile(false, lastFolder());
    if (file.isEmpty()) return;
    rememberFolder(file);
    if (!panel.importProfile(file.toStdString())) return tellProblem(panel);
    // The imported profile is the one the user wants to use: the device follows.
    model.setProfileName(panel.currentProfileUuid());
    applyCurrentProfile(model);
}

void ProfileRouter::onExport(CDeviceProfileUI& panel) {
    if (panel.currentSelection() < 0 || !chooseFile) return;
    QString file = chooseFile(true, lastFolder());
    if (file.isEmpty()) return;
    if (QFileInfo(file).suffix().isEmpty()) file += QStringLiteral(".json");
    rememberFolder(file);
    if (!panel.exportProfile(file.toStdString())) tellProblem(panel);
}

void ProfileRouter::onReset(COrrivaleUSBDevice& model, CDeviceProfileUI& panel) {
    if (panel.currentSelection() < 0 || !confirm || !confirm(QStringLiteral("message_text_22")))
        return;
    // The device may have gone while the question was open.
    if (m_devices.selectedModel() != &model) return;
    if (!panel.resetProfile()) return tellProblem(panel);
    // The keyboard gets its macros and key table again; the mouse keeps its key table.
    const bool keyboard = modelKindOf(uint16_t(model.getDeviceKind())) == kind::kKeyboard;
    applyCurrentProfile(model, ProfileSwitchSteps{keyboard, keyboard});
}

void ProfileRouter::tellProblem(const CDeviceProfileUI& panel) {
    if (!panel.problem().empty() && inform) inform(QString::fromStdString(panel.problem()), false);
}

QString ProfileRouter::lastFolder() const {
    return settings().value(QStringLiteral("Profiles/LastFolder")).toString();
}

void ProfileRouter::rememberFolder(const QString& file) {
    settings().setValue(QStringLiteral("Profiles/LastFolder"), QFileInfo(file).absolutePath());
}

}  // namespace md
