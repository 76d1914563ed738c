#include "devmgmt_fixture.h"

#include "app/shell/control_classes.h"
#include "app/shell/language_controller.h"
#include "devlink/hid/hid_backend.h"
#include "devlink/link/device_id_config.h"
#include "pages/device_page_classes.h"
#include "profiles/app_paths.h"

namespace md::test {

void DeviceManagementTest::SetUp() {
    useSourceSkin();
    registerApplicationControls();
    registerDevicePageControls();
    bus = sim::makeVirtualBus(labels, "");
    ASSERT_TRUE(bus);
    mouse = bus->device("mouse");
    receiver = bus->device("receiver");
    setDefaultHidBackend(bus);
    const QString folder = freshFolder("devmgmt");
    AppPaths::setDataRoot(folder.toStdString());
    wnd = std::make_unique<CMainWnd>(std::make_unique<LanguageController>(
        sourceDataFolder() + "Language.config", folder + "settings.ini"));
    manager = new DeviceManager(
        *wnd, loadDeviceTable(sourceDataFolder().toStdString() + "devices.json", ""));
}

void DeviceManagementTest::TearDown() {
    wnd.reset();
    manager = nullptr;
    setDefaultHidBackend(nullptr);
    AppPaths::setDataRoot("");
}

void DeviceManagementTest::start() {
    wnd->show();
    ASSERT_TRUE(waitFor([&] { return wnd->initialised(); }));
    ASSERT_TRUE(waitFor([&] { return wnd->isVisible(); }));
    ASSERT_GE(manager->tileCount(), 1);
}

void DeviceManagementTest::startOnOneLink(bool throughReceiver) {
    bus->unplug(throughReceiver ? mouse : receiver);
    start();
    ASSERT_TRUE(waitFor([&] { return !tile()->isHidden() && tile()->attachCount() >= 1; }));
}

}  // namespace md::test
