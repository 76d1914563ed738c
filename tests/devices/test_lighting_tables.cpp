// Golden values of the lighting tables and of the phase step.
#include <gtest/gtest.h>

#include "devices/lighting/lighting_tables.h"
#include "devices/lighting/phase_step.h"

namespace md::lighting {
namespace {

TEST(LightingTables, BreathingCurveRunsAndMirror) {
    const std::array<uint8_t, 12> head = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 12};
    for (size_t i = 0; i < head.size(); ++i) EXPECT_EQ(kBreathingCurve[i], head[i]) << i;
    EXPECT_EQ(kBreathingCurve[18], 27);   // first value of the run by 3
    EXPECT_EQ(kBreathingCurve[25], 49);   // first value of the run by 4
    EXPECT_EQ(kBreathingCurve[36], 94);   // first value of the run by 5
    EXPECT_EQ(kBreathingCurve[45], 140);  // first value of the run by 6
    EXPECT_EQ(kBreathingCurve[62], 248);
    EXPECT_EQ(kBreathingCurve[63], 255);
    for (size_t i = 0; i < 64; ++i) EXPECT_EQ(kBreathingCurve[127 - i], kBreathingCurve[i]) << i;
}

TEST(LightingTables, ColourWheelSegmentsAndRepeat) {
    struct Case {
        size_t index;
        Rgb colour;
    };
    const Case cases[] = {
        {0, {255, 1, 0}},   {31, {255, 255, 0}},  {32, {248, 255, 0}},  {63, {0, 255, 0}},
        {64, {0, 255, 1}},  {95, {0, 255, 255}},  {96, {0, 248, 255}},  {127, {0, 0, 255}},
        {128, {1, 0, 255}}, {159, {255, 0, 255}}, {160, {255, 0, 248}}, {191, {255, 0, 0}},
        {192, {255, 1, 0}}, {255, {0, 255, 0}},   {16, {255, 81, 0}},
    };
    for (const Case& c : cases) EXPECT_EQ(kColourWheel[c.index], c.colour) << c.index;
}

TEST(LightingTables, ShortCurveAndIntervals) {
    EXPECT_EQ(kShortCurve[0], 22);
    EXPECT_EQ(kShortCurve[47], 255);
    EXPECT_EQ(kShortCurve[48], 255);
    EXPECT_EQ(kShortCurve[95], 22);
    EXPECT_EQ(kShortCurve[29], 140);
    EXPECT_EQ(brightnessLevel(0), 30);
    EXPECT_EQ(brightnessLevel(9), 255);
    EXPECT_EQ(stepInterval(4), 7);
    EXPECT_EQ(stepInterval(200), 7);
    EXPECT_EQ(fastInterval(0), 20);
}

TEST(PhaseStep, Cases) {
    struct Case {
        bool forward;
        uint8_t limit, position, delta, expected;
    };
    const Case cases[] = {
        {true, 128, 127, 1, 0}, {false, 128, 0, 1, 127}, {true, 192, 10, 1, 11},
        {false, 96, 0, 3, 93},  {true, 96, 93, 3, 0},    {true, 96, 200, 1, 0},
        {false, 192, 1, 1, 0},  {false, 52, 0, 1, 51},
    };
    for (const Case& c : cases)
        EXPECT_EQ(step(c.forward, c.limit, c.position, c.delta), c.expected)
            << c.forward << " " << int(c.limit) << " " << int(c.position);
}

}  // namespace
}  // namespace md::lighting
