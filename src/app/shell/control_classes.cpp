#include "app/shell/control_classes.h"

#include "app/shell/update_info_list_item_ui.h"
#include "controls/accessible_controls.h"
#include "controls/chart_view_ui.h"
#include "controls/circle_progress_ui.h"
#include "controls/cloud_share_list_item_ui.h"
#include "controls/color_palette_ui.h"
#include "controls/combo_edit_container_element_ui.h"
#include "controls/device_key_button_ui.h"
#include "controls/device_option_ui.h"
#include "controls/hand_img_button_ui.h"
#include "controls/hand_img_select_button_ui.h"
#include "controls/mp_device_power_ui.h"
#include "controls/redio_macro_button_ui.h"
#include "controls/select_panel_ui.h"
#include "controls/wnd_ui.h"
#include "ui/control_placeholder.h"
#include "ui/control_registry.h"

namespace md {

void registerApplicationControls() {
    static const char* const kClasses[] = {
        "CCircleProgressUI",
        "CChartViewUI",
        "CWndUI",
        "CSelectPanelUI",
        "CDeviceKeyButtonUI",
        "CCloudShareListItemUI",
        "CUpdateInfoListItemUI",
        "CMpDevicePowerUI",
        "CComboEditContainerElementUI",
        "CHandImgButtonUI",
        "CHandImgSelectButtonUI",
        "CRedioMacroButtonUI",
        "CLightControlUI",
        "CMacroControlUI",
        "CKeySetControlUI",
        "CDeviceProfileUI",
        "CShootControlUI",
        "CMagicControlUI",
        "CVoice6533ControlUI",
        "COrrivaleUSBDevice",
        "COrrivaleMousePadDevice",
        "COrrivaleHS6533Device",
        // Created through their layout tags.
        "COrrivaleMouseDevice",
        "COrrivaleKeyboardDevice",
    };
    ControlRegistry& registry = ControlRegistry::instance();
    registry.registerClass<CDeviceOptionUI>("CDeviceOptionUI");
    registry.registerClass<CCircleProgressUI>("CCircleProgressUI");
    registry.registerClass<CChartViewUI>("CChartViewUI");
    registry.registerClass<CWndUI>("CWndUI");
    registry.registerClass<CSelectPanelUI>("CSelectPanelUI");
    registry.registerClass<CDeviceKeyButtonUI>("CDeviceKeyButtonUI");
    registry.registerClass<CCloudShareListItemUI>("CCloudShareListItemUI");
    registry.registerClass<CMpDevicePowerUI>("CMpDevicePowerUI");
    registry.registerClass<CComboEditContainerElementUI>("CComboEditContainerElementUI");
    registry.registerClass<CUpdateInfoListItemUI>("CUpdateInfoListItemUI");
    registry.registerClass<CHandImgButtonUI>("CHandImgButtonUI");
    registry.registerClass<CHandImgSelectButtonUI>("CHandImgSelectButtonUI");
    registry.registerClass<CRedioMacroButtonUI>("CRedioMacroButtonUI");
    registry.registerClass<CColorPaletteUI>("CColorPaletteUI");
    for (const char* name : kClasses)
        if (!registry.contains(name)) registry.registerClass<ControlPlaceholder>(name);
    installControlAccessibility();
}

}  // namespace md
