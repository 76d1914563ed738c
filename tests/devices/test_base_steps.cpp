// Whole-list steps: breathing variants, steady, spectrum, flash variants, off, fixed pattern.
#include <gtest/gtest.h>

#include <array>
#include <vector>

#include "common/clock.h"
#include "devices/lighting/base_steps.h"

namespace md::lighting {
namespace {

LightSetting setting(uint8_t brightness, uint8_t dir, uint8_t multi, Rgb c = {10, 20, 30},
                     uint8_t speed = 0) {
    LightSetting s;
    s.brightness = brightness;
    s.speed = speed;
    s.direction = dir;
    s.multiColor = multi;
    s.red = c.red;
    s.green = c.green;
    s.blue = c.blue;
    return s;
}

void expectAll(const std::vector<LedColour>& leds, LedColour expected) {
    for (size_t i = 0; i < leds.size(); ++i) EXPECT_EQ(leds[i], expected) << "LED " << i;
}

TEST(BaseSteps, BreathingFamily) {
    enum Kind { Base, Mouse, Single, Four };
    struct Case {
        const char* name;
        Kind kind;
        uint8_t phase, colourIndex;
        LightSetting s;
        uint8_t phaseAfter, indexAfter;
        LedColour led;
    };
    const Case cases[] = {
        // Curve peak at the lowest brightness: 30 × 255 >> 8 = 29.
        {"base peak", Base, 62, 0, setting(0, 1, 0), 63, 0, {10, 20, 30, 29}},
        {"base multi", Base, 62, 16, setting(4, 1, 1), 63, 16, {255, 81, 0, 254}},
        {"base new breath", Base, 127, 0, setting(4, 1, 1), 0, 16, {255, 81, 0, 0}},
        {"base index 176 keeps 192", Base, 127, 176, setting(4, 1, 1), 0, 192, {255, 1, 0, 0}},
        {"base index 192 wraps", Base, 127, 192, setting(4, 1, 1), 0, 0, {255, 1, 0, 0}},
        {"base backward", Base, 0, 0, setting(2, 0, 0), 127, 0, {10, 20, 30, 0}},
        // C[10] = 10, 10 × 135 >> 8 = 5.
        {"base mid", Base, 9, 0, setting(2, 1, 0), 10, 0, {10, 20, 30, 5}},
        {"mouse new breath", Mouse, 127, 3, setting(4, 1, 0), 0, 4, {255, 255, 0, 0}},
        {"mouse after 8", Mouse, 127, 8, setting(4, 1, 0), 0, 0, {255, 0, 0, 0}},
        {"mouse stray index", Mouse, 5, 150, setting(4, 1, 0), 6, 0, {255, 0, 0, 5}},
        // C[40] = 114 at 195: 114 × 195 >> 8 = 86; colour always from the table.
        {"mouse mid", Mouse, 39, 8, setting(3, 1, 1), 40, 8, {255, 124, 74, 86}},
        {"single", Single, 63, 5, setting(1, 1, 1), 64, 5, {10, 20, 30, 79}},
        {"four new breath", Four, 127, 3, setting(4, 1, 0), 0, 0, {0, 255, 180, 0}},
        {"four mid", Four, 63, 2, setting(4, 1, 0), 64, 2, {255, 255, 255, 254}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<LedColour> leds(6, LedColour{1, 2, 3, 4});
        EffectState st;
        st.phase = c.phase;
        st.colourIndex = c.colourIndex;
        switch (c.kind) {
            case Base:
                stepBreathing(leds, st, c.s);
                break;
            case Mouse:
                stepMouseBreathing(leds, st, c.s);
                break;
            case Single:
                stepSingleColourBreathing(leds, st, c.s);
                break;
            case Four:
                stepBreathingFourColour(leds, st, c.s);
                break;
        }
        EXPECT_EQ(st.phase, c.phaseAfter);
        EXPECT_EQ(st.colourIndex, c.indexAfter);
        expectAll(leds, c.led);
    }
}

// Colour at the start of each breath over a whole cycle.
template <typename Step>
std::vector<Rgb> breathColours(Step stepFn, size_t breaths) {
    std::vector<LedColour> leds(1);
    EffectState st;
    std::vector<Rgb> seen;
    const LightSetting s = setting(4, 1, 1);
    for (size_t i = 0; i < 128 * breaths; ++i) {
        stepFn(leds, st, s);
        if (st.phase == 0) seen.push_back({leds[0].red, leds[0].green, leds[0].blue});
    }
    return seen;
}

TEST(BaseSteps, NineAndFourColourCycles) {
    const auto nine = breathColours(stepMouseBreathing, 9);
    ASSERT_EQ(nine.size(), 9u);
    for (size_t i = 0; i < 9; ++i) EXPECT_EQ(nine[i], kNineColours[(i + 1) % 9]) << i;
    const auto four = breathColours(stepBreathingFourColour, 4);
    ASSERT_EQ(four.size(), 4u);
    for (size_t i = 0; i < 4; ++i) EXPECT_EQ(four[i], kFourColours[(i + 1) % 4]) << i;
}

TEST(BaseSteps, SteadySpectrumOffPattern) {
    std::vector<LedColour> leds(9, LedColour{1, 1, 1, 1});
    stepSteady(leds, setting(1, 0, 1, {200, 100, 50}));
    expectAll(leds, {200, 100, 50, 80});

    EffectState st;
    st.phase = 191;
    stepSpectrum(leds, st, setting(3, 1, 0));
    EXPECT_EQ(st.phase, 0);
    expectAll(leds, {255, 1, 0, 195});
    stepSpectrum(leds, st, setting(3, 0, 0));
    EXPECT_EQ(st.phase, 191);
    expectAll(leds, {255, 0, 0, 195});

    stepFixedPattern(leds, setting(0, 0, 0));
    const std::array<Rgb, 9> pattern = {{{255, 0, 0},
                                         {255, 0, 0},
                                         {255, 255, 0},
                                         {0, 255, 0},
                                         {0, 255, 0},
                                         {255, 255, 0},
                                         {255, 0, 0},
                                         {255, 0, 0},
                                         {255, 0, 0}}};
    for (size_t i = 0; i < leds.size(); ++i)
        EXPECT_EQ(leds[i], (LedColour{pattern[i].red, pattern[i].green, pattern[i].blue, 30}));

    stepOff(leds);
    expectAll(leds, {0, 0, 0, 0});
}

TEST(BaseSteps, FlashTogglesAtItsPeriod) {
    ManualClock clock(0);
    std::vector<LedColour> leds(13, LedColour{9, 9, 9, 9});
    EffectState st;
    const LightSetting s = setting(4, 1, 1, {10, 20, 30}, 4);  // 7 × 200 = 1400 ms
    struct Tick {
        uint64_t now;
        bool on;
        uint8_t phase;
    };
    const Tick ticks[] = {{0, false, 0},    {1399, false, 0},  {1400, true, 16},
                          {2799, true, 16}, {2800, false, 32}, {4200, true, 48}};
    for (const Tick& t : ticks) {
        clock.set(t.now);
        stepFlash(leds, st, s, clock);
        EXPECT_EQ(st.flashOn, t.on) << t.now;
        EXPECT_EQ(st.phase, t.phase) << t.now;
        if (t.on)
            expectAll(leds, {kColourWheel[t.phase].red, kColourWheel[t.phase].green,
                             kColourWheel[t.phase].blue, 255});
        else
            expectAll(leds, {0, 0, 0, 0});
    }
    // The phase wraps to 0 at 192; the single colour is used without multiColor.
    st.phase = 176;
    clock.set(5600);
    stepFlash(leds, st, setting(2, 1, 0, {10, 20, 30}, 4), clock);
    EXPECT_EQ(st.phase, 0);
    expectAll(leds, {0, 0, 0, 0});
    clock.set(7000);
    stepFlash(leds, st, setting(2, 1, 0, {10, 20, 30}, 4), clock);
    expectAll(leds, {10, 20, 30, 135});
}

TEST(BaseSteps, FourColourFlashCycles) {
    ManualClock clock(0);
    std::vector<LedColour> leds(6);
    EffectState st;
    const LightSetting s = setting(4, 1, 0, {}, 0);  // 28 × 200 = 5600 ms
    std::vector<Rgb> onColours;
    for (uint64_t t = 0; t <= 5600 * 8; t += 100) {
        clock.set(t);
        stepFlashFourColour(leds, st, s, clock);
        if (st.flashOn && st.flashTime == t)
            onColours.push_back({leds[0].red, leds[0].green, leds[0].blue});
    }
    ASSERT_EQ(onColours.size(), 4u);
    // The phase moves on at every toggle, so the "on" halves show F[1] and F[3] in turn.
    EXPECT_EQ(onColours[0], kFourColours[1]);
    EXPECT_EQ(onColours[1], kFourColours[3]);
    EXPECT_EQ(onColours[2], kFourColours[1]);
    EXPECT_EQ(onColours[3], kFourColours[3]);
}

}  // namespace
}  // namespace md::lighting
