#include "devices/lighting/custom_playback.h"

#include <array>

#include "devices/lighting/base_steps.h"
#include "devices/lighting/wave_steps.h"

namespace md::lighting {

SharedPlayback& sharedPlayback(DeviceClass cls) {
    static std::array<SharedPlayback, 4> states;
    return states[static_cast<size_t>(cls)];
}

LightSetting settingOfStep(const LightEffectStep& step) {
    LightSetting s;
    s.mode = step.mode;
    s.brightness = step.brightness;
    s.speed = step.speed;
    s.direction = step.direction;
    s.multiColor = step.multiColor;
    s.red = step.red;
    s.green = step.green;
    s.blue = step.blue;
    return s;
}

void playCustomEffect(LedList leds, PlaybackState& st, EffectStepList& steps, const Clock& clock,
                      DeviceClass cls) {
    const uint64_t now = clock.nowMs();
    if (!st.started) {
        st.started = true;
        st.stepStart = now;
    }
    LightEffectStep current;
    if (!steps.current(current)) return stepOff(leds);
    const LightSetting s = settingOfStep(current);

    st.callCount = static_cast<uint8_t>(st.callCount + 1);
    switch (current.mode) {
        case 0:
            if (st.callCount >= stepInterval(s.speed)) {
                st.callCount = 0;
                if (cls == DeviceClass::Mouse)
                    stepMouseBreathing(leds, st.effect, s);
                else
                    stepBreathing(leds, st.effect, s);
            }
            break;
        case 1:
            st.callCount = 0;
            stepSteady(leds, s);
            break;
        case 2:
            st.callCount = 0;
            stepFlash(leds, st.effect, s, clock);
            break;
        case 4:
            if (st.callCount >= stepInterval(s.speed)) {
                st.callCount = 0;
                stepWave(leds, st.effect, s, kPlaybackWave);
            }
            break;
        case 5:
            if (st.callCount >= fastInterval(s.speed)) {
                st.callCount = 0;
                st.effect.colourIndex = static_cast<uint8_t>(st.effect.colourIndex + 1);
                if (st.effect.colourIndex >= kWheelColours) st.effect.colourIndex = 0;
                fillLeds(leds, kColourWheel[st.effect.colourIndex], brightnessLevel(s.brightness));
            }
            break;
        default:
            break;
    }

    const uint64_t duration = current.time > 0 ? static_cast<uint64_t>(current.time) : 0;
    if (now - st.stepStart >= duration) {
        steps.advance();
        st.stepStart = now;
    }
}

void playSharedCustomEffect(LedList leds, EffectStepList& steps, const Clock& clock,
                            DeviceClass cls) {
    SharedPlayback& shared = sharedPlayback(cls);
    std::lock_guard l(shared.lock);
    playCustomEffect(leds, shared.state, steps, clock, cls);
}

}  // namespace md::lighting
