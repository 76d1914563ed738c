// Attaching the mouse model built from its page: what it reads from the virtual mouse and what
// the page then shows.
#include <QAbstractButton>
#include <QLineEdit>
#include <QSlider>
#include <QStackedWidget>
#include <QTimer>

#include "common/le_bytes.h"
#include "devices/mouse/mouse_dpi_scale.h"
#include "devices/mouse/mouse_key_table.h"
#include "gui_test_support.h"
#include "mouse_model_fixture.h"

namespace md::test {
namespace {

TEST_P(MouseModelTest, AttachReadsTheMouseAndShowsTheProfile) {
    attach();
    const MouseController& mc = model->controller();
    ASSERT_EQ(mc.keyEntries(), firmware().keyEntries());
    const auto layout = firmware().keyLayout();
    for (size_t b = 0; b < mouseFactoryEntries().size(); ++b) {
        const int pos = mc.keyPositionMap()[b];
        ASSERT_NE(pos, kUnmappedKey) << b;
        EXPECT_TRUE(std::equal(mouseFactoryEntries()[b].begin(), mouseFactoryEntries()[b].end(),
                               layout.begin() + 3 * pos))
            << b;
    }
    EXPECT_EQ(model->keyBindings().size(), size_t(kKeys));

    // A profile that is still the template takes what the mouse holds (its own stages), so
    // that page and mouse agree from the start; all enabled, stage 1 current.
    const std::vector<uint8_t> held = block(0);
    int positions[5];
    for (int i = 0; i < 5; ++i) positions[i] = getLe16(held, size_t(15 + 2 * i));
    EXPECT_NE(positions[0], 7);  // not the template's 800 DPI: the virtual mouse has its own
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(profileFile()->dpiStages()[size_t(i)].dpiX, positions[i]) << i;
        auto* slider = control<QSlider>(QString("DPI_slider_%1").arg(i));
        ASSERT_NE(slider, nullptr);
        EXPECT_EQ(slider->maximum(), 96);
        EXPECT_EQ(slider->value(), positions[i]) << i;
        EXPECT_EQ(control<QLineEdit>(QString("DPI_edit_%1").arg(i))->text(),
                  QString::number(dpiResolutionOfPosition(positions[i])));
        EXPECT_TRUE(control<QAbstractButton>(QString("DPI_enable_check_%1").arg(i))->isChecked());
        EXPECT_TRUE(control(QString("DPI_layout_%1").arg(i))->isEnabled());
        EXPECT_EQ(control<QAbstractButton>(QString("DPI_model_%1").arg(i))->isChecked(), i == 1);
        EXPECT_EQ(slider->property("thumbImage").toString(),
                  i == 1 ? "Control/SliderBar1_Thumb.png" : "Control/SliderBar2_Thumb.png");
    }
    const auto& words = model->mouseStages();
    EXPECT_EQ(control<QSlider>("pointer_speed_slider")->value(), int(words[0] >> 16));
    EXPECT_EQ(control<QSlider>("double_click_slider")->value(), int(words[0] & 0xFFFF));
    EXPECT_EQ(control<QAbstractButton>("pointer_precision_check")->isChecked(),
              (words[1] & 0xFFFF) != 0);
    EXPECT_EQ(control<QSlider>("scroll_speed_slider")->value(), int(words[2] & 0xFFFF));
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(control<QAbstractButton>(QString("polling_rate_option_%1").arg(i))->isChecked(),
                  i == int(words[2] >> 16));
    EXPECT_TRUE(waitFor([&] { return model->previewRunning(); }));
}

TEST_P(MouseModelTest, ReadDeviceSettingsTakesTheMousesActiveStage) {
    attach();
    const uint8_t stage[] = {3};  // the mouse's current stage
    firmware().writeConfigBytes(25, stage);
    model->readDeviceSettings();
    EXPECT_EQ(model->profileData().getActiveStage(), 3);
    EXPECT_TRUE(control<QAbstractButton>("DPI_model_3")->isChecked());
    EXPECT_FALSE(control<QAbstractButton>("DPI_model_1")->isChecked());
    EXPECT_EQ(profileFile()->getActiveStage(), 3);
}

TEST_P(MouseModelTest, PowerStatusReachesTheTileAndTheOwner) {
    attach();
    std::vector<qint64> messages;
    QObject::connect(model, &COrrivaleUSBDevice::ownerMessage,
                     [&](int msg, qint64 w, qint64) { messages.push_back(msg == 3329 ? w : -1); });
    firmware().setBattery(64);
    firmware().setPowerByte(4, 7);
    model->refreshPowerStatus();
    const QByteArray status = powerTile.property("powerStatus").toByteArray();
    ASSERT_EQ(status.size(), 6);
    EXPECT_EQ(uint8_t(status[3]), wireless() ? 1 : 0);
    EXPECT_EQ(uint8_t(status[0]), 64);
    EXPECT_EQ(messages, std::vector<qint64>{7});
}

TEST_P(MouseModelTest, LightButtonsArePaintedFromThePreview) {
    for (int i = 0; i < kLeds; ++i) {
        ASSERT_NE(model->lightButton(i), nullptr) << i;
        EXPECT_EQ(model->getLedColour(i), 0xFFFFFFFFu) << i;  // white until the first frame
    }
    attach();
    owner.show();  // the preview is computed only while the page can be seen
    // A steady red lighting: every LED of the preview becomes red, the logo with LED 2.
    LightSetting red;
    red.mode = 2, red.brightness = 4, red.speed = 4, red.red = 0xFF;
    model->setLightSetting(
        uint32_t(red.mode) | uint32_t(red.brightness) << 8 | uint32_t(red.speed) << 16,
        uint32_t(red.red) << 8, 0, 0);
    ASSERT_TRUE(waitFor([&] {
        model->pushLedFrame();  // what the tile's frame refresh does
        const QColor c = model->lightButton(0)->property("ledColour").value<QColor>();
        return c.red() > 0 && c.green() == 0 && c.blue() == 0;
    }));
    const QColor logo = control("logo")->property("ledColour").value<QColor>();
    EXPECT_EQ(logo, model->lightButton(2)->property("ledColour").value<QColor>());
}

TEST_P(MouseModelTest, ProfileSwitchAndReset) {
    attach();
    // The page's profile panel named the model's profile: the list's current one.
    const std::string first = model->profileName();
    control<QSlider>("DPI_slider_0")->setValue(40);
    model->onDpiSliderReleased(0);
    ASSERT_EQ(block(0)[15], 40);

    // The main window's profile switch.
    model->setProfileName("second_profile");
    model->loadProfile();
    model->validateMacroKeys();
    model->showSettings();
    EXPECT_EQ(model->writeSettingsToDevice(0, 0), 1);
    EXPECT_EQ(model->writeMacrosToDevice(), 0);
    EXPECT_EQ(control<QSlider>("DPI_slider_0")->value(), 7);
    EXPECT_EQ(block(0)[15], 7);

    model->setProfileName(first);
    model->loadProfile();
    model->showSettings();
    EXPECT_EQ(control<QSlider>("DPI_slider_0")->value(), 40);
    model->resetToDefaults();
    EXPECT_EQ(control<QSlider>("DPI_slider_0")->value(), 7);
    EXPECT_EQ(profileFile()->dpiStages()[0].dpiX, 7);
    EXPECT_EQ(model->getProfileFilePath(), model->profileFilePath());
}

TEST_P(MouseModelTest, WorkingModeSelectsThePagesAndHidesTheHint) {
    auto* functions = control<QStackedWidget>("device_function_switch");
    auto* keys = control<QStackedWidget>("device_key_function_switch");
    owner.show();
    ASSERT_TRUE(control("device_tishi_info")->isVisible());
    const int cases[][3] = {{5, 2, 0}, {2, 0, 1}, {4, 3, 1}, {1, 0, 0}};
    for (const auto& c : cases) {
        model->setWorkingMode(c[0]);
        EXPECT_EQ(functions->currentIndex(), c[1]) << c[0];
        EXPECT_EQ(keys->currentIndex(), c[2]) << c[0];
    }
    EXPECT_FALSE(control("device_tishi_info")->isVisible());
    // Lighting (mode 1) first; the performance page is the system page (mode 4).
    EXPECT_EQ(keys->widget(0)->objectName(), "LightControlItem");
    EXPECT_EQ(functions->widget(3)->objectName(), "mouse_performance_page");
}

INSTANTIATE_TEST_SUITE_P(Links, MouseModelTest, ::testing::Values(false, true),
                         [](const auto& info) { return info.param ? "Receiver" : "Cable"; });

TEST_P(MouseModelTest, AProfileTheUserChangedIsWrittenAtAttach) {
    // Stage 1 at 61 in a profile saved before the mouse came.
    CMouseProfiledata before;
    before.setDefaultPath(model->defaultTemplatePath());
    before.setProfilePath(model->profileFilePath());
    before.loadNode(model->profileFilePath());
    auto stages = before.readDpiStages();
    stages[0].dpiX = 61;
    before.writeDpiStages(stages);
    ASSERT_TRUE(before.save());
    attach();
    EXPECT_EQ(getLe16(block(0), 15), 61);
    EXPECT_EQ(control<QSlider>("DPI_slider_0")->value(), 61);
    EXPECT_EQ(profileFile()->dpiStages()[0].dpiX, 61);
}

}  // namespace
}  // namespace md::test
