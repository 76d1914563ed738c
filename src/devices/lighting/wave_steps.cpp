#include "devices/lighting/wave_steps.h"

#include <array>

#include "devices/lighting/base_steps.h"
#include "devices/lighting/key_glow.h"
#include "devices/lighting/phase_step.h"

namespace md::lighting {

void renderWave(LedList leds, uint8_t phase, const LightSetting& s, const WaveShape& shape) {
    const uint8_t level = brightnessLevel(s.brightness);
    if (s.multiColor) {
        uint8_t k = wrapAdd(static_cast<uint8_t>(phase % 192), 1, 192);
        for (LedColour& led : leds) {
            setLed(led, kColourWheel[k], level);
            k = wrapAdd(k, shape.wheelStride, 192);
        }
        return;
    }
    uint8_t k = wrapAdd(static_cast<uint8_t>(phase % 96), shape.curveStart, 96);
    const Rgb colour = singleColour(s);
    for (LedColour& led : leds) {
        setLed(led, colour, static_cast<uint8_t>((level * kShortCurve[k]) >> 8));
        k = wrapAdd(k, shape.curveStride, 96);
    }
}

void stepWave(LedList leds, EffectState& st, const LightSetting& s, const WaveShape& shape) {
    st.phase = s.multiColor ? step(isForward(s), 192, st.phase, 1)
                            : step(isForward(s), 96, st.phase, shape.curveDelta);
    renderWave(leds, st.phase, s, shape);
}

void stepMouseRipple(LedList leds, EffectState& st, const LightSetting& s) {
    st.phase = step(isForward(s), 192, st.phase, 1);
    seedKeyGlow(st);
    rotateGlowRing(st, isForward(s));
    const uint8_t level = brightnessLevel(s.brightness);
    const bool fine = s.mode != 0;
    for (size_t g = 0; g < kMouseRippleGroups.size(); ++g) {
        decayKeyGlow(st, g, fine);
        Rgb colour = singleColour(s);
        if (s.multiColor) {
            st.phase = wrapAdd(st.phase, 12, 192);
            colour = kColourWheel[st.phase];
        }
        const auto intensity = static_cast<uint8_t>((level * st.glow[g]) >> 8);
        for (uint8_t led : kMouseRippleGroups[g])
            if (led != kNoLed && led < leds.size()) setLed(leds[led], colour, intensity);
    }
}

namespace {

constexpr std::array<std::array<uint8_t, 2>, 7> kLedPairs = {
    {{1, 14}, {2, 13}, {3, 12}, {4, 11}, {5, 10}, {6, 9}, {7, 8}}};

// Every other call: light the LEDs under set ring bytes and turn the ring.
void advanceRing(LedList leds, EffectState& st, size_t length, int direction) {
    if (st.rippleCounter > 1) {
        st.rippleCounter = 0;
        seedKeyGlowPerLed(st, leds.size());
        rotateRing(st, length, direction);
    }
    ++st.rippleCounter;
}

// With the end of the ring lit an LED keeps its own colour, else it takes the next wheel
// colour; without multiColor it takes the single colour.
Rgb ringColour(LedList leds, EffectState& st, const LightSetting& s, size_t ownLed) {
    if (!s.multiColor) return singleColour(s);
    st.phase = static_cast<uint8_t>(st.phase + 12);
    const uint8_t k = st.phase >= 192 ? static_cast<uint8_t>(st.phase - 192) : st.phase;
    const size_t end = isForward(s) ? 0 : leds.size() - 1;
    if (end < st.glow.size() && st.glow[end] != 0 && ownLed < leds.size()) {
        const LedColour& own = leds[ownLed];
        return {own.red, own.green, own.blue};
    }
    return kColourWheel[k];
}

}  // namespace

void stepPairRipple(LedList leds, EffectState& st, const LightSetting& s) {
    st.phase = step(isForward(s), 192, st.phase, 1);
    if (leds.empty()) return;
    advanceRing(leds, st, 8, isForward(s) ? 0 : 1);
    const uint8_t level = brightnessLevel(s.brightness);
    const bool fine = s.mode != 0;
    for (size_t g = 0; g < kLedPairs.size(); ++g) {
        decayKeyGlow(st, g, fine);
        const Rgb colour = ringColour(leds, st, s, kLedPairs[g][0]);
        const auto intensity = static_cast<uint8_t>((level * st.glow[g]) >> 8);
        for (uint8_t led : kLedPairs[g])
            if (led < leds.size()) setLed(leds[led], colour, intensity);
    }
}

void stepRing(LedList leds, EffectState& st, const LightSetting& s) {
    st.phase = step(isForward(s), 192, st.phase, 1);
    if (leds.empty()) return;
    advanceRing(leds, st, kRingSize, isForward(s) ? 1 : 0);
    const uint8_t level = brightnessLevel(s.brightness);
    const bool fine = s.mode != 0;
    for (size_t i = 0; i < leds.size() && i < st.glow.size(); ++i) {
        decayKeyGlow(st, i, fine);
        const Rgb colour = ringColour(leds, st, s, i);
        setLed(leds[i], colour, static_cast<uint8_t>((level * st.glow[i]) >> 8));
    }
}

}  // namespace md::lighting
