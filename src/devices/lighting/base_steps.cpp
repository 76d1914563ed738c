#include "devices/lighting/base_steps.h"

#include "devices/lighting/phase_step.h"

namespace md::lighting {

namespace {

uint8_t breathingIntensity(uint8_t phase, uint8_t brightness) {
    return static_cast<uint8_t>((kBreathingCurve[phase & 127] * brightnessLevel(brightness)) >> 8);
}

}  // namespace

void stepBreathing(LedList leds, EffectState& st, const LightSetting& s) {
    st.phase = step(isForward(s), 128, st.phase, 1);
    if (st.phase == 0) {
        st.colourIndex = static_cast<uint8_t>(st.colourIndex + 16);
        if (st.colourIndex > 192) st.colourIndex = 0;
    }
    const Rgb colour = s.multiColor ? kColourWheel[st.colourIndex] : singleColour(s);
    fillLeds(leds, colour, breathingIntensity(st.phase, s.brightness));
}

void stepMouseBreathing(LedList leds, EffectState& st, const LightSetting& s) {
    st.phase = step(isForward(s), 128, st.phase, 1);
    if (st.phase == 0) ++st.colourIndex;
    // An index left beyond the table by another mode starts the table again.
    if (st.colourIndex >= kNineColours.size()) st.colourIndex = 0;
    fillLeds(leds, kNineColours[st.colourIndex], breathingIntensity(st.phase, s.brightness));
}

void stepSingleColourBreathing(LedList leds, EffectState& st, const LightSetting& s) {
    st.phase = step(isForward(s), 128, st.phase, 1);
    fillLeds(leds, singleColour(s), breathingIntensity(st.phase, s.brightness));
}

void stepBreathingFourColour(LedList leds, EffectState& st, const LightSetting& s) {
    st.phase = step(isForward(s), 128, st.phase, 1);
    if (st.phase == 0) ++st.colourIndex;
    if (st.colourIndex >= kFourColours.size()) st.colourIndex = 0;
    fillLeds(leds, kFourColours[st.colourIndex], breathingIntensity(st.phase, s.brightness));
}

void stepSteady(LedList leds, const LightSetting& s) {
    fillLeds(leds, singleColour(s), brightnessLevel(s.brightness));
}

void stepSpectrum(LedList leds, EffectState& st, const LightSetting& s) {
    st.phase = step(isForward(s), 192, st.phase, 1);
    fillLeds(leds, kColourWheel[st.phase], brightnessLevel(s.brightness));
}

bool flashToggleDue(EffectState& st, uint8_t speed, uint64_t now) {
    const uint64_t period = static_cast<uint64_t>(stepInterval(speed)) * 200;
    if (now - st.flashTime < period) return false;
    st.flashOn = !st.flashOn;
    st.flashTime = now;
    return true;
}

void stepFlash(LedList leds, EffectState& st, const LightSetting& s, const Clock& clock) {
    if (flashToggleDue(st, s.speed, clock.nowMs())) {
        st.phase = static_cast<uint8_t>(st.phase + 16);
        if (st.phase >= 192) st.phase = 0;
    }
    if (!st.flashOn) return stepOff(leds);
    const Rgb colour = s.multiColor ? kColourWheel[st.phase] : singleColour(s);
    fillLeds(leds, colour, brightnessLevel(s.brightness));
}

void stepFlashFourColour(LedList leds, EffectState& st, const LightSetting& s, const Clock& clock) {
    if (flashToggleDue(st, s.speed, clock.nowMs())) ++st.phase;
    if (st.phase >= kFourColours.size()) st.phase = 0;
    if (!st.flashOn) return stepOff(leds);
    fillLeds(leds, kFourColours[st.phase], brightnessLevel(s.brightness));
}

void stepOff(LedList leds) {
    for (LedColour& led : leds) led = {};
}

void stepFixedPattern(LedList leds, const LightSetting& s) {
    constexpr Rgb red{255, 0, 0}, yellow{255, 255, 0}, green{0, 255, 0};
    constexpr Rgb pattern[7] = {red, red, yellow, green, green, yellow, red};
    const uint8_t level = brightnessLevel(s.brightness);
    for (size_t i = 0; i < leds.size(); ++i) setLed(leds[i], i < 7 ? pattern[i] : red, level);
}

}  // namespace md::lighting
