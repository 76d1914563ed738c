// The lighting panel of the mouse page through the main window, on the virtual mouse over its
// cable and through its receiver: each control changes the profile's "LightInfo" and the
// mouse's settings block; showing a lighting record sends nothing; colour edits always give a
// channel in 0-255.
#include <QAbstractButton>
#include <QComboBox>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QSlider>

#include "app/devmgmt/page_router.h"
#include "app/devmgmt/same_mode.h"
#include "devmgmt_fixture.h"
#include "panels/light_control_ui.h"
#include "profiles/json_file_io.h"

namespace md::test {
namespace {

class LightPanelTest : public DeviceManagementTest, public ::testing::WithParamInterface<bool> {
  protected:
    void attach() {
        startOnOneLink(GetParam());
        panel = model()->findChild<CLightControlUI*>();
        ASSERT_TRUE(panel);
    }
    std::vector<uint8_t> block() { return mouse->firmware().configBlock(0); }
    Json::Value lightInfo() {
        return JsonFileIO::loadJsonDocument(
            model()->getProfileFilePath())["Device"][0]["LightInfo"];
    }
    template <typename T = QWidget>
    T* control(const char* name) {
        return panel->findChild<T*>(name);
    }
    void leaveEdit(const char* name, const QString& text) {
        auto* e = control<QLineEdit>(name);
        e->setText(text);
        wnd->notify(Notification{"killfocus", name, e, 0, 0});
    }

