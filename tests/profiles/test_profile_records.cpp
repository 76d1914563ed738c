#include <gtest/gtest.h>

#include "profiles/profile_records.h"

namespace md {
namespace {

TEST(LightSetting, FourWordPackingPutsTheFirstFieldInTheLowestByte) {
    LightSetting s;
    s.mode = 0x01;
    s.brightness = 0x02;
    s.speed = 0x03;
    s.direction = 0x04;
    s.multiColor = 0x05;
    s.red = 0x06;
    s.green = 0x07;
    s.blue = 0x08;
    s.reserved1 = 0x09;
    s.reserved2 = 0x0A;
    s.present = 0x0B;
    s.zzccLedMode = 0x0C;
    s.customGroup = 0x0D;
    s.oldLedMode = 0x0E;
    const LightSetting::Words w = s.toWords();
    EXPECT_EQ(w.w0, 0x04030201u);
    EXPECT_EQ(w.w1, 0x08070605u);
    EXPECT_EQ(w.w2, 0x0C0B0A09u);
    EXPECT_EQ(w.w3, 0x0E0Du);
    EXPECT_EQ(LightSetting::fromWords(w.w0, w.w1, w.w2, w.w3), s);
}

TEST(KeyBinding, CodeAndBytes) {
    EXPECT_EQ(KeyBinding::bytes(0x0102F4), (std::array<uint8_t, 3>{0x01, 0x02, 0xF4}));
    EXPECT_EQ(KeyBinding::code({0x01, 0x02, 0xF4}), 66292u);
    EXPECT_EQ(KeyBinding::bytes(0xFF0102F4), (std::array<uint8_t, 3>{0x01, 0x02, 0xF4}));
}

}  // namespace
}  // namespace md
