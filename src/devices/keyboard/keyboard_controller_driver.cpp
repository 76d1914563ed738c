// KeyboardController's operations as the keyboard's DeviceDriver.

#include "devices/device_registry.h"
#include "devices/keyboard/keyboard_controller.h"
#include "devices/keyboard/keyboard_profile_device.h"
#include "devices/lighting/frame_senders.h"
#include "devices/memory_image/image_writer.h"

namespace md {

const DeviceModelRow& KeyboardController::model() const {
    return *modelRowForKind(kind::kKeyboard);
}

CBasicProfiledata& KeyboardController::profile() {
    return m_profile;
}

int KeyboardController::writeMacros(const std::string& folder) {
    DeviceInfo info = m_deviceInfo;
    return memimg::writeMacrosToDevice(m_link, folder, info);
}

void KeyboardController::setLightingMode(const LightSetting& l) {
    const LightSetting::Words w = l.toWords();
    m_profile.writeLightInfo(w.w0, w.w1, w.w2, w.w3);
    m_lighting = l;
}

LedFrameSender KeyboardController::ledFrameSender() {
    return lighting::ledFrameSender(m_link);
}

std::unique_ptr<ProfileDevice> KeyboardController::switchTarget(const std::string& folder,
                                                                const std::string& path) {
    return std::make_unique<KeyboardProfileDevice>(*this, m_profile, folder, path);
}

}  // namespace md
