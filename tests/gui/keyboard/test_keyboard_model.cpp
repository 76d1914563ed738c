// The keyboard model on its page against the virtual keyboard, over its cable and through its
// receiver: what attaching reads, a key assignment, a setting and a custom colour group as the
// keyboard holds them afterwards, and the reads that must not touch the profile.
#include <QAbstractButton>
#include <QLabel>
#include <QSlider>

#include "devices/keyboard/custom_colours.h"
#include "devices/keyboard/keyboard_layout.h"
#include "devlink/sim_link_fixture.h"
#include "gui_test_support.h"
#include "keyboard_model_fixture.h"
#include "panels/light_control_ui.h"
#include "sim/firmware_catalog.h"

namespace md::test {
namespace {

using KeyboardModel = KeyboardModelTest;

TEST_P(KeyboardModel, AttachReadsTheKeyTablesAndShowsTheKeysTheKeyboardHas) {
    attach();
    // The picture is built when the page is first shown.
    EXPECT_FALSE(model->keyButton(0));
    model->ensurePicture();
    ASSERT_TRUE(model->keyButton(0));
    const KeyboardController& c = model->controller();
    EXPECT_EQ(c.keyEntries(), firmware().keyEntries());
    EXPECT_EQ(c.keyList().size(), kKeyboardKeys);
    // The four positions that are no keys are hidden, every other key is on the picture.
    for (int i = 0; i < int(kKeyboardKeys); ++i) {
        const bool present = c.keyMaps().position[size_t(i)] != kNoEntry;
        EXPECT_EQ(present, i != 18 && i != 19 && i != 20 && i != 104) << i;
        if (QWidget* b = model->keyButton(i)) EXPECT_EQ(!b->isHidden(), present) << i;
    }
    EXPECT_TRUE(model->previewRunning());
    // The settings tab, built when first shown, shows the profile's switches and repeat (the
    // template's).
    EXPECT_FALSE(control("polling_rate_option_3"));
    model->setWorkingMode(working_mode::kSettings);
    EXPECT_TRUE(control<QAbstractButton>("polling_rate_option_3")->isChecked());
    EXPECT_EQ(control<QSlider>("repeat_rate_slider")->value(), 20);
    EXPECT_TRUE(control<QAbstractButton>("repeat_delay_check_1")->isChecked());
    EXPECT_TRUE(control<QLabel>("repeat_delay_time_label1")->text().contains("500"));
}

TEST_P(KeyboardModel, KeyAssignmentAndSettingReachTheKeyboard) {
    attach();
    model->ensurePicture();
    model->setWorkingMode(COrrivaleKeyboardDevice::kKeyPage);
    // Caps Lock (63) becomes Left Ctrl; the Fn key cannot be chosen.
    model->selectKey(kKeyboardFnKey);
    EXPECT_EQ(model->selectedKey(), -1);
    model->selectKey(63);
    KeyBinding b = model->keyList()->at(63);
    b.assignment = {0x20, 0x01, 0x00};
    model->storeKeyAssignment(b);
    ASSERT_EQ(model->transferKeysAndMacros(), 0);
    model->saveProfile();  // as "save to device" does
    const uint8_t entry = model->controller().keyMaps().position[63];
    EXPECT_EQ(firmware().keyEntry(entry), (std::array<uint8_t, 3>{0x20, 0x01, 0x00}));
    EXPECT_EQ(profileFile()->readKeyList().at(63).assignment, (KeyCode3{0x20, 0x01, 0x00}));
    EXPECT_TRUE(model->keyButton(63)->property("reassigned").toBool());

    // Win lock on, polling option 1: the record of profile 0 carries both.
    model->setWorkingMode(working_mode::kSettings);
    model->onSwitch("winlockflag_option", true);
    model->onPollingRate(1);
    const std::vector<uint8_t> r = record(0);
    EXPECT_EQ(r[20], 1);  // WinFlag (block byte 21)
    EXPECT_EQ(r[21], 1);  // polling option (block byte 22)
    EXPECT_EQ(profileFile()->readKeyboardStages()[2] >> 16, 1u);
    EXPECT_TRUE(control<QAbstractButton>("winlockflag_option")->isChecked());
    EXPECT_TRUE(control<QAbstractButton>("polling_rate_option_1")->isChecked());
}

TEST_P(KeyboardModel, CustomColourGroupReachesEveryLedNumber) {
    attach();
    // Mode 20 in group 2: every key takes the lighting colour, sent scaled to colour page 2.
    LightSetting l = model->lighting();
    l.mode = kblight::kCustomColourMode;
    l.red = 0x20, l.green = 0x40, l.blue = 0x80;
    l.customGroup = 2;
    const auto w = l.toWords();
    model->setLightSetting(w.w0, w.w1, w.w2, w.w3);
    model->loadLighting();
    model->setCustomGroup(2);
    model->fillCustomColours(true);
    const std::vector<uint8_t> page = firmware().colourTable(2);
    const auto& maps = model->controller().keyMaps();
    // Every key, also those whose LED number is 126 or above, got its colour.
    int high = 0;
    for (size_t k = 0; k < kKeyboardKeys; ++k) {
        const uint8_t d = maps.led[k];
        if (d == kNoEntry) continue;
        high = std::max<int>(high, d);
        const uint8_t i =
            model->engine().withLeds([&](lighting::LedList leds) { return leds[k].intensity; });
        EXPECT_EQ(page.at(3u * d), (0x20 * i) >> 8) << k;
        EXPECT_EQ(page.at(3u * d + 2), (0x80 * i) >> 8) << k;
    }
    EXPECT_GE(high, 126);
    // The group is kept in the profile.
    const auto stored = profileFile()->readCustomColours(2, 126);
    EXPECT_EQ(stored.at(64).red, 0x20);

    // A key clicked on the lighting tab takes the new colour in the group.
    l.red = 0xF0;
    const auto w2 = l.toWords();
    model->setLightSetting(w2.w0, w2.w1, w2.w2, w2.w3);
    EXPECT_TRUE(model->setCustomKeyColour(64));
    EXPECT_EQ(profileFile()->readCustomColours(2, 126).at(64).red, 0xF0);
}

TEST_P(KeyboardModel, RefusedSettingsReadLeavesTheProfile) {
    attach();
    const Json::Value before = profileFile()->deviceNode();
    // The keyboard names an active profile beyond its memory: its record cannot be read.
    firmware().setActiveProfile(200);
    model->readDeviceSettings();
    EXPECT_EQ(profileFile()->deviceNode(), before);
    // With the link closed nothing is read either.
    model->commandLink().closeLink();
    model->readDeviceSettings();
    EXPECT_EQ(profileFile()->deviceNode(), before);
}

TEST_P(KeyboardModel, SettingsReadTakesTheActiveRecord) {
    attach();
    // Active profile 1: mode 6, brightness 2, speed byte 1 (speed 3), 6-key flag on.
    firmware().setActiveProfile(1);
    firmware().writeConfigBytes(26, std::array<uint8_t, 3>{6, 2, 1});
    firmware().writeConfigBytes(45, std::array<uint8_t, 1>{1});
    model->setWorkingMode(working_mode::kSettings);
    model->readDeviceSettings();
    EXPECT_EQ(model->lighting().mode, 6);
    EXPECT_EQ(model->lighting().speed, 3);
    const auto file = profileFile();
    EXPECT_EQ(file->readLightInfo().mode, 6);
    EXPECT_TRUE(control<QAbstractButton>("6flag_option")->isChecked());
}

INSTANTIATE_TEST_SUITE_P(Links, KeyboardModel, ::testing::Values(false, true),
                         [](const auto& info) { return info.param ? "Receiver" : "Cable"; });

}  // namespace
}  // namespace md::test
