// LED frames: the 3-bytes-per-LED frame and the headset's twelve output reports, built and
// delivered to virtual devices.
#include <gtest/gtest.h>

#include <vector>

#include "device_link_helper.h"
#include "devices/headset/headset_reports.h"
#include "devices/lighting/led_frame.h"

namespace md::lighting {
namespace {

using SimMouseFrames = test::SimMouseLinks;

TEST(LedFrame, ScaledBytesWithLed126Skipped) {
    std::vector<LedColour> leds(127, LedColour{0, 0, 0, 0});
    leds[0] = {255, 128, 0, 255};   // 254, 127, 0
    leds[1] = {100, 200, 50, 128};  // 50, 100, 25
    leds[125] = {255, 255, 255, 30};
    leds[126] = {255, 255, 255, 255};
    LedFrame frame;
    frame.fill(0xEE);
    EXPECT_EQ(buildLedFrame(leds, frame), 381u);
    const std::vector<uint8_t> head(frame.begin(), frame.begin() + 6);
    EXPECT_EQ(head, (std::vector<uint8_t>{254, 127, 0, 50, 100, 25}));
    EXPECT_EQ(frame[375], 29);
    EXPECT_EQ(frame[378], 0);
    EXPECT_EQ(frame[380], 0);
    EXPECT_EQ(frame[511], 0);

    // More LEDs than the frame holds: those beyond it are left out, the length is capped.
    std::vector<LedColour> many(200, LedColour{255, 255, 255, 255});
    EXPECT_EQ(buildLedFrame(many, frame), 512u);
    EXPECT_EQ(frame[509], 254);
    EXPECT_EQ(frame[510], 0);
}

TEST(LedFrame, MousepadReceivesTheFrame) {
    auto bus = sim::makeVirtualBus({"mousepad"}, "");
    ASSERT_TRUE(bus);
    auto pad = bus->device("mousepad");
    ASSERT_TRUE(pad);
    DeviceLink link(bus);
    ASSERT_TRUE(test::openCommandLink(bus, *pad, link));
    std::vector<LedColour> leds(15);
    for (size_t i = 0; i < leds.size(); ++i) leds[i] = {static_cast<uint8_t>(i * 10), 255, 0, 255};
    LedFrame frame;
    EXPECT_EQ(pushLedFrame(link, leds, frame), link::kOk);
    const std::vector<uint8_t> got = pad->firmware().ledFrame();
    ASSERT_GE(got.size(), 45u);
    for (size_t i = 0; i < 15; ++i) {
        EXPECT_EQ(got[3 * i], (i * 10 * 255) >> 8) << i;
        EXPECT_EQ(got[3 * i + 1], 254) << i;
        EXPECT_EQ(got[3 * i + 2], 0) << i;
    }
    const auto packets = test::packetsTo(*pad);
    ASSERT_EQ(packets.size(), 1u);  // 45 bytes fit into one packet
    EXPECT_EQ(packets[0][3], 0x12);
    EXPECT_EQ(packets[0][4], 45);
}

TEST_F(SimMouseFrames, NoFrameCrossesTheReceiver) {
    std::vector<LedColour> leds(1, LedColour{255, 255, 255, 255});
    LedFrame frame;
    receiver->log().clear();
    EXPECT_EQ(pushLedFrame(*wireless, leds, frame), link::kOk);
    EXPECT_TRUE(test::packetsTo(*receiver).empty());
    EXPECT_EQ(frame[0], 254);  // built all the same
    EXPECT_EQ(pushLedFrame(*wired, leds, frame), link::kOk);
    EXPECT_EQ(firmware().ledFrame()[0], 254);
}

TEST(HeadsetReports, LayoutOrderAndCap) {
    std::vector<LedColour> leds(13);
    for (size_t i = 0; i < 13; ++i)
        leds[i] = {static_cast<uint8_t>(10 + i), static_cast<uint8_t>(100 + i),
                   static_cast<uint8_t>(200 + i), 255};
    leds[3] = {255, 128, 0, 255};
    HeadsetReports reports;
    buildHeadsetReports(leds, reports);
    const uint8_t order[12][2] = {{0x22, 0xAA}, {0x22, 0xAD}, {0x44, 0xAA}, {0x44, 0xAD},
                                  {0x22, 0xAB}, {0x22, 0xAE}, {0x44, 0xAB}, {0x44, 0xAE},
                                  {0x22, 0xAC}, {0x22, 0xAF}, {0x44, 0xAC}, {0x44, 0xAF}};
    for (size_t n = 0; n < 12; ++n) {
        EXPECT_EQ(reports[n][0], 0xFF);
        EXPECT_EQ(reports[n][1], order[n][0]) << n;
        EXPECT_EQ(reports[n][2], order[n][1]) << n;
        EXPECT_EQ(reports[n][3], 0);
        for (size_t b = 11; b < 17; ++b) EXPECT_EQ(reports[n][b], 0) << n << " " << b;
    }
    // Red of LEDs 0-6: (v × 255) >> 8 = v - 1; LED 3 is capped at 247.
    EXPECT_EQ(std::vector<uint8_t>(reports[0].begin() + 4, reports[0].begin() + 11),
              (std::vector<uint8_t>{9, 10, 11, 247, 13, 14, 15}));
    // Red of LEDs 7-12, then byte 10 repeats LED 6's red from the report before.
    EXPECT_EQ(std::vector<uint8_t>(reports[1].begin() + 4, reports[1].begin() + 11),
              (std::vector<uint8_t>{16, 17, 18, 19, 20, 21, 15}));
    EXPECT_EQ(reports[4][7], 127);   // green of LED 3
    EXPECT_EQ(reports[8][7], 0);     // blue of LED 3
    EXPECT_EQ(reports[9][10], 205);  // LED 6 blue 206 → 205 repeated
    EXPECT_EQ(reports[9][9], 211);   // LED 12 blue 212 → 211
    EXPECT_EQ(reports[10][4], 199);  // blue of LED 0 for target 0x44
}

TEST(HeadsetReports, VirtualHeadsetShowsTheFrame) {
    auto bus = sim::makeVirtualBus({"headset"}, "");
    ASSERT_TRUE(bus);
    auto headset = bus->device("headset");
    ASSERT_TRUE(headset);
    DeviceLink link(bus);
    ASSERT_TRUE(test::openCommandLink(bus, *headset, link));
    std::vector<LedColour> leds(13, LedColour{0, 0, 0, 0});
    leds[3] = {255, 128, 0, 255};
    leds[12] = {10, 20, 30, 255};
    HeadsetReports reports;
    buildHeadsetReports(leds, reports);
    EXPECT_EQ(sendHeadsetReports(link.wiredChannel(), reports), 12u);
    for (uint8_t target : {uint8_t{0x22}, uint8_t{0x44}}) {
        const auto shown = headset->firmware().headsetLeds(target);
        EXPECT_EQ(shown[3], (sim::Rgb{247, 127, 0}));
        EXPECT_EQ(shown[12], (sim::Rgb{9, 19, 29}));
        EXPECT_EQ(shown[0], (sim::Rgb{0, 0, 0}));
    }
    EXPECT_EQ(headset->firmware().headsetLedReportCount(), 12u);
}

}  // namespace
}  // namespace md::lighting
