// Renders the mouse page with the virtual mouse attached into mouse_page.png when
// MD_SCREENSHOT_DIR is set (docs/screenshots/), and its pointer and wheel sub-page into
// mouse_page_pointer.png, its lighting page into mouse_page_lighting.png, its key page into
// mouse_page_keys.png, its macro page into mouse_page_macros.png, its recoil page into
// mouse_page_recoil.png, and the profile
// panel's menu into mouse_page_profiles.png.
#include <QApplication>
#include <QPainter>

#include "gui_test_support.h"
#include "mouse_model_fixture.h"
#include "panels/device_profile_ui.h"
#include "panels/macro_action_model.h"
#include "panels/macro_control_ui.h"
#include "panels/shoot_control_ui.h"
#include "ui/resource_manager.h"

namespace md::test {
namespace {

class MouseScreenshot : public MouseModelTest {};

TEST_P(MouseScreenshot, MousePage) {
    const QString dir = qEnvironmentVariable("MD_SCREENSHOT_DIR");
    if (dir.isEmpty()) GTEST_SKIP() << "MD_SCREENSHOT_DIR not set";
    qApp->setStyleSheet(ResourceManager::instance().styleSheet());
    attach();
    LightSetting light;
    light.mode = 2, light.brightness = 4, light.speed = 4;
    light.red = 0x00, light.green = 0x99, light.blue = 0xFF;
    model->setLightSetting(2 | 4 << 8 | 4 << 16, uint32_t(0x99) << 16 | uint32_t(0xFF) << 24, 0, 0);
    owner.setObjectName("shot");
    owner.setStyleSheet("#shot { background: #0E1117; }");
    owner.resize(820, 560);
    model->setGeometry(10, 10, 800, 540);
    owner.show();
    ASSERT_TRUE(waitFor([&] {
        model->pushLedFrame();  // what the tile's frame refresh does
        const QColor c = model->lightButton(0)->property("ledColour").value<QColor>();
        return c.blue() > 0 && c.red() == 0;
    }));
    waitFor([] { return false; }, std::chrono::milliseconds(100));
    model->setWorkingMode(4);  // the performance page
    EXPECT_TRUE(owner.grab().save(dir + "/mouse_page.png"));
    model->selectSettingsPage(1);
    EXPECT_TRUE(owner.grab().save(dir + "/mouse_page_pointer.png"));
    model->setWorkingMode(1);  // the lighting page
    model->showSettings();
    EXPECT_TRUE(owner.grab().save(dir + "/mouse_page_lighting.png"));
    // The key page: the forward button chosen, assigned Ctrl+C.
    model->setWorkingMode(2);
    if (auto* profiles = model->findChild<CDeviceProfileUI*>()) profiles->selectTab(2);
    model->selectKey(3);
    KeyBinding forward = model->keyBindings().at(3);
    forward.assignment = {0x20, 0x01, 0x06};
    model->storeKeyAssignment(forward);
    model->selectKey(3);
    EXPECT_TRUE(owner.grab().save(dir + "/mouse_page_keys.png"));
    // The macro page with a recorded macro.
    model->setWorkingMode(3);
    if (auto* profiles = model->findChild<CDeviceProfileUI*>()) profiles->selectTab(3);
    if (auto* macros = model->findChild<CMacroControlUI*>()) {
        macros->addMacro();
        macros->addMacro();
        macros->selectMacro(0);
        macros->actions().setEvents({{MacroEvent::kModifier, 0x01, true, 35},
                                     {MacroEvent::kKey, 0x06, true, 90},
                                     {MacroEvent::kKey, 0x06, false, 40},
                                     {MacroEvent::kModifier, 0x01, false, 120},
                                     {MacroEvent::kMouseButton, 0x01, true, 60},
                                     {MacroEvent::kMouseButton, 0x01, false, 200},
                                     {MacroEvent::kMoveX, 20, true, 0}});
        macros->selectAction(1);
        EXPECT_TRUE(owner.grab().save(dir + "/mouse_page_macros.png"));
    }
    // The recoil page, gun 1, bullet 5.
    model->setWorkingMode(5);
    if (auto* profiles = model->findChild<CDeviceProfileUI*>()) profiles->selectTab(5);
    if (auto* shoot = model->findChild<CShootControlUI*>()) {
        shoot->selectGun(0);
        shoot->selectBullet(4);
        EXPECT_TRUE(owner.grab().save(dir + "/mouse_page_recoil.png"));
    }
    model->setWorkingMode(1);
    if (auto* profiles = model->findChild<CDeviceProfileUI*>()) profiles->selectTab(1);
    // The profile panel with its menu open, three profiles in the list.
    model->selectSettingsPage(0);
    auto* panel = model->findChild<CDeviceProfileUI*>();
    ASSERT_TRUE(panel);
    panel->addProfile();
    panel->addProfile();
    panel->setMenuVisible(true);
    waitFor([] { return false; }, std::chrono::milliseconds(50));
    // The menu is a popup window of its own: drawn over the page where it opened.
    QPixmap shot = owner.grab();
    QWidget* menu = panel->menuWidget();
    ASSERT_TRUE(menu && menu->isVisible());
    {
        QPainter p(&shot);
        p.drawPixmap(owner.mapFromGlobal(menu->pos()), menu->grab());
    }
    EXPECT_TRUE(shot.save(dir + "/mouse_page_profiles.png"));
}

INSTANTIATE_TEST_SUITE_P(Cable, MouseScreenshot, ::testing::Values(false));

}  // namespace
}  // namespace md::test
