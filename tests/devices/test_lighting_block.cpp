// The lighting block of the headset and the mousepad against their virtual devices: what the
// device receives and holds, the read window, the reversed speed, failures that leave the
// host's copy alone, and the profile commit of its driver.
#include <gtest/gtest.h>

#include "device_link_helper.h"
#include "devices/lighting/lighting_block_device.h"
#include "profiles/basic_profiledata.h"
#include "profiles/temp_folder.h"
#include "sim/sim_devices.h"

namespace md::lighting {
namespace {

constexpr uint8_t kReadConfig = 0x05;

class LightingBlockTest : public ::testing::TestWithParam<const char*> {
  protected:
    void SetUp() override {
        ASSERT_TRUE(bus);
        device = bus->device(GetParam());
        ASSERT_TRUE(test::openCommandLink(bus, *device, link));
    }
    sim::Firmware& firmware() { return device->firmware(); }
    static DeviceKind kindOfParam() {
        return std::string(GetParam()) == "headset" ? DeviceKind::Headset : DeviceKind::MousePad;
    }
    // The command packets the host wrote since the log was last cleared.
    std::vector<std::vector<uint8_t>> commands() {
        std::vector<std::vector<uint8_t>> out;
        for (const auto& e : device->log().entries(sim::ReportDirection::ToDevice, 0x04))
            out.push_back(e.bytes);
        return out;
    }

    // A profile file holding this lighting.
    std::string profileWith(const LightSetting& l) {
        const std::string path = dir.path() + "p.Json";
        CBasicProfiledata profile;
        profile.setDefaultPath(kTemplate);
        profile.setProfilePath(path);
        profile.loadNode(path);
        const auto w = l.toWords();
        profile.writeLightInfo(w.w0, w.w1, w.w2, w.w3);
        EXPECT_TRUE(profile.save());
        return path;
    }
    static inline const std::string kTemplate =
        std::string(MD_SOURCE_DIR) + "/DefaultData/MousePad.Json";

