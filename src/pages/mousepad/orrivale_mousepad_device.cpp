#include "pages/mousepad/orrivale_mousepad_device.h"

namespace md {
namespace {
constexpr const char* kButtonPanel = "mousepad_device_key_light";
constexpr int kLightType = 3;
}  // namespace

COrrivaleMousePadDevice::COrrivaleMousePadDevice(QWidget* parent)
    : CHostLightingDevice(std::make_unique<CBasicProfiledata>(), DeviceKind::MousePad,
                          lighting::kMousepadEffects, kButtonPanel, kLightType, parent) {}

void COrrivaleMousePadDevice::onDeviceAttached() {
    DeviceLink& link = commandLink();
    if (link.isOpen()) {
        // The results are not needed to go on: a device that does not answer still lights.
        link.beginSession();
        DeviceInfo info{};
        if (link.readDeviceInfo(info) == link::kOk) m_deviceInfo = info;
        link.endSession();
    }
    CHostLightingDevice::onDeviceAttached();
}

}  // namespace md
