// Custom colour groups written into the virtual keyboard's colour tables.
#include <gtest/gtest.h>

#include <array>
#include <vector>

#include "device_link_helper.h"
#include "devices/keyboard/custom_colours.h"
#include "profiles/profile_test_util.h"

namespace md::kblight {
namespace {

using lighting::LedColour;

class CustomColours : public ::testing::Test {
  protected:
    void SetUp() override {
        bus = sim::makeVirtualBus({"keyboard"}, "");
        ASSERT_TRUE(bus);
        keyboard = bus->device("keyboard");
        ASSERT_TRUE(keyboard);
        linkPtr = std::make_unique<DeviceLink>(bus);
        ASSERT_TRUE(test::openCommandLink(bus, *keyboard, link()));
        const std::string path = dir.path() + "p.Json";
        test::writeJson(
            path,
            R"({"Device":[{"CustomLightMode":{"CustomLightModeGroupIndex":3,"LightColorInfo":[]}}]})");
        profile.setProfilePath(path);
        profile.loadNode(path);
        light.mode = 20;
        light.customGroup = 2;
        light.red = 11;
        light.green = 22;
        light.blue = 33;
    }

    std::vector<uint8_t> table(size_t page) { return keyboard->firmware().colourTable(page); }

    test::TempFolder dir;
    std::shared_ptr<sim::VirtualBus> bus;
    std::shared_ptr<sim::VirtualDevice> keyboard;
    DeviceLink& link() { return *linkPtr; }
    std::unique_ptr<DeviceLink> linkPtr;
    CKeyboardProfiledata profile;
    LightSetting light;
    // Key positions 0-4 wired to LED numbers 0, 3, none, 170, 171.
    const std::array<uint8_t, 5> keyLed = {0, 3, 255, 170, 171};
};

TEST_F(CustomColours, SendWritesScaledColoursAtTheLedNumbers) {
    std::vector<LedColour> leds(126);
    leds[0] = {255, 0, 0, 255};   // 254, 0, 0 at 0
    leds[1] = {10, 20, 30, 128};  // 5, 10, 15 at 9
    leds[2] = {99, 99, 99, 255};  // no LED
    CustomColourTarget target{link(), keyLed};
    EXPECT_EQ(sendCustomColours(leds, light, target), link::kOk);
    const std::vector<uint8_t> page = table(2);
    ASSERT_EQ(page.size(), 512u);
    std::vector<uint8_t> expected(512, 0);
    expected[0] = 254;
    expected[9] = 5;
    expected[10] = 10;
    expected[11] = 15;
    EXPECT_EQ(page, expected);
    // LED 171 is the highest in use: the whole page (LED 170 does not fit it and is skipped),
    // from offset 2 × 512.
    const auto packets = test::packetsTo(*keyboard);
    ASSERT_FALSE(packets.empty());
    EXPECT_EQ(packets[0][3], 0x0B);
    EXPECT_EQ(packets[0][5] | packets[0][6] << 8, 1024);
    size_t sent = 0;
    for (const auto& p : packets) sent += p[4];
    EXPECT_EQ(sent, 512u);

    light.mode = 5;  // only in mode 20
    keyboard->log().clear();
    EXPECT_EQ(sendCustomColours(leds, light, target), link::kOk);
    EXPECT_TRUE(test::packetsTo(*keyboard).empty());
}

TEST_F(CustomColours, LedNumbersAboveTheKeyCountReachTheKeyboard) {
    // Two keys wired to LEDs 0 and 130: the table runs to LED 130 (393 bytes), not to 3 × the
    // number of keys.
    const std::array<uint8_t, 2> wiring = {0, 130};
    std::vector<LedColour> leds(2, LedColour{40, 50, 60, 255});
    CustomColourTarget target{link(), wiring};
    EXPECT_EQ(sendCustomColours(leds, light, target), link::kOk);
    size_t sent = 0;
    for (const auto& p : test::packetsTo(*keyboard)) sent += p[4];
    EXPECT_EQ(sent, 393u);
    const std::vector<uint8_t> page = table(2);
    EXPECT_EQ(std::vector<uint8_t>(page.begin() + 390, page.begin() + 393),
              (std::vector<uint8_t>{39, 49, 59}));
}

TEST_F(CustomColours, LoadFillAndSetKey) {
    profile.writeCustomColours({{1, 2, 3, 255}, {4, 5, 6, 0}}, 3);
    std::vector<LedColour> leds(126, LedColour{7, 7, 7, 7});
    CustomColourTarget target{link(), keyLed};
    EXPECT_EQ(loadCustomColours(leds, profile, light, target), 3);
    EXPECT_EQ(leds[0], (LedColour{1, 2, 3, 255}));
    EXPECT_EQ(leds[1], (LedColour{4, 5, 6, 0}));
    EXPECT_EQ(leds[2], LedColour{});
    EXPECT_EQ(table(2)[0], 0);  // 1 × 255 >> 8
    EXPECT_EQ(table(2)[9], 0);

    fillCustomColours(true, leds, profile, light, 5, target);
    EXPECT_EQ(leds[0], (LedColour{11, 22, 33, 255}));
    EXPECT_EQ(leds[1], (LedColour{11, 22, 33, 0}));
    EXPECT_EQ(table(2)[0], 10);
    EXPECT_EQ(table(2)[9], 0);  // intensity 0
    const std::vector<CustomColour> stored = profile.readCustomColours(5, 2);
    EXPECT_EQ(stored, (std::vector<CustomColour>{{11, 22, 33, 255}, {11, 22, 33, 0}}));

    fillCustomColours(false, leds, profile, light, -1, target);
    EXPECT_EQ(leds[0], (LedColour{0, 0, 0, 255}));
    EXPECT_EQ(profile.readCustomColours(5, 1)[0], (CustomColour{11, 22, 33, 255}));

    // setCustomKeyColour writes the unscaled colours.
    light.red = 200;
    EXPECT_TRUE(setCustomKeyColour(1, leds, profile, light, 5, target));
    EXPECT_EQ(leds[1], (LedColour{200, 22, 33, 0}));
    const std::vector<uint8_t> page = table(2);
    EXPECT_EQ(std::vector<uint8_t>(page.begin() + 9, page.begin() + 12),
              (std::vector<uint8_t>{200, 22, 33}));
    EXPECT_EQ(profile.readCustomColours(5, 2)[1], (CustomColour{200, 22, 33, 0}));
    EXPECT_FALSE(setCustomKeyColour(126, leds, profile, light, 5, target));
    light.mode = 19;
    EXPECT_FALSE(setCustomKeyColour(1, leds, profile, light, 5, target));
}

TEST_F(CustomColours, SetKeyOverTheReceiverWritesNothing) {
    auto rxBus = sim::makeVirtualBus({"keyboard", "keyboard-receiver"}, "");
    auto receiver = rxBus->device("keyboard-receiver");
    ASSERT_TRUE(receiver);
    DeviceLink wireless(rxBus);
    ASSERT_TRUE(test::openCommandLink(rxBus, *receiver, wireless, 2));
    std::vector<LedColour> leds(126);
    CustomColourTarget target{wireless, keyLed};
    EXPECT_TRUE(setCustomKeyColour(0, leds, profile, light, 1, target));
    for (const auto& p : test::packetsTo(*receiver)) EXPECT_NE(p[3], 0x0B);
    // sendCustomColours goes out in either link mode.
    EXPECT_EQ(sendCustomColours(leds, light, target), link::kOk);
    bool sent = false;
    for (const auto& p : test::packetsTo(*receiver)) sent = sent || p[3] == 0x0B;
    EXPECT_TRUE(sent);
}

}  // namespace
}  // namespace md::kblight