    test::TempFolder dir;
    std::shared_ptr<sim::VirtualBus> bus = sim::makeVirtualBus({GetParam()}, "");
    std::shared_ptr<sim::VirtualDevice> device;
    DeviceLink link{bus};
};

TEST_P(LightingBlockTest, WriteReversesTheSpeedAndLandsAt64PerProfile) {
    struct Case {
        uint8_t speed;
        uint8_t stored;
        uint8_t profile;
    };
    for (const Case c : {Case{2, 2, 0}, Case{0, 4, 2}, Case{4, 0, 7}, Case{9, 0, 1}}) {
        LightingBlock block;
        LightSetting l;
        l.mode = 7, l.brightness = 3, l.speed = c.speed, l.multiColor = 1;
        l.red = 0x12, l.green = 0x34, l.blue = 0x56;
        block.setLighting(l);
        ASSERT_EQ(block.write(link, c.profile), link::kOk);
        const auto held = firmware().configBlock(c.profile);
        // Bytes 1-3, 5-8 are the lighting; byte 4 (and 9-20), never read before, are the
        // device's own (0x01 on the virtual device).
        const std::vector<uint8_t> expected = {0, 7, 3, c.stored, 0x01, 1, 0x12, 0x34, 0x56};
        EXPECT_EQ(std::vector<uint8_t>(held.begin(), held.begin() + 9), expected)
            << "speed " << int(c.speed);
        EXPECT_FALSE(firmware().sessionOpen());
    }
}

TEST_P(LightingBlockTest, ReadTakesTheActiveProfilesWindowAt25PerProfile) {
    firmware().setActiveProfile(2);
    std::array<uint8_t, 21> stored{};
    stored[1] = 6, stored[2] = 2, stored[3] = 4, stored[4] = 0xA4, stored[5] = 1;
    stored[6] = 9, stored[9] = 0xB9, stored[20] = 0xC0;
    firmware().writeConfigBytes(2 * 64, stored);
    device->log().clear();
    LightingBlock block;
    link.setLightingSuspended(true);
    ASSERT_EQ(block.read(link), link::kOk);
    EXPECT_FALSE(link.lightingSuspended());
    const auto sent = commands();
    ASSERT_EQ(sent.size(), 2u);
    EXPECT_EQ(sent[0][3], kReadConfig);
    EXPECT_EQ(sent[1][3], kReadConfig);
    EXPECT_EQ(sent[1][4], 26);                        // 26 bytes ...
    EXPECT_EQ(sent[1][5] | sent[1][6] << 8, 2 * 25);  // ... at 25 × p
    const auto& b = block.bytes();
    EXPECT_EQ(b[0], 2);  // the hardware profile
    EXPECT_EQ(b[1], 6);
    EXPECT_EQ(b[3], 0);     // stored 4 reads as speed 0
    EXPECT_EQ(b[4], 0xA4);  // kept as the device has it
    EXPECT_EQ(b[9], 0xB9);
    EXPECT_EQ(b[20], 0xC0);
    // Written back, the device gets its own bytes 4 and 9-20 again.
    ASSERT_EQ(block.write(link, 2), link::kOk);
    const auto held = firmware().configBlock(2);
    EXPECT_TRUE(std::equal(stored.begin() + 1, stored.end(), held.begin() + 1));
}

TEST_P(LightingBlockTest, DeviceValuesOutOfRangeReadAsTheNearestValidOnes) {
    std::array<uint8_t, 21> stored{};
    stored[2] = 200, stored[3] = 77, stored[5] = 5;
    firmware().writeConfigBytes(0, stored);
    LightingBlock block;
    ASSERT_EQ(block.read(link), link::kOk);
    EXPECT_EQ(block.bytes()[2], 4);
    EXPECT_EQ(block.speed(), 0);
    EXPECT_EQ(block.bytes()[5], 1);
}

TEST_P(LightingBlockTest, FailuresLeaveTheHostsCopyAndAreReported) {
    LightingBlock block;
    LightSetting l;
    l.mode = 3, l.brightness = 4, l.speed = 1, l.red = 200;
    block.setLighting(l);
    const auto before = block.bytes();
    // The second read (the block itself) is refused.
    device->injectFault(sim::Fault::statusAt(2, 0xFF));
    EXPECT_EQ(block.read(link), link::kStatusFailed);
    EXPECT_EQ(block.bytes(), before);
    // A write the device refuses is no success.
    device->injectFault(sim::Fault::statusAt(2, 0xFE));
    EXPECT_EQ(block.write(link, 0), link::kStatusBusy);
    const auto held = block.bytes();  // byte 4 now the device's, read before the write
    EXPECT_EQ(held[4], 0x01);
    // A closed link reads and writes nothing.
    link.closeLink();
    device->log().clear();
    EXPECT_EQ(block.read(link), link::kNoReply);
    EXPECT_EQ(block.write(link, 0), link::kNoReply);
    EXPECT_EQ(block.bytes(), held);
    EXPECT_TRUE(commands().empty());
}

TEST_P(LightingBlockTest, ProfileSwitchLoadsTheLightingAndWritesProfileZero) {
    LightSetting l;
    l.mode = 4, l.brightness = 2, l.speed = 3, l.green = 99;
    const std::string path = profileWith(l);
    CBasicProfiledata other;
    other.setDefaultPath(kTemplate);
    LightingBlockDevice device(link, other, kindOfParam());
    const ProfileSwitchResult r = device.commitProfile("", path);
    EXPECT_TRUE(r.ok());
    EXPECT_EQ(device.lighting().mode, 4);
    const auto held = firmware().configBlock(0);
    EXPECT_EQ(held[1], 4);
    EXPECT_EQ(held[3], 1);  // speed 3 stored reversed
    EXPECT_EQ(held[7], 99);
}

TEST_P(LightingBlockTest, OutOfRangeProfileValuesNeverReachTheDevice) {
    LightSetting l;
    l.mode = 200, l.brightness = 9, l.speed = 77, l.multiColor = 5, l.red = 1;
    const std::string path = profileWith(l);
    CBasicProfiledata other;
    other.setDefaultPath(kTemplate);
    LightingBlockDevice device(link, other, kindOfParam());
    ASSERT_TRUE(device.commitProfile("", path).ok());
    const auto held = firmware().configBlock(0);
    EXPECT_EQ(held[1], 8);  // mode 200 is no block mode: the last one (off)
    EXPECT_EQ(held[2], 4);
    EXPECT_EQ(held[3], 0);  // speed 4, stored reversed
    EXPECT_EQ(held[5], 1);
    // The model holds what the device holds: the page finds its mode in the effect list.
    EXPECT_EQ(device.lighting().mode, 8);
    EXPECT_EQ(other.readLightInfo().mode, 8);
}

INSTANTIATE_TEST_SUITE_P(Devices, LightingBlockTest, ::testing::Values("headset", "mousepad"));

}  // namespace
}  // namespace md::lighting
