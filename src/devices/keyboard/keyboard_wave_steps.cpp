// Waves and colour fields of the keyboard (modes 1, 2, 3, 5, 6, 11, 12, 17, 18, 20).
#include "devices/keyboard/keyboard_steps.h"

#include "devices/lighting/base_steps.h"
#include "devices/lighting/phase_step.h"

namespace md::kblight {

using lighting::kColourWheel;
using lighting::Rgb;
using lighting::setLed;
using lighting::wrapAdd;

namespace {

uint8_t level(const LightSetting& s) {
    return lighting::brightnessLevel(s.brightness);
}

uint8_t times(uint8_t a, uint8_t b) {
    return static_cast<uint8_t>((a * b) >> 8);
}

void setKey(LedList leds, uint8_t k, Rgb colour, uint8_t intensity) {
    if (k < leds.size()) setLed(leds[k], colour, intensity);
}

// Every key of column c of the key grid.
template <typename Fn>
void forColumn(uint8_t c, Fn fn) {
    for (uint8_t r = 0; r < kRows; ++r) {
        const uint8_t k = gridKey(c, r);
        if (k != kNoKey) fn(k);
    }
}

template <typename Fn>
void forRow(uint8_t r, Fn fn) {
    for (uint8_t c = 0; c < kColumns; ++c) {
        const uint8_t k = gridKey(c, r);
        if (k != kNoKey) fn(k);
    }
}

}  // namespace

void stepColumnWave(LedList leds, KeyboardEffectState& st, const LightSetting& s) {
    uint8_t& phase = st.base.phase;
    const bool fwd = lighting::isForward(s);
    if (s.multiColor) {
        phase = lighting::step(fwd, 192, phase, 1);
        uint8_t c = wrapAdd(phase, 1, 192);
        for (uint8_t col = 0; col < kColumns; ++col) {
            forColumn(col, [&](uint8_t k) { setKey(leds, k, kColourWheel[c], level(s)); });
            c = wrapAdd(c, 7, 192);
        }
        return;
    }
    phase = lighting::step(fwd, 96, phase, 1);
    uint8_t i = wrapAdd(phase, 1, 96);
    for (uint8_t col = 0; col < kColumns; ++col) {
        const uint8_t v = times(level(s), lighting::kShortCurve[i]);
        forColumn(col, [&](uint8_t k) { setKey(leds, k, lighting::singleColour(s), v); });
        i = wrapAdd(i, 7, 96);
    }
}

void stepRowWave(LedList leds, KeyboardEffectState& st, const LightSetting& s) {
    uint8_t& phase = st.base.phase;
    const bool fwd = lighting::isForward(s);
    if (s.multiColor) {
        phase = lighting::step(fwd, 192, phase, 1);
        uint8_t c = wrapAdd(phase, 1, 192);
        for (uint8_t row = 0; row < kRows; ++row) {
            forRow(row, [&](uint8_t k) { setKey(leds, k, kColourWheel[c], level(s)); });
            c = wrapAdd(c, 24, 192);
        }
        return;
    }
    phase = lighting::step(fwd, 96, phase, 1);
    uint8_t i = wrapAdd(phase, 1, 96);
    for (uint8_t row = 0; row < kRows; ++row) {
        const uint8_t v = times(level(s), lighting::kShortCurve[i]);
        forRow(row, [&](uint8_t k) { setKey(leds, k, lighting::singleColour(s), v); });
        i = wrapAdd(i, 11, 96);
    }
}

void stepColumnGradient(LedList leds, KeyboardEffectState& st, const LightSetting& s) {
    uint8_t& phase = st.base.phase;
    const bool fwd = lighting::isForward(s);
    if (s.multiColor) {
        phase = lighting::step(fwd, 192, phase, 1);
        uint8_t c = phase;
        for (uint8_t col = 0; col < kColumns; ++col) {
            forColumn(col, [&](uint8_t k) { setKey(leds, k, kColourWheel[c], level(s)); });
            c = wrapAdd(c, 2, 192);
        }
        return;
    }
    phase = lighting::step(fwd, 96, phase, 1);
    uint8_t g = phase;
    for (uint8_t col = 0; col < kColumns; ++col) {
        const uint8_t v = times(level(s), kGlowCurve[g]);
        forColumn(col, [&](uint8_t k) { setKey(leds, k, lighting::singleColour(s), v); });
        g = wrapAdd(g, 1, 96);
    }
}

void stepOrderWave(LedList leds, KeyboardEffectState& st, const LightSetting& s) {
    uint8_t& phase = st.base.phase;
    const bool fwd = lighting::isForward(s);
    if (s.multiColor) {
        phase = lighting::step(fwd, 192, phase, 1);
        uint8_t c = phase;
        for (uint8_t n = 0; n < kOrderedKeys; ++n) {
            setKey(leds, kKeyOrder[n], kColourWheel[c], level(s));
            c = wrapAdd(c, 5, 192);
        }
        return;
    }
    phase = lighting::step(fwd, 96, phase, 1);
    uint8_t i = phase;
    for (uint8_t n = 0; n < kOrderedKeys; ++n) {
        setKey(leds, kKeyOrder[n], lighting::singleColour(s),
               times(level(s), lighting::kShortCurve[i]));
        i = wrapAdd(i, 5, 96);
    }
}

void stepDiagonalWave(LedList leds, KeyboardEffectState& st, const LightSetting& s) {
    uint8_t& phase = st.base.phase;
    phase = lighting::step(lighting::isForward(s), 192, phase, 1);
    uint8_t c = phase;
    for (const auto& row : kDiagonal) {
        c = wrapAdd(c, 7, 192);
        for (uint8_t k : row)
            if (keyInOrder(k) < kNoKey) setKey(leds, k, kColourWheel[c], level(s));
    }
}

void stepKeyboardBreathing(LedList leds, KeyboardEffectState& st, const LightSetting& s) {
    uint8_t& phase = st.base.phase;
    phase = phase >= 127 ? 0 : static_cast<uint8_t>(phase + 1);
    const uint8_t v = times(lighting::kBreathingCurve[phase], level(s));
    for (uint8_t col = 0; col < kColumns; ++col) {
        const Rgb colour = s.multiColor ? kColourWheel[7 * col] : lighting::singleColour(s);
        forColumn(col, [&](uint8_t k) { setKey(leds, k, colour, v); });
    }
}

void stepKeyboardSteady(LedList leds, KeyboardEffectState& st, const LightSetting& s) {
    if (!s.multiColor) return lighting::stepSteady(leds, s);
    uint8_t c = wrapAdd(static_cast<uint8_t>(st.base.phase % 192), 1, 192);
    for (uint8_t col = 0; col < kColumns; ++col) {
        forColumn(col, [&](uint8_t k) { setKey(leds, k, kColourWheel[c], level(s)); });
        c = wrapAdd(c, 7, 192);
    }
}

void stepKeyRainbow(LedList leds, KeyboardEffectState& st, const LightSetting& s) {
    for (uint8_t k = 0; k < leds.size() && k < kKeyCount; ++k) {
        st.keyColourIndex[k] = wrapAdd(static_cast<uint8_t>(st.keyColourIndex[k] % 192), 1, 192);
        setLed(leds[k], kColourWheel[st.keyColourIndex[k]], level(s));
    }
}

void stepPresetColour(LedList leds, KeyboardEffectState& st, const LightSetting& s) {
    switch (s.zzccLedMode) {
        case 1:
            st.base.phase = 25;
            break;
        case 2:
            st.base.phase = 70;
            break;
        case 3:
            st.base.phase = 95;
            break;
        default:
            st.base.phase = 174;
            break;
    }
    lighting::fillLeds(leds, kColourWheel[st.base.phase], level(s));
}

void stepCustomColours(LedList leds, const LightSetting& s) {
    for (lighting::LedColour& led : leds) led.intensity = level(s);
}

}  // namespace md::kblight
