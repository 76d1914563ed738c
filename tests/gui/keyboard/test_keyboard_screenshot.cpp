// Renders the keyboard page with the virtual keyboard attached when MD_SCREENSHOT_DIR is set
// (docs/screenshots/): its lighting tab into keyboard_page_lighting.png, its key tab with a
// key chosen into keyboard_page_keys.png and its settings tab into keyboard_page_settings.png.
#include <QApplication>

#include "gui_test_support.h"
#include "keyboard_model_fixture.h"
#include "panels/device_profile_ui.h"
#include "ui/resource_manager.h"

namespace md::test {
namespace {

class KeyboardScreenshot : public KeyboardModelTest {};

TEST_P(KeyboardScreenshot, KeyboardPage) {
    const QString dir = qEnvironmentVariable("MD_SCREENSHOT_DIR");
    if (dir.isEmpty()) GTEST_SKIP() << "MD_SCREENSHOT_DIR not set";
    qApp->setStyleSheet(ResourceManager::instance().styleSheet());
    attach();
    // The column wave in many colours, at full brightness.
    LightSetting l = model->lighting();
    l.mode = 1, l.brightness = 4, l.speed = 3, l.multiColor = 1;
    const auto w = l.toWords();
    model->setLightSetting(w.w0, w.w1, w.w2, w.w3);
    model->loadLighting();
    model->showSettings();
    owner.setObjectName("shot");
    owner.setStyleSheet("#shot { background: #0E1117; }");
    owner.resize(736, 560);
    model->setGeometry(10, 10, 716, 540);
    owner.show();
    ASSERT_TRUE(waitFor([&] {
        model->pushLedFrame();
        const QColor c = model->lightButton(64)->property("ledColour").value<QColor>();
        return c.alpha() > 0 && (c.red() || c.green() || c.blue());
    }));
    model->setWorkingMode(1);
    EXPECT_TRUE(owner.grab().save(dir + "/keyboard_page_lighting.png"));
    model->setWorkingMode(2);
    if (auto* profiles = model->findChild<CDeviceProfileUI*>()) profiles->selectTab(2);
    model->selectKey(63);
    KeyBinding b = model->keyList()->at(63);
    b.assignment = {0x20, 0x01, 0x00};
    model->storeKeyAssignment(b);
    model->selectKey(63);
    EXPECT_TRUE(owner.grab().save(dir + "/keyboard_page_keys.png"));
    model->setWorkingMode(4);
    if (auto* profiles = model->findChild<CDeviceProfileUI*>()) profiles->selectTab(4);
    EXPECT_TRUE(owner.grab().save(dir + "/keyboard_page_settings.png"));
}

INSTANTIATE_TEST_SUITE_P(Cable, KeyboardScreenshot, ::testing::Values(false));

}  // namespace
}  // namespace md::test
