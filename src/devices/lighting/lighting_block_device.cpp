#include "devices/lighting/lighting_block_device.h"

#include "devices/device_registry.h"
#include "devices/lighting/frame_senders.h"
#include "devices/lighting/lighting_profile_device.h"
#include "devlink/link/device_link.h"
#include "profiles/basic_profiledata.h"
#include "profiles/profile_ranges.h"

namespace md::lighting {

LightSetting LightingBlockDevice::loadLighting() {
    setLighting(m_profile.readLightInfo());
    return m_lighting;
}

void LightingBlockDevice::setLighting(const LightSetting& in) {
    // A profile may hold anything: only the block's modes and levels reach the device.
    LightSetting l = in;
    l.mode = static_cast<uint8_t>(ranges::kBlockLightMode.clamp(l.mode));
    l.brightness = static_cast<uint8_t>(ranges::kBrightness.clamp(l.brightness));
    l.speed = static_cast<uint8_t>(ranges::kLightSpeed.clamp(l.speed));
    l.multiColor = static_cast<uint8_t>(ranges::kFlag.clamp(l.multiColor));
    m_lighting = l;
    const LightSetting::Words w = l.toWords();
    m_profile.writeLightInfo(w.w0, w.w1, w.w2, w.w3);
    m_block.setLighting(l);
}

LightSetting LightingBlockDevice::effectLighting() const {
    LightSetting l = m_lighting;
    l.mode = m_block.mode();
    l.speed = m_block.speed();
    return l;
}

const DeviceModelRow& LightingBlockDevice::model() const {
    return *modelRowForKind(kindValue(m_kind));
}

int LightingBlockDevice::attach() {
    return m_link.isOpen() ? link::kOk : 0;
}

int LightingBlockDevice::readSettings() {
    const int r = readBlock();
    if (r != link::kOk) return r;
    setLighting(effectLighting());
    m_profile.save();  // a failed save is the profile's problem(); the device was read
    return link::kOk;
}

LedFrameSender LightingBlockDevice::ledFrameSender() {
    return model().has(kCapSameModeFrames) ? lighting::ledFrameSender(m_link)
                                           : headsetFrameSender(m_link);
}

std::unique_ptr<ProfileDevice> LightingBlockDevice::switchTarget(const std::string& /*folder*/,
                                                                 const std::string& path) {
    return std::make_unique<LightingProfileDevice>(*this, path);
}

}  // namespace md::lighting
