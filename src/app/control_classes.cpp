#include "app/control_classes.h"

#include "controls/device_option_ui.h"
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
    for (const char* name : kClasses)
        if (!registry.contains(name)) registry.registerClass<ControlPlaceholder>(name);
}

}  // namespace md
