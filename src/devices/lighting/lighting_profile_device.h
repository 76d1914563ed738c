#pragma once
// A lighting-block device (headset, mousepad) as the target of the profile-switch sequence:
// loading the profile file gives the device its lighting; the settings are the lighting block
// of hardware profile 0. These devices have no macro, recoil or key memory.

#include <string>

#include "devices/base/profile_switch.h"
#include "devices/lighting/lighting_block_device.h"

namespace md::lighting {

class LightingProfileDevice : public ProfileDevice {
  public:
    // profilePath is the profile file to make current.
    LightingProfileDevice(LightingBlockDevice& device, std::string profilePath)
        : m_device(device), m_path(std::move(profilePath)) {}

    bool loadProfile() override;
    void validateMacroKeys() override {}
    int writeSettings() override { return m_device.writeBlock(0); }
    int writeMacroImage() override { return 0; }
    int writeKeyTable() override { return 1; }
    std::string problem() const override;

  private:
    LightingBlockDevice& m_device;
    std::string m_path;
};

}  // namespace md::lighting
