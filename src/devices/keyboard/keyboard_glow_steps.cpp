// Glow effects of the keyboard (modes 7, 10, 15, 21, 22, 24, 25).
#include "devices/keyboard/keyboard_steps.h"

#include "devices/lighting/base_steps.h"
#include "devices/lighting/key_glow.h"
#include "devices/lighting/phase_step.h"

namespace md::kblight {

namespace {

uint8_t level(const LightSetting& s) {
    return lighting::brightnessLevel(s.brightness);
}

// The keyboard always fades with the fine rule.
void decay(KeyboardEffectState& st, uint8_t k) {
    lighting::decayKeyGlow(st.base, k, true);
}

void decayAndDrawOrdered(LedList leds, KeyboardEffectState& st, const LightSetting& s) {
    for (uint8_t n = 0; n < kOrderedKeys; ++n) {
        const uint8_t k = kKeyOrder[n];
        decay(st, k);
        drawKey(leds, st, s, k, glowIntensity(st, s, k));
    }
}

}  // namespace

void stepSparkle(LedList leds, KeyboardEffectState& st, const LightSetting& s, RandomSource& rng) {
    for (int i = 0; i < 6; ++i) {
        const uint8_t pick = kRandomPicks[rng.next() % kRandomPicks.size()];
        if (pick >= kOrderedKeys) continue;
        const uint8_t k = kKeyOrder[pick];
        st.keyColourIndex[k] = static_cast<uint8_t>(rng.next() % 192);
        st.base.glow[k] = 255;
    }
    for (uint8_t k = 0; k < leds.size() && k < kKeyCount; ++k) {
        decay(st, k);
        drawKey(leds, st, s, k, glowIntensity(st, s, k));
    }
}

void stepSequence(LedList leds, KeyboardEffectState& st, const LightSetting& s) {
    uint8_t& phase = st.base.phase;
    // A phase beyond the table (left by another mode) lights nothing.
    auto light = [&] {
        if (phase < kSequence.size() && kSequence[phase] < kKeyCount)
            st.base.glow[kSequence[phase]] = 254;
    };
    if (lighting::isForward(s)) {
        if (phase <= 125) {
            light();
            ++phase;
        } else {
            phase = 0;
        }
    } else {
        if (phase != 0) {
            light();
            --phase;
        } else {
            phase = 126;
        }
    }
    decayAndDrawOrdered(leds, st, s);
}

void stepColumnGlow(LedList leds, KeyboardEffectState& st, const LightSetting& s,
                    RandomSource& rng) {
    for (uint8_t n = 0; n < kOrderedKeys; ++n) {
        const uint8_t k = kKeyOrder[n];
        uint8_t& g = st.base.glow[k];
        g = static_cast<uint8_t>(g + 2);
        if (g >= 192) {
            g = 0;
            st.keyColourIndex[k] = static_cast<uint8_t>(rng.next() % 192);
        }
        drawKey(leds, st, s, k, static_cast<uint8_t>((level(s) * kGlowCurve[g]) >> 8));
    }
}

void initColumnGlow(KeyboardEffectState& st) {
    for (uint8_t c = 0; c < kColumns; ++c) {
        for (uint8_t r = 0; r < kTallRows; ++r) {
            const uint8_t k = tallGridKey(c, r);
            const size_t at = 6u * c + r;
            if (k >= kKeyCount || at >= kStartGlow.size()) continue;
            st.base.glow[k] = kStartGlow[at];
            st.keyColourIndex[k] = static_cast<uint8_t>(7 * c);
        }
    }
}

void stepTwinkle(LedList leds, KeyboardEffectState& st, const LightSetting& s, RandomSource& rng) {
    for (uint8_t n = 0; n < kOrderedKeys; ++n) {
        const uint8_t k = kKeyOrder[n];
        uint8_t& p = st.keyPhase[k];
        p = static_cast<uint8_t>(p + 1);
        if (p >= 192) {
            p = 0;
            st.keyColourIndex[k] = static_cast<uint8_t>(rng.next() % 192);
        }
        drawKey(leds, st, s, k, static_cast<uint8_t>((level(s) * kGlowCurve[p]) >> 8));
    }
}

void initTwinkle(KeyboardEffectState& st) {
    for (uint8_t c = 0; c < kColumns; ++c) {
        int v = 192 - 8 * c;
        for (uint8_t r = 0; r < kTallRows; ++r) {
            v = v < 35 ? v - 35 + 193 : v - 35;
            const uint8_t k = tallGridKey(c, r);
            if (k >= kKeyCount) continue;
            st.keyPhase[k] = static_cast<uint8_t>(v);
            st.keyColourIndex[k] = static_cast<uint8_t>(7 * c);
        }
    }
}

void stepPath(LedList leds, KeyboardEffectState& st, const LightSetting& s) {
    uint8_t& phase = st.base.phase;
    phase = lighting::step(lighting::isForward(s), 52, phase, 1);
    for (uint8_t k : kPath[phase]) {
        if (k >= kKeyCount) continue;
        st.base.glow[k] = 255;
        st.keyColourIndex[k] = 0;
    }
    for (uint8_t k = 0; k < leds.size() && k < kKeyCount; ++k) {
        uint8_t& g = st.base.glow[k];
        g = g > 5 ? static_cast<uint8_t>(g - 5) : 0;
        uint8_t& c = st.keyColourIndex[k];
        if (c != 255) c = static_cast<uint8_t>(c + 3);
        if (s.multiColor)
            lighting::setLed(leds[k], lighting::kColourWheel[c], level(s));
        else
            lighting::setLed(leds[k], lighting::singleColour(s), glowIntensity(st, s, k));
    }
}

void stepKeyFade(LedList leds, KeyboardEffectState& st, const LightSetting& s) {
    for (uint8_t k = 0; k < leds.size() && k < kKeyCount; ++k)
        drawKey(leds, st, s, k, glowIntensity(st, s, k));
}

}  // namespace md::kblight
