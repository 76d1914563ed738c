#pragma once
// A device whose lighting is one lighting block per hardware profile with the frames computed
// on the host (the headset and the mousepad): its command link, its profile and the host's copy
// of the block. It is these devices' DeviceDriver: the device page, the command-line verbs and
// the services change the lighting through it.

#include <cstdint>

#include "common/device_kind.h"
#include "devices/base/device_driver.h"
#include "devices/lighting/lighting_block.h"
#include "profiles/profile_records.h"

namespace md::lighting {

class LightingBlockDevice final : public DeviceDriver {
  public:
    LightingBlockDevice(DeviceLink& link, CBasicProfiledata& profile, DeviceKind kind)
        : m_link(link), m_profile(profile), m_kind(kind) {}

    // --- DeviceDriver ---
    const DeviceModelRow& model() const override;
    DeviceLink& link() override { return m_link; }
    CBasicProfiledata& profile() override { return m_profile; }
    // Nothing to read at attach: the block is read with the settings.
    int attach() override;
    // The active block's lighting becomes the profile's, which is saved.
    int readSettings() override;
    int writeSettings() override { return writeBlock(0); }
    LightSetting lightingMode() const override { return m_lighting; }
    void setLightingMode(const LightSetting& l) override { setLighting(l); }
    // The pad takes LED frames over its command link, the headset output reports on its wired
    // channel.
    LedFrameSender ledFrameSender() override;

    // The profile's lighting becomes the device's (and the block's bytes); returns it.
    LightSetting loadLighting();
    // A new lighting for the profile (in memory; the caller saves) and the block; values
    // outside the block's ranges are taken as their nearest valid value.
    void setLighting(const LightSetting& l);
    const LightSetting& lighting() const { return m_lighting; }
    // What the effect runs with: the lighting, with the mode and speed of the block (which
    // follow the device after readBlock()).
    LightSetting effectLighting() const;

    // Reads the active hardware profile's block from the device; link result code.
    int readBlock() { return m_block.read(m_link); }
    // Writes the block for hardware profile q; link result code.
    int writeBlock(uint8_t profile) { return m_block.write(m_link, profile); }
    const LightingBlock& block() const { return m_block; }

  protected:
    std::unique_ptr<ProfileDevice> switchTarget(const std::string& folder,
                                                const std::string& path) override;

  private:
    DeviceLink& m_link;
    CBasicProfiledata& m_profile;
    DeviceKind m_kind;
    LightingBlock m_block;
    LightSetting m_lighting;
};

}  // namespace md::lighting
