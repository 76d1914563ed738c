#pragma once
// A device whose lighting is one lighting block per hardware profile with the frames computed
// on the host (the headset and the mousepad): its command link, its profile and the host's copy
// of the block. The device page and the command-line verbs both change the lighting through it.

#include <cstdint>

#include "devices/lighting/lighting_block.h"
#include "profiles/profile_records.h"

namespace md {
class CBasicProfiledata;
class DeviceLink;
}  // namespace md

namespace md::lighting {

class LightingBlockDevice {
  public:
    LightingBlockDevice(DeviceLink& link, CBasicProfiledata& profile)
        : m_link(link), m_profile(profile) {}

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
    DeviceLink& link() { return m_link; }
    CBasicProfiledata& profile() { return m_profile; }

  private:
    DeviceLink& m_link;
    CBasicProfiledata& m_profile;
    LightingBlock m_block;
    LightSetting m_lighting;
};

}  // namespace md::lighting
