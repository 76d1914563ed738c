#pragma once
// The keyboard's playback of a custom light effect (modes 0, 19 and 29 and above). One
// playback state serves every keyboard model; the position in the step list is each model's.

#include <cstdint>
#include <mutex>

#include "devices/lighting/effect_step_list.h"
#include "devices/lighting/led_colour.h"

namespace md::kblight {

struct KeyboardPlaybackState {
    bool started = false;
    uint64_t stepStart = 0;
    uint8_t phase = 0;
    uint8_t callCount = 0;
    bool flashOn = false;
    uint64_t flashTime = 0;
    uint8_t flashColour = 0;
};

struct SharedKeyboardPlayback {
    std::mutex lock;
    KeyboardPlaybackState state;
};
SharedKeyboardPlayback& sharedKeyboardPlayback();

// One call per pass. lightingSpeed is the model's own lighting speed, which paces the flash of
// a flash step. An effect without steps turns every LED off.
void playKeyboardEffect(lighting::LedList leds, KeyboardPlaybackState& st,
                        lighting::EffectStepList& steps, uint8_t lightingSpeed, uint64_t now);

}  // namespace md::kblight
