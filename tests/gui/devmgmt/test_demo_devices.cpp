// The demo's virtual devices: the bus becomes the default backend and the "Virtual devices"
// submenu plugs and unplugs each device.
#include <gtest/gtest.h>

#include <QAction>
#include <QMenu>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "app/services/demo_devices.h"
#include "devlink/hid/hid_backend.h"
#include "gui_test_support.h"
#include "sim/virtual_bus.h"

namespace md::test {
namespace {

TEST(DemoDevicesTest, ADamagedStateIsKeptAsideAndTheDemoStillHasItsDevices) {
    useSourceSkin();
    const std::string folder = freshFolder("demo-state").toStdString();
    const std::string state = folder + "demo-devices.json";
    std::ofstream(state) << "{ damaged";
    {
        DemoDevices demo(state);
        ASSERT_TRUE(demo.valid());
        for (const char* label : DemoDevices::kLabels) EXPECT_TRUE(demo.plugged(label)) << label;
    }
    std::ifstream aside(state + ".damaged");
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(aside), {}), "{ damaged");
    EXPECT_TRUE(std::filesystem::exists(state));  // a fresh state, written at the end
}

TEST(DemoDevicesTest, MenuPlugsAndUnplugsTheVirtualDevices) {
    useSourceSkin();
    std::weak_ptr<sim::VirtualBus> bus;
    {
        DemoDevices demo("");
        ASSERT_TRUE(demo.valid());
        bus = demo.bus();
        EXPECT_EQ(defaultHidBackend(), demo.bus());
        for (const char* label : DemoDevices::kLabels) EXPECT_TRUE(demo.plugged(label)) << label;

        QMenu menu;
        demo.fillMenu(&menu);
        auto* sub = menu.findChild<QMenu*>("demo_devices_menu");
        ASSERT_NE(sub, nullptr);
        EXPECT_FALSE(sub->title().isEmpty());
        ASSERT_EQ(sub->actions().size(), 5);
        QAction* cable = sub->findChild<QAction*>("demo_plug_mouse");
        ASSERT_NE(cable, nullptr);
        EXPECT_TRUE(cable->isChecked());
        cable->trigger();  // unplug
        EXPECT_FALSE(demo.plugged("mouse"));
        EXPECT_TRUE(demo.plugged("receiver"));
        cable->trigger();  // plug again
        EXPECT_TRUE(demo.plugged("mouse"));
    }
    // The process's own backend is back.
    EXPECT_NE(defaultHidBackend(), bus.lock());
    EXPECT_NE(defaultHidBackend(), nullptr);
}

}  // namespace
}  // namespace md::test
