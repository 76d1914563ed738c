// settings, lighting and info of the command-line tool for the headset and the mousepad on
// their virtual devices: what the device holds after a run, what the profile keeps, what is
// printed, and the refusals.
#include <gtest/gtest.h>
#include <json/json.h>

#include <sstream>

#include "cli/cli_context.h"
#include "profiles/app_paths.h"
#include "profiles/basic_profiledata.h"
#include "profiles/profile_list.h"
#include "profiles/temp_folder.h"
#include "sim/sim_devices.h"

namespace md {
namespace {

class CliLightingBlock : public ::testing::TestWithParam<const char*> {
  protected:
    void SetUp() override {
        ASSERT_TRUE(bus);
        AppPaths::setDataRoot(data.path());
        AppPaths::setApplicationFolder(std::string(MD_BINARY_DIR) + "/bin/");
    }
    void TearDown() override {
        AppPaths::setDataRoot("");
        AppPaths::setApplicationFolder("");
    }
    int run(std::vector<std::string> args) {
        args.push_back("--device");
        args.push_back(GetParam());
        std::ostringstream o, e;
        const int rc = cli::runCli(args, o, e, bus);
        out = o.str();
        err = e.str();
        return rc;
    }
    sim::Firmware& firmware() { return bus->device(GetParam())->firmware(); }
    bool headset() const { return std::string(GetParam()) == "headset"; }

    std::shared_ptr<sim::VirtualBus> bus = sim::makeVirtualBus({GetParam()}, "");
    test::TempFolder data;
    std::string out, err;
};

TEST_P(CliLightingBlock, LightingWritesTheBlockAndKeepsItInTheProfile) {
    ASSERT_EQ(run({"lighting", "7", "--brightness", "2", "--speed", "0", "--colour", "ff8000"}), 0)
        << err;
    const auto held = firmware().configBlock(0);
    EXPECT_EQ(std::vector<uint8_t>(held.begin() + 1, held.begin() + 9),
              (std::vector<uint8_t>{7, 2, 4, 0x01, 0, 0xFF, 0x80, 0x00}));
    // The current profile of the device's own folder keeps it.
    const std::string folder = data.path() + (headset() ? "headset/" : "MousePad/");
    ProfileList list;
    list.setFolders(folder, AppPaths::defaultTemplatePath(headset() ? "headset" : "MousePad"));
    ASSERT_TRUE(list.start());
    CBasicProfiledata profile;
    profile.setDefaultPath(AppPaths::defaultTemplatePath(headset() ? "headset" : "MousePad"));
    profile.loadNode(list.profilePath(list.currentProfileUuid()));
    const LightSetting l = profile.readLightInfo();
    EXPECT_EQ(l.mode, 7);
    EXPECT_EQ(l.speed, 0);
    EXPECT_EQ(l.red, 0xFF);

    // settings reads it back from the device.
    firmware().setActiveProfile(0);
    ASSERT_EQ(run({"settings", "--json"}), 0) << err;
    Json::Value v;
    std::istringstream in(out);
    ASSERT_TRUE(Json::parseFromStream(Json::CharReaderBuilder(), in, &v, nullptr));
    const Json::Value& l2 = v["lighting"];
    EXPECT_EQ(l2["mode"].asInt(), 7);
    EXPECT_EQ(l2["modeName"].asString(), "ripple");
    EXPECT_EQ(l2["speed"].asInt(), 0);
    EXPECT_EQ(l2["colour"].asString(), "ff8000");
    ASSERT_EQ(run({"settings"}), 0);
    EXPECT_NE(out.find("mode 7 (ripple), brightness 2, speed 0"), std::string::npos) << out;
}

TEST_P(CliLightingBlock, RefusalsChangeNothing) {
    const auto before = firmware().configBlock(0);
    const std::vector<std::vector<std::string>> bad = {{"lighting"},
                                                       {"lighting", "9"},
                                                       {"lighting", "3", "--speed", "5"},
                                                       {"lighting", "x"},
                                                       {"lighting", "3", "--colour", "12345"},
                                                       {"settings", "extra"},
                                                       {"dpi", "set", "0", "800"}};
    for (const auto& args : bad) {
        EXPECT_NE(run(args), 0) << args[0];
        EXPECT_FALSE(err.empty()) << args[0];
    }
    EXPECT_EQ(firmware().configBlock(0), before);
    // A device that refuses the write: reported, and the profile does not claim it.
    bus->device(GetParam())->injectFault(sim::Fault::statusAt(1, 0xFE, true));
    EXPECT_EQ(run({"lighting", "3"}), 1);
    EXPECT_NE(err.find("sending the settings"), std::string::npos) << err;
}

TEST_P(CliLightingBlock, ProfileSelectWritesTheProfilesLighting) {
    // A second profile with its own lighting; selecting a profile writes its block.
    ASSERT_EQ(run({"profile", "add", "Second"}), 0) << err;
    ASSERT_EQ(run({"profile", "select", "Second"}), 0) << err;
    ASSERT_EQ(run({"lighting", "3", "--colour", "102030"}), 0) << err;
    ASSERT_EQ(run({"profile", "select", "0"}), 0) << err;
    EXPECT_NE(firmware().configBlock(0)[1], 3);
    ASSERT_EQ(run({"profile", "select", "Second"}), 0) << err;
    const auto held = firmware().configBlock(0);
    EXPECT_EQ(held[1], 3);
    EXPECT_EQ(held[6], 0x10);
    ASSERT_EQ(run({"profile", "list"}), 0);
    EXPECT_NE(out.find("* 1  Second"), std::string::npos) << out;
    EXPECT_EQ(run({"profile", "select", "Nope"}), 2);
}

INSTANTIATE_TEST_SUITE_P(Devices, CliLightingBlock, ::testing::Values("headset", "mousepad"));

class CliMousepadInfo : public CliLightingBlock {};

TEST_P(CliMousepadInfo, ShowsTheCharger) {
    struct Case {
        uint8_t charging;
        uint8_t phone;
        const char* printed;
    };
    for (const Case c :
         {Case{1, 1, "charger: charging an iPhone"}, Case{2, 2, "charger: holding a Samsung"},
          Case{1, 3, "charger: charging a phone"}, Case{0, 7, "charger: no phone"}}) {
        firmware().setCharging(c.charging);
        firmware().setPhoneType(c.phone);
        EXPECT_EQ(run({"info"}), 0) << err;
        EXPECT_NE(out.find(c.printed), std::string::npos) << out;
    }
}

INSTANTIATE_TEST_SUITE_P(Mousepad, CliMousepadInfo, ::testing::Values("mousepad"));

}  // namespace
}  // namespace md
