// The headset verbs of the command-line tool against the simulated audio library: what each
// run leaves on the headset and in the profile, and the refusals.
#include <gtest/gtest.h>
#include <json/json.h>

#include <cmath>
#include <filesystem>
#include <sstream>

#include "audio/audio_state_file.h"
#include "audio/sim_state_path.h"
#include "cli/cli_context.h"
#include "cli/routing.h"
#include "profiles/app_paths.h"
#include "profiles/scoped_env.h"
#include "profiles/temp_folder.h"

namespace md {
namespace {

class CliHeadset : public ::testing::Test {
  protected:
    void SetUp() override {
        ::setenv(kAudioSimVariable, test::simStatePath().c_str(), 1);
        ASSERT_TRUE(AudioStateFile::fresh().save(test::simStatePath()));
        AppPaths::setDataRoot(data.path());
        // bin/ holds DefaultData/ and SDK/ as beside the installed program.
        AppPaths::setApplicationFolder(std::string(MD_BINARY_DIR) + "/bin/");
    }
    void TearDown() override {
        AppPaths::setDataRoot("");
        AppPaths::setApplicationFolder("");
        std::error_code ec;
        std::filesystem::remove(test::simStatePath(), ec);
    }
    int run(const std::vector<std::string>& args) {
        std::ostringstream o, e;
        const int rc = cli::runCli(args, o, e);
        out = o.str();
        err = e.str();
        return rc;
    }
    static std::optional<double> value(char ep, const char* name) {
        return AudioStateFile::load(test::simStatePath())->value(ep, name);
    }
    test::TempFolder data;
    std::string out, err;
};

struct VerbCase {
    std::vector<std::string> args;
    int rc;
    std::string printed;  // a line the run prints
    char endpoint;        // the property it leaves on the headset ('-': none)
    const char* property;
    double value;
};

TEST_F(CliHeadset, VerbsChangeTheHeadsetAndKeepItInTheProfile) {
    const VerbCase cases[] = {
        {{"headset"}, 0, "microphone: on, level 75 (22.50 dB)", '-', "", 0},
        {{"headset", "mic", "57"},
         0,
         "microphone: on, level 57 (17.10 dB)",
         'C',
         "VolumeScalarControl",
         0.57},
        {{"headset", "mic", "mute"}, 0, "microphone: muted, level 57", 'C', "MuteControl", 1},
        {{"headset", "mic", "mute"}, 0, "microphone: muted, level 57", 'C', "MuteControl", 1},
        {{"headset", "monitor", "unmute"}, 0, "monitoring: on, level 50", 'C', "AAMuteControl", 0},
        {{"headset", "monitor", "29"},
         0,
         "monitoring: on, level 29",
         'C',
         "AAVolumeScalarControl",
         0.29},
        {{"headset", "eq", "set", "7"},
         0,
         "bands: 14 10 4 0 -4 -3 -1 1 2 3",
         'R',
         "EQ_Slider1",
         14},
        {{"headset", "eq"}, 0, "equaliser: preset 7", '-', "", 0},
        {{"headset", "eq", "set", "1,2,3,4,5,6,7,8,9,-10"},
         0,
         "bands: 1 2 3 4 5 6 7 8 9 -10",
         'R',
         "EQ_Slider10",
         -10},
        // Moving bands is not saved: the profile keeps preset 7.
        {{"headset", "eq"}, 0, "equaliser: preset 7", '-', "", 0},
    };
    for (const VerbCase& c : cases) {
        std::string line;
        for (const std::string& a : c.args) line += a + " ";
        EXPECT_EQ(run(c.args), c.rc) << line << err;
        EXPECT_NE(out.find(c.printed), std::string::npos) << line << "\n" << out;
        if (c.endpoint != '-') {
            const auto v = value(c.endpoint, c.property);
            ASSERT_TRUE(v.has_value()) << line;
            EXPECT_NEAR(*v, c.value, 1e-6) << line;
        }
    }
}

TEST_F(CliHeadset, JsonOutput) {
    ASSERT_EQ(run({"--json", "headset", "mic", "unmute"}), 0) << err;
    Json::Value v;
    ASSERT_TRUE(Json::Reader().parse(out, v)) << out;
    EXPECT_EQ(v["micOn"], true);
    EXPECT_EQ(v["micLevel"], 75);
    EXPECT_EQ(v["monitorOn"], false);
    EXPECT_EQ(v["preset"], 5);
    EXPECT_EQ(v["bands"].size(), 10u);
    EXPECT_TRUE(v["customNames"].isArray());
}

TEST_F(CliHeadset, RefusalsAndBadArguments) {
    struct Case {
        std::vector<std::string> args;
        int rc;
    };
    const Case cases[] = {
        {{"headset", "mic", "101"}, cli::kExitBadArguments},
        {{"headset", "mic", "-1"}, cli::kExitBadArguments},
        {{"headset", "mic"}, cli::kExitBadArguments},
        {{"headset", "monitor", "loud"}, cli::kExitBadArguments},
        {{"headset", "eq", "set", "14"}, cli::kExitBadArguments},
        {{"headset", "eq", "set", "1,2,3"}, cli::kExitBadArguments},
        {{"headset", "eq", "set", "1,2,3,4,5,6,7,8,9,10,11"}, cli::kExitBadArguments},
        {{"headset", "eq", "set", "1,2,3,4,5,6,7,8,9,99"}, cli::kExitBadArguments},
        {{"headset", "eq", "set", "13"}, cli::kExitBadArguments},  // no custom equaliser
        {{"headset", "volume"}, cli::kExitBadArguments},
    };
    for (const Case& c : cases) EXPECT_EQ(run(c.args), c.rc) << c.args.back();
    EXPECT_TRUE(AudioStateFile::load(test::simStatePath())->value('C', "MuteControl") == 0.0);

    // The headset refuses the mute: reported, and nothing is kept.
    AudioStateFile s = *AudioStateFile::load(test::simStatePath());
    s.failing.insert("MuteControl");
    ASSERT_TRUE(s.save(test::simStatePath()));
    EXPECT_EQ(run({"headset", "mic", "mute"}), cli::kExitDeviceError);
    EXPECT_NE(err.find("refused"), std::string::npos);
    s.failing.clear();
    s.log.clear();
    ASSERT_TRUE(s.save(test::simStatePath()));
    EXPECT_EQ(run({"headset"}), 0);
    EXPECT_NE(out.find("microphone: on"), std::string::npos) << out;
}

TEST_F(CliHeadset, AnEqualiserTheHeadsetRefusesIsAnError) {
    AudioStateFile s = *AudioStateFile::load(test::simStatePath());
    s.failing.insert("EQ_Slider3");
    ASSERT_TRUE(s.save(test::simStatePath()));
    EXPECT_EQ(run({"headset", "eq", "set", "7"}), cli::kExitDeviceError);
    EXPECT_NE(err.find("equaliser: the headset refused"), std::string::npos) << err;
    EXPECT_EQ(run({"headset", "eq", "set", "1,2,3,4,5,6,7,8,9,10"}), cli::kExitDeviceError);
}

TEST_F(CliHeadset, TheVirtualHeadsetBringsItsSoundCard) {
    // No simulation chosen by the caller: --simulate headset brings one, kept beside the
    // devices' state between runs. (The audio library keeps the backend it chose for the rest
    // of the process, so this checks the choice and the verbs' success.)
    test::ScopedEnv noSimulation(kAudioSimVariable, nullptr);
    const std::string state = data.path() + "sim.json";
    ASSERT_EQ(run({"--simulate", "headset", "--sim-state", state, "headset", "mic", "40"}), 0)
        << err;
    ASSERT_NE(std::getenv(kAudioSimVariable), nullptr);
    EXPECT_EQ(std::string(std::getenv(kAudioSimVariable)), state + ".audio");
    EXPECT_EQ(run({"--simulate", "headset", "--sim-state", state, "headset", "mic", "mute"}), 0)
        << err;
    // A simulation the caller chose stays.
    test::ScopedEnv chosen(kAudioSimVariable, test::simStatePath().c_str());
    EXPECT_EQ(run({"--simulate", "headset", "headset"}), 0) << err;
    EXPECT_EQ(std::string(std::getenv(kAudioSimVariable)), test::simStatePath());
}

TEST(CliHeadsetRouting, HeadsetVerbsGoToTheRunningApplication) {
    EXPECT_TRUE(cli::routesToApplication({"headset", "mic", "mute"}));
    EXPECT_TRUE(cli::routesToApplication({"--json", "headset", "eq"}));
    EXPECT_FALSE(cli::routesToApplication({"headset", "--help"}));
}

}  // namespace
}  // namespace md
