#pragma once
// The main window with its device manager on a virtual bus holding the mouse and its receiver
// (both plugged; a test unplugs what it does not want before start()).

#include <gtest/gtest.h>

#include <memory>

#include "app/devmgmt/device_manager.h"
#include "app/shell/main_wnd.h"
#include "controls/device_option_ui.h"
#include "gui_test_support.h"
#include "pages/mouse/orrivale_mouse_device.h"
#include "sim/sim_devices.h"

namespace md::test {

class DeviceManagementTest : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;
    // Shows the window: the first "windowinit" builds the pages and starts detection; waits
    // for the first detection pass to bring the window forward.
    void start();
    // Only the mouse's cable or only its receiver plugged, the window started and the mouse
    // attached on that link.
    void startOnOneLink(bool throughReceiver);

    CDeviceOptionUI* tile() const { return manager->tile(0); }
    COrrivaleMouseDevice* model() const { return manager->mice().at(0); }

    // The devices on the bus, all plugged at the start.
    std::vector<std::string> labels{"mouse", "receiver"};
    std::shared_ptr<sim::VirtualBus> bus;
    std::shared_ptr<sim::VirtualDevice> mouse, receiver;
    std::unique_ptr<CMainWnd> wnd;
    DeviceManager* manager = nullptr;  // owned by wnd
};

}  // namespace md::test
