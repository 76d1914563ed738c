#include "pages/device_page_classes.h"

#include "pages/base/orrivale_usb_device.h"
#include "pages/headset/orrivale_hs6533_device.h"
#include "pages/keyboard/orrivale_keyboard_device.h"
#include "pages/mouse/orrivale_mouse_device.h"
#include "pages/mousepad/orrivale_mousepad_device.h"
#include "panels/device_profile_ui.h"
#include "panels/key_set_control_ui.h"
#include "panels/light_control_ui.h"
#include "panels/macro_control_ui.h"
#include "panels/magic_control_ui.h"
#include "panels/shoot_control_ui.h"
#include "panels/voice6533_control_ui.h"
#include "ui/control_registry.h"

namespace md {

void registerDevicePageControls() {
    ControlRegistry& registry = ControlRegistry::instance();
    registry.registerClass<COrrivaleUSBDevice>("COrrivaleUSBDevice");
    registry.registerClass<COrrivaleMouseDevice>("COrrivaleMouseDevice");
    registry.registerClass<COrrivaleKeyboardDevice>("COrrivaleKeyboardDevice");
    registry.registerClass<COrrivaleMousePadDevice>("COrrivaleMousePadDevice");
    registry.registerClass<COrrivaleHS6533Device>("COrrivaleHS6533Device");
    registry.registerClass<CDeviceProfileUI>("CDeviceProfileUI");
    registry.registerClass<CLightControlUI>("CLightControlUI");
    registry.registerClass<CKeySetControlUI>("CKeySetControlUI");
    registry.registerClass<CMacroControlUI>("CMacroControlUI");
    registry.registerClass<CShootControlUI>("CShootControlUI");
    registry.registerClass<CMagicControlUI>("CMagicControlUI");
    registry.registerClass<CVoice6533ControlUI>("CVoice6533ControlUI");
}

}  // namespace md
