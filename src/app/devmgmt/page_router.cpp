#include "app/devmgmt/page_router.h"

#include <QComboBox>
#include <QProcess>
#include <QStandardPaths>

#include "app/devmgmt/device_manager.h"
#include "app/devmgmt/key_router.h"
#include "app/devmgmt/light_router.h"
#include "app/devmgmt/macro_router.h"
#include "app/devmgmt/profile_router.h"
#include "app/devmgmt/router_dialogs.h"
#include "app/devmgmt/same_mode.h"
#include "app/devmgmt/shoot_router.h"
#include "app/services/window_input_capture.h"
#include "app/shell/main_wnd.h"
#include "app/shell/msg_wnd.h"
#include "common/dbg_out.h"
#include "devlink/link/device_link.h"
#include "pages/headset/orrivale_hs6533_device.h"
#include "pages/keyboard/orrivale_keyboard_device.h"
#include "pages/mouse/orrivale_mouse_device.h"
#include "panels/device_profile_ui.h"
#include "ui/indexed_name.h"

namespace md {
namespace {

bool is(const QString& sender, const char* name) {
    return sender.compare(QLatin1String(name), Qt::CaseInsensitive) == 0;
}

void applyLightSetting(COrrivaleUSBDevice* model, const LightSetting& l) {
    const LightSetting::Words w = l.toWords();
    model->setLightSetting(w.w0, w.w1, w.w2, w.w3);
}

void selectLightMode(COrrivaleUSBDevice* model, int mode) {
    if (auto* combo = model->findChild<QComboBox*>("light_combo_modeSelect"))
        if (mode >= 0 && mode < combo->count()) combo->setCurrentIndex(mode);
}

}  // namespace

int PageRouter::workingModeOf(const QString& sender) {
    static const char* const kTabs[] = {"deng_Op_tab",   "key_Op_tab",       "macro_Op_tab",
                                        "system_Op_tab", "cursor_Op_tab",    "6533_voice_Op_tab",
                                        "magic_Op_tab",  "Virtual7.1_Op_tab"};
    for (int i = 0; i < 8; ++i)
        if (sender == QLatin1String(kTabs[i])) return i + 1;
    return 0;
}

QStringList PageRouter::deviceSettingsCommand(int n) {
    if (n != 0 && n != 1) return {};
    const bool mouse = n == 1;
    // The settings tools of the common desktops, tried in order.
    const QStringList candidates[] = {
        {"gnome-control-center", mouse ? "mouse" : "keyboard"},
        {"kcmshell6", mouse ? "kcm_mouse" : "kcm_keyboard"},
        {"kcmshell5", mouse ? "kcm_mouse" : "kcm_keyboard"},
        {mouse ? "xfce4-mouse-settings" : "xfce4-keyboard-settings"},
        {mouse ? "mate-mouse-properties" : "mate-keyboard-properties"},
        {"cinnamon-settings", mouse ? "mouse" : "keyboard"},
    };
    for (const QStringList& c : candidates) {
        const QString program = QStandardPaths::findExecutable(c.first());
        if (program.isEmpty()) continue;
        QStringList command = c;
        command[0] = program;
        return command;
    }
    return {};
}

PageRouter::PageRouter(CMainWnd& wnd, DeviceManager& devices)
    : QObject(&wnd),
      m_wnd(wnd),
      m_devices(devices),
      m_sameMode(new SameMode(wnd, devices)),
      m_profiles(new ProfileRouter(wnd, devices)),
      m_lights(new LightRouter(wnd, devices, *m_sameMode)),
      m_capture(new WindowInputCapture(&wnd)),
      m_keys(new KeyRouter(wnd, devices, *m_capture)),
      m_macros(new MacroRouter(wnd, devices, *m_capture)),
      m_shoot(new ShootRouter(wnd, devices)) {
    // Owned by the last router that uses it, so that it outlives both.
    m_capture->setParent(m_macros);
    confirm = [this](const QString& textId) { return askYesNo(m_wnd, textId); };
    m_lights->confirm = [this](const QString& textId) { return confirm && confirm(textId); };
    m_keys->confirm = [this](const QString& textId) { return confirm && confirm(textId); };
    MainWndHooks& h = wnd.hooks();
    h.routeNotification = [this](const Notification& n) { route(n); };
    h.onGameLighting = [this](uint32_t m, uintptr_t w, intptr_t l) { onGameLighting(m, w, l); };
    h.onGameLightingEnd = [this] { onGameLightingEnd(); };
}

bool PageRouter::route(const Notification& n) {
    if (m_profiles->route(n)) return true;
    if (m_lights->route(n)) return true;
    if (m_keys->route(n)) return true;
    if (m_macros->route(n)) return true;
    if (m_shoot->route(n)) return true;
    if (routeHeadset(n)) return true;
    if (n.type == QLatin1String("click")) return onClick(n);
    if (n.type == QLatin1String("selectchanged") && onOption(n)) return true;
    COrrivaleUSBDevice* model = m_devices.selectedModel();
    if (!model) return false;
    // Only notifications from the selected device's own page.
    if (n.control && n.control != model && !model->isAncestorOf(n.control)) return false;
    if (auto* mouse = qobject_cast<COrrivaleMouseDevice*>(model)) return routeMouse(n, mouse);
    if (auto* keyboard = qobject_cast<COrrivaleKeyboardDevice*>(model))
        return routeKeyboard(n, keyboard);
    return false;
}

bool PageRouter::routeHeadset(const Notification& n) {
    auto* headset = qobject_cast<COrrivaleHS6533Device*>(m_devices.selectedModel());
    // Only notifications from the selected headset's own audio pages.
    if (!headset || !n.control || !headset->isAncestorOf(n.control)) return false;
    // A custom equaliser deleted cannot come back: asked first.
    if (n.type == QLatin1String("click") && n.sender == QLatin1String("hs_EQ_btn_delete") &&
        (!confirm || !confirm(QStringLiteral("message_eq_delete"))))
        return true;
    const HeadsetRoute r = headset->routeAudio(n.type, n.sender, n.wParam);
    if (r == HeadsetRoute::ShowNameTaken)
        showMessageBox(&m_wnd, QString(), QStringLiteral("message_text_5"), m_wnd.uiScale(), true,
                       1);
    return r != HeadsetRoute::NotMine;
}

bool PageRouter::onClick(const Notification& n) {
    const QString& s = n.sender;
    if (is(s, "device_select_prev")) return m_devices.selectPreviousTile(), true;
    if (is(s, "device_select_next")) return m_devices.selectNextTile(), true;
    if (is(s, "default_btn")) return resetSelectedToDefaults(), true;
    const IndexedName name = splitIndexedName(s);
    if (name.prefix.compare(QLatin1String("windowdeviceset_"), Qt::CaseInsensitive) == 0) {
        const QStringList command = deviceSettingsCommand(name.index);
        if (command.isEmpty() || !QProcess::startDetached(command.first(), command.mid(1)))
            dbgOut("no settings tool for input devices");
        return true;
    }
    return false;
}

bool PageRouter::onOption(const Notification& n) {
    if (n.sender == QLatin1String("device_select")) {
        m_keys->stopCapture();  // a captured key belongs to the page that asked for it
        m_macros->stopRecording();
        return m_devices.onTileSelected(), true;
    }
    if (n.sender == QLatin1String("synchro_device_select")) return true;
    if (const int page = workingModeOf(n.sender)) {
        // Only the tab being selected sets the page; the one being cleared says nothing.
        if (n.wParam == 0) return true;
        COrrivaleUSBDevice* model = m_devices.selectedModel();
        if (!model) return true;
        model->setWorkingMode(page);
        if (auto* profile = model->findChild<CDeviceProfileUI*>()) profile->selectTab(page);
        return true;
    }
    return false;
}

bool PageRouter::routeMouse(const Notification& n, COrrivaleMouseDevice* mouse) {
    const IndexedName name = splitIndexedName(n.sender);
    const QString& s = n.sender;
    const QString& p = name.prefix;
    const int i = name.index;
    const auto prefix = [&](const char* text) { return i >= 0 && p == QLatin1String(text); };
    if (n.type == QLatin1String("selectchanged")) {
        if (prefix("DPI_enable_check_")) return mouse->onStageEnabled(i), true;
        if (prefix("DPI_model_")) return mouse->onCurrentStage(i), true;
        if (prefix("polling_rate_option_")) return mouse->onPollingRate(i), true;
        if (prefix("mouse_device_seting_option_")) return mouse->onSettingsPage(i), true;
        if (s == QLatin1String("pointer_precision_check")) return mouse->onPointerPrecision(), true;
        if (s == QLatin1String("scrolls_page_check")) return mouse->onScrollByPage(), true;
    } else if (n.type == QLatin1String("valuechanged")) {
        if (prefix("DPI_slider_")) return mouse->onDpiSliderReleased(i), true;
        if (s == QLatin1String("pointer_speed_slider")) return mouse->onPointerSpeed(), true;
        if (s == QLatin1String("scroll_speed_slider")) return mouse->onWheelLines(), true;
        if (s == QLatin1String("double_click_slider")) return mouse->onDoubleClickSpeed(), true;
    } else if (n.type == QLatin1String("movevaluechanged")) {
        if (prefix("DPI_slider_")) return mouse->onDpiSliderMoved(i), true;
    } else if (n.type == QLatin1String("killfocus")) {
        if (prefix("DPI_edit_")) return mouse->onDpiEditLeft(i), true;
    }
    return false;
}

bool PageRouter::routeKeyboard(const Notification& n, COrrivaleKeyboardDevice* keyboard) {
    const IndexedName name = splitIndexedName(n.sender);
    const QString& s = n.sender;
    const auto prefix = [&](const char* text) {
        return name.index >= 0 && name.prefix == QLatin1String(text);
    };
    if (n.type == QLatin1String("selectchanged")) {
        // A switch reports its new state.
        // Clicking the chosen option again clears it: the page shows the choice again.
        if (prefix("polling_rate_option_"))
            return n.wParam ? keyboard->onPollingRate(name.index) : keyboard->showStages(), true;
        if (prefix("repeat_delay_check_"))
            return n.wParam ? keyboard->onRepeatDelay(name.index) : keyboard->showStages(), true;
        if (is(s, "winlockflag_option") || is(s, "wflag_option") || is(s, "6flag_option"))
            return keyboard->onSwitch(s, n.wParam != 0), true;
    } else if (n.type == QLatin1String("valuechanged") && is(s, "repeat_rate_slider")) {
        return keyboard->onRepeatRate(), true;
    }
    return false;
}

void PageRouter::resetSelectedToDefaults() {
    COrrivaleUSBDevice* model = m_devices.selectedModel();
    if (!model || !confirm || !confirm(QStringLiteral("message_text_22"))) return;
    // The device may have gone while the question was open.
    if (m_devices.selectedModel() != model) return;
    model->resetToDefaults();
    model->writeKeyAssignments(0);
    model->writeSettingsToDevice(0, 0);
}

void PageRouter::onGameLighting(uint32_t /*message*/, uintptr_t /*wParam*/, intptr_t lParam) {
    COrrivaleUSBDevice* model = m_devices.selectedModel();
    if (!model) return;
    // The profile's own lighting is kept from the first game message on, so that the
    // restore brings it back instead of the last game effect.
    if (!m_gameActive || m_gameModel != model) {
        m_gameModel = model;
        m_gameBefore = model->lighting();
        m_gameActive = true;
    }
    LightSetting l = model->lighting();
    l.mode = static_cast<uint8_t>(lParam);
    selectLightMode(model, int(lParam));
    applyLightSetting(model, l);
    model->writeSettingsToDevice(0, 0);
}

void PageRouter::onGameLightingEnd() {
    COrrivaleUSBDevice* model = m_devices.selectedModel();
    if (!model) return;
    model->commandLink().setLightingSuspended(false);
    const LightSetting l = m_gameActive && m_gameModel == model ? m_gameBefore : model->lighting();
    m_gameActive = false;
    selectLightMode(model, l.mode);
    applyLightSetting(model, l);
    model->saveProfile();
    model->loadLighting();
    model->writeSettingsToDevice(0, 0);
}

}  // namespace md
