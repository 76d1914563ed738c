#pragma once
// Key glow: per-key glow values that fade step by step, fed by the glow ring.

#include <cstddef>
#include <cstdint>

#include "devices/lighting/effect_state.h"

namespace md::lighting {

// One fade step of a glow value: large values fall fast, small ones slowly. With `fine` the
// last sixteen levels fall by 1, otherwise by 4 (not below 0). Indexes beyond the glow values
// are ignored.
constexpr uint8_t decayedGlow(uint8_t v, bool fine) {
    if (v == 0) return 0;
    if (v >= 128) return static_cast<uint8_t>(v - 40);
    if (v & 0x40) return static_cast<uint8_t>(v - 30);
    if (v & 0x20) return static_cast<uint8_t>(v - 10);
    if (v > 16) return static_cast<uint8_t>(v - 8);
    if (fine) return static_cast<uint8_t>(v - 1);
    return static_cast<uint8_t>(v > 4 ? v - 4 : 0);
}
inline void decayKeyGlow(EffectState& st, size_t index, bool fine) {
    if (index < st.glow.size()) st.glow[index] = decayedGlow(st.glow[index], fine);
}
// The first nine glow values light up where the ring holds a non-zero byte.
void seedKeyGlow(EffectState& st);
// Headset and mousepad: every LED below ledCount (and inside the ring) lights up where the
// ring holds a non-zero byte.
void seedKeyGlowPerLed(EffectState& st, size_t ledCount);
// Moves the ring one place up (forward, byte 0 takes the carry) or down (the carry takes the
// old byte 0).
void rotateGlowRing(EffectState& st, bool forward);
// Plain rotation of the first `length` ring bytes (at most 23): direction 0 toward byte 0,
// direction 1 away from it.
void rotateRing(EffectState& st, size_t length, int direction);
// Glow values and ring bytes become 0.
void clearGlowState(EffectState& st);

}  // namespace md::lighting
