#include "app/devmgmt/light_router.h"

#include "app/devmgmt/device_manager.h"
#include "app/devmgmt/same_mode.h"
#include "app/shell/main_wnd.h"
#include "devices/base/working_mode.h"
#include "devices/lighting/light_panel_rules.h"
#include "pages/base/orrivale_usb_device.h"
#include "panels/light_control_ui.h"
#include "ui/indexed_name.h"
#include "ui/object_tree.h"

namespace md {
namespace {

uint32_t argbOf(const LightSetting& l) {
    return 0xFF000000u | uint32_t(l.red) << 16 | uint32_t(l.green) << 8 | uint32_t(l.blue);
}

}  // namespace

LightRouter::LightRouter(CMainWnd& wnd, DeviceManager& devices, SameMode& sameMode)
    : QObject(&wnd), m_wnd(wnd), m_devices(devices), m_sameMode(sameMode) {}

void LightRouter::showColour(CLightControlUI& panel, const LightSetting& l) {
    panel.setChannelText(0, QString::number(l.red));
    panel.setChannelText(1, QString::number(l.green));
    panel.setChannelText(2, QString::number(l.blue));
    panel.setMultiColour(false);
    panel.setPaletteColour(argbOf(l));
}

void LightRouter::commit(COrrivaleUSBDevice& model, const LightSetting& l, bool leavesSameMode) {
    if (leavesSameMode && model.sameMode()) {
        model.setSameMode(false);
        m_sameMode.refresh();
    }
    // The user's choice takes the device back from a program lighting it.
    if (!model.clientLighting().isEmpty()) {
        model.setClientLighting({});
        emit model.lightingTakenBack();
    }
    model.commitLighting(l);
}

bool LightRouter::route(const Notification& n) {
    COrrivaleUSBDevice* model = m_devices.selectedModel();
    auto* panel = model ? model->findChild<CLightControlUI*>() : nullptr;
    if (!panel) return false;
    // A key of the picture on the lighting tab takes the colour of the custom group.
    if (n.type == QLatin1String("click") && model->getWorkingMode() == working_mode::kLighting &&
        model->selectPanel() && isInside(n.control, model->selectPanel())) {
        const IndexedName key = splitIndexedName(n.sender);
        if (key.index < 0 || key.prefix.compare(QLatin1String("key_"), Qt::CaseInsensitive) != 0)
            return false;
        model->setCustomKeyColour(key.index);
        return true;
    }
    if (!isInside(n.control, panel)) return false;
    const QString& s = n.sender;
    const auto is = [&](const char* name) { return s == QLatin1String(name); };
    LightSetting l = model->lighting();
    if (n.type == QLatin1String("itemselect") && is("light_combo_modeSelect")) {
        const int effect = panel->selectedEffect();
        if (effect < 0) return true;
        l.mode = uint8_t(effect);
        panel->selectEffect(effect);
        commit(*model, l, true);
    } else if (n.type == QLatin1String("valuechanged") && is("deng_light_slider")) {
        l.brightness = uint8_t(panel->brightness());
        commit(*model, l, true);
    } else if (n.type == QLatin1String("valuechanged") && is("deng_speed_slider")) {
        l.speed = uint8_t(panel->speed());
        commit(*model, l, true);
    } else if (n.type == QLatin1String("colorchanged") && is("deng_Color_Pallet")) {
        l.red = uint8_t(n.wParam >> 16), l.green = uint8_t(n.wParam >> 8),
        l.blue = uint8_t(n.wParam);
        l.multiColor = 0;
        showColour(*panel, l);
        commit(*model, l, true);
    } else if (n.type == QLatin1String("killfocus") &&
               (is("deng_edit_R") || is("deng_edit_G") || is("deng_edit_B"))) {
        const int channel = is("deng_edit_R") ? 0 : is("deng_edit_G") ? 1 : 2;
        std::string shown;
        const uint8_t v =
            lighting::colourChannelOf(panel->channelText(channel).toStdString(), &shown);
        (channel == 0 ? l.red : channel == 1 ? l.green : l.blue) = v;
        l.multiColor = 0;
        showColour(*panel, l);
        commit(*model, l, true);
    } else if (n.type == QLatin1String("click") &&
               splitIndexedName(s).prefix == QLatin1String("color_option_")) {
        const uint32_t c = panel->colourOptionColour(splitIndexedName(s).index);
        if (!c) return true;
        l.red = uint8_t(c >> 16), l.green = uint8_t(c >> 8), l.blue = uint8_t(c);
        l.multiColor = 0;
        showColour(*panel, l);
        commit(*model, l, false);  // a preset colour keeps same mode
    } else if (n.type == QLatin1String("selectchanged") && is("deng_7color_check")) {
        l.multiColor = n.wParam ? 1 : 0;
        commit(*model, l, true);
    } else if (n.type == QLatin1String("selectchanged") &&
               (is("deng_FXL_check") || is("deng_FXR_check"))) {
        if (n.wParam == 0) return true;  // the option being cleared says nothing
        l.direction = is("deng_FXL_check") ? 1 : 0;
        panel->setDirection(l.direction != 0);
        commit(*model, l, true);
    } else if (n.type == QLatin1String("itemselect") && is("light_combo_ZZCCmodeSelect")) {
        // The keyboard's sub-mode; it keeps same mode.
        if (panel->deviceType() != 1) return true;
        const int sub = panel->selectedZzccMode();
        if (sub < 0) return true;
        l.zzccLedMode = uint8_t(sub);
        panel->selectZzccMode(sub);
        commit(*model, l, false);
    } else if (n.type == QLatin1String("itemselect") && is("light_combo_custommodeSelect")) {
        // The keyboard's custom group: chosen, saved and shown; the lighting record stays.
        if (panel->deviceType() != 1) return true;
        const int group = panel->selectedCustomMode();
        if (group < 0) return true;
        model->setCustomGroup(group);
        model->saveProfile();
        model->loadCustomColours();
    } else if (n.type == QLatin1String("click") &&
               (is("custom_bright_color_btn") || is("custom_off_color_btn"))) {
        if (panel->deviceType() != 1) return true;
        // Clearing wipes every key's colour of the group: asked first.
        if (is("custom_off_color_btn") &&
            (!confirm || !confirm(QStringLiteral("message_custom_clear"))))
            return true;
        model->fillCustomColours(is("custom_bright_color_btn"));
    } else if (n.type == QLatin1String("click") && is("deng_same_mode")) {
        m_sameMode.start(*model);
    } else {
        return false;
    }
    return true;
}

}  // namespace md
