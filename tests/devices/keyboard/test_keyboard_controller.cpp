// The keyboard's protocol side against the virtual keyboard: key maps, key table, settings
// records, macros and events.
#include <gtest/gtest.h>

#include "devices/device_link_helper.h"
#include "devices/keyboard/keyboard_controller.h"
#include "devices/keyboard/keyboard_profile_device.h"
#include "profiles/temp_folder.h"
#include "sim/firmware_catalog.h"
#include "sim/virtual_bus.h"

namespace md {
namespace {

using test::packetsTo;

class KeyboardControllerTest : public ::testing::Test {
  protected:
    void SetUp() override { plug(sim::keyboardFirmwareDefinition(sim::kKeyboardIds.productId)); }
    void plug(sim::FirmwareDefinition def) {
        bus = std::make_shared<sim::VirtualBus>();
        firmware = std::make_shared<sim::Firmware>(std::move(def));
        keyboard = sim::makeKeyboard(firmware);
        ASSERT_TRUE(bus->plug(keyboard));
        link = std::make_unique<DeviceLink>(bus);
        ASSERT_TRUE(test::openCommandLink(bus, *keyboard, *link));
        profile.setDefaultPath(std::string(MD_SOURCE_DIR) + "/DefaultData/keyboard.Json");
        profile.setProfilePath(folder.path() + "p.Json");
        profile.loadNode(folder.path() + "p.Json");
        controller = std::make_unique<KeyboardController>(*link, profile);
        controller->loadFromProfile();
    }
    std::vector<uint8_t> config(size_t from, size_t n) {
        const auto c = firmware->config();
        return {c.begin() + static_cast<long>(from), c.begin() + static_cast<long>(from + n)};
    }

