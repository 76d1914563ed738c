#pragma once
// The keyboard's lighting modes as steps over its 126-key LED colour list. Each step writes the
// LEDs it lights and allocates nothing. B below is the brightness level of the lighting.

#include "devices/keyboard/keyboard_effect_state.h"
#include "devices/keyboard/random_source.h"
#include "devices/lighting/led_colour.h"
#include "profiles/profile_records.h"

namespace md::kblight {

using lighting::LedList;

// Waves and colour fields.
void stepColumnWave(LedList leds, KeyboardEffectState& st, const LightSetting& s);         // 1
void stepColumnGradient(LedList leds, KeyboardEffectState& st, const LightSetting& s);     // 2
void stepOrderWave(LedList leds, KeyboardEffectState& st, const LightSetting& s);          // 3
void stepKeyboardBreathing(LedList leds, KeyboardEffectState& st, const LightSetting& s);  // 5
void stepKeyboardSteady(LedList leds, KeyboardEffectState& st, const LightSetting& s);     // 6
void stepKeyRainbow(LedList leds, KeyboardEffectState& st, const LightSetting& s);         // 11
void stepRowWave(LedList leds, KeyboardEffectState& st, const LightSetting& s);            // 12
// Mode 17: the preset colour chosen by zzccLedMode of the lighting.
void stepPresetColour(LedList leds, KeyboardEffectState& st, const LightSetting& s);
void stepDiagonalWave(LedList leds, KeyboardEffectState& st, const LightSetting& s);  // 18
// Mode 20: only the intensities change; the colours are the custom colours.
void stepCustomColours(LedList leds, const LightSetting& s);

// Glow effects.
void stepSparkle(LedList leds, KeyboardEffectState& st, const LightSetting& s,
                 RandomSource& rng);  // 10
void stepColumnGlow(LedList leds, KeyboardEffectState& st, const LightSetting& s,
                    RandomSource& rng);  // 15
void initColumnGlow(KeyboardEffectState& st);
void stepSequence(LedList leds, KeyboardEffectState& st, const LightSetting& s);  // 21
void stepTwinkle(LedList leds, KeyboardEffectState& st, const LightSetting& s,
                 RandomSource& rng);  // 22
void initTwinkle(KeyboardEffectState& st);
void stepPath(LedList leds, KeyboardEffectState& st, const LightSetting& s);     // 24
void stepKeyFade(LedList leds, KeyboardEffectState& st, const LightSetting& s);  // 7, 25

// Glow planes.
void renderGlowPlanes(KeyboardEffectState& st, const LightSetting& s, RandomSource& rng);
void spreadGlowPlanes(KeyboardEffectState& st);
void sweepGlowPlanes(KeyboardEffectState& st);
void seedGlowPlanesAtKey(KeyboardEffectState& st, uint8_t k, int kind);
void stepPlaneRipple(LedList leds, KeyboardEffectState& st, const LightSetting& s,
                     RandomSource& rng);  // 8
void stepPlaneSweep(LedList leds, KeyboardEffectState& st, const LightSetting& s,
                    RandomSource& rng);  // 9
void stepBounceRipple(LedList leds, KeyboardEffectState& st, const LightSetting& s,
                      RandomSource& rng);  // 13
void seedBounceRipple(KeyboardEffectState& st);
void stepFirework(LedList leds, KeyboardEffectState& st, const LightSetting& s,
                  RandomSource& rng);  // 14
void stepCornerRipple(LedList leds, KeyboardEffectState& st, const LightSetting& s,
                      RandomSource& rng);  // 16
void seedCornerRipple(KeyboardEffectState& st);

// Helpers shared by the steps. The colour of key k: its wheel colour with multiColor, else the
// lighting colour.
inline lighting::Rgb keyColour(const KeyboardEffectState& st, const LightSetting& s, uint8_t k) {
    return s.multiColor ? lighting::kColourWheel[st.keyColourIndex[k]]
                        : lighting::Rgb{s.red, s.green, s.blue};
}
inline void drawKey(LedList leds, const KeyboardEffectState& st, const LightSetting& s, uint8_t k,
                    uint8_t intensity) {
    if (k < leds.size() && k < kKeyCount) lighting::setLed(leds[k], keyColour(st, s, k), intensity);
}
// B × glow[k] >> 8.
inline uint8_t glowIntensity(const KeyboardEffectState& st, const LightSetting& s, uint8_t k) {
    return static_cast<uint8_t>((lighting::brightnessLevel(s.brightness) * st.base.glow[k]) >> 8);
}

}  // namespace md::kblight
