// One owner of the devices: a second program of the same user (another login session) is
// found by the application lock, and runs on one virtual-device state take turns.
#include <gtest/gtest.h>

#include "cli/routing.h"
#include "common/file_lock.h"
#include "profiles/scoped_env.h"
#include "profiles/temp_folder.h"
#include "sim/sim_devices.h"

namespace md {
namespace {

TEST(ProgramOwnership, ASecondProgramOfTheUserIsTold) {
    test::TempFolder config;
    test::ScopedEnv env("XDG_CONFIG_HOME", config.path().c_str());
    {
        const cli::ProgramOwnership first = cli::takeProgramOwnership(0);
        EXPECT_EQ(first.result, cli::ProgramOwnership::Result::Owner);
        EXPECT_TRUE(first.application.locked());
        EXPECT_TRUE(first.owner.locked());
        // Another program (in another session: the bus does not find it) while the first runs.
        const cli::ProgramOwnership second = cli::takeProgramOwnership(0);
        EXPECT_EQ(second.result, cli::ProgramOwnership::Result::OtherProgram);
        EXPECT_FALSE(second.owner.locked());
    }
    // A command-line run holding the devices is a different reason.
    FileLock tool = FileLock::acquire(cli::ownerLockPath(), 0);
    ASSERT_TRUE(tool.locked());
    EXPECT_EQ(cli::takeProgramOwnership(0).result, cli::ProgramOwnership::Result::ToolBusy);
    tool.release();
    EXPECT_EQ(cli::takeProgramOwnership(0).result, cli::ProgramOwnership::Result::Owner);
}

TEST(SimulatedDevices, RunsOnOneStateFileTakeTurns) {
    test::TempFolder dir;
    const std::string state = dir.path() + "state.json";
    auto first = sim::makeVirtualBus({"mouse"}, state);
    ASSERT_TRUE(first);
    const uint8_t marker[] = {0x5A};
    first->device("mouse")->firmware().writeConfigBytes(10, marker);
    // While the first run holds the state, a second one cannot load it.
    sim::VirtualBus second;
    EXPECT_FALSE(second.setStateFile(state, 0));
    first.reset();  // writes the state back and lets go
    auto third = sim::makeVirtualBus({"mouse"}, state);
    ASSERT_TRUE(third);
    EXPECT_EQ(third->device("mouse")->firmware().configBlock(0)[10], 0x5A);
}

}  // namespace
}  // namespace md
