#pragma once
// Whole-list effect steps shared by the device models: breathing variants, steady, spectrum,
// flash variants, off and the mouse's fixed pattern. Each step rewrites every record of the LED
// colour list, advances the effect state and allocates nothing.

#include <cstdint>

#include "common/clock.h"
#include "devices/lighting/effect_state.h"
#include "devices/lighting/led_colour.h"

namespace md::lighting {

// Breathing over the colour wheel (multiColor) or in the single colour; each new breath moves
// the wheel index on by 16.
void stepBreathing(LedList leds, EffectState& st, const LightSetting& s);
// The mouse's breathing over the nine-colour table, one colour per breath.
void stepMouseBreathing(LedList leds, EffectState& st, const LightSetting& s);
// Breathing in the single colour only (mouse mode 3).
void stepSingleColourBreathing(LedList leds, EffectState& st, const LightSetting& s);
// Breathing over the four-colour table, one colour per breath.
void stepBreathingFourColour(LedList leds, EffectState& st, const LightSetting& s);
void stepSteady(LedList leds, const LightSetting& s);
void stepSpectrum(LedList leds, EffectState& st, const LightSetting& s);
// On and off every stepInterval(speed) × 200 ms.
void stepFlash(LedList leds, EffectState& st, const LightSetting& s, const Clock& clock);
void stepFlashFourColour(LedList leds, EffectState& st, const LightSetting& s, const Clock& clock);
void stepOff(LedList leds);
// The mouse's fixed pattern (mode 6): red, red, yellow, green, green, yellow, red, then red.
void stepFixedPattern(LedList leds, const LightSetting& s);

// Flash toggle shared by the flash steps: true when the state toggled.
bool flashToggleDue(EffectState& st, uint8_t speed, uint64_t now);

inline Rgb singleColour(const LightSetting& s) {
    return {s.red, s.green, s.blue};
}

}  // namespace md::lighting
