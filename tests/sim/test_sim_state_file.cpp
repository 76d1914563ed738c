// Device memory carried over between runs by the state file.

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>

#include "sim/sim_devices.h"
#include "sim_host.h"

namespace md::sim::test {
namespace {

TEST(SimStateFile, SecondRunSeesTheMemoryOfTheFirst) {
    const auto path = (std::filesystem::temp_directory_path() /
                       ("md_sim_state_" + std::to_string(::getpid()) + ".json"))
                          .string();
    std::remove(path.c_str());
    const std::vector<uint8_t> block = {0, 9, 8, 7};
    {
        auto bus = makeVirtualBus({"receiver", "headset"}, path);
        ASSERT_TRUE(bus);
        SimHost host(*bus, *bus->device("receiver"));
        ASSERT_TRUE(host.writeAll(cmd::kWriteConfig, 128, block, 24));
        bus->device("receiver")->firmware().setBattery(33);
    }
    {
        auto bus = makeVirtualBus({"mouse"}, path);
        auto mouse = bus->device("mouse");
        const auto stored = mouse->firmware().configBlock(1);
        EXPECT_TRUE(std::equal(block.begin(), block.end(), stored.begin()));
        EXPECT_EQ(mouse->firmware().powerStatus()[0], 33);
    }
    {
        // The headset entry survived the run without a headset.
        auto bus = makeVirtualBus({"headset"}, path);
        EXPECT_TRUE(bus->device("headset"));
    }
    std::remove(path.c_str());
}

}  // namespace
}  // namespace md::sim::test
