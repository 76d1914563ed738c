// Waves of the mouse, mousepad and headset; the mouse's ripple; the headset's pair ripple and
// ring.
#include <gtest/gtest.h>

#include <vector>

#include "devices/lighting/wave_steps.h"

namespace md::lighting {
namespace {

LightSetting setting(uint8_t mode, uint8_t brightness, uint8_t dir, uint8_t multi,
                     Rgb c = {10, 20, 30}) {
    LightSetting s;
    s.mode = mode;
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

TEST(WaveSteps, Waves) {
    struct Case {
        const char* name;
        WaveShape shape;
        uint8_t phase;
        LightSetting s;
        uint8_t phaseAfter;
        std::vector<LedColour> first3;
    };
    const Case cases[] = {
        // Wheel: k = phase + 1, then + 7 per LED.
        {"mouse wheel",
         kMouseWave,
         0,
         setting(9, 4, 1, 1),
         1,
         {wheel(2, 255), wheel(9, 255), wheel(16, 255)}},
        {"mouse wheel wraps",
         kMouseWave,
         190,
         setting(9, 3, 1, 1),
         191,
         {wheel(0, 195), wheel(7, 195), wheel(14, 195)}},
        // Curve: S[2] = 27, S[9] = 49, S[16] = 77 at 255.
        {"mouse curve",
         kMouseWave,
         0,
         setting(9, 4, 1, 0),
         1,
         {{10, 20, 30, 26}, {10, 20, 30, 48}, {10, 20, 30, 76}}},
        // Backward from 0: phase 95, k = 96 - 96 = 0: S[0] = 22, S[7] = 42; at 135.
        {"mouse curve backward",
         kMouseWave,
         0,
         setting(9, 2, 0, 0),
         95,
         {{10, 20, 30, 11}, {10, 20, 30, 22}, {10, 20, 30, 36}}},
        {"headset wheel",
         kHeadsetWave,
         0,
         setting(0, 4, 1, 1),
         1,
         {wheel(2, 255), wheel(18, 255), wheel(34, 255)}},
        // Phase moves by 3, k = phase, + 10 per LED: S[3] = 30, S[13] = 65, S[23] = 109.
        {"headset curve",
         kHeadsetWave,
         0,
         setting(0, 4, 1, 0),
         3,
         {{10, 20, 30, 29}, {10, 20, 30, 64}, {10, 20, 30, 108}}},
        {"playback wheel",
         kPlaybackWave,
         0,
         setting(4, 4, 1, 1),
         1,
         {wheel(2, 255), wheel(14, 255), wheel(26, 255)}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<LedColour> leds(15);
        EffectState st;
        st.phase = c.phase;
        stepWave(leds, st, c.s, c.shape);
        EXPECT_EQ(st.phase, c.phaseAfter);
        for (size_t i = 0; i < 3; ++i) EXPECT_EQ(leds[i], c.first3[i]) << i;
    }
}

TEST(WaveSteps, MousepadWaveMovesSevenPerLedAndOnePerStep) {
    std::vector<LedColour> leds(15);
    EffectState st;
    const LightSetting s = setting(0, 4, 1, 0);
    stepWave(leds, st, s, kMouseWave);
    const LedColour led14 = leds[14];  // k = 2 + 98 = 100 - 96 = 4: S[4] = 33
    EXPECT_EQ(led14, (LedColour{10, 20, 30, 32}));
    stepWave(leds, st, s, kMouseWave);
    EXPECT_EQ(leds[14], (LedColour{10, 20, 30, 35}));  // S[5] = 36
}

TEST(WaveSteps, MouseRippleFollowsTheRing) {
    std::vector<LedColour> leds(19);
    EffectState st;
    st.ring[0] = 1;  // what the mouse does when its mode changes
    const LightSetting s = setting(10, 4, 1, 0);
    stepMouseRipple(leds, st, s);
    EXPECT_EQ(st.phase, 1);
    EXPECT_EQ(st.ring[1], 1);
    EXPECT_EQ(st.glow[0], 215);
    EXPECT_EQ(leds[0], (LedColour{10, 20, 30, 214}));
    EXPECT_EQ(leds[18], (LedColour{10, 20, 30, 214}));
    EXPECT_EQ(leds[1], (LedColour{10, 20, 30, 0}));
    stepMouseRipple(leds, st, s);
    EXPECT_EQ(leds[0], (LedColour{10, 20, 30, 174}));
    EXPECT_EQ(leds[1], (LedColour{10, 20, 30, 214}));
    EXPECT_EQ(leds[17], (LedColour{10, 20, 30, 214}));
    // Mode 0 decays coarsely, multiColor takes 12 wheel entries per group.
    EffectState multi;
    multi.glow[7] = 9;
    std::vector<LedColour> few(12);
    stepMouseRipple(few, multi, setting(0, 4, 1, 1));
    EXPECT_EQ(multi.glow[7], 5);
    EXPECT_EQ(multi.phase, 1 + 9 * 12);
    EXPECT_EQ(few[7], wheel(1 + 8 * 12, 4));  // 255 × 5 >> 8 = 4
    EXPECT_EQ(few[9], wheel(1 + 9 * 12, 0));  // group 8 wrote LED 9 last
    EXPECT_EQ(few[11], wheel(1 + 8 * 12, 4));
}

TEST(WaveSteps, PairRippleSeedsEveryThirdCallAndKeepsLedZero) {
    std::vector<LedColour> leds(15, LedColour{7, 7, 7, 7});
    EffectState st;
    st.ring[0] = 1;
    const LightSetting s = setting(7, 4, 0, 0);
    stepPairRipple(leds, st, s);
    stepPairRipple(leds, st, s);
    EXPECT_EQ(st.glow[0], 0);
    EXPECT_EQ(leds[1], (LedColour{10, 20, 30, 0}));
    stepPairRipple(leds, st, s);  // counter above 1: seed, then turn the first 8 bytes away
    EXPECT_EQ(st.ring[0], 0);
    EXPECT_EQ(st.ring[1], 1);
    EXPECT_EQ(st.rippleCounter, 1);
    EXPECT_EQ(leds[1], (LedColour{10, 20, 30, 214}));
    EXPECT_EQ(leds[14], (LedColour{10, 20, 30, 214}));
    EXPECT_EQ(leds[0], (LedColour{7, 7, 7, 7}));
    for (size_t i = 2; i < 14; ++i) EXPECT_EQ(leds[i].intensity, 0) << i;

    // On the headset's 13 LEDs the pair members 13 and 14 are skipped.
    std::vector<LedColour> headset(13, LedColour{7, 7, 7, 7});
    EffectState hs;
    stepPairRipple(headset, hs, s);
    EXPECT_EQ(headset[12], (LedColour{10, 20, 30, 0}));
}

TEST(WaveSteps, RingLightsEachLedOnItsOwn) {
    std::vector<LedColour> leds(13);
    EffectState st;
    st.ring[4] = 1;
    st.rippleCounter = 2;
    stepRing(leds, st, setting(6, 4, 1, 0));
    EXPECT_EQ(st.ring[5], 1);  // forward turns away from byte 0
    EXPECT_EQ(leds[4], (LedColour{10, 20, 30, 214}));
    EXPECT_EQ(leds[5].intensity, 0);

    // With multiColor and the end of the ring lit, an LED keeps its own colour.
    std::vector<LedColour> own(13, LedColour{1, 2, 3, 0});
    EffectState lit;
    lit.glow[0] = 255;
    lit.glow[3] = 255;
    stepRing(own, lit, setting(6, 4, 1, 1));
    EXPECT_EQ(own[3], (LedColour{1, 2, 3, 214}));
    lit.glow[0] = 0;
    lit.glow[3] = 255;
    lit.phase = 0;
    stepRing(own, lit, setting(6, 4, 1, 1));
    EXPECT_EQ(own[3], wheel(1 + 4 * 12, 214));
}

}  // namespace
}  // namespace md::lighting
