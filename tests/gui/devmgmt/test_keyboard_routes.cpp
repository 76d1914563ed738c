// The keyboard page through the main window, on the virtual keyboard: its settings tab, a key
// chosen on the key tab and a key painted in a custom colour group on the lighting tab, each
// as the keyboard holds it afterwards.
#include <QAbstractButton>

#include "devices/keyboard/custom_colours.h"
#include "devmgmt_fixture.h"
#include "pages/keyboard/orrivale_keyboard_device.h"
#include "panels/key_set_control_ui.h"
#include "panels/light_control_ui.h"

namespace md::test {
namespace {

class KeyboardRoutes : public DeviceManagementTest {
  protected:
    void SetUp() override {
        labels = {"keyboard"};
        DeviceManagementTest::SetUp();
        start();
        for (int i = 0; i < manager->tileCount(); ++i)
            if (auto* k = qobject_cast<COrrivaleKeyboardDevice*>(manager->model(i))) {
                keyboard = k;
                keyboardTile = manager->tile(i);
            }
        ASSERT_TRUE(keyboard);
        ASSERT_TRUE(waitFor([&] { return keyboardTile->attachCount() >= 1; }));
        ASSERT_EQ(manager->selectedModel(), keyboard);
    }
    void click(const char* name) {
        auto* b = keyboard->findChild<QAbstractButton*>(name);
        ASSERT_TRUE(b) << name;
        b->click();
    }
    sim::Firmware& firmware() { return bus->device("keyboard")->firmware(); }

    COrrivaleKeyboardDevice* keyboard = nullptr;
    CDeviceOptionUI* keyboardTile = nullptr;
};

TEST_F(KeyboardRoutes, SettingsKeysAndCustomColoursReachTheKeyboard) {
    // Settings tab: the Windows-key lock and a polling rate.
    click("system_Op_tab");
    click("winlockflag_option");
    click("polling_rate_option_0");
    EXPECT_EQ(firmware().config()[21], 1);
    EXPECT_EQ(firmware().config()[22], 0);
    // Clicking the chosen option again keeps it chosen.
    click("polling_rate_option_0");
    EXPECT_TRUE(keyboard->findChild<QAbstractButton*>("polling_rate_option_0")->isChecked());

    // Key tab: the key panel is built when it is first shown; a key of the picture is chosen.
    EXPECT_FALSE(keyboard->findChild<CKeySetControlUI*>());
    click("key_Op_tab");
    ASSERT_TRUE(keyboard->findChild<CKeySetControlUI*>());
    click("key_63");
    EXPECT_EQ(keyboard->selectedKey(), 63);

    // Lighting tab in custom colours: a key clicked takes the lighting colour in the group.
    click("deng_Op_tab");
    EXPECT_EQ(keyboard->selectedKey(), -1);
    LightSetting l = keyboard->lighting();
    l.mode = kblight::kCustomColourMode, l.red = 0x11, l.green = 0x22, l.blue = 0x33;
    l.brightness = 4;
    const auto w = l.toWords();
    keyboard->setLightSetting(w.w0, w.w1, w.w2, w.w3);
    keyboard->loadLighting();
    keyboard->lightPanel()->selectCustomMode(0);
    click("key_64");
    const uint8_t led = keyboard->controller().keyMaps().led[64];
    const std::vector<uint8_t> page = firmware().colourTable(0);
    EXPECT_EQ(page.at(3u * led), 0x11);
    EXPECT_EQ(page.at(3u * led + 2), 0x33);
}

// The main window with the keyboard's page into main_window_keyboard.png when MD_SCREENSHOT_DIR
// is set (docs/screenshots/).
TEST_F(KeyboardRoutes, MainWindowKeyboardScreenshot) {
    const QString dir = qEnvironmentVariable("MD_SCREENSHOT_DIR");
    if (dir.isEmpty()) GTEST_SKIP() << "MD_SCREENSHOT_DIR not set";
    ASSERT_TRUE(waitFor([&] {
        keyboard->pushLedFrame();
        QWidget* lamp = keyboard->lightButton(64);
        return lamp && lamp->property("ledColour").value<QColor>().alpha() > 0;
    }));
    waitFor([] { return false; }, std::chrono::milliseconds(200));
    keyboard->pushLedFrame();
    EXPECT_TRUE(wnd->grab().save(dir + "/main_window_keyboard.png"));
}

}  // namespace
}  // namespace md::test
