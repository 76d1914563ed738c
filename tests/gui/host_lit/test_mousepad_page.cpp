// The mousepad page on the virtual mousepad: attaching, the lighting block, the frames of two
// effects (the wave's step per LED, the ripple leaving LED 0 as it was), and in the main window
// the charger's state and phone type on the device tile. With MD_SCREENSHOT_DIR set it renders
// mousepad_page.png and main_window_mousepad.png.
#include <QApplication>

#include "controls/mp_device_power_ui.h"
#include "devices/lighting/lighting_tables.h"
#include "devlink/sim_link_fixture.h"
#include "devmgmt/devmgmt_fixture.h"
#include "gui_test_support.h"
#include "host_lit_page_fixture.h"
#include "pages/mousepad/orrivale_mousepad_device.h"
#include "profiles/app_paths.h"
#include "ui/resource_manager.h"

namespace md::test {
namespace {

class MousepadPage : public HostLitPageTest {
  protected:
    void SetUp() override { setUpPage("mousepad"); }
    // LED i of the frame the mousepad last received.
    sim::Rgb frameLed(size_t i) {
        const auto f = firmware().ledFrame();
        return {f[3 * i], f[3 * i + 1], f[3 * i + 2]};
    }
    // The phase of the single-colour wave the frame shows, or -1: LED i at curve entry k + 7i.
    int wavePhase(const LightSetting& l) {
        for (int k = 0; k < 96; ++k) {
            bool all = true;
            for (size_t i = 0; i < 15 && all; ++i) {
                const auto v = uint8_t((lighting::brightnessLevel(l.brightness) *
                                        lighting::kShortCurve[(k + 7 * i) % 96]) >>
                                       8);
                all = frameLed(i) == sim::Rgb{lighting::scaled(l.red, v),
                                              lighting::scaled(l.green, v),
                                              lighting::scaled(l.blue, v)};
            }
            if (all) return k;
        }
        return -1;
    }
};

TEST_F(MousepadPage, AttachBlockAndTheFramesOfTwoEffects) {
    for (int i = 0; i < 15; ++i) EXPECT_NE(model->lightButton(i), nullptr) << i;
    EXPECT_EQ(model->dataFolderPath(), AppPaths::dataRoot() + "MousePad/");
    attach();
    EXPECT_TRUE(model->lightingRunning());
    EXPECT_EQ(qobject_cast<COrrivaleMousePadDevice*>(model)->deviceInfo()[7], 15);  // LED count

    // The wave in one colour: the block, and frames whose LEDs walk the curve by 7.
    LightSetting l = model->lighting();
    l.mode = 0, l.brightness = 4, l.speed = 4, l.multiColor = 0, l.direction = 1;
    l.red = 0, l.green = 200, l.blue = 100;
    commit(l);
    const auto block = firmware().configBlock(0);
    EXPECT_EQ(std::vector<uint8_t>(block.begin() + 1, block.begin() + 9),
              (std::vector<uint8_t>{0, 4, 0, 0x01, 0, 0, 200, 100}));
    int first = -1;
    ASSERT_TRUE(waitFor([&] { return (first = wavePhase(l)) >= 0; }));
    // A later frame is the same wave one or more steps on.
    ASSERT_TRUE(waitFor([&] {
        const int k = wavePhase(l);
        return k >= 0 && k != first;
    }));

    // Steady red, then the ripple: LED 0 is no pair's and keeps the red.
    l.mode = 3, l.red = 255, l.green = 0, l.blue = 0;
    commit(l);
    ASSERT_TRUE(waitFor([&] {
        return frameLed(0) == sim::Rgb{254, 0, 0} && frameLed(14).r == 254;
    }));
    l.mode = 7, l.red = 0, l.blue = 255;
    commit(l);
    ASSERT_TRUE(
        waitFor([&] { return frameLed(1).b > 0 || frameLed(14).b > 0 || frameLed(1).r == 0; }));
    for (int i = 0; i < 20; ++i) {
        EXPECT_EQ(frameLed(0), (sim::Rgb{254, 0, 0}));
        waitFor([] { return false; }, std::chrono::milliseconds(15));
    }
    EXPECT_TRUE(model->stopLightingThread());

    // Events: 0x401 asks the tile to read the lighting block again after 500 ms; 0x404 counts.
    std::vector<std::pair<int, int>> timers;
    QObject::connect(model, &COrrivaleUSBDevice::tileTimerRequested,
                     [&](int id, int ms) { timers.emplace_back(id, ms); });
    ASSERT_TRUE(model->openEventChannel(simPath(bus, device->vendorId(), device->productId(), 1, 3),
                                        model->getDeviceKind()));
    EXPECT_TRUE(model->eventChannelOpen(model->getDeviceKind()));
    ASSERT_TRUE(device->emitEvent(0x404));
    ASSERT_TRUE(device->emitEvent(0x401));
    ASSERT_TRUE(waitFor([&] { return timers.size() == 1; }));
    EXPECT_EQ(timers[0], std::make_pair(1002, 500));
    EXPECT_EQ(model->eventCount(), 1);
    // What the tile then does: the block is read and the owner told the hardware profile.
    std::vector<int> messages;
    QObject::connect(model, &COrrivaleUSBDevice::ownerMessage,
                     [&](int message, qint64, qint64) { messages.push_back(message); });
    model->readDeviceSettings();
    EXPECT_EQ(messages, std::vector<int>{3328});
    EXPECT_EQ(model->lightingDevice().block().mode(), 7);
    model->closeEventChannel(model->getDeviceKind());
    EXPECT_FALSE(model->eventChannelOpen(model->getDeviceKind()));

    const QString dir = qEnvironmentVariable("MD_SCREENSHOT_DIR");
    if (dir.isEmpty()) return;
    qApp->setStyleSheet(ResourceManager::instance().styleSheet());
    l.mode = 0, l.multiColor = 1;
    commit(l);
    model->onDeviceAttached();
    owner.setObjectName("shot");
    owner.setStyleSheet("#shot { background: #0E1117; }");
    owner.resize(820, 560);
    model->setGeometry(10, 10, 800, 540);
    owner.show();
    waitFor([] { return false; }, std::chrono::milliseconds(200));
    EXPECT_TRUE(owner.grab().save(dir + "/mousepad_page.png"));
}

class MousepadWindow : public DeviceManagementTest {
  protected:
    MousepadWindow() { labels = {"mousepad"}; }
};

TEST_F(MousepadWindow, TileShowsTheChargerAndPhoneType) {
    qApp->setStyleSheet(ResourceManager::instance().styleSheet());
    sim::Firmware& fw = bus->device("mousepad")->firmware();
    fw.setCharging(1);
    fw.setPhoneType(1);
    start();
    int index = -1;
    for (int i = 0; i < manager->tileCount(); ++i)
        if (qobject_cast<COrrivaleMousePadDevice*>(manager->model(i))) index = i;
    ASSERT_GE(index, 0);
    CDeviceOptionUI* tile = manager->tile(index);
    ASSERT_TRUE(waitFor([&] { return tile->attachCount() >= 1 && !tile->isHidden(); }));
    const QString iphone = ResourceManager::instance().text("charger_iphone");
    ASSERT_TRUE(waitFor([&] { return tile->batteryText() == iphone + " ⚡"; }))
        << tile->batteryText().toStdString();
    // The phone leaves the charger: the next refresh says so.
    fw.setPhoneType(0);
    manager->model(index)->refreshPowerStatus();
    EXPECT_EQ(tile->batteryText(), ResourceManager::instance().text("charger_no_phone"));
    // The battery tile of the mousepad shows the phone type's picture.
    bool shown = false;
    for (QWidget* phone : wnd->findChildren<QWidget*>("device_phone_type"))
        shown = shown || CMpDevicePowerUI::backgroundOf(phone).contains("Phone_type_no_device");
    EXPECT_TRUE(shown);

    const QString dir = qEnvironmentVariable("MD_SCREENSHOT_DIR");
    if (dir.isEmpty()) return;
    fw.setPhoneType(1);
    manager->model(index)->refreshPowerStatus();
    waitFor([] { return false; }, std::chrono::milliseconds(300));
    EXPECT_TRUE(wnd->grab().save(dir + "/main_window_mousepad.png"));
}

}  // namespace
}  // namespace md::test
