#pragma once
// Playback of a custom light effect (a list of timed steps) on the mouse, the mousepad and the
// headset. One playback state exists per device class and is shared by every model of that
// class; the position in the step list belongs to each model's EffectStepList.

#include <cstdint>
#include <mutex>

#include "common/clock.h"
#include "devices/lighting/effect_state.h"
#include "devices/lighting/effect_step_list.h"
#include "devices/lighting/led_colour.h"

namespace md::lighting {

enum class DeviceClass { Mouse, Keyboard, Mousepad, Headset };

struct PlaybackState {
    bool started = false;
    uint64_t stepStart = 0;  // clock value at which the current step began
    uint8_t callCount = 0;
    EffectState effect;  // phase, colour index and flash state of the steps
};

// The playback state of a device class with the lock that serialises the models sharing it.
struct SharedPlayback {
    std::mutex lock;
    PlaybackState state;
};
SharedPlayback& sharedPlayback(DeviceClass cls);

// The lighting setting a step plays with.
LightSetting settingOfStep(const LightEffectStep& step);

// One call of the playback (once per pass of the lighting thread): an empty effect turns every
// LED off; otherwise the current step draws when its own pacing says so (breathing every
// stepInterval(speed) calls, the fast colour cycle every fastInterval(speed) calls, the wave
// every stepInterval(speed) calls, steady and flash on every call; other step modes draw
// nothing), and after the step's Time the next step begins. The mouse breathes over its
// nine-colour table, the other classes over the colour wheel.
void playCustomEffect(LedList leds, PlaybackState& st, EffectStepList& steps, const Clock& clock,
                      DeviceClass cls);
// As playCustomEffect with the shared state of the class, under its lock.
void playSharedCustomEffect(LedList leds, EffectStepList& steps, const Clock& clock,
                            DeviceClass cls);

}  // namespace md::lighting
