// Keyboard lighting modes: steps, set-ups and glow planes.
#include <gtest/gtest.h>

#include <vector>

#include "devices/keyboard/keyboard_steps.h"
#include "scripted_random.h"

namespace md::kblight {
namespace {

using lighting::kColourWheel;
using lighting::LedColour;

LightSetting lighting(uint8_t brightness, uint8_t dir, uint8_t multi,
                      lighting::Rgb c = {10, 20, 30}) {
    LightSetting s;
    s.brightness = brightness;
    s.direction = dir;
    s.multiColor = multi;
    s.red = c.red;
    s.green = c.green;
    s.blue = c.blue;
    return s;
}

LedColour wheel(size_t k, uint8_t i) {
    return {kColourWheel[k].red, kColourWheel[k].green, kColourWheel[k].blue, i};
}

std::vector<LedColour> leds126() {
    return std::vector<LedColour>(126);
}

TEST(KeyboardSteps, WavesAndColourFields) {
    struct Case {
        const char* name;
        void (*step)(LedList, KeyboardEffectState&, const LightSetting&);
        LightSetting s;
        uint8_t phaseAfter;
        std::vector<std::pair<uint8_t, LedColour>> expected;  // key, LED
    };
    const Case cases[] = {
        // Column wave: c = phase + 1, + 7 per column. Key 120 is column 0, key 0 column 2.
        {"column wave",
         stepColumnWave,
         lighting(4, 1, 1),
         1,
         {{120, wheel(2, 255)}, {124, wheel(2, 255)}, {0, wheel(16, 255)}, {119, wheel(156, 255)}}},
        // Curve: s = phase + 1 = 2 → S[2] = 27 → 26; column 2: S[16] = 77 → 76.
        {"column wave curve",
         stepColumnWave,
         lighting(4, 1, 0),
         1,
         {{120, {10, 20, 30, 26}}, {0, {10, 20, 30, 76}}}},
        // Rows: + 24 per row. Key 0 is row 0, key 120 row 1, key 124 row 5.
        {"row wave",
         stepRowWave,
         lighting(4, 1, 1),
         1,
         {{0, wheel(2, 255)}, {120, wheel(26, 255)}, {124, wheel(122, 255)}}},
        // + 11 per row on the curve: row 5 at 2 + 55 = 57: S[57] = 194 → 193.
        {"row wave curve", stepRowWave, lighting(4, 1, 0), 1, {{124, {10, 20, 30, 193}}}},
        // Gradient: c = phase, + 2 per column. Backward from 0: phase 191.
        {"gradient",
         stepColumnGradient,
         lighting(3, 0, 1),
         191,
         {{120, wheel(191, 195)}, {0, wheel(3, 195)}}},
        // Gradient on the glow curve: g = 1, column 2 → G[3] = 14 at 255 → 13.
        {"gradient curve",
         stepColumnGradient,
         lighting(4, 1, 0),
         1,
         {{120, {10, 20, 30, 3}}, {0, {10, 20, 30, 13}}}},
        // Order wave: key order 15, 14, ... at c = 1, 6, 11.
        {"order wave",
         stepOrderWave,
         lighting(4, 1, 1),
         1,
         {{15, wheel(1, 255)}, {14, wheel(6, 255)}, {0, wheel(76, 255)}, {16, {}}}},
        // Diagonal: row 0 (key 51) at c = 1 + 7, row 11 (key 41) at 1 + 84.
        {"diagonal",
         stepDiagonalWave,
         lighting(4, 1, 0),
         1,
         {{51, wheel(8, 255)}, {41, wheel(85, 255)}, {118, wheel(85, 255)}, {62, wheel(29, 255)}}},
        // Breathing: phase 1, C[1] = 1 → 0; column colours W[7c].
        {"breathing",
         stepKeyboardBreathing,
         lighting(4, 0, 1),
         1,
         {{120, wheel(0, 0)}, {0, wheel(14, 0)}, {16, {}}}},
        {"steady multi",
         stepKeyboardSteady,
         lighting(1, 1, 1),
         0,
         {{120, wheel(1, 80)}, {0, wheel(15, 80)}}},
        {"steady",
         stepKeyboardSteady,
         lighting(1, 1, 0),
         0,
         {{120, {10, 20, 30, 80}}, {16, {10, 20, 30, 80}}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto leds = leds126();
        KeyboardEffectState st;
        c.step(leds, st, c.s);
        EXPECT_EQ(st.base.phase, c.phaseAfter);
        for (const auto& [k, led] : c.expected) EXPECT_EQ(leds[k], led) << int(k);
    }
}

TEST(KeyboardSteps, PresetColourRainbowAndCustomIntensity) {
    struct Case {
        uint8_t zzcc;
        size_t wheelIndex;
    };
    const Case cases[] = {{1, 25}, {2, 70}, {3, 95}, {0, 174}, {4, 174}, {200, 174}};
    for (const Case& c : cases) {
        auto leds = leds126();
        KeyboardEffectState st;
        LightSetting s = lighting(2, 1, 0);
        s.zzccLedMode = c.zzcc;
        stepPresetColour(leds, st, s);
        for (size_t k = 0; k < 126; ++k) ASSERT_EQ(leds[k], wheel(c.wheelIndex, 135)) << k;
    }

    auto leds = leds126();
    KeyboardEffectState st;
    spreadColourIndexes(st);
    st.keyColourIndex[3] = 191;
    stepKeyRainbow(leds, st, lighting(4, 1, 0));
    EXPECT_EQ(leds[0], wheel(34, 255));
    EXPECT_EQ(st.keyColourIndex[3], 0);
    EXPECT_EQ(leds[3], wheel(0, 255));

    leds[7] = {1, 2, 3, 4};
    stepCustomColours(leds, lighting(0, 0, 0));
    EXPECT_EQ(leds[7], (LedColour{1, 2, 3, 30}));
}

TEST(KeyboardSteps, SequenceEndsBothWays) {
    auto leds = leds126();
    KeyboardEffectState st;
    const LightSetting fwd = lighting(4, 1, 0);
    stepSequence(leds, st, fwd);
    EXPECT_EQ(st.base.phase, 1);
    EXPECT_EQ(st.base.glow[0], 214);  // lit at 254, decayed in the same step
    EXPECT_EQ(leds[0], (LedColour{10, 20, 30, 213}));
    const std::vector<int> after = {174, 134, 94, 64, 34, 24, 16, 15};
    for (int v : after) {
        stepSequence(leds, st, fwd);
        EXPECT_EQ(st.base.glow[0], v);
    }
    st.base.phase = 125;
    stepSequence(leds, st, fwd);  // lights Q[125], the last real entry
    EXPECT_EQ(st.base.phase, 126);
    stepSequence(leds, st, fwd);  // one step to start again
    EXPECT_EQ(st.base.phase, 0);

    KeyboardEffectState back;
    stepSequence(leds, back, lighting(4, 0, 0));
    EXPECT_EQ(back.base.phase, 126);
    EXPECT_EQ(back.base.glow[0], 0);
    stepSequence(leds, back, lighting(4, 0, 0));
    EXPECT_EQ(back.base.phase, 125);
    EXPECT_EQ(back.base.glow[0], 214);  // Q[126] is key 0
}

TEST(KeyboardSteps, PathClimbsToTheLastWheelEntry) {
    auto leds = leds126();
    KeyboardEffectState st;
    spreadColourIndexes(st);
    const LightSetting s = lighting(4, 1, 1);
    for (int i = 0; i < 30; ++i) stepPath(leds, st, s);
    EXPECT_EQ(st.keyColourIndex[16], 255);  // 177 + 3 × 26, then kept
    EXPECT_EQ(leds[16], (LedColour{0, 255, 0, 255}));
    // Frame 30 (keys 73 74 95 115 116) was lit in the last step: glow 250, index 3.
    EXPECT_EQ(st.base.glow[73], 250);
    EXPECT_EQ(st.keyColourIndex[73], 3);
    // Without multiColor the glow drives the intensity.
    auto single = leds126();
    KeyboardEffectState one;
    stepPath(single, one, lighting(4, 1, 0));  // phase 1: keys 0 26 27 50 51
    EXPECT_EQ(single[26], (LedColour{10, 20, 30, 249}));
    EXPECT_EQ(single[25], (LedColour{10, 20, 30, 0}));
}

TEST(KeyboardSteps, TwinkleAndColumnGlowSetUps) {
    KeyboardEffectState st;
    initTwinkle(st);
    EXPECT_EQ(st.keyPhase[105], 140);
    EXPECT_EQ(st.keyColourIndex[105], 0);
    EXPECT_EQ(st.keyPhase[0], 106);  // column 2 row 1: 176 - 35 - 35
    EXPECT_EQ(st.keyColourIndex[0], 14);

    KeyboardEffectState glow;
    initColumnGlow(glow);
    EXPECT_EQ(glow.base.glow[0], 100);
    EXPECT_EQ(glow.keyColourIndex[0], 14);
    // Key 34 sits in columns 14 and 15 (row 2): the later cell wins.
    EXPECT_EQ(glow.base.glow[34], kStartGlow[6 * 15 + 2]);
    EXPECT_EQ(glow.keyColourIndex[34], 105);

    // Column glow: +2 per step; at 192 or more back to 0 with a random colour.
    test::ScriptedRandom rng({77});
    auto leds = leds126();
    glow.base.glow[15] = 190;
    stepColumnGlow(leds, glow, lighting(4, 1, 1), rng);
    EXPECT_EQ(glow.base.glow[15], 0);
    EXPECT_EQ(glow.keyColourIndex[15], 77);
    EXPECT_EQ(leds[15], wheel(77, 0));
    EXPECT_EQ(leds[0], wheel(14, (255 * kGlowCurve[102]) >> 8));

    // Twinkle: phase 191 wraps to 0 with a random colour.
    test::ScriptedRandom rng2({5});
    st.keyPhase[15] = 191;
    stepTwinkle(leds, st, lighting(4, 1, 1), rng2);
    EXPECT_EQ(st.keyPhase[15], 0);
    EXPECT_EQ(st.keyColourIndex[15], 5);
    EXPECT_EQ(leds[105], wheel(0, (255 * kGlowCurve[141]) >> 8));
}

TEST(KeyboardSteps, SparkleWithScriptedRandom) {
    // R[0] = 88 → key order entry 88 = key 48, colour 10; R[51] = 107 selects no key.
    test::ScriptedRandom rng({0, 10, 51, 51, 51, 51, 51});
    auto leds = leds126();
    KeyboardEffectState st;
    stepSparkle(leds, st, lighting(4, 1, 1), rng);
    EXPECT_EQ(rng.used(), 7u);
    EXPECT_EQ(st.base.glow[48], 215);
    EXPECT_EQ(leds[48], wheel(10, 214));
    for (size_t k = 0; k < 126; ++k) {
        if (k == 48) continue;
        ASSERT_EQ(leds[k].intensity, 0) << k;
    }
}

TEST(GlowPlanes, OneBitGrowsIntoADiamondRing) {
    KeyboardEffectState st;
    seedGlowPlanesAtKey(st, 51, 1);  // key 51 is column 10, row 2
    for (int n = 1; n <= 4; ++n) {
        spreadGlowPlanes(st);
        for (int c = 0; c < 23; ++c) {
            uint8_t expected = 0;
            for (int r = 0; r < 8; ++r)
                if (std::abs(c - 10) + std::abs(r - 2) == n)
                    expected |= static_cast<uint8_t>(1u << r);
            const uint8_t got =
                st.planes[0][c] | st.planes[1][c] | st.planes[2][c] | st.planes[3][c];
            EXPECT_EQ(got, expected) << "spread " << n << " column " << c;
        }
    }
    // Rendering lights the keys under the ring: distance 4 reaches key 47 (6, 2) and key 55
    // (14, 2).
    test::ScriptedRandom rng({0});
    renderGlowPlanes(st, lighting(4, 1, 0), rng);
    EXPECT_EQ(st.base.glow[47], 255);
    EXPECT_EQ(st.base.glow[55], 255);
    EXPECT_EQ(st.base.glow[51], 0);
    EXPECT_EQ(rng.used(), 0u);  // colours are drawn only with multiColor
}

TEST(GlowPlanes, SweepAndSeeds) {
    KeyboardEffectState st;
    for (auto& p : st.planes) {
        p[0] = 0x01;
        p[22] = 0x02;
    }
    sweepGlowPlanes(st);
    EXPECT_EQ(st.planes[0][0] | st.planes[0][22] | st.planes[2][0] | st.planes[2][22], 0);
    EXPECT_EQ(st.planes[1][1], 0x01);
    EXPECT_EQ(st.planes[1][0], 0);
    EXPECT_EQ(st.planes[1][22], 0);  // column 22 dropped
    EXPECT_EQ(st.planes[3][21], 0x02);
    EXPECT_EQ(st.planes[3][22], 0);

    KeyboardEffectState bounce;
    seedBounceRipple(bounce);
    for (const auto& p : bounce.planes) EXPECT_EQ(p[9], 0x40);
    KeyboardEffectState corner;
    seedCornerRipple(corner);
    for (const auto& p : corner.planes) EXPECT_EQ(p[1], 0x01);
    KeyboardEffectState none;
    seedGlowPlanesAtKey(none, 50, 2);  // only kind 1 seeds
    EXPECT_EQ(none.planes[0][10], 0);
}

TEST(GlowPlanes, DarkModesStayDark) {
    test::ScriptedRandom rng({3});
    KeyboardEffectState st;
    spreadColourIndexes(st);
    auto leds = leds126();
    const LightSetting s = lighting(4, 1, 1);
    for (int i = 0; i < 50; ++i) {
        stepKeyFade(leds, st, s);
        stepPlaneRipple(leds, st, s, rng);
        stepPlaneSweep(leds, st, s, rng);
    }
    for (size_t k = 0; k < 126; ++k) ASSERT_EQ(leds[k].intensity, 0) << k;
}

TEST(GlowPlanes, BounceAndFireworkStages) {
    test::ScriptedRandom rng({1});
    KeyboardEffectState st;
    seedBounceRipple(st);
    auto leds = leds126();
    const LightSetting s = lighting(4, 1, 0);
    stepBounceRipple(leds, st, s, rng);  // stage 0 → 1
    stepBounceRipple(leds, st, s, rng);  // stage 1 → 2
    EXPECT_EQ(st.stageCounter, 2);
    stepBounceRipple(leds, st, s, rng);  // renders column 9 row 6 (no key) and spreads
    EXPECT_EQ(st.stageCounter, 1);
    EXPECT_EQ(st.planes[3][8], 0x40);
    EXPECT_EQ(st.planes[1][10], 0x40);
    EXPECT_EQ(st.planes[1][9], 0x20);

    // Firework: 20 frames, then the pairs until phase 30 and key 72 dark, then the planes.
    KeyboardEffectState fw;
    for (int i = 0; i < 20; ++i) stepFirework(leds, fw, s, rng);
    EXPECT_EQ(fw.stageCounter, 1);
    EXPECT_EQ(fw.base.phase, 0);
    for (int i = 0; i < 31; ++i) stepFirework(leds, fw, s, rng);
    EXPECT_EQ(fw.base.phase, 31);
    EXPECT_EQ(fw.stageCounter, 1);
    int guard = 0;
    while (fw.stageCounter == 1 && guard++ < 100) stepFirework(leds, fw, s, rng);
    EXPECT_EQ(fw.stageCounter, 2);
    stepFirework(leds, fw, s, rng);
    EXPECT_EQ(fw.stageCounter, 3);
    EXPECT_EQ(fw.planes[0][11], 0x04);  // key 52: column 11, row 2
    guard = 0;
    while (fw.stageCounter == 3 && guard++ < 100) stepFirework(leds, fw, s, rng);
    EXPECT_EQ(fw.stageCounter, 4);
    guard = 0;
    while (fw.stageCounter == 4 && guard++ < 100) stepFirework(leds, fw, s, rng);
    EXPECT_EQ(fw.stageCounter, 0);
    EXPECT_EQ(fw.base.phase, 0);
}

}  // namespace
}  // namespace md::kblight