    CLightControlUI* panel = nullptr;
};

TEST_P(LightPanelTest, EnterAppliesATypedValueAndEscTakesItBack) {
    attach();
    control<QComboBox>("light_combo_modeSelect")->setCurrentIndex(9);  // uses every control
    auto* red = control<QLineEdit>("deng_edit_R");
    auto key = [&](int k) {
        QKeyEvent press(QEvent::KeyPress, k, Qt::NoModifier);
        QCoreApplication::sendEvent(red, &press);
    };
    QFocusEvent in(QEvent::FocusIn);
    QCoreApplication::sendEvent(red, &in);
    red->setText("17");
    key(Qt::Key_Return);  // applied without leaving the field
    EXPECT_EQ(lightInfo()["Red"], 17);
    EXPECT_EQ(block()[6], 17);
    red->setText("200");
    key(Qt::Key_Escape);  // the typed text goes, the applied value stays
    EXPECT_EQ(red->text(), "17");
    QFocusEvent out(QEvent::FocusOut);
    QCoreApplication::sendEvent(red, &out);
    EXPECT_EQ(lightInfo()["Red"], 17);
    EXPECT_EQ(block()[6], 17);
}

TEST_P(LightPanelTest, EachControlReachesProfileAndMouse) {
    attach();
    control<QComboBox>("light_combo_modeSelect")->setCurrentIndex(3);  // written to the mouse
    EXPECT_EQ(block()[1], 3);
    EXPECT_EQ(lightInfo()["SelectItem"], 3);
    // Effects 5 and up run on the host: the mouse's block says 0, the profile keeps the effect.
    control<QComboBox>("light_combo_modeSelect")->setCurrentIndex(9);  // uses every control
    EXPECT_EQ(block()[1], 0);
    EXPECT_EQ(lightInfo()["SelectItem"], 9);

    control<QSlider>("deng_light_slider")->setValue(2);
    EXPECT_EQ(block()[2], 2);
    EXPECT_EQ(lightInfo()["Light"], 2);
    control<QSlider>("deng_speed_slider")->setValue(1);
    EXPECT_EQ(block()[3], GetParam() ? 3 : 1);  // the receiver takes the speed reversed
    EXPECT_EQ(lightInfo()["Speed"], 1);

    control<QAbstractButton>("deng_FXL_check")->click();
    EXPECT_EQ(lightInfo()["Fx"], 1);
    EXPECT_TRUE(control<QAbstractButton>("deng_FXL_check")->isChecked());
    EXPECT_FALSE(control<QAbstractButton>("deng_FXR_check")->isChecked());

    control<QAbstractButton>("color_option_3")->click();  // #00D25B
    EXPECT_EQ((std::vector<uint8_t>{block()[6], block()[7], block()[8]}),
              (std::vector<uint8_t>{0x00, 0xD2, 0x5B}));
    EXPECT_EQ(control<QLineEdit>("deng_edit_G")->text(), "210");

    control<QComboBox>("light_combo_modeSelect")->setCurrentIndex(11);  // flash: multi-colour
    control<QAbstractButton>("deng_7color_check")->click();
    EXPECT_EQ(block()[5], 1);
    EXPECT_EQ(lightInfo()["MultiColor"], 1);
    // A colour turns multi-colour off.
    leaveEdit("deng_edit_R", "300");
    EXPECT_EQ(control<QLineEdit>("deng_edit_R")->text(), "255");
    EXPECT_EQ(block()[5], 0);
    EXPECT_EQ(block()[6], 255);
    EXPECT_FALSE(control<QAbstractButton>("deng_7color_check")->isChecked());
}

TEST_P(LightPanelTest, ColourEditsAlwaysGiveAChannel) {
    attach();
    struct Case {
        const char* text;
        const char* shown;
        int channel;
    };
    for (const Case& c : {Case{"", "0", 0}, Case{"-5", "0", 0}, Case{"99999999999", "255", 255},
                          Case{"abc", "0", 0}, Case{"42", "42", 42}}) {
        leaveEdit("deng_edit_B", c.text);
        EXPECT_EQ(control<QLineEdit>("deng_edit_B")->text(), c.shown) << c.text;
        EXPECT_EQ(block()[8], c.channel) << c.text;
        EXPECT_EQ(lightInfo()["Blue"], c.channel) << c.text;
    }
}

TEST_P(LightPanelTest, ShowingTheLightingSendsNothing) {
    attach();
    const uint64_t sessions = mouse->firmware().sessionsBegun();
    const Json::Value before = lightInfo();
    model()->showSettings();
    panel->showLightInfo(0x01020304u, 0x05060701u);  // multi-colour on, as a record shows it
    EXPECT_TRUE(control<QAbstractButton>("deng_7color_check")->isChecked());
    EXPECT_EQ(mouse->firmware().sessionsBegun(), sessions);
    EXPECT_EQ(lightInfo(), before);
}

TEST_P(LightPanelTest, RulesFollowTheEffect) {
    attach();
    control<QComboBox>("light_combo_modeSelect")->setCurrentIndex(4);  // off: nothing to set
    EXPECT_FALSE(control("deng_light_layout")->isEnabled());
    EXPECT_FALSE(control("light_color_layout")->isEnabled());
    control<QComboBox>("light_combo_modeSelect")->setCurrentIndex(9);  // all controls
    EXPECT_TRUE(control("deng_light_layout")->isEnabled());
    EXPECT_TRUE(control("deng_fx_layout")->isEnabled());
    EXPECT_TRUE(control("deng_7color_check")->isEnabled());
    // One device active: no same-mode offer even for a shared effect.
    control<QComboBox>("light_combo_modeSelect")->setCurrentIndex(2);
    EXPECT_TRUE(control("deng_same_mode")->isHidden());
}

TEST_P(LightPanelTest, KeyboardOnlyControlsActOnlyForTheKeyboardType) {
    attach();
    auto* zzcc = control<QComboBox>("light_combo_ZZCCmodeSelect");
    {
        const QSignalBlocker block(zzcc);
        zzcc->addItems({"a", "b", "c"});
    }
    zzcc->setCurrentIndex(2);  // a mouse panel: ignored
    EXPECT_EQ(lightInfo()["ZZCCLedMode"].asInt(), 0);
    panel->setDeviceType(1);  // as the keyboard's panel
    zzcc->setCurrentIndex(1);
    EXPECT_EQ(model()->lighting().zzccLedMode, 1);
    EXPECT_EQ(lightInfo()["ZZCCLedMode"], 1);
    // The custom-group controls reach the model's custom-colour operations (the mouse has
    // none): nothing is written to the mouse.
    const uint64_t sessions = mouse->firmware().sessionsBegun();
    auto* custom = control<QComboBox>("light_combo_custommodeSelect");
    custom->addItems({"g1", "g2"});
    custom->setCurrentIndex(1);
    QStringList asked;
    manager->router().confirm = [&](const QString& id) {
        asked << id;
        return true;
    };
    control<QAbstractButton>("custom_bright_color_btn")->click();
    EXPECT_TRUE(asked.isEmpty());
    control<QAbstractButton>("custom_off_color_btn")->click();  // clears: asked first
    EXPECT_EQ(asked, QStringList{"message_custom_clear"});
    EXPECT_EQ(mouse->firmware().sessionsBegun(), sessions);
}

// Same mode with the mouse and a keyboard active: offered for shared effects, the shared
// lighting's frames own the mouse's LED colours, and leaving it stops the worker.
class SameModeTest : public DeviceManagementTest {
  protected:
    SameModeTest() { labels = {"mouse", "keyboard"}; }
};

TEST_F(SameModeTest, SharedLightingOwnsTheColoursUntilTheDeviceLeaves) {
    start();
    ASSERT_TRUE(waitFor([&] { return manager->firstShownTile().second == 2; }));
    ASSERT_TRUE(waitFor([&] { return tile()->attachCount() >= 1; }));
    manager->showTile(0, true, true);  // the mouse's page
    auto* panel = model()->findChild<CLightControlUI*>();
    ASSERT_TRUE(panel);
    auto* combo = panel->findChild<QComboBox*>("light_combo_modeSelect");
    combo->setCurrentIndex(9);  // not shared
    EXPECT_TRUE(panel->findChild<QWidget*>("deng_same_mode")->isHidden());
    combo->setCurrentIndex(2);  // steady: shared
    auto* same = panel->findChild<QAbstractButton*>("deng_same_mode");
    ASSERT_FALSE(same->isHidden());
    SameMode& sameMode = manager->router().sameMode();

    // Steady red at full brightness on every LED.
    LightSetting l = model()->lighting();
    l.red = 255, l.green = 0, l.blue = 0, l.brightness = 4, l.multiColor = 0;
    const auto w = l.toWords();
    model()->setLightSetting(w.w0, w.w1, w.w2, w.w3);
    same->click();
    EXPECT_TRUE(model()->sameMode());
    EXPECT_TRUE(sameMode.playing());
    const uint32_t red = 0xFF0000FFu;  // red, intensity 255
    ASSERT_TRUE(waitFor([&] {
        for (int i = 0; i < model()->getLedCount(); ++i)
            if (model()->getLedColour(i) != red) return false;
        return true;
    }));
    EXPECT_FALSE(model()->previewRunning());  // the mouse's own preview is paused

    COrrivaleUSBDevice* keyboard = manager->models(ModelList::Keyboards).at(0);
    EXPECT_TRUE(keyboard->sameMode());

    // Brightness takes only the mouse out of same mode; the keyboard stays in it.
    panel->findChild<QSlider*>("deng_light_slider")->setValue(1);
    EXPECT_FALSE(model()->sameMode());
    EXPECT_TRUE(model()->previewRunning());
    EXPECT_TRUE(keyboard->sameMode());
    EXPECT_TRUE(sameMode.playing());
    // With one device left active nobody is in same mode and the worker stops.
    bus->unplug(bus->device("keyboard"));
    ASSERT_TRUE(waitFor([&] { return !sameMode.playing(); }));
    EXPECT_FALSE(keyboard->sameMode());

    // An effect without a shared mode changes nothing.
    combo->setCurrentIndex(9);
    EXPECT_FALSE(sameMode.start(*model()));
    EXPECT_FALSE(model()->sameMode());
}

// Four devices: same mode from the mouse puts the keyboard and the mousepad on the shared
// lighting, whose frames reach them over their cables.
class SameModeFourDevicesTest : public DeviceManagementTest {
  protected:
    SameModeFourDevicesTest() { labels = {"mouse", "keyboard", "mousepad", "headset"}; }
};

TEST_F(SameModeFourDevicesTest, FramesReachTheKeyboardAndTheMousepad) {
    start();
    ASSERT_TRUE(waitFor([&] { return manager->firstShownTile().second == 4; }));
    manager->showTile(0, true, true);
    auto* panel = model()->findChild<CLightControlUI*>();
    ASSERT_TRUE(panel);
    panel->findChild<QComboBox*>("light_combo_modeSelect")->setCurrentIndex(2);  // steady
    LightSetting l = model()->lighting();
    l.red = 0, l.green = 255, l.blue = 0, l.brightness = 4, l.multiColor = 0;
    const auto w = l.toWords();
    model()->setLightSetting(w.w0, w.w1, w.w2, w.w3);
    panel->findChild<QAbstractButton*>("deng_same_mode")->click();
    for (const char* device : {"keyboard", "mousepad"}) {
        sim::Firmware& fw = bus->device(device)->firmware();
        ASSERT_TRUE(waitFor([&] {
            const std::vector<uint8_t> frame = fw.ledFrame();
            // Full green at intensity 255, scaled as frames are: (255 * 255) >> 8.
            return frame.size() >= 3 && frame[0] == 0 && frame[1] == 254 && frame[2] == 0;
        })) << device;
    }
    // Leaving same mode on every device stops the shared frames; the mousepad goes back to its
    // own effect (the same steady green, now its profile's): one frame, then it rests.
    for (ModelList list :
         {ModelList::Keyboards, ModelList::Mice, ModelList::MousePads, ModelList::Headsets})
        for (COrrivaleUSBDevice* m : manager->models(list)) m->setSameMode(false);
    manager->router().sameMode().refresh();
    EXPECT_FALSE(manager->router().sameMode().playing());
    waitFor([] { return false; }, std::chrono::milliseconds(100));
    const uint64_t frames = bus->device("mousepad")->firmware().ledFramesStarted();
    waitFor([] { return false; }, std::chrono::milliseconds(100));
    EXPECT_EQ(bus->device("mousepad")->firmware().ledFramesStarted(), frames);
}

INSTANTIATE_TEST_SUITE_P(Links, LightPanelTest, ::testing::Values(false, true),
                         [](const auto& info) { return info.param ? "Receiver" : "Cable"; });

TEST_F(SameModeTest, TheKeyboardPictureShowsTheSharedLightingWhenItsPageOpensLater) {
    start();
    ASSERT_TRUE(waitFor([&] { return manager->firstShownTile().second == 2; }));
    ASSERT_TRUE(waitFor([&] { return tile()->attachCount() >= 1; }));
    manager->showTile(0, true, true);  // the mouse's page; the keyboard's is not built yet
    auto* panel = model()->findChild<CLightControlUI*>();
    panel->findChild<QComboBox*>("light_combo_modeSelect")->setCurrentIndex(2);  // steady
    LightSetting l = model()->lighting();
    l.red = 255, l.green = 220, l.blue = 0, l.brightness = 4, l.multiColor = 0;
    const auto w = l.toWords();
    model()->setLightSetting(w.w0, w.w1, w.w2, w.w3);
    panel->findChild<QAbstractButton*>("deng_same_mode")->click();
    COrrivaleUSBDevice* keyboard = manager->models(ModelList::Keyboards).at(0);
    const uint32_t yellow = 0xFF00DCFFu;
    ASSERT_TRUE(waitFor([&] { return keyboard->getLedColour(0) == yellow; }));
    // The keyboard's page opens now: its picture shows yellow keys, not the new picture's white.
    manager->showTile(1, true, true);
    ASSERT_TRUE(waitFor([&] { return keyboard->findChild<QWidget*>("light_0") != nullptr; }));
    waitFor([] { return false; }, std::chrono::milliseconds(100));
    int yellowLamps = 0, lamps = 0;
    for (QWidget* lamp : keyboard->findChildren<QWidget*>()) {
        if (!lamp->objectName().startsWith("light_")) continue;
        const QColor c = lamp->property("ledColour").value<QColor>();
        if (!c.isValid()) continue;
        ++lamps;
        if (c == QColor(255, 220, 0, 255)) ++yellowLamps;
    }
    EXPECT_GT(lamps, 60);
    EXPECT_EQ(yellowLamps, lamps);
}

}  // namespace
}  // namespace md::test
