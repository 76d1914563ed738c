// The mouse's protocol side against the virtual mouse, over its cable and through its receiver.
#include <gtest/gtest.h>

#include <json/json.h>

#include <fstream>

#include "common/le_bytes.h"
#include "devices/mouse/mouse_controller.h"
#include "devices/mouse/mouse_dpi_scale.h"
#include "devices/mouse/mouse_key_table.h"
#include "devices/mouse/mouse_performance.h"
#include "devlink/sim_link_fixture.h"
#include "profiles/temp_folder.h"

namespace md {
namespace {

using test::packetsTo;

class MouseControllerTest : public test::SimMouseLinks {
  protected:
    void SetUp() override {
        SimMouseLinks::SetUp();
        profile->setDefaultPath(std::string(MD_SOURCE_DIR) + "/DefaultData/mouse.Json");
        profile->setProfilePath(folder.path() + "profile.json");
        profile->loadNode(folder.path() + "profile.json");
        ASSERT_FALSE(profile->readDpiStages().empty());
    }
    // Rewrites the profile file with only the first n DPI stages and loads it again.
    void keepStages(unsigned n) {
        Json::Value doc;
        std::ifstream in(profile->getProfilePath());
        Json::CharReaderBuilder rb;
        std::string errs;
        ASSERT_TRUE(Json::parseFromStream(rb, in, &doc, &errs)) << errs;
        Json::Value& list = doc["Device"][0]["DPIStages"]["StageDPIs"];
        Json::Value kept(Json::arrayValue);
        for (unsigned i = 0; i < n; ++i) kept.append(list[i]);
        list = kept;
        const std::string path = profile->getProfilePath();
        std::ofstream(path) << Json::StyledWriter().write(doc);
        profile = std::make_unique<CMouseProfiledata>();
        profile->setDefaultPath(std::string(MD_SOURCE_DIR) + "/DefaultData/mouse.Json");
        profile->setProfilePath(path);
        profile->loadNode(path);
        ASSERT_EQ(profile->readDpiStages().size(), n);
    }
    std::vector<uint8_t> block(uint8_t hwProfile) {
        const auto cfg = firmware().configBlock(hwProfile);
        return {cfg.begin(), cfg.begin() + 48};
    }
    test::TempFolder folder;
    std::unique_ptr<CMouseProfiledata> profile = std::make_unique<CMouseProfiledata>();
};

TEST(MouseDpiScale, PositionsAndTypedResolutions) {
    const std::pair<int, int> shown[] = {{0, 600},   {2, 600},   {30, 1700}, {48, 2400}, {49, 2500},
                                         {59, 3200}, {80, 4800}, {81, 5000}, {96, 7200}};
    for (auto [p, r] : shown) EXPECT_EQ(dpiResolutionOfPosition(p), r) << p;
    const std::pair<int, int> typed[] = {{100, 2},   {608, 2}, {1650, 30}, {3200, 59},
                                         {7300, 96}, {0, 2},   {2333, 48}};
    for (auto [t, p] : typed) EXPECT_EQ(dpiPositionOfResolution(t), p) << t;
}

TEST_F(MouseControllerTest, AttachMapsEveryButtonToItsFactoryEntry) {
    MouseController mc(*wired, *profile);
    ASSERT_TRUE(mc.readDeviceAndKeys());
    EXPECT_EQ(mc.keyEntries(), firmware().keyEntries());
    EXPECT_EQ(mc.macroCapacityBytes(), firmware().deviceInfo()[6] * 128u);
    const auto& factory = mouseFactoryEntries();
    for (size_t b = 0; b < factory.size(); ++b) {
        const int pos = mc.keyPositionMap()[b];
        ASSERT_NE(pos, kUnmappedKey) << b;
        const auto layout = firmware().keyLayout();
        EXPECT_TRUE(std::equal(factory[b].begin(), factory[b].end(), layout.begin() + 3 * pos))
            << b;
    }
    EXPECT_EQ(wired->transferLength(), mc.keyEntries() * 3);
}

TEST_F(MouseControllerTest, AMissingFactoryEntryLeavesItsButtonUnwritten) {
    // A mouse whose layout lacks 10 04 00 (button 2).
    MouseController probe(*wired, *profile);
    ASSERT_TRUE(probe.readDeviceAndKeys());
    const int pos2 = probe.keyPositionMap()[2];
    firmware().setKeyLayoutEntry(static_cast<size_t>(pos2), {0x10, 0x40, 0x00});

    MouseController mc(*wired, *profile);
    ASSERT_TRUE(mc.readDeviceAndKeys());
    EXPECT_EQ(mc.keyPositionMap()[2], kUnmappedKey);
    auto bindings = profile->readKeyList();
    ASSERT_GE(bindings.size(), 3u);
    bindings[0].assignment = {0x10, 0x02, 0x00};
    bindings[2].assignment = {0x20, 0x04, 0x00};
    ASSERT_EQ(mc.writeKeyTableToDevice(0, bindings), 1);
    EXPECT_EQ(firmware().keyEntry(static_cast<size_t>(mc.keyPositionMap()[0])),
              (std::array<uint8_t, 3>{0x10, 0x02, 0x00}));
    EXPECT_EQ(firmware().keyEntry(static_cast<size_t>(pos2)),
              (std::array<uint8_t, 3>{0x10, 0x40, 0x00}));  // binding 2 never written
}

TEST_F(MouseControllerTest, SettingsBlockBytesOverTheCable) {
    keepStages(3);
    auto stages = profile->readDpiStages();
    stages[0].dpiX = 7;
    stages[1].dpiX = 28;
    stages[2].dpiX = 96;
    stages[2].red = 1;
    stages[2].green = 2;
    stages[2].blue = 3;
    profile->writeDpiStages(stages);
    profile->setActiveStage(1);
    LightSetting l = profile->readLightInfo();
    l.mode = 7;  // host-side four-colour flash: the mouse gets mode 0
    l.brightness = 3;
    l.speed = 1;
    l.direction = 1;
    l.red = 0x11;
    const auto w = l.toWords();
    profile->writeLightInfo(w.w0, w.w1, w.w2, w.w3);
    mouseSetReportRate(*profile, 2);

    MouseController mc(*wired, *profile);
    ASSERT_EQ(mc.writeSettingsBlock(2), 1);
    const auto sent = packetsTo(*mouse);
    ASSERT_EQ(sent.size(), 3u);  // begin, one 56-byte packet, end
    EXPECT_EQ(sent[1][3], 0x06);
    EXPECT_EQ(sent[1][4], 56);
    EXPECT_EQ(getLe16(sent[1], 5), 256);
    const auto b = block(2);
    EXPECT_EQ(b[1], 0);  // mode 7 written as 0
    EXPECT_EQ(b[2], 3);
    EXPECT_EQ(b[3], 1);  // speed as is over the cable
    EXPECT_EQ(b[4], 1);
    EXPECT_EQ(b[6], 0x11);
    EXPECT_EQ(b[14], 2);
    EXPECT_EQ(getLe16(b, 15), 7);
    EXPECT_EQ(getLe16(b, 19), 96);
    EXPECT_EQ(b[25], 1);
    EXPECT_EQ(b[33], 1);
    EXPECT_EQ(b[35], 3);
    EXPECT_EQ(getLe16(b, 21), 0);  // stages 3 and 4 are not in the profile
    EXPECT_EQ(getLe16(b, 23), 0);
    EXPECT_EQ(b[36], 0);
}

TEST_F(MouseControllerTest, StagesBeyondTheListAreWrittenAsZero) {
    MouseSettingsInput in;
    in.stages.resize(3);
    for (auto& s : in.stages) s = {1, 0, 50, 50, 9, 9, 9};
    in.lighting.mode = 5;
    const auto b = encodeMouseSettingsBlock(in);
    EXPECT_EQ(b[1], 0);
    EXPECT_EQ(getLe16(b, 19), 50);
    EXPECT_EQ(getLe16(b, 21), 0);
    EXPECT_EQ(getLe16(b, 23), 0);
    EXPECT_EQ(b[36], 0);
    EXPECT_EQ(b[41], 0);
}

TEST_F(MouseControllerTest, SpeedIsReversedThroughTheReceiverAndOnReadBack) {
    LightSetting l = profile->readLightInfo();
    l.speed = 1;
    l.mode = 2;
    const auto w = l.toWords();
    profile->writeLightInfo(w.w0, w.w1, w.w2, w.w3);

    MouseController viaCable(*wired, *profile);
    ASSERT_EQ(viaCable.writeSettingsBlock(0), 1);
    EXPECT_EQ(block(0)[3], 1);
    ASSERT_EQ(viaCable.readHardwareSettings(), 1);
    EXPECT_EQ(viaCable.lighting().speed, 3);

    profile->writeLightInfo(w.w0, w.w1, w.w2, w.w3);
    MouseController viaReceiver(*wireless, *profile);
    ASSERT_EQ(viaReceiver.writeSettingsBlock(0), 1);
    const auto sent = packetsTo(*receiver);
    size_t configBytes = 0;
    for (const auto& p : sent) {
        if (p[3] == 0x06) configBytes += p[4];
    }
    EXPECT_EQ(configBytes, 69u);
    EXPECT_EQ(block(0)[3], 3);
    uint8_t hw = 9;
    ASSERT_EQ(viaReceiver.readHardwareSettings(&hw), 1);
    EXPECT_EQ(hw, 0);
    EXPECT_EQ(viaReceiver.lighting().speed, 1);
    EXPECT_EQ(viaReceiver.lighting().mode, 2);
    EXPECT_EQ(profile->readLightInfo().speed, 1);  // stored in the profile
}

TEST_F(MouseControllerTest, SwitchedOffMouseGetsNothingWritten) {
    firmware().setPoweredOn(false);
    const auto before = firmware().config();
    MouseController mc(*wireless, *profile);
    EXPECT_EQ(mc.writeSettingsBlock(0), 0);
    EXPECT_EQ(mc.writeKeyAssignments(0), 0);
    EXPECT_FALSE(mc.readDeviceAndKeys());
    EXPECT_EQ(mc.readHardwareSettings(), 0);
    EXPECT_FALSE(mc.reachable());
    EXPECT_EQ(firmware().config(), before);
    for (const auto& p : packetsTo(*receiver)) EXPECT_EQ(p[3], 0xAA);  // only online checks
}

TEST_F(MouseControllerTest, FailedWritesAreReportedNotTakenForSuccess) {
    MouseController mc(*wired, *profile);
    mouse->injectFault(sim::Fault::statusAt(2, 0xFF));  // the config packet
    EXPECT_EQ(mc.writeSettingsBlock(0), -102);
    wired->closeLink();
    EXPECT_EQ(mc.writeSettingsBlock(0), 0);
}

TEST_F(MouseControllerTest, EventsFromTheMouse) {
    using A = MouseController::EventAction;
    EXPECT_EQ(MouseController::classifyEvent(0x0401), A::Synchronise);
    EXPECT_EQ(MouseController::classifyEvent(0x0402), A::HardwareProfile);
    EXPECT_EQ(MouseController::classifyEvent(0x1003), A::HardwareProfile);
    EXPECT_EQ(MouseController::classifyEvent(0x1123), A::HardwareProfile);
    EXPECT_EQ(MouseController::classifyEvent(0x0503), A::Button);
    EXPECT_EQ(MouseController::classifyEvent(0x0500), A::None);
    EXPECT_EQ(MouseController::classifyEvent(0x00E9), A::None);

    MouseController mc(*wired, *profile);
    ASSERT_TRUE(mc.readDeviceAndKeys());
    EXPECT_FALSE(mc.onHardwareProfileEvent(0x0405));
    EXPECT_TRUE(mc.onHardwareProfileEvent(0x1003));
    EXPECT_EQ(mc.hardwareProfile(), 3);
    EXPECT_TRUE(mc.onHardwareProfileEvent(0x1125));
    EXPECT_EQ(mc.hardwareProfile(), 5);
    EXPECT_EQ(mc.activeStage(), 2);

    profile->readKeyList();
    const int pos9 = mc.keyPositionMap()[9];    // factory 11 00 01: a step to the right
    const int pos10 = mc.keyPositionMap()[10];  // factory 11 00 FF: a step to the left
    EXPECT_EQ(mc.onButtonEvent(pos9), 0xBC);
    EXPECT_EQ(mc.onButtonEvent(pos10), 0xBD);
    auto list = profile->readKeyList();
    list[9].assignment = {0x11, 0x35, 0x02};  // param2 2: nothing on the host
    profile->writeKeyList(list);
    EXPECT_EQ(mc.onButtonEvent(pos9), 0);
    EXPECT_EQ(mc.onButtonEvent(mc.keyPositionMap()[0]), 0);
    EXPECT_EQ(mc.onButtonEvent(200), 0);
    wired->closeLink();
    EXPECT_FALSE(mc.onHardwareProfileEvent(0x1001));
}

TEST_F(MouseControllerTest, MacroAssignmentsBeyondTheMacroListGoBackToDefault) {
    auto list = profile->readKeyList();
    list[3].assignment = {0x70, 0x01, 0x00};
    list[4].assignment = {0x71, 0x03, 0x00};
    profile->writeKeyList(list);
    MouseController mc(*wired, *profile);
    EXPECT_TRUE(mc.validateMacroKeys(2));
    const auto after = profile->readKeyList();
    EXPECT_EQ(after[3].assignment, (std::array<uint8_t, 3>{0x70, 0x01, 0x00}));
    EXPECT_EQ(after[4].assignment, after[4].defaultAssignment);
    EXPECT_FALSE(mc.validateMacroKeys(2));
}

TEST_F(MouseControllerTest, PerformanceChangesStoreWhatThePageWould) {
    mouseSetStageEnabled(*profile, 1, false);
    EXPECT_EQ(profile->readDpiStages()[1].enabled, 0);
    mouseSetStageEnabled(*profile, 9, false);  // outside the list: unchanged
    EXPECT_EQ(profile->readDpiStages().size(), 5u);
    // Down to one enabled stage: that one stays on.
    for (int n = 0; n < 5; ++n) mouseSetStageEnabled(*profile, n, n == 4);
    EXPECT_FALSE(mouseSetStageEnabled(*profile, 4, false));
    EXPECT_EQ(profile->readDpiStages()[4].enabled, 1);
    EXPECT_TRUE(mouseSetStageEnabled(*profile, 0, true));
    EXPECT_TRUE(mouseSetStageEnabled(*profile, 4, false));
    EXPECT_EQ(profile->readDpiStages()[4].enabled, 0);

    EXPECT_EQ(mouseSetStageResolution(*profile, 2, 100), 2);
    EXPECT_EQ(profile->readDpiStages()[2].dpiX, 2);
    EXPECT_EQ(mouseSetStageResolution(*profile, 2, 3200), 59);
    EXPECT_EQ(mouseSetStageResolution(*profile, 7, 7300), 96);  // not stored

    mouseSetReportRate(*profile, 3);
    mouseSetPointerSpeed(*profile, 15);
    mouseSetPointerPrecision(*profile, false);
    mouseSetScrollByPage(*profile, true, 5);
    auto w = profile->readMouseStages();
    EXPECT_EQ(w[2] >> 16, 3u);
    EXPECT_EQ(w[2] & 0xFFFF, 5u);
    EXPECT_EQ(w[0] >> 16, 15u);
    EXPECT_EQ(w[1], 1u << 16);
    mouseSetWheelLines(*profile, 7);
    mouseSetDoubleClickTime(*profile, 350);
    w = profile->readMouseStages();
    EXPECT_EQ(w[1] >> 16, 0u);  // scroll by page cleared
    EXPECT_EQ(w[2] & 0xFFFF, 7u);
    EXPECT_EQ(w[0] & 0xFFFF, 350u);

    CMouseProfiledata reread;
    reread.setDefaultPath(profile->getDefaultPath());
    reread.setProfilePath(profile->getProfilePath());
    reread.loadNode(profile->getProfilePath());
    EXPECT_EQ(reread.readMouseStages(), w);  // saved
}

TEST_F(MouseControllerTest, MovingASliderBeyondTheListLengthensIt) {
    keepStages(3);
    mouseSetStagePosition(*profile, 4, 40);
    const auto stages = profile->readDpiStages();
    ASSERT_EQ(stages.size(), 5u);
    EXPECT_EQ(stages[3].dpiX, 0);
    EXPECT_EQ(stages[3].enabled, 0);
    EXPECT_EQ(stages[4].dpiX, 40);
}

}  // namespace
}  // namespace md
