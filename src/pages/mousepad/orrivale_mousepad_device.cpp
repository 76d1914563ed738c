#include "pages/mousepad/orrivale_mousepad_device.h"

#include "devices/lighting/frame_senders.h"

namespace md {
namespace {
constexpr const char* kButtonPanel = "mousepad_device_key_light";
constexpr int kLightType = 3;
}  // namespace

COrrivaleMousePadDevice::COrrivaleMousePadDevice(QWidget* parent)
    : CHostLightingDevice(std::make_unique<CBasicProfiledata>(), lighting::kMousepadEffects,
                          kButtonPanel, kLightType, parent) {}

lighting::HostLightingWorker::FrameSender COrrivaleMousePadDevice::makeFrameSender() {
    return lighting::ledFrameSender(commandLink());
}

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
