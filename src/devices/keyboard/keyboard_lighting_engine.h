#pragma once
// The keyboard's lighting preview: 126 LEDs, 28 lighting modes with their set-ups and pacing,
// the custom effect playback and the per-LED overrides. A keyboard model runs pass() from its
// preview thread (about once per millisecond) and paints leds() on its page.
//
// All members are guarded by one lock, so the UI thread may change the lighting or the mode,
// or work on the colours (custom colours), while the preview thread runs passes.

#include <array>
#include <cstdint>
#include <mutex>
#include <span>

#include "devices/keyboard/keyboard_effect_state.h"
#include "devices/keyboard/keyboard_playback.h"
#include "devices/keyboard/random_source.h"
#include "devices/lighting/effect_step_list.h"
#include "devices/lighting/led_colour.h"
#include "devices/lighting/led_overrides.h"
#include "profiles/profile_records.h"

namespace md::kblight {

class KeyboardLightingEngine {
  public:
    // rng, playback and overrides default to the engine's own generator and the state shared
    // by all keyboard models.
    explicit KeyboardLightingEngine(RandomSource* rng = nullptr,
                                    SharedKeyboardPlayback* playback = nullptr,
                                    lighting::SharedLedOverrides* overrides = nullptr);
    KeyboardLightingEngine(const KeyboardLightingEngine&) = delete;
    KeyboardLightingEngine& operator=(const KeyboardLightingEngine&) = delete;

    // The model's lighting record: brightness, direction, multiColor, colour, zzccLedMode and
    // customGroup (its mode and speed fields are not used; see setMode).
    void setLighting(const LightSetting& s);
    // Mode and speed of the settings record. A mode other than the previous one runs its
    // set-up (reset, then the mode's own preparation); true when it did. Mode 20 also needs
    // loadCustomColours, which the caller runs because it needs the profile and the link.
    bool setMode(uint8_t mode, uint8_t speed);
    uint8_t mode() const;

    // Restarts the pass counter at now (the preview thread calls it when it starts).
    void startPasses(uint64_t now);
    // One pass of the preview thread: count the pass when the clock moved on by 2 ms or more,
    // run the mode's step when its interval is reached (or the custom effect on every pass for
    // modes 0, 19 and 29 and above), then the per-LED overrides.
    void pass(uint64_t now);

    // Passes between two steps of mode at speed (0 = every pass).
    static uint8_t interval(uint8_t mode, uint8_t speed);

    void copyLeds(std::span<lighting::LedColour> out) const;
    // Runs fn(LedList) on the LED colour list under the engine's lock.
    template <typename Fn>
    auto withLeds(Fn fn) {
        std::lock_guard l(m_lock);
        return fn(lighting::LedList(m_leds));
    }
    // Runs fn(KeyboardEffectState&, LedList) under the engine's lock (tests, diagnostics).
    template <typename Fn>
    auto withState(Fn fn) {
        std::lock_guard l(m_lock);
        return fn(m_state, lighting::LedList(m_leds));
    }

    lighting::EffectStepList& effectSteps() { return m_steps; }
    lighting::LedSettingList& ledSettings() { return m_ledSettings; }
    lighting::SharedLedOverrides& overrides() { return *m_overrides; }
    SharedKeyboardPlayback& playback() { return *m_playback; }

  private:
    void setUpMode(uint8_t mode);
    void runModeStep(uint8_t mode, uint64_t now);

    mutable std::mutex m_lock;
    XorShiftRandom m_ownRandom;
    RandomSource* m_rng;
    SharedKeyboardPlayback* m_playback;
    lighting::SharedLedOverrides* m_overrides;
    std::array<lighting::LedColour, kKeyCount> m_leds{};
    KeyboardEffectState m_state;
    LightSetting m_lighting;
    uint8_t m_mode = 0;
    uint8_t m_speed = 0;
    bool m_modeSet = false;
    uint32_t m_count = 0;
    uint64_t m_last = 0;
    lighting::EffectStepList m_steps;
    lighting::LedSettingList m_ledSettings;
};

}  // namespace md::kblight
