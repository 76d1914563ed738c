// Every kind driven through the one driver interface, against its virtual device: attach, a
// lighting mode as the lighting panel applies it (bytes the device holds, the profile file),
// a failed write that leaves the profile as it was, LED frames, power status and a profile
// commit.
#include <gtest/gtest.h>

#include <fstream>
#include <memory>
#include <string>

#include "../device_link_helper.h"
#include "common/dbg_out.h"
#include "devices/device_registry.h"
#include "devices/keyboard/keyboard_controller.h"
#include "devices/lighting/lighting_block_device.h"
#include "devices/mouse/mouse_controller.h"
#include "profiles/basic_profiledata.h"
#include "profiles/keyboard_profiledata.h"
#include "profiles/mouse_profiledata.h"
#include "profiles/temp_folder.h"
#include "sim/fault_plan.h"
#include "sim/sim_devices.h"

namespace md {
namespace {

struct Kind {
    const char* device;  // the virtual device
    const char* templ;   // its profile template
    DeviceKind kind;     // its model's kind
    bool frames;         // takes host-computed LED frames
};
const Kind kKinds[] = {
    {"mouse", "mouse.Json", DeviceKind::MouseWired, true},
    {"keyboard", "keyboard.Json", DeviceKind::Keyboard, true},
    {"mousepad", "MousePad.Json", DeviceKind::MousePad, true},
    {"headset", "headset.Json", DeviceKind::Headset, true},
};

class DeviceDriverTest : public ::testing::TestWithParam<Kind> {
  protected:
    void SetUp() override {
        ASSERT_TRUE(bus);
        device = bus->device(GetParam().device);
        ASSERT_TRUE(device);
        ASSERT_TRUE(test::openCommandLink(bus, *device, link));
        driver = makeDriver();
        ASSERT_EQ(driver->attach(), link::kOk);
        device->log().clear();
    }

    std::unique_ptr<DeviceDriver> makeDriver() {
        const Kind& k = GetParam();
        std::unique_ptr<CBasicProfiledata> p;
        std::unique_ptr<DeviceDriver> d;
        switch (k.kind) {
            case DeviceKind::MouseWired: {
                auto mp = std::make_unique<CMouseProfiledata>();
                d = std::make_unique<MouseController>(link, *mp);
                p = std::move(mp);
                break;
            }
            case DeviceKind::Keyboard: {
                auto kp = std::make_unique<CKeyboardProfiledata>();
                d = std::make_unique<KeyboardController>(link, *kp);
                p = std::move(kp);
                break;
            }
            default:
                p = std::make_unique<CBasicProfiledata>();
                d = std::make_unique<lighting::LightingBlockDevice>(link, *p, k.kind);
        }
        p->setDefaultPath(templatePath());
        p->setProfilePath(profilePath());
        p->loadNode(profilePath());
        profile = std::move(p);
        return d;
    }
    std::string templatePath() const {
        return std::string(MD_SOURCE_DIR) + "/DefaultData/" + GetParam().templ;
    }
    std::string profilePath() const { return dir.path() + "current.json"; }
    // The lighting the profile file holds now.
    LightSetting savedLighting() const {
        CBasicProfiledata p;
        p.setDefaultPath(templatePath());
        p.loadNode(profilePath());
        return p.readLightInfo();
    }
    static LightSetting steadyBlue() {
        LightSetting l;
        l.mode = 3, l.brightness = 2, l.speed = 1, l.red = 0x12, l.green = 0x34, l.blue = 0x56;
        return l;
    }

