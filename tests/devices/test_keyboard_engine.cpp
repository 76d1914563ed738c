// The keyboard lighting engine: intervals, pass pacing, set-ups, custom playback and the
// per-LED overrides.
#include <gtest/gtest.h>

#include <array>
#include <vector>

#include "devices/keyboard/keyboard_lighting_engine.h"
#include "scripted_random.h"

namespace md::kblight {
namespace {

using lighting::kColourWheel;
using lighting::LedColour;
using lighting::LedList;

LedColour wheel(size_t k, uint8_t i) {
    return {kColourWheel[k].red, kColourWheel[k].green, kColourWheel[k].blue, i};
}

// An engine with its own playback and override state, so tests do not share them.
struct TestEngine {
    SharedKeyboardPlayback playback;
    lighting::SharedLedOverrides overrides;
    test::ScriptedRandom rng{{1, 2, 3}};
    KeyboardLightingEngine engine{&rng, &playback, &overrides};

    LedColour led(size_t k) {
        std::array<LedColour, 126> all{};
        engine.copyLeds(all);
        return all[k];
    }
};

TEST(KeyboardEngine, IntervalsPerModeAndSpeed) {
    struct Case {
        uint8_t mode;
        std::array<uint8_t, 5> intervals;
    };
    const Case cases[] = {{1, {20, 12, 8, 5, 2}},    {7, {0, 28, 23, 18, 13}},
                          {25, {0, 28, 23, 18, 13}}, {28, {0, 28, 23, 18, 13}},
                          {23, {20, 12, 8, 5, 2}},   {17, {20, 12, 8, 5, 2}}};
    for (const Case& c : cases)
        for (uint8_t s = 0; s < 5; ++s)
            EXPECT_EQ(KeyboardLightingEngine::interval(c.mode, s), c.intervals[s]);
    EXPECT_EQ(KeyboardLightingEngine::interval(1, 9), 2);
}

TEST(KeyboardEngine, PassesCountOnlyWhenTheClockMovesOnTwoMs) {
    TestEngine t;
    LightSetting s;
    s.brightness = 4;
    t.engine.setLighting(s);
    EXPECT_TRUE(t.engine.setMode(11, 4));  // key rainbow every 2 counted passes
    t.engine.startPasses(100);
    // 101: no count; 102: count 1; 102 again: no count; 104: count 2 → step.
    for (uint64_t now : {101, 102, 102, 103}) t.engine.pass(now);
    EXPECT_EQ(t.led(0).intensity, 0);
    t.engine.pass(104);
    EXPECT_EQ(t.led(0), wheel(34, 255));

    // Mode 28 at speed 0 steps on every pass; at speed 4 after 13 counted passes.
    TestEngine off;
    off.engine.setLighting(s);
    off.engine.setMode(11, 4);
    off.engine.startPasses(0);
    off.engine.pass(2);
    off.engine.pass(4);
    ASSERT_EQ(off.led(0).intensity, 255);
    off.engine.setMode(28, 0);
    off.engine.pass(4);
    EXPECT_EQ(off.led(0), LedColour{});

    TestEngine slow;
    slow.engine.setLighting(s);
    slow.engine.setMode(11, 4);
    slow.engine.startPasses(0);
    slow.engine.pass(2);
    slow.engine.pass(4);
    slow.engine.setMode(28, 4);
    int passes = 0;
    uint64_t now = 4;
    while (slow.led(0).intensity != 0 && passes < 100) {
        slow.engine.pass(now += 2);
        ++passes;
    }
    EXPECT_EQ(passes, 13);
}

TEST(KeyboardEngine, SetUpRunsOnlyWhenTheModeChanges) {
    TestEngine t;
    EXPECT_TRUE(t.engine.setMode(22, 0));
    t.engine.withState([](KeyboardEffectState& st, LedList) { EXPECT_EQ(st.keyPhase[105], 140); });
    t.engine.withState([](KeyboardEffectState& st, LedList) { st.keyPhase[105] = 7; });
    EXPECT_FALSE(t.engine.setMode(22, 3));  // same mode: the effect keeps running
    t.engine.withState([](KeyboardEffectState& st, LedList) { EXPECT_EQ(st.keyPhase[105], 7); });
    EXPECT_TRUE(t.engine.setMode(13, 3));
    t.engine.withState([](KeyboardEffectState& st, LedList) {
        EXPECT_EQ(st.planes[2][9], 0x40);
        EXPECT_EQ(st.keyColourIndex[0], 0);  // the reset cleared the indexes
    });
    EXPECT_TRUE(t.engine.setMode(5, 3));
    t.engine.withState([](KeyboardEffectState& st, LedList) {
        EXPECT_EQ(st.planes[2][9], 0);
        EXPECT_EQ(st.keyColourIndex[0], 33);
    });
}

TEST(KeyboardEngine, EmptyCustomEffectTurnsEveryLedOff) {
    for (uint8_t mode : {0, 19, 29, 200}) {
        TestEngine t;
        t.engine.withLeds([](LedList leds) {
            for (auto& l : leds) l = {9, 9, 9, 9};
        });
        t.engine.setMode(mode, 2);
        t.engine.startPasses(0);
        t.engine.pass(0);  // on every pass, counted or not
        for (size_t k = 0; k < 126; ++k) ASSERT_EQ(t.led(k), LedColour{}) << int(mode) << " " << k;
    }
}

TEST(KeyboardEngine, CustomPlaybackStepsAndTiming) {
    SharedKeyboardPlayback shared;
    lighting::EffectStepList steps;
    LightEffectStep fast;
    fast.mode = 5;
    fast.speed = 4;  // every 2 calls
    fast.brightness = 3;
    fast.time = 10;
    LightEffectStep steady;
    steady.mode = 1;
    steady.brightness = 0;
    steady.red = 200;
    steady.time = 1000;
    steps.replace({fast, steady});
    std::vector<LedColour> leds(4);
    playKeyboardEffect(leds, shared.state, steps, 0, 0);
    EXPECT_EQ(leds[0], LedColour{});
    playKeyboardEffect(leds, shared.state, steps, 0, 5);
    EXPECT_EQ(leds[0], wheel(1, 195));
    playKeyboardEffect(leds, shared.state, steps, 0, 10);  // 10 is not more than Time
    EXPECT_EQ(steps.position(), 0u);
    playKeyboardEffect(leds, shared.state, steps, 0, 11);
    EXPECT_EQ(steps.position(), 1u);
    playKeyboardEffect(leds, shared.state, steps, 0, 12);
    EXPECT_EQ(leds[3], (LedColour{200, 0, 0, 30}));
}

TEST(KeyboardEngine, KeyboardPlaybackFlashFollowsTheLightingSpeed) {
    SharedKeyboardPlayback shared;
    lighting::EffectStepList steps;
    LightEffectStep flash;
    flash.mode = 2;
    flash.speed = 0;
    flash.brightness = 4;
    flash.multiColor = 1;
    flash.time = 100000;
    steps.replace({flash});
    std::vector<LedColour> leds(2);
    playKeyboardEffect(leds, shared.state, steps, 4, 0);
    EXPECT_EQ(leds[0], LedColour{});
    playKeyboardEffect(leds, shared.state, steps, 4, 1399);
    EXPECT_EQ(leds[0], LedColour{});
    playKeyboardEffect(leds, shared.state, steps, 4, 1400);  // 7 × 200 ms: phase 3 + 14
    EXPECT_EQ(leds[0], wheel(17, 255));
}

TEST(KeyboardEngine, LedOverrides) {
    TestEngine t;
    LightSetting s;
    s.brightness = 4;
    t.engine.setLighting(s);
    t.engine.setMode(28, 0);  // everything off, so the overrides stand out
    auto entry = [](uint8_t mode, uint8_t brightness, uint8_t speed, uint8_t multi,
                    lighting::Rgb c) {
        LightSetting e;
        e.mode = mode;
        e.brightness = brightness;
        e.speed = speed;
        e.multiColor = multi;
        e.red = c.red;
        e.green = c.green;
        e.blue = c.blue;
        e.present = 1;
        return e;
    };
    std::vector<LightSetting> list = {
        entry(0, 4, 0, 0, {1, 2, 3}),  // breathing: phase 4, C[4] = 4 → 3
        entry(1, 1, 0, 0, {9, 8, 7}),  // steady at 80
        entry(3, 4, 4, 0, {}),         // spectrum every 7 passes
        entry(2, 4, 4, 1, {}),         // flash every 1400 ms
        entry(4, 4, 0, 0, {5, 5, 5}),  // off
        LightSetting{},                // a null entry: no override
    };
    t.engine.ledSettings().replace(list, t.overrides);
    t.engine.withLeds([](LedList leds) { leds[5] = {6, 6, 6, 6}; });
    t.engine.startPasses(0);
    t.engine.pass(0);
    EXPECT_EQ(t.led(0), (LedColour{1, 2, 3, 3}));
    EXPECT_EQ(t.led(1), (LedColour{9, 8, 7, 80}));
    EXPECT_EQ(t.led(2), wheel(0, 255));
    EXPECT_EQ(t.led(3), LedColour{});
    EXPECT_EQ(t.led(4), LedColour{});
    EXPECT_EQ(t.led(5), LedColour{});  // mode 28 cleared it; no override put it back
    for (uint64_t now = 1; now < 7; ++now) t.engine.pass(now);
    EXPECT_EQ(t.led(2), wheel(1, 255));
    t.engine.pass(1400);
    EXPECT_EQ(t.led(3), wheel(14, 255));
    // Breathing ran 8 passes: phase 32 → C[32] = 77 → 76.
    EXPECT_EQ(t.led(0), (LedColour{1, 2, 3, 76}));
    // A new list restarts the override state.
    t.engine.ledSettings().replace(list, t.overrides);
    t.engine.pass(1401);
    EXPECT_EQ(t.led(0), (LedColour{1, 2, 3, 3}));
}

}  // namespace
}  // namespace md::kblight

namespace md::kblight {
namespace {

// Modes that draw random numbers replay exactly with the same source.
TEST(KeyboardEngine, RandomModesAreReproducible) {
    for (uint8_t mode : {10, 14, 15, 22}) {
        std::array<std::array<lighting::LedColour, 126>, 2> seen{};
        for (int run = 0; run < 2; ++run) {
            SharedKeyboardPlayback playback;
            lighting::SharedLedOverrides overrides;
            XorShiftRandom rng(4242);
            KeyboardLightingEngine engine(&rng, &playback, &overrides);
            LightSetting s;
            s.brightness = 4;
            s.multiColor = 1;
            engine.setLighting(s);
            engine.setMode(mode, 4);
            engine.startPasses(0);
            for (uint64_t now = 2; now <= 200; now += 2) engine.pass(now);
            engine.copyLeds(seen[run]);
        }
        EXPECT_EQ(seen[0], seen[1]) << int(mode);
        size_t lit = 0;
        for (const auto& led : seen[0]) lit += led.intensity != 0;
        EXPECT_GT(lit, 0u) << int(mode);
    }
}

}  // namespace
}  // namespace md::kblight
