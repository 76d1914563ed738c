// MouseController's operations as the mouse's DeviceDriver.

#include "devices/device_registry.h"
#include "devices/lighting/frame_senders.h"
#include "devices/memory_image/image_writer.h"
#include "devices/memory_image/memory_image.h"
#include "devices/mouse/mouse_controller.h"
#include "devices/mouse/mouse_profile_device.h"

namespace md {

const DeviceModelRow& MouseController::model() const {
    return *modelRowForKind(kind::kMouseWired);
}

CBasicProfiledata& MouseController::profile() {
    return m_profile;
}

int MouseController::writeMacros(const std::string& folder) {
    DeviceInfo info = m_deviceInfo;
    return memimg::writeMacrosToDevice(m_link, folder, info);
}

int MouseController::writeRecoil(const std::string& folder) {
    if (!memimg::recoilUploadProblem(folder).empty()) return memimg::kWritten;
    DeviceInfo info = m_deviceInfo;
    return memimg::writeShootToDevice(m_link, folder, info);
}

void MouseController::setLightingMode(const LightSetting& l) {
    const LightSetting::Words w = l.toWords();
    m_profile.writeLightInfo(w.w0, w.w1, w.w2, w.w3);
    m_lighting = l;
}

LedFrameSender MouseController::ledFrameSender() {
    return lighting::ledFrameSender(m_link);
}

std::unique_ptr<ProfileDevice> MouseController::switchTarget(const std::string& folder,
                                                             const std::string& path) {
    return std::make_unique<MouseProfileDevice>(*this, m_profile, folder, path);
}

}  // namespace md
