// Key glow: fade sequences in both modes, the glow ring and its seeding.
#include <gtest/gtest.h>

#include <vector>

#include "devices/lighting/key_glow.h"

namespace md::lighting {
namespace {

std::vector<int> decaySequence(uint8_t start, bool fine) {
    EffectState st;
    st.glow[5] = start;
    std::vector<int> seen;
    while (st.glow[5] != 0) {
        decayKeyGlow(st, 5, fine);
        seen.push_back(st.glow[5]);
    }
    return seen;
}

TEST(KeyGlow, DecaySequences) {
    EXPECT_EQ(decaySequence(255, false),
              (std::vector<int>{215, 175, 135, 95, 65, 35, 25, 17, 9, 5, 1, 0}));
    std::vector<int> fine = {215, 175, 135, 95, 65, 35, 25, 17, 9, 8, 7, 6, 5, 4, 3, 2, 1, 0};
    EXPECT_EQ(decaySequence(255, true), fine);
    std::vector<int> from254 = {214, 174, 134, 94, 64, 34, 24, 16};
    for (int v = 15; v >= 0; --v) from254.push_back(v);
    EXPECT_EQ(decaySequence(254, true), from254);
    EXPECT_EQ(decaySequence(3, false), (std::vector<int>{0}));

    EffectState st;
    decayKeyGlow(st, 500, true);  // out of range: nothing happens
    EXPECT_EQ(st.glow[0], 0);
}

TEST(KeyGlow, RotateGlowRingWithCarry) {
    EffectState st;
    st.ring[0] = 1;
    st.ring[22] = 7;
    st.carry = 9;
    rotateGlowRing(st, true);
    EXPECT_EQ(st.ring[0], 9);
    EXPECT_EQ(st.ring[1], 1);
    EXPECT_EQ(st.ring[22], 0);  // the old last byte is dropped
    EXPECT_EQ(st.carry, 9);
    rotateGlowRing(st, false);
    EXPECT_EQ(st.carry, 9);
    EXPECT_EQ(st.ring[0], 1);
    EXPECT_EQ(st.ring[22], 0);  // the last byte keeps its value
    EXPECT_EQ(st.ring[21], 0);

    st.ring.fill(0);
    st.ring[3] = 1;
    st.ring[9] = 1;
    seedKeyGlow(st);
    for (size_t i = 0; i < 12; ++i) EXPECT_EQ(st.glow[i], i == 3 ? 255 : 0) << i;

    clearGlowState(st);
    EXPECT_EQ(st.glow[3], 0);
    EXPECT_EQ(st.ring[9], 0);
}

TEST(KeyGlow, PlainRingRotationAndPerLedSeed) {
    EffectState st;
    for (size_t i = 0; i < 23; ++i) st.ring[i] = static_cast<uint8_t>(i + 1);
    rotateRing(st, 8, 0);
    EXPECT_EQ((std::vector<int>(st.ring.begin(), st.ring.begin() + 9)),
              (std::vector<int>{2, 3, 4, 5, 6, 7, 8, 1, 9}));
    rotateRing(st, 8, 1);
    EXPECT_EQ((std::vector<int>(st.ring.begin(), st.ring.begin() + 9)),
              (std::vector<int>{1, 2, 3, 4, 5, 6, 7, 8, 9}));
    rotateRing(st, 99, 1);  // capped at 23
    EXPECT_EQ(st.ring[0], 23);
    EXPECT_EQ(st.ring[22], 22);

    EffectState seed;
    seed.ring.fill(1);
    seedKeyGlowPerLed(seed, 13);
    EXPECT_EQ(seed.glow[12], 255);
    EXPECT_EQ(seed.glow[13], 0);
    seedKeyGlowPerLed(seed, 126);  // no ring byte beyond 22
    EXPECT_EQ(seed.glow[22], 255);
    EXPECT_EQ(seed.glow[23], 0);
}

}  // namespace
}  // namespace md::lighting
