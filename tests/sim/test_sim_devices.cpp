// Round trips with each kind of virtual device through the backend interface.

#include <gtest/gtest.h>

#include <numeric>

#include "devices/keyboard/keyboard_layout.h"
#include "sim/firmware_catalog.h"
#include "sim/sim_devices.h"
#include "sim_host.h"

namespace md::sim::test {
namespace {

std::vector<uint8_t> pattern(size_t n, uint8_t seed) {
    std::vector<uint8_t> v(n);
    for (size_t i = 0; i < n; ++i) v[i] = static_cast<uint8_t>(seed + 7 * i);
    return v;
}

TEST(SimMouse, SessionDeviceInfoAndOnlineCheck) {
    VirtualBus bus;
    auto mouse = makeMouse();
    bus.plug(mouse);
    SimHost host(bus, *mouse);
    ASSERT_TRUE(host.ok());

    auto begin = host.transact(commandPacket(cmd::kBeginSession, 0, 0));
    ASSERT_TRUE(begin);
    EXPECT_EQ((*begin)[3], cmd::kBeginSession);
    EXPECT_EQ((*begin)[7], status::kOk);
    EXPECT_TRUE(mouse->firmware().sessionOpen());

    const auto info = host.readAll(cmd::kReadDeviceInfo, 0, kDeviceInfoSize, 24);
    ASSERT_EQ(info.size(), kDeviceInfoSize);
    EXPECT_EQ(info[5], 12);  // key-table entries
    EXPECT_EQ(info[6], 32);  // macro memory: 32 × 128 bytes

    auto online = host.transact(commandPacket(cmd::kCheckWirelessOnline, 0, 0));
    ASSERT_TRUE(online);
    EXPECT_EQ((*online)[8], 0xFF);

    host.transact(commandPacket(cmd::kEndSession, 0, 0));
    EXPECT_FALSE(mouse->firmware().sessionOpen());
    EXPECT_EQ(mouse->firmware().sessionsEnded(), 1u);
}

TEST(SimMouse, KeyTableHoldsEveryFactoryButtonInItsOwnOrder) {
    VirtualBus bus;
    auto mouse = makeMouse();
    bus.plug(mouse);
    SimHost host(bus, *mouse);
    const auto table = host.readAll(cmd::kReadKeyTable, 0, 36);
    ASSERT_EQ(table.size(), 36u);
    bool sameOrderAsHost = true;
    for (size_t b = 0; b < kMouseButtonCodes.size(); ++b) {
        size_t found = 99;
        for (size_t k = 0; k < 12; ++k)
            if (std::equal(kMouseButtonCodes[b].begin(), kMouseButtonCodes[b].end(),
                           table.begin() + 3 * k)) {
                found = k;
                break;
            }
        ASSERT_NE(found, 99u) << "button " << b;
        sameOrderAsHost = sameOrderAsHost && found == b;
    }
    EXPECT_FALSE(sameOrderAsHost);

    std::vector<uint8_t> changed = table;
    changed[3] = 0x20;
    changed[5] = 0x04;
    ASSERT_TRUE(host.writeAll(cmd::kWriteKeyTable, 0, changed));
    EXPECT_EQ(mouse->firmware().keyTable(), changed);
    // Only page 0 exists.
    auto page1 = host.transact(commandPacket(cmd::kWriteKeyTable, 3, 512, changed));
    ASSERT_TRUE(page1);
    EXPECT_EQ((*page1)[7], status::kRefused);
}

TEST(SimMouse, SettingsBlockPerHardwareProfile) {
    VirtualBus bus;
    auto mouse = makeMouse();
    bus.plug(mouse);
    SimHost host(bus, *mouse);
    const auto block = pattern(56, 3);
    ASSERT_TRUE(host.writeAll(cmd::kWriteConfig, 2 * 128, block));
    const auto back = host.readAll(cmd::kReadConfig, 2 * 128, 74);
    ASSERT_EQ(back.size(), 74u);
    EXPECT_TRUE(std::equal(block.begin(), block.end(), back.begin()));
    const auto stored = mouse->firmware().configBlock(2);
    EXPECT_TRUE(std::equal(block.begin(), block.end(), stored.begin()));

    mouse->firmware().setActiveProfile(3);
    EXPECT_EQ(host.readAll(cmd::kReadConfig, 0, 1), std::vector<uint8_t>{3});
}

TEST(SimMouse, MacroAndRecoilImagesAreDecoded) {
    VirtualBus bus;
    auto mouse = makeMouse();
    bus.plug(mouse);
    SimHost host(bus, *mouse);
    // One macro of three events: 16 + 6 + 12 = 34 bytes.
    const std::vector<uint8_t> image = {0xAA, 0x55, 34, 0, 1,    0,    0, 0, 0,    0,   0,    0,
                                        0,    0,    0,  0, 18,   0,    3, 0, 0,    0,   0x2C, 0x01,
                                        0x81, 0x04, 10, 0, 0x01, 0x04, 0, 0, 0x8A, 0x05};
    ASSERT_TRUE(host.writeAll(cmd::kWriteMacroData, 0, image, 24));
    const DecodedImage macros = mouse->firmware().macroImage();
    ASSERT_TRUE(macros.valid) << macros.error;
    ASSERT_EQ(macros.entries.size(), 1u);
    ASSERT_EQ(macros.entries[0].events.size(), 3u);
    EXPECT_EQ(macros.entries[0].events[0], (ImageEvent{300, 1, true, 4}));

    ASSERT_TRUE(host.writeAll(cmd::kWriteShootData, 0, image));
    EXPECT_TRUE(mouse->firmware().recoilImage().valid);

    // Images are taken when their session ends; a malformed one is reported.
    std::vector<uint8_t> bad = image;
    bad[2] = 40;
    ASSERT_TRUE(host.transact(commandPacket(cmd::kBeginSession, 0, 0)));
    ASSERT_TRUE(host.writeAll(cmd::kWriteMacroData, 0, bad));
    ASSERT_TRUE(host.transact(commandPacket(cmd::kEndSession, 0, 0)));
    const auto received = mouse->firmware().receivedImages();
    ASSERT_EQ(received.size(), 2u);  // both memories were written since the last session end
    EXPECT_EQ(received[0].kind, ReceivedImage::Kind::Macro);
    EXPECT_FALSE(received[0].image.valid);
    EXPECT_FALSE(received[0].image.error.empty());
    EXPECT_EQ(received[1].kind, ReceivedImage::Kind::Recoil);
    EXPECT_TRUE(received[1].image.valid);
}

TEST(SimMouse, PowerStatusFollowsTheSetters) {
    VirtualBus bus;
    auto mouse = makeMouse();
    bus.plug(mouse);
    SimHost host(bus, *mouse);
    mouse->firmware().setBattery(42);
    mouse->firmware().setCharging(1);
    EXPECT_EQ(host.readAll(cmd::kReadStatus, 0, 6), (std::vector<uint8_t>{42, 1, 0, 0, 0, 0}));
}

TEST(SimMouse, BadChecksumIsAnsweredWithStatusFF) {
    VirtualBus bus;
    auto mouse = makeMouse();
    bus.plug(mouse);
    SimHost host(bus, *mouse);
    Packet p = commandPacket(cmd::kWriteConfig, 1, 1, std::vector<uint8_t>{9});
    p[1] ^= 0x01;
    auto reply = host.transact(p);
    ASSERT_TRUE(reply);
    EXPECT_EQ((*reply)[3], cmd::kWriteConfig);
    EXPECT_EQ((*reply)[7], status::kBadChecksum);
    EXPECT_NE(mouse->firmware().config()[1], 9);
}

TEST(SimReceiver, ForwardsToItsMouseAndAnswersAAWhileItIsOff) {
    VirtualBus bus;
    auto firmware = makeMouseFirmware();
    auto receiver = makeReceiver(firmware);
    bus.plug(receiver);
    SimHost host(bus, *receiver);

    const auto block = pattern(24, 50);
    ASSERT_TRUE(host.writeAll(cmd::kWriteConfig, 128, block, 24));
    EXPECT_TRUE(std::equal(block.begin(), block.end(), firmware->configBlock(1).begin()));

    firmware->setPoweredOn(false);
    auto reply = host.transact(commandPacket(cmd::kCheckWirelessOnline, 0, 0));
    ASSERT_TRUE(reply);
    EXPECT_EQ((*reply)[3], 0xAA);
    EXPECT_NE((*reply)[8], 0xFF);
    reply = host.transact(commandPacket(cmd::kReadConfig, 1, 0));
    ASSERT_TRUE(reply);
    EXPECT_EQ((*reply)[3], 0xAA);

    firmware->setPoweredOn(true);
    reply = host.transact(commandPacket(cmd::kCheckWirelessOnline, 0, 0));
    ASSERT_TRUE(reply);
    EXPECT_EQ((*reply)[3], cmd::kCheckWirelessOnline);
    EXPECT_EQ((*reply)[8], 0xFF);
}

TEST(SimKeyboard, KeyTablesAndProfileRecords) {
    VirtualBus bus;
    auto keyboard = makeKeyboard();
    bus.plug(keyboard);
    SimHost host(bus, *keyboard);
    const auto info = host.readAll(cmd::kReadDeviceInfo, 0, kDeviceInfoSize);
    ASSERT_EQ(info.size(), kDeviceInfoSize);
    const size_t n = info[5];
    ASSERT_GT(n, 100u);
    ASSERT_LE(3 * n, 512u);
    const auto keys = host.readAll(cmd::kReadKeyTable, 0, 3 * n);
    const auto leds = host.readAll(cmd::kReadKeyByteTable, 0, n);
    ASSERT_EQ(keys.size(), 3 * n);
    ASSERT_EQ(leds.size(), n);
    // Every key of the picture but the empty places is found, at a device position of its own.
    size_t found = 0, moved = 0;
    for (size_t j = 0; j < kKeyboardLayout.size(); ++j) {
        for (size_t k = 0; k < n; ++k)
            if (std::equal(kKeyboardLayout[j].begin(), kKeyboardLayout[j].end(),
                           keys.begin() + 3 * k)) {
                ++found;
                moved += k != j;
                break;
            }
    }
    EXPECT_EQ(found, 122u);
    EXPECT_GT(moved, 0u);

    // Profile 2's record: 26 bytes at 50, byte 0 of the block being the byte before it.
    const auto record = pattern(26, 1);
    ASSERT_TRUE(host.writeAll(cmd::kWriteConfig, 2 * 25, record));
    EXPECT_EQ(host.readAll(cmd::kReadConfig, 50, 26), record);
    EXPECT_EQ(keyboard->firmware().configBlock(2), record);

    // Colour table of custom group 3.
    const auto colours = pattern(100, 9);
    ASSERT_TRUE(host.writeAll(cmd::kWriteColourTable, 3 * 512, colours));
    const auto page = keyboard->firmware().colourTable(3);
    ASSERT_EQ(page.size(), 512u);
    EXPECT_TRUE(std::equal(colours.begin(), colours.end(), page.begin()));

    auto lighting = host.transact(commandPacket(cmd::kEnableHostLighting, 0, 0));
    ASSERT_TRUE(lighting);
    EXPECT_TRUE(keyboard->firmware().hostLightingEnabled());
}

TEST(SimKeyboardReceiver, ForwardsToTheKeyboard) {
    VirtualBus bus;
    auto firmware = makeKeyboardFirmware();
    auto receiver = makeKeyboardReceiver(firmware);
    bus.plug(receiver);
    EXPECT_EQ(receiver->vendorId(), kKeyboardReceiverIds.vendorId);
    SimHost host(bus, *receiver);
    ASSERT_TRUE(host.writeAll(cmd::kWriteConfig, 0, std::vector<uint8_t>{0, 7}, 24));
    EXPECT_EQ(firmware->config()[1], 7);
}

TEST(SimMousepad, WritesAt64ReadsAt25AndTakesLedFrames) {
    VirtualBus bus;
    auto pad = makeMousepad();
    bus.plug(pad);
    SimHost host(bus, *pad);
    const std::vector<uint8_t> block = {2, 3, 4, 1, 0, 1, 10, 20, 30, 0, 0,
                                        0, 0, 0, 0, 0, 0, 0,  0,  0,  0};
    ASSERT_TRUE(host.writeAll(cmd::kWriteConfig, 2 * 64, block));
    EXPECT_EQ(pad->firmware().configBlock(2), block);
    const auto back = host.readAll(cmd::kReadConfig, 2 * 25, 26);
    ASSERT_EQ(back.size(), 26u);
    EXPECT_TRUE(std::equal(block.begin(), block.end(), back.begin()));

    const auto frame = pattern(45, 5);
    ASSERT_TRUE(host.writeAll(cmd::kSendLedFrame, 0, frame));
    EXPECT_EQ(pad->firmware().ledFramesStarted(), 1u);
    EXPECT_TRUE(std::equal(frame.begin(), frame.end(), pad->firmware().ledFrame().begin()));

    pad->firmware().setPhoneType(2);
    EXPECT_EQ(host.readAll(cmd::kReadStatus, 0, 6).at(5), 2);
}

TEST(SimHeadset, LightingBlockAndLedReports) {
    VirtualBus bus;
    auto headset = makeHeadset();
    bus.plug(headset);
    SimHost host(bus, *headset, 3);
    ASSERT_TRUE(host.ok());
    const std::vector<uint8_t> block = {0, 7, 4, 2, 0, 1, 1, 2, 3, 0, 0,
                                        0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    ASSERT_TRUE(host.writeAll(cmd::kWriteConfig, 0, block));
    EXPECT_EQ(host.readAll(cmd::kReadConfig, 0, 21), block);

    std::array<uint8_t, kHeadsetLedReportSize> report{};
    report[0] = 0xFF;
    report[1] = 0x22;
    report[2] = 0xAA;  // red of LEDs 0-6
    report[4 + 3] = 247;
    EXPECT_TRUE(host.node().setOutputReport(report));
    report[2] = 0xAE;  // green of LEDs 7-12
    report[4] = 99;
    EXPECT_TRUE(host.node().setOutputReport(report));
    const auto leds = headset->firmware().headsetLeds(0x22);
    EXPECT_EQ(leds[3].r, 247);
    EXPECT_EQ(leds[7].g, 99);
    EXPECT_EQ(headset->firmware().headsetLedReportCount(), 2u);
}

}  // namespace
}  // namespace md::sim::test
