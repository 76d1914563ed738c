// Renders the main window with the virtual mouse attached into main_window_demo.png when
// MD_SCREENSHOT_DIR is set (docs/screenshots/).
#include <QApplication>

#include "devmgmt_fixture.h"
#include "ui/resource_manager.h"

namespace md::test {
namespace {

TEST_F(DeviceManagementTest, MainWindowDemoScreenshot) {
    const QString dir = qEnvironmentVariable("MD_SCREENSHOT_DIR");
    if (dir.isEmpty()) GTEST_SKIP() << "MD_SCREENSHOT_DIR not set";
    qApp->setStyleSheet(ResourceManager::instance().styleSheet());
    start();
    ASSERT_TRUE(waitFor([&] { return tile()->attachCount() >= 1 && !tile()->isHidden(); }));
    waitFor([] { return false; }, std::chrono::milliseconds(300));  // let the page settle
    EXPECT_TRUE(wnd->grab().save(dir + "/main_window_demo.png"));
}

}  // namespace
}  // namespace md::test

namespace md::test {
namespace {

class DeviceListScreenshot : public DeviceManagementTest {
  protected:
    DeviceListScreenshot() { labels = {"mouse", "receiver", "keyboard", "mousepad", "headset"}; }
};

// The device list with every demo device present, the keyboard's page selected.
TEST_F(DeviceListScreenshot, DeviceList) {
    const QString dir = qEnvironmentVariable("MD_SCREENSHOT_DIR");
    if (dir.isEmpty()) GTEST_SKIP() << "MD_SCREENSHOT_DIR not set";
    qApp->setStyleSheet(ResourceManager::instance().styleSheet());
    start();
    ASSERT_TRUE(waitFor([&] { return manager->firstShownTile().second == 4; }));
    manager->showTile(1, true, true);
    waitFor([] { return false; }, std::chrono::milliseconds(300));
    EXPECT_TRUE(wnd->grab().save(dir + "/main_window_devices.png"));
}

}  // namespace
}  // namespace md::test
