#include <gtest/gtest.h>

#include "devices/mouse/mouse_performance.h"
#include "devices/mouse/mouse_settings_block.h"

namespace md {
namespace {

TEST(MouseSettingsBlock, DecodeReadsBackWhatEncodeWrote) {
    MouseSettingsInput in;
    in.firstByte = 3;
    in.lighting.mode = 2;
    in.lighting.brightness = 4;
    in.lighting.speed = 1;
    in.lighting.direction = 1;
    in.lighting.multiColor = 1;
    in.lighting.red = 0x11;
    in.lighting.green = 0x22;
    in.lighting.blue = 0x33;
    in.lighting.reserved1 = 0x44;
    for (uint16_t i = 0; i < 5; ++i) {
        DpiStage s;
        s.dpiX = uint16_t(0x0100 * (i + 1) + i);
        s.red = uint8_t(10 * i), s.green = uint8_t(10 * i + 1), s.blue = uint8_t(10 * i + 2);
        in.stages.push_back(s);
    }
    in.activeStage = 3;
    in.reportRate = 4;
    in.fwGuanggan = 1;
    const MouseSettingsBlock b = encodeMouseSettingsBlock(in);
    const MouseHardwareSettings h = decodeMouseSettingsBlock(b, 6);

    EXPECT_EQ(h.rawBlock[0], 6);  // the hardware profile, not byte 0
    EXPECT_EQ(h.mode, 2);
    EXPECT_EQ(h.brightness, 4);
    EXPECT_EQ(h.speed, 4 - 1);  // the mouse keeps the speed reversed
    EXPECT_EQ(h.multiColor, 1);
    EXPECT_EQ(h.red, 0x11);
    EXPECT_EQ(h.green, 0x22);
    EXPECT_EQ(h.blue, 0x33);
    EXPECT_EQ(h.reserved, 0x44);
    EXPECT_EQ(h.reportRate, 4);
    EXPECT_EQ(h.activeStage, 3);
    EXPECT_EQ(h.sensorOption, 1);
    for (size_t i = 0; i < 5; ++i) {
        EXPECT_EQ(h.stages[i].dpiX, in.stages[i].dpiX) << i;
        EXPECT_EQ(h.stages[i].red, in.stages[i].red) << i;
        EXPECT_EQ(h.stages[i].green, in.stages[i].green) << i;
        EXPECT_EQ(h.stages[i].blue, in.stages[i].blue) << i;
    }

    LightSetting l;
    l.direction = 1;
    applyHardwareLighting(h, l);
    EXPECT_EQ(l.mode, 2);
    EXPECT_EQ(l.direction, 1);  // not reported by the mouse: kept
    EXPECT_EQ(l.reserved1, 0x44);
}

TEST(MouseSettingsBlock, ReportRateLivesInTheHighHalfOfWordTwo) {
    std::array<uint32_t, 4> words{1, 2, 0xABCD0003, 4};
    putReportRate(words, 2);
    EXPECT_EQ(words[2], 0x00020003u);
    EXPECT_EQ(reportRateOf(words), 2);
    EXPECT_EQ(words[0], 1u);
    EXPECT_EQ(words[3], 4u);
}

}  // namespace
}  // namespace md