    test::TempFolder folder;
    std::shared_ptr<sim::VirtualBus> bus;
    std::shared_ptr<sim::Firmware> firmware;
    std::shared_ptr<sim::VirtualDevice> keyboard;
    std::unique_ptr<DeviceLink> link;
    CKeyboardProfiledata profile;
    std::unique_ptr<KeyboardController> controller;
};

TEST_F(KeyboardControllerTest, AttachMapsEveryPositionAndItsLed) {
    ASSERT_EQ(controller->readDeviceAndKeys(), link::kOk);
    const size_t n = firmware->keyEntries();
    EXPECT_EQ(controller->keyEntries(), n);
    const auto layout = firmware->keyLayout();
    const auto leds = firmware->keyByteTable();
    size_t mapped = 0;
    for (size_t j = 0; j < kKeyboardKeys; ++j) {
        const uint8_t k = controller->keyMaps().position[j];
        if (k == kNoEntry) {
            EXPECT_EQ(kKeyboardLayout[j], (KeyCode3{0x20, 0, 0})) << j;
            EXPECT_EQ(controller->keyMaps().led[j], kNoEntry) << j;
            continue;
        }
        ++mapped;
        EXPECT_TRUE(std::equal(kKeyboardLayout[j].begin(), kKeyboardLayout[j].end(),
                               layout.begin() + 3 * k))
            << j;
        // Every mapped position has its LED, also those at device entries beyond 125 and with
        // LED numbers beyond 125.
        EXPECT_EQ(controller->keyMaps().led[j], leds[k]) << j;
    }
    EXPECT_EQ(mapped, n);
    EXPECT_GT(controller->keyMaps().highestLed(), 125);
}

TEST(KeyboardKeyMaps, FirstOccurrenceWinsAndUnknownTablesMapNothing) {
    std::vector<uint8_t> table = {0x20, 0, 0x29, 0x20, 0, 0x29, 0x20, 0, 0x3A};
    const std::vector<uint8_t> leds = {7, 8, 9};
    const KeyboardKeyMaps maps = buildKeyboardKeyMaps(table, leds, 3);
    EXPECT_EQ(maps.position[0], 0);
    EXPECT_EQ(maps.led[0], 7);
    EXPECT_EQ(maps.position[1], 2);
    EXPECT_EQ(maps.led[1], 9);
    EXPECT_EQ(maps.position[2], kNoEntry);

    // No entry matches: every position unmapped, the write sends the table unchanged.
    const std::vector<uint8_t> odd = {1, 2, 3, 4, 5, 6};
    const KeyboardKeyMaps none = buildKeyboardKeyMaps(odd, leds, 2);
    for (uint8_t p : none.position) EXPECT_EQ(p, kNoEntry);
    const auto keys = completeKeyboardKeyList({});
    EXPECT_EQ(buildKeyboardTableForWrite(odd, 2, none, keys), odd);
    // Entries beyond the table are never read.
    EXPECT_EQ(buildKeyboardKeyMaps(odd, leds, 200).position[0], kNoEntry);
}

TEST_F(KeyboardControllerTest, MoreKeysThanTheTableHoldsAreRefused) {
    auto def = sim::keyboardFirmwareDefinition(sim::kKeyboardIds.productId);
    def.deviceInfo[device_info::kKeyEntries] = 171;
    plug(def);
    EXPECT_EQ(controller->readDeviceAndKeys(), KeyboardController::kKeyTableTooLarge);
    EXPECT_NE(controller->problem().find("171"), std::string::npos);
    EXPECT_EQ(controller->keyEntries(), 0u);
    for (uint8_t p : controller->keyMaps().position) EXPECT_EQ(p, kNoEntry);
    // The keyboard was never asked for its key table.
    for (const auto& p : packetsTo(*keyboard)) EXPECT_NE(p[3], cmd::kReadKeyTable);
}

TEST_F(KeyboardControllerTest, KeyAssignmentReachesTheEntryOfItsPosition) {
    ASSERT_EQ(controller->readDeviceAndKeys(), link::kOk);
    // Position 64 ("A") becomes "B"; M1 (120) becomes a macro.
    ASSERT_TRUE(controller->setAssignment(64, {0x20, 0x00, 0x05}));
    ASSERT_TRUE(controller->setAssignment(120, {0x70, 0x00, 0x01}));
    EXPECT_FALSE(controller->setAssignment(126, {1, 2, 3}));
    ASSERT_EQ(controller->writeKeyAssignments(0), link::kOk);
    const auto table = firmware->keyTable();
    const auto& maps = controller->keyMaps();
    EXPECT_EQ(firmware->keyEntry(maps.position[64]), (std::array<uint8_t, 3>{0x20, 0x00, 0x05}));
    EXPECT_EQ(firmware->keyEntry(maps.position[120]), (std::array<uint8_t, 3>{0x70, 0x00, 0x01}));
    // Every other entry keeps its factory code.
    const auto layout = firmware->keyLayout();
    for (size_t k = 0; k < firmware->keyEntries(); ++k) {
        if (k == maps.position[64] || k == maps.position[120]) continue;
        EXPECT_EQ(firmware->keyEntry(k),
                  (std::array<uint8_t, 3>{layout[3 * k], layout[3 * k + 1], layout[3 * k + 2]}))
            << k;
    }
    // The profile's key list holds the change.
    EXPECT_EQ(profile.readKeyList()[64].assignment, (KeyCode3{0x20, 0x00, 0x05}));
}

TEST_F(KeyboardControllerTest, ShortKeyListFallsBackToTheLayout) {
    std::vector<KeyBinding> two(2);
    two[0].assignment = two[0].defaultAssignment = {0x20, 0, 0x04};
    const auto list = completeKeyboardKeyList(two);
    ASSERT_EQ(list.size(), kKeyboardKeys);
    EXPECT_EQ(list[0].assignment, (KeyCode3{0x20, 0, 0x04}));
    for (size_t i = 2; i < kKeyboardKeys; ++i) {
        EXPECT_EQ(list[i].assignment, kKeyboardLayout[i]) << i;
        EXPECT_EQ(list[i].defaultAssignment, kKeyboardLayout[i]) << i;
    }
}

TEST_F(KeyboardControllerTest, SettingsRecordBytes) {
    LightSetting l;
    l.mode = 31;  // written as 0
    l.brightness = 3;
    l.speed = 1;
    l.direction = 1;
    l.multiColor = 1;
    l.red = 10;
    l.green = 20;
    l.blue = 30;
    l.zzccLedMode = 2;
    l.customGroup = 5;
    const auto w = l.toWords();
    profile.writeLightInfo(w.w0, w.w1, w.w2, w.w3);
    KeyboardStages s;
    s.pollingRate = 2;
    s.winFlag = 1;
    s.key6Flag = 1;
    s.repeat = 9;
    controller->setStages(s);

    // Profile 1's record lies at 26-50; byte 25 (profile 0's customGroup) stays.
    firmware->writeConfigBytes(25, std::array<uint8_t, 1>{0x77});
    ASSERT_EQ(controller->writeSettings(1, 0), link::kOk);
    const std::vector<uint8_t> record = {0, 3, 3, 1, 1, 10, 20, 30, 0, 0, 0, 0, 0,
                                         0, 0, 0, 0, 2, 0,  1,  1,  2, 0, 0, 5};
    EXPECT_EQ(config(26, 25), record);
    EXPECT_EQ(config(25, 1)[0], 0x77);

    // Profile 0's block carries the active-profile byte.
    firmware->setActiveProfile(3);
    ASSERT_EQ(controller->writeSettings(0, 0), link::kOk);
    EXPECT_EQ(config(1, 25), record);
    EXPECT_EQ(firmware->activeProfile(), 0);

    KeyboardHardwareSettings h;
    uint8_t hw = 9;
    ASSERT_EQ(controller->readSettingsBlock(h, hw), link::kOk);
    EXPECT_EQ(hw, 0);
    EXPECT_EQ(h.lighting.speed, 1);
    EXPECT_EQ(h.lighting.customGroup, 5);
    EXPECT_EQ(h.pollingRate, 2);
    EXPECT_EQ(h.winFlag, 1);
}

TEST_F(KeyboardControllerTest, HardwareReadTakesTheActiveRecordAndAFailedReadChangesNothing) {
    // Active profile 2: brightness 1, speed byte 0 (speed 4), mode 7, Win lock on.
    firmware->setActiveProfile(2);
    firmware->writeConfigBytes(51, std::array<uint8_t, 3>{7, 1, 0});
    firmware->writeConfigBytes(71, std::array<uint8_t, 1>{1});
    ASSERT_EQ(controller->readHardwareSettings(), link::kOk);
    EXPECT_EQ(controller->hardwareProfile(), 2);
    EXPECT_EQ(controller->lighting().mode, 7);
    EXPECT_EQ(controller->lighting().speed, 4);
    EXPECT_EQ(controller->stages().winFlag, 1);
    const LightSetting stored = profile.readLightInfo();
    EXPECT_EQ(stored.mode, 7);
    EXPECT_EQ(stored.brightness, 1);

    // A read the keyboard refuses leaves controller and profile as they were.
    const auto before = profile.deviceNode();
    firmware->setActiveProfile(200);  // a record beyond the memory
    EXPECT_NE(controller->readHardwareSettings(), link::kOk);
    EXPECT_EQ(profile.deviceNode(), before);
    EXPECT_EQ(controller->hardwareProfile(), 2);
    // A closed link reads nothing either.
    link->closeLink();
    EXPECT_EQ(controller->readHardwareSettings(), 0);
    EXPECT_EQ(profile.deviceNode(), before);
}

TEST_F(KeyboardControllerTest, EventCodes) {
    using A = KeyboardController::EventAction;
    const std::pair<uint16_t, A> cases[] = {{0x0401, A::Synchronise},
                                            {0x1003, A::HardwareProfile},
                                            {0x1103, A::HardwareProfile},
                                            {0x0402, A::None},
                                            {0x1203, A::None}};
    for (auto [code, action] : cases) EXPECT_EQ(KeyboardController::classifyEvent(code), action);
    EXPECT_TRUE(controller->onHardwareProfileEvent(0x1103));
    EXPECT_EQ(controller->hardwareProfile(), 3);
    link->closeLink();
    EXPECT_FALSE(controller->onHardwareProfileEvent(0x1005));
    EXPECT_EQ(controller->hardwareProfile(), 3);
}

}  // namespace
}  // namespace md
