// Custom effect playback: empty effects, step timing and the pacing of each step mode.
#include <gtest/gtest.h>

#include <vector>

#include "devices/lighting/custom_playback.h"

namespace md::lighting {
namespace {

LightEffectStep makeStep(uint8_t mode, uint8_t brightness, uint8_t speed, Rgb c, int32_t time,
                         uint8_t multi = 0) {
    LightEffectStep s;
    s.mode = mode;
    s.brightness = brightness;
    s.speed = speed;
    s.direction = 1;
    s.multiColor = multi;
    s.red = c.red;
    s.green = c.green;
    s.blue = c.blue;
    s.time = time;
    return s;
}

TEST(CustomPlayback, EmptyEffectTurnsEveryLedOff) {
    ManualClock clock(5);
    std::vector<LedColour> leds(9, LedColour{1, 2, 3, 4});
    EffectStepList steps;
    PlaybackState st;
    playCustomEffect(leds, st, steps, clock, DeviceClass::Mouse);
    for (const LedColour& l : leds) EXPECT_EQ(l, LedColour{});
}

TEST(CustomPlayback, StepsAdvanceAfterTheirTime) {
    ManualClock clock(1000);
    std::vector<LedColour> leds(6);
    EffectStepList steps;
    steps.replace({makeStep(1, 4, 0, {255, 0, 0}, 100), makeStep(1, 0, 0, {0, 255, 0}, 50)});
    PlaybackState st;
    struct Tick {
        uint64_t now;
        LedColour shown;
        size_t positionAfter;
    };
    const Tick ticks[] = {
        {1000, {255, 0, 0, 255}, 0}, {1099, {255, 0, 0, 255}, 0}, {1100, {255, 0, 0, 255}, 1},
        {1120, {0, 255, 0, 30}, 1},  {1150, {0, 255, 0, 30}, 0},  {1151, {255, 0, 0, 255}, 0},
    };
    for (const Tick& t : ticks) {
        clock.set(t.now);
        playCustomEffect(leds, st, steps, clock, DeviceClass::Headset);
        EXPECT_EQ(leds[5], t.shown) << t.now;
        EXPECT_EQ(steps.position(), t.positionAfter) << t.now;
    }
    // A new list restarts at step 0.
    steps.replace({makeStep(1, 1, 0, {0, 0, 255}, 10)});
    EXPECT_EQ(steps.position(), 0u);
}

TEST(CustomPlayback, PacingPerStepMode) {
    struct Case {
        const char* name;
        LightEffectStep step;
        DeviceClass cls;
        int callsUntilDrawn;  // calls before the first change of the list
        LedColour first;
    };
    const Case cases[] = {
        // Breathing every T[speed] calls: speed 4 → 7. Phase 1: C[1] = 1, 1 × 255 >> 8 = 0.
        {"breathing", makeStep(0, 4, 4, {9, 9, 9}, 100000), DeviceClass::Mousepad, 7, {9, 9, 9, 0}},
        // The mouse breathes over its nine colours.
        {"mouse breathing",
         makeStep(0, 4, 4, {9, 9, 9}, 100000),
         DeviceClass::Mouse,
         7,
         {255, 0, 0, 0}},
        // Fast cycle every fastInterval(speed) calls: speed 1 → 12; wheel index 1.
        {"fast cycle", makeStep(5, 3, 1, {}, 100000), DeviceClass::Headset, 12, {255, 3, 0, 195}},
        {"wave", makeStep(4, 4, 3, {}, 100000, 1), DeviceClass::Headset, 13, {255, 5, 0, 255}},
        {"steady", makeStep(1, 2, 0, {4, 5, 6}, 100000), DeviceClass::Headset, 1, {4, 5, 6, 135}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ManualClock clock(0);
        const LedColour marker{77, 77, 77, 77};
        std::vector<LedColour> leds(15, marker);
        EffectStepList steps;
        steps.replace({c.step});
        PlaybackState st;
        int calls = 0;
        while (leds[0] == marker && calls < 100) {
            playCustomEffect(leds, st, steps, clock, c.cls);
            ++calls;
        }
        EXPECT_EQ(calls, c.callsUntilDrawn);
        EXPECT_EQ(leds[0], c.first);
    }
    // Mode 3 and unknown modes draw nothing.
    ManualClock clock(0);
    std::vector<LedColour> leds(3, LedColour{77, 77, 77, 77});
    EffectStepList steps;
    steps.replace({makeStep(3, 4, 4, {1, 1, 1}, 1000), makeStep(9, 4, 4, {1, 1, 1}, 1000)});
    PlaybackState st;
    for (int i = 0; i < 50; ++i) playCustomEffect(leds, st, steps, clock, DeviceClass::Mouse);
    EXPECT_EQ(leds[2], (LedColour{77, 77, 77, 77}));
}

TEST(CustomPlayback, FlashStepUsesItsOwnPeriod) {
    ManualClock clock(0);
    std::vector<LedColour> leds(2);
    EffectStepList steps;
    steps.replace({makeStep(2, 4, 4, {50, 60, 70}, 100000)});
    SharedPlayback& shared = sharedPlayback(DeviceClass::Keyboard);
    {
        std::lock_guard l(shared.lock);
        shared.state = {};
    }
    playSharedCustomEffect(leds, steps, clock, DeviceClass::Keyboard);
    EXPECT_EQ(leds[0], LedColour{});
    clock.set(1400);
    playSharedCustomEffect(leds, steps, clock, DeviceClass::Keyboard);
    EXPECT_EQ(leds[0], (LedColour{50, 60, 70, 255}));
}

}  // namespace
}  // namespace md::lighting
