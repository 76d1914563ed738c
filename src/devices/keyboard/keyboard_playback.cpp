#include "devices/keyboard/keyboard_playback.h"

#include "devices/lighting/base_steps.h"
#include "devices/lighting/custom_playback.h"
#include "devices/lighting/wave_steps.h"

namespace md::kblight {

using namespace md::lighting;

SharedKeyboardPlayback& sharedKeyboardPlayback() {
    static SharedKeyboardPlayback shared;
    return shared;
}

namespace {

// Advances a breathing phase by one within 0-127; a phase left at 128 or above by a wave or
// colour-cycle step starts the curve again.
uint8_t nextBreathPhase(uint8_t phase) {
    return phase >= 127 ? 0 : static_cast<uint8_t>(phase + 1);
}

}  // namespace

void playKeyboardEffect(LedList leds, KeyboardPlaybackState& st, EffectStepList& steps,
                        uint8_t lightingSpeed, uint64_t now) {
    if (!st.started) {
        st.started = true;
        st.stepStart = now;
    }
    LightEffectStep current;
    if (!steps.current(current)) return stepOff(leds);
    const LightSetting s = settingOfStep(current);
    const uint8_t level = brightnessLevel(s.brightness);

    st.callCount = static_cast<uint8_t>(st.callCount + 1);
    switch (current.mode) {
        case 0: {
            if (st.callCount >= stepInterval(s.speed)) {
                st.phase = nextBreathPhase(st.phase);
                st.callCount = 0;
            }
            const Rgb colour = s.multiColor ? kColourWheel[0] : singleColour(s);
            const uint8_t phase = st.phase < 128 ? st.phase : 0;
            fillLeds(leds, colour, static_cast<uint8_t>((kBreathingCurve[phase] * level) >> 8));
            break;
        }
        case 1:
            if (st.callCount >= stepInterval(s.speed)) st.callCount = 0;
            fillLeds(leds, singleColour(s), level);
            break;
        case 2:
            st.phase = nextBreathPhase(st.phase);
            if (st.callCount >= stepInterval(s.speed)) st.callCount = 0;
            if (now - st.flashTime >= static_cast<uint64_t>(stepInterval(lightingSpeed)) * 200) {
                st.flashOn = !st.flashOn;
                st.flashTime = now;
                const unsigned c = st.phase + 14u;
                st.flashColour = c >= 192 ? 0 : static_cast<uint8_t>(c);
            }
            if (!st.flashOn) {
                stepOff(leds);
                break;
            }
            fillLeds(leds, s.multiColor ? kColourWheel[st.flashColour] : singleColour(s), level);
            break;
        case 4:
            if (st.callCount >= stepInterval(s.speed)) {
                st.phase = st.phase >= 191 ? 0 : static_cast<uint8_t>(st.phase + 1);
                st.callCount = 0;
                renderWave(leds, st.phase, s, kPlaybackWave);
            }
            break;
        case 5:
            if (st.callCount >= fastInterval(s.speed)) {
                st.phase = st.phase >= 191 ? 0 : static_cast<uint8_t>(st.phase + 1);
                st.callCount = 0;
                fillLeds(leds, kColourWheel[st.phase], level);
            }
            break;
        default:
            break;
    }
    if (st.callCount == 255) st.callCount = 0;

    const uint64_t duration = current.time > 0 ? static_cast<uint64_t>(current.time) : 0;
    if (now - st.stepStart > duration) {
        steps.advance();
        st.stepStart = now;
    }
}

}  // namespace md::kblight
