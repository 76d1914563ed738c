#pragma once
// Per-LED overrides: the profile's "LightList" gives single LEDs their own breathing, steady,
// spectrum, flash or off effect on top of the running mode. The override state exists once per
// device class (keyboard, mousepad, headset) and is shared by the models of that class; the
// list itself is each model's own.

#include <array>
#include <cstdint>
#include <mutex>
#include <span>
#include <vector>

#include "devices/lighting/custom_playback.h"
#include "devices/lighting/led_colour.h"
#include "profiles/profile_records.h"

namespace md::lighting {

inline constexpr size_t kOverrideLeds = 128;
// Overrides act on LEDs below this number.
inline constexpr size_t kOverriddenLeds = 126;

struct LedOverrideState {
    std::array<uint8_t, kOverrideLeds> breathPhase{};
    std::array<uint8_t, kOverrideLeds> breathColour{};
    std::array<bool, kOverrideLeds> flashOn{};
    std::array<uint64_t, kOverrideLeds> flashTime{};
    std::array<uint32_t, kOverrideLeds> flashPeriod{};
    std::array<uint8_t, kOverrideLeds> flashColour{};
    std::array<uint8_t, kOverrideLeds> spectrumColour{};
    std::array<uint8_t, kOverrideLeds> spectrumCount{};
    std::array<uint8_t, kOverrideLeds> spectrumInterval{};
};

struct SharedLedOverrides {
    std::mutex lock;
    LedOverrideState state;
};
SharedLedOverrides& sharedLedOverrides(DeviceClass cls);

// The state a newly loaded list starts from: breathing at phase 0 and colour 0; every entry
// off, never toggled, with colour 0 and period stepInterval(speed) × 200 ms; present entries
// with spectrum colour 0, count 0 and interval stepInterval(speed).
void resetLedOverrides(LedOverrideState& st, std::span<const LightSetting> settings);
// One pass over the list in the order breathing (mode 0), steady (1), spectrum (3), flash
// (toggles for every entry, draws for mode 2), off (4).
void applyLedSettings(LedList leds, std::span<const LightSetting> settings, LedOverrideState& st,
                      uint64_t now);

// A model's "LightList", replaced and read under its own lock.
class LedSettingList {
  public:
    // New list; the shared override state of the class starts again.
    void replace(std::vector<LightSetting> settings, SharedLedOverrides& overrides);
    void apply(LedList leds, SharedLedOverrides& overrides, uint64_t now);
    size_t size() const;

  private:
    mutable std::mutex m_lock;
    std::vector<LightSetting> m_settings;
};

}  // namespace md::lighting
