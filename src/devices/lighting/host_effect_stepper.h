#pragma once
// The lighting effect of a device whose host computes every frame (headset, mousepad): the
// mode's step once every stepInterval(speed) passes of 2 ms, the custom effect on every pass,
// then the per-LED overrides of the profile's "LightList". Not thread-safe: the lighting
// worker drives it under its own lock; tests drive it with a manual clock.
//
// Modes: 0 wave, 1 spectrum, 2 breathing, 3 steady, 4 flash, 6 ring, 7 ripple, 8 off; every
// other mode plays the custom effect. A new mode starts from a clear glow state with the first
// ring byte lit, so that ring and ripple have a light to move.

#include <cstdint>
#include <span>
#include <vector>

#include "common/clock.h"
#include "devices/lighting/custom_playback.h"
#include "devices/lighting/effect_state.h"
#include "devices/lighting/effect_step_list.h"
#include "devices/lighting/led_colour.h"
#include "devices/lighting/led_overrides.h"
#include "devices/lighting/wave_steps.h"

namespace md::lighting {

// What differs between the kinds: the wave's shape and the class whose custom-effect playback
// and per-LED override state the models of the kind share.
struct HostEffectKind {
    WaveShape wave;
    DeviceClass deviceClass;
};
inline constexpr HostEffectKind kHeadsetEffects{kHeadsetWave, DeviceClass::Headset};
inline constexpr HostEffectKind kMousepadEffects{kMouseWave, DeviceClass::Mousepad};

inline constexpr uint64_t kHostPassMs = 2;

class HostEffectStepper {
  public:
    HostEffectStepper(const HostEffectKind& kind, size_t ledCount,
                      const Clock& clock = SteadyClock::instance());

    void setLighting(const LightSetting& lighting);
    const LightSetting& lighting() const { return m_lighting; }
    // The profile's per-LED overrides; the shared override state of the kind starts again.
    void setLedSettings(std::vector<LightSetting> settings);
    EffectStepList& effectSteps() { return m_steps; }

    // Modes with a step of their own (the others play the custom effect on every pass).
    static bool isStepMode(uint8_t mode) { return mode <= 8 && mode != 5; }
    // One pass at nowMs: the mode's step when it is due, the overrides. True when a colour
    // changed.
    bool pass(uint64_t nowMs);
    // How long after nowMs the next pass can change a colour: the next step, or the next pass
    // while the custom effect or an animated override runs. kStill when nothing will change
    // until the settings do.
    static constexpr uint64_t kStill = UINT64_MAX;
    uint64_t msUntilNextChange(uint64_t nowMs) const;

    std::span<const LedColour> leds() const { return m_leds; }
    const EffectState& state() const { return m_state; }
    uint64_t stepsRun() const { return m_stepsRun; }

  private:
    void runStep();
    bool overridesAnimate() const;

    HostEffectKind m_kind;
    const Clock& m_clock;
    std::vector<LedColour> m_leds;
    std::vector<LedColour> m_before;
    EffectState m_state;
    EffectStepList m_steps;
    LedSettingList m_overrides;
    bool m_animatedOverrides = false;
    LightSetting m_lighting;
    bool m_haveLighting = false;
    bool m_stepped = false;   // the mode's step ran since the lighting was set
    uint64_t m_nextStep = 0;  // clock value at which the next step is due
    uint64_t m_stepsRun = 0;
};

}  // namespace md::lighting
