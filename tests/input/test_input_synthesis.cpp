// Binding the SDK plugins: the steps, their order and when the binding becomes usable.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include "input/input_synthesis_binding.h"
#include "profiles/temp_folder.h"

namespace md {
namespace {

std::string fakeSdk(const char* name) {
    return std::string(MD_BINARY_DIR) + "/tests/fake_sdk/" + name;
}

class InputSynthesis : public ::testing::Test {
  protected:
    void SetUp() override { ::setenv("MD_FAKE_SDK_LOG", (folder.path() + "calls.log").c_str(), 1); }
    void TearDown() override { ::unsetenv("MD_FAKE_SDK_LOG"); }
    std::string calls() const {
        std::ifstream in(folder.path() + "calls.log");
        std::stringstream ss;
        ss << in.rdbuf();
        return ss.str();
    }
    test::TempFolder folder;
};

TEST_F(InputSynthesis, ACompleteSdkBindsAndForwardsTheWheelCodes) {
    InputSynthesisBinding b;
    b.bind(fakeSdk("ready"));
    ASSERT_TRUE(b.usable());
    b.uniFunc(0xBC);
    b.uniFunc(0xBD);
    EXPECT_EQ(calls(), "Init " + std::to_string(InputSynthesisBinding::kInitCode) +
                           "\nUniFunc 188\nUniFunc 189\n");
    ASSERT_EQ(b.eventNames().size(), 16u);
    EXPECT_EQ(b.eventNames()[0], "MouCustom_Event_Tertiary_01");
    EXPECT_EQ(b.eventNames()[9], "MouCustom_Event_Tertiary_10");
    EXPECT_EQ(b.eventNames()[10], "MouCustom_Event_Main_01");
    EXPECT_EQ(b.eventNames()[15], "MouCustom_Event_Second_02");
    EXPECT_EQ(b.problem(), InputSynthesisBinding::Problem::None);
}

TEST_F(InputSynthesis, AMissingEntryPointStopsBeforeInit) {
    InputSynthesisBinding b;
    b.bind(fakeSdk("missing"));
    EXPECT_FALSE(b.usable());
    b.uniFunc(0xBC);
    EXPECT_EQ(calls(), "");  // Init never called, CommFunc never reached
    EXPECT_EQ(b.problem(), InputSynthesisBinding::Problem::PluginMissing);
}

TEST_F(InputSynthesis, NotReadyOrAbsentLeavesTheBindingUnusable) {
    InputSynthesisBinding refusing;
    refusing.bind(fakeSdk("refusing"));
    EXPECT_FALSE(refusing.usable());
    refusing.uniFunc(0xBD);
    EXPECT_EQ(calls(), "Init " + std::to_string(InputSynthesisBinding::kInitCode) + "\n");
    // A plugin that is there but not ready: the virtual input device is the reason.
    EXPECT_TRUE(refusing.problem() == InputSynthesisBinding::Problem::NoUinputAccess ||
                refusing.problem() == InputSynthesisBinding::Problem::UinputRefused);

    InputSynthesisBinding absent;
    absent.bind(folder.path() + "no-sdk-here");
    EXPECT_FALSE(absent.usable());
    absent.uniFunc(0xBC);  // does nothing
    EXPECT_EQ(absent.problem(), InputSynthesisBinding::Problem::PluginMissing);
}

TEST_F(InputSynthesis, TheShippedPluginIsReadyOnlyWithUinput) {
    InputSynthesisBinding b;
    b.bind(std::string(MD_BINARY_DIR) + "/bin/SDK");
    struct stat st {};
    const bool haveUinput = ::stat("/dev/uinput", &st) == 0 && ::access("/dev/uinput", W_OK) == 0;
    if (!haveUinput) {
        EXPECT_FALSE(b.usable());
    } else {
        EXPECT_TRUE(b.usable());
    }
}

}  // namespace
}  // namespace md