    test::TempFolder dir;
    std::shared_ptr<sim::VirtualBus> bus = sim::makeVirtualBus({GetParam().device}, "");
    std::shared_ptr<sim::VirtualDevice> device;
    DeviceLink link{bus};
    std::unique_ptr<CBasicProfiledata> profile;
    std::unique_ptr<DeviceDriver> driver;
};

TEST_P(DeviceDriverTest, DescribesItsOwnModel) {
    EXPECT_EQ(driver->model().kind, GetParam().kind);
    EXPECT_EQ(&driver->profile(), profile.get());
    EXPECT_TRUE(driver->reachable());
}

TEST_P(DeviceDriverTest, LightingModeReachesTheDeviceAndTheProfileFile) {
    const LightingApplyResult r = applyLightingMode(*driver, steadyBlue());
    ASSERT_TRUE(r.ok());
    // Every kind keeps the mode at byte 1 and the colour at bytes 6-8 of profile 0's block.
    const std::vector<uint8_t> held = device->firmware().configBlock(0);
    ASSERT_GE(held.size(), 9u);
    EXPECT_EQ(held[1], 3);
    EXPECT_EQ(held[6], 0x12);
    EXPECT_EQ(held[7], 0x34);
    EXPECT_EQ(held[8], 0x56);
    EXPECT_EQ(driver->lightingMode().mode, 3);
    const LightSetting saved = savedLighting();
    EXPECT_EQ(saved.mode, 3);
    EXPECT_EQ(saved.blue, 0x56);
}

TEST_P(DeviceDriverTest, RefusedWriteLeavesDriverAndProfileAsTheyWere) {
    const LightSetting before = driver->lightingMode();
    const std::vector<uint8_t> held = device->firmware().configBlock(0);
    device->injectFault(sim::Fault::statusAt(1, 0xFF, true));
    const LightingApplyResult r = applyLightingMode(*driver, steadyBlue());
    device->clearFaults();
    EXPECT_FALSE(r.ok());
    EXPECT_TRUE(r.saved);
    EXPECT_NE(r.written, link::kOk);
    EXPECT_EQ(driver->lightingMode(), before);
    EXPECT_EQ(savedLighting().mode, before.mode);
    EXPECT_EQ(device->firmware().configBlock(0), held);
}

TEST_P(DeviceDriverTest, LedFramesGoOutOnlyForKindsThatTakeThem) {
    const LedFrameSender send = driver->ledFrameSender();
    ASSERT_EQ(bool(send), GetParam().frames);
    if (!send) return;
    std::vector<lighting::LedColour> leds(size_t(driver->model().ledCount));
    for (auto& c : leds) c = lighting::LedColour{0x40, 0x00, 0x20, 0xFF};
    EXPECT_TRUE(send(leds));
    if (GetParam().kind == DeviceKind::Headset)
        EXPECT_GT(device->firmware().headsetLedReportCount(), 0u);
    else
        EXPECT_GT(device->firmware().ledFramesStarted(), 0u);
}

TEST_P(DeviceDriverTest, PowerStatusOnlyFromModelsThatReportOne) {
    const std::optional<PowerStatus> p = driver->powerStatus();
    EXPECT_EQ(p.has_value(), driver->model().has(kCapPowerStatus));
    if (p) {
        EXPECT_EQ(*p, device->firmware().powerStatus());
    }
}

TEST_P(DeviceDriverTest, CommitWritesTheProfileFileToTheDevice) {
    // A second profile file with another lighting becomes current.
    const std::string other = dir.path() + "other.json";
    {
        CBasicProfiledata p;
        p.setDefaultPath(templatePath());
        p.setProfilePath(other);
        p.loadNode(other);
        const auto w = steadyBlue().toWords();
        p.writeLightInfo(w.w0, w.w1, w.w2, w.w3);
        ASSERT_TRUE(p.save());
    }
    const ProfileSwitchResult r = driver->commitProfile(dir.path(), other);
    EXPECT_TRUE(r.ok());
    EXPECT_EQ(profile->getProfilePath(), other);
    EXPECT_EQ(device->firmware().configBlock(0)[1], 3);
    EXPECT_EQ(device->firmware().configBlock(0)[8], 0x56);
}

TEST_P(DeviceDriverTest, DamagedProfileIsNotCommitted) {
    const std::string bad = dir.path() + "bad.json";
    { std::ofstream(bad) << "{ not json"; }
    const std::vector<uint8_t> held = device->firmware().configBlock(0);
    const ProfileSwitchResult r = driver->commitProfile(dir.path(), bad);
    EXPECT_FALSE(r.loaded);
    EXPECT_FALSE(driver->profile().problem().empty());
    EXPECT_EQ(device->firmware().configBlock(0), held);
}

INSTANTIATE_TEST_SUITE_P(Kinds, DeviceDriverTest, ::testing::ValuesIn(kKinds),
                         [](const auto& info) { return std::string(info.param.device); });

}  // namespace
}  // namespace md

namespace md {
namespace {

// With the debug log on, the headset's LED reports are logged like the command packets, so
// that a check can follow the colours to the device.
TEST(DeviceDriverLog, HeadsetLedReportsAreLoggedAsPackets) {
    auto bus = sim::makeVirtualBus({"headset"}, "");
    DeviceLink link{bus};
    ASSERT_TRUE(test::openCommandLink(bus, *bus->device("headset"), link));
    CBasicProfiledata profile;
    lighting::LightingBlockDevice headset(link, profile, DeviceKind::Headset);
    std::vector<std::string> lines;
    setDbgSink([&](std::string_view l) { lines.emplace_back(l); });
    std::vector<lighting::LedColour> leds(13, lighting::LedColour{0x80, 0x40, 0x20, 0xFF});
    EXPECT_TRUE(headset.ledFrameSender()(leds));
    setDbgSink(nullptr);
    size_t reports = 0;
    for (size_t i = 0; i + 1 < lines.size(); ++i)
        if (lines[i] == "命令" && lines[i + 1].rfind("ff ", 0) == 0) ++reports;
    EXPECT_EQ(reports, 12u);
}

}  // namespace
}  // namespace md
