#pragma once
// Wave and ripple steps of the mouse, the mousepad and the headset.

#include <cstdint>

#include "devices/lighting/effect_state.h"
#include "devices/lighting/led_colour.h"

namespace md::lighting {

// How a wave walks the colour wheel (multiColor) or the short curve (single colour): the
// offset between neighbouring LEDs, the phase delta per step on the curve and where the first
// LED starts relative to the phase.
struct WaveShape {
    uint8_t wheelStride;
    uint8_t curveStride;
    uint8_t curveDelta;
    uint8_t curveStart;
};
// The mouse's and mousepad's wave.
inline constexpr WaveShape kMouseWave{7, 7, 1, 1};
// The headset's wave: 16 wheel entries per LED; on the curve 3 per step and 10 per LED.
inline constexpr WaveShape kHeadsetWave{16, 10, 3, 0};
// The wave step of a custom effect: 12 per LED on the wheel and on the curve.
inline constexpr WaveShape kPlaybackWave{12, 12, 1, 1};

// Advances the phase (by 1 within 192 on the wheel, by curveDelta within 96 on the curve) and
// draws the wave.
void stepWave(LedList leds, EffectState& st, const LightSetting& s, const WaveShape& shape);
// Draws the wave at a phase without advancing anything.
void renderWave(LedList leds, uint8_t phase, const LightSetting& s, const WaveShape& shape);

// The mouse's ripple over its nine LED groups, fed by the glow ring.
void stepMouseRipple(LedList leds, EffectState& st, const LightSetting& s);

// Headset and mousepad: the ripple over the seven LED pairs (1, 14) ... (7, 8), and the ring,
// in which every LED follows its own glow value. Both advance the ring every other call.
void stepPairRipple(LedList leds, EffectState& st, const LightSetting& s);
void stepRing(LedList leds, EffectState& st, const LightSetting& s);

}  // namespace md::lighting
