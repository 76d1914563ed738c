// Levels 0-100 through the library's 32-bit real and its text, and back.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <limits>

#include "audio/level_scalar.h"

namespace md {
namespace {

TEST(LevelScalar, EveryLevelReadsBackAsSet) {
    for (int32_t level = 0; level <= 100; ++level) {
        const float scalar = levelToScalar(level);
        char text[32];
        std::snprintf(text, sizeof text, "%.6f", double(scalar));  // as the library answers
        EXPECT_EQ(scalarToLevel(std::strtod(text, nullptr)), level) << text;
        EXPECT_EQ(scalarToLevel(double(scalar)), level);
    }
}

TEST(LevelScalar, OutOfRangeGivesTheNearestEnd) {
    struct Case {
        double scalar;
        int32_t level;
    };
    const Case cases[] = {{-0.5, 0},
                          {1.5, 100},
                          {0.999, 100},
                          {0.004, 0},
                          {0.006, 1},
                          {std::numeric_limits<double>::infinity(), 100},
                          {-std::numeric_limits<double>::infinity(), 0},
                          {std::nan(""), 0}};
    for (const Case& c : cases) EXPECT_EQ(scalarToLevel(c.scalar), c.level) << c.scalar;
    EXPECT_EQ(levelToScalar(-3), 0.0f);
    EXPECT_EQ(levelToScalar(250), 1.0f);
}

}  // namespace
}  // namespace md
