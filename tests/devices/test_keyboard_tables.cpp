// Keyboard lighting tables: spot checks against the layout and the table lookups.
#include <gtest/gtest.h>

#include <set>

#include "devices/keyboard/keyboard_effect_state.h"
#include "devices/keyboard/keyboard_tables.h"

namespace md::kblight {
namespace {

TEST(KeyboardTables, GridsOrderAndLookups) {
    EXPECT_EQ(gridKey(0, 1), 120);
    EXPECT_EQ(gridKey(2, 0), 0);
    EXPECT_EQ(gridKey(13, 3), 62);
    EXPECT_EQ(gridKey(11, 5), 125);
    EXPECT_EQ(gridKey(22, 5), kNoKey);
    EXPECT_EQ(tallGridKey(20, 0), 125);
    EXPECT_EQ(tallGridKey(0, 6), 105);
    EXPECT_EQ(tallGridKey(15, 2), 34);
    EXPECT_EQ(kKeyOrder[0], 15);
    EXPECT_EQ(kKeyOrder[88], 48);
    EXPECT_EQ(kKeyOrder[106], 77);
    EXPECT_EQ(kKeyOrder[107], kNoKey);
    EXPECT_EQ(kSequence[16], 17);
    EXPECT_EQ(kSequence[20], 41);
    EXPECT_EQ(kSequence[126], 0);
    EXPECT_EQ(kGlowCurve[24], 255);
    EXPECT_EQ(kGlowCurve[87], 1);
    EXPECT_EQ(kGlowCurve[88], 0);
    EXPECT_EQ(kRandomPicks[51], 107);
    EXPECT_EQ(kStartGlow[6 * 2 + 1], 100);
    EXPECT_EQ(kPath[24][7], 39);
    EXPECT_EQ(kPath[24][8], kNoKey);
    EXPECT_EQ(kFireworkFrames[10][5], 255);

    struct Case {
        uint8_t k, expected;
    };
    const Case cases[] = {{16, 126},  {15, 15},   {0, 0},     {102, 102}, {120, 126},
                          {125, 125}, {100, 126}, {126, 126}, {255, 126}};
    for (const Case& c : cases) EXPECT_EQ(keyInOrder(c.k), c.expected) << int(c.k);
    std::set<uint8_t> keys(kKeyOrder.begin(), kKeyOrder.begin() + kOrderedKeys);
    EXPECT_EQ(keys.size(), 107u);
}

TEST(KeyboardTables, SpreadColourIndexes) {
    KeyboardEffectState st;
    spreadColourIndexes(st);
    struct Case {
        size_t k;
        uint8_t index;
    };
    const Case cases[] = {{0, 33}, {4, 165}, {5, 6}, {125, 126}, {16, 177}};
    for (const Case& c : cases) EXPECT_EQ(st.keyColourIndex[c.k], c.index) << c.k;
}

}  // namespace
}  // namespace md::kblight
