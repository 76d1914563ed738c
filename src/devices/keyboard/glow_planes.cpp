// Glow planes and the modes built on them (8, 9, 13, 14, 16).
#include "devices/keyboard/keyboard_steps.h"

#include "devices/lighting/key_glow.h"

namespace md::kblight {

namespace {

using Plane = std::array<uint8_t, kColumns>;

uint8_t planeUnion(const KeyboardEffectState& st, uint8_t c) {
    return st.planes[0][c] | st.planes[1][c] | st.planes[2][c] | st.planes[3][c];
}

void setBitInAllPlanes(KeyboardEffectState& st, uint8_t c, uint8_t bit) {
    for (Plane& p : st.planes) p[c] |= static_cast<uint8_t>(1u << bit);
}

void decayAndDraw(LedList leds, KeyboardEffectState& st, const LightSetting& s, uint8_t k) {
    lighting::decayKeyGlow(st.base, k, true);
    drawKey(leds, st, s, k, glowIntensity(st, s, k));
}

void decayAndDrawAll(LedList leds, KeyboardEffectState& st, const LightSetting& s) {
    for (uint8_t k = 0; k < leds.size() && k < kKeyCount; ++k) decayAndDraw(leds, st, s, k);
}

void lightKey(KeyboardEffectState& st, const LightSetting& s, RandomSource& rng, uint8_t k) {
    if (k >= kKeyCount) return;
    st.base.glow[k] = 255;
    if (s.multiColor) st.keyColourIndex[k] = static_cast<uint8_t>(rng.next() % 192);
}

}  // namespace

void renderGlowPlanes(KeyboardEffectState& st, const LightSetting& s, RandomSource& rng) {
    for (uint8_t c = 0; c < kColumns; ++c) {
        const uint8_t bits = planeUnion(st, c);
        if (bits == 0) continue;
        for (uint8_t r = 0; r < kRows; ++r)
            if (bits & (1u << r)) lightKey(st, s, rng, gridKey(c, r));
    }
}

void spreadGlowPlanes(KeyboardEffectState& st) {
    const auto old = st.planes;
    const uint8_t last = kColumns - 1;
    for (uint8_t c = 0; c < kColumns; ++c) {
        // P0 up and left, P3 down and left, P1 up and right, P2 down and right.
        st.planes[0][c] = static_cast<uint8_t>((old[0][c] >> 1) | (c < last ? old[0][c + 1] : 0));
        st.planes[3][c] = static_cast<uint8_t>((old[3][c] << 1) | (c < last ? old[3][c + 1] : 0));
        st.planes[1][c] = static_cast<uint8_t>((old[1][c] >> 1) | (c > 0 ? old[1][c - 1] : 0));
        st.planes[2][c] = static_cast<uint8_t>((old[2][c] << 1) | (c > 0 ? old[2][c - 1] : 0));
    }
}

void sweepGlowPlanes(KeyboardEffectState& st) {
    st.planes[0].fill(0);
    st.planes[2].fill(0);
    Plane& right = st.planes[1];
    for (uint8_t c = kColumns - 1; c > 0; --c) right[c] = right[c - 1];
    right[0] = 0;
    Plane& left = st.planes[3];
    for (uint8_t c = 0; c + 1 < kColumns; ++c) left[c] = left[c + 1];
    left[kColumns - 1] = 0;
}

void seedGlowPlanesAtKey(KeyboardEffectState& st, uint8_t k, int kind) {
    if (kind != 1) return;
    for (uint8_t c = 0; c < kColumns; ++c) {
        for (uint8_t r = 0; r < kRows; ++r) {
            if (gridKey(c, r) == k) {
                setBitInAllPlanes(st, c, r);
                return;
            }
        }
    }
}

void stepPlaneRipple(LedList leds, KeyboardEffectState& st, const LightSetting& s,
                     RandomSource& rng) {
    renderGlowPlanes(st, s, rng);
    spreadGlowPlanes(st);
    decayAndDrawAll(leds, st, s);
}

void stepPlaneSweep(LedList leds, KeyboardEffectState& st, const LightSetting& s,
                    RandomSource& rng) {
    renderGlowPlanes(st, s, rng);
    sweepGlowPlanes(st);
    decayAndDrawAll(leds, st, s);
}

void seedBounceRipple(KeyboardEffectState& st) {
    setBitInAllPlanes(st, 9, 6);
}

void stepBounceRipple(LedList leds, KeyboardEffectState& st, const LightSetting& s,
                      RandomSource& rng) {
    const uint8_t u = planeUnion(st, 9);
    if (u == 0x01) setBitInAllPlanes(st, 9, 0);
    if (u == 0x40) setBitInAllPlanes(st, 9, 6);
    if (st.stageCounter > 1) {
        st.stageCounter = 0;
        renderGlowPlanes(st, s, rng);
        spreadGlowPlanes(st);
    }
    ++st.stageCounter;
    decayAndDrawAll(leds, st, s);
}

void seedCornerRipple(KeyboardEffectState& st) {
    setBitInAllPlanes(st, 1, 0);
}

void stepCornerRipple(LedList leds, KeyboardEffectState& st, const LightSetting& s,
                      RandomSource& rng) {
    if (planeUnion(st, 1) == 0x01) setBitInAllPlanes(st, 1, 0);
    if (planeUnion(st, kColumns - 1) == 0x40) setBitInAllPlanes(st, kColumns - 1, 6);
    renderGlowPlanes(st, s, rng);
    spreadGlowPlanes(st);
    for (uint8_t n = 0; n < kOrderedKeys; ++n) decayAndDraw(leds, st, s, kKeyOrder[n]);
}

void stepFirework(LedList leds, KeyboardEffectState& st, const LightSetting& s, RandomSource& rng) {
    uint8_t& phase = st.base.phase;
    switch (st.stageCounter) {
        case 0:
            if (phase < kFireworkFrames.size())
                for (uint8_t k : kFireworkFrames[phase]) lightKey(st, s, rng, k);
            ++phase;
            if (phase >= kFireworkFrames.size()) {
                phase = 0;
                st.stageCounter = 1;
            }
            break;
        case 1:
            if (phase <= 30) {
                for (uint8_t k : kFireworkPairs[phase % 16]) lightKey(st, s, rng, k);
                ++phase;
            } else if (st.base.glow[72] == 0) {
                st.stageCounter = 2;
                phase = 0;
            }
            break;
        case 2:
            seedGlowPlanesAtKey(st, 52, 1);
            st.stageCounter = 3;
            break;
        case 3:
            renderGlowPlanes(st, s, rng);
            spreadGlowPlanes(st);
            if (st.base.glow[124] != 0) st.stageCounter = 4;
            break;
        case 4:
            if (st.base.glow[124] == 0) {
                st.stageCounter = 0;
                phase = 0;
            }
            break;
        default:
            st.stageCounter = 0;
            break;
    }
    decayAndDrawAll(leds, st, s);
}

}  // namespace md::kblight
