#include <gtest/gtest.h>

#include "devices/base/power_status.h"
#include "devices/base/working_mode.h"
#include "devlink/sim_link_fixture.h"

namespace md {
namespace {

TEST(WorkingMode, PagesOfBothSwitches) {
    struct Case {
        int mode;
        uint16_t kind;
        int function;
        std::optional<int> key;
    };
    const Case cases[] = {{2, 2, 0, 1},
                          {6, 1, 0, 1},
                          {3, 2, 1, std::nullopt},
                          {8, 3, 1, std::nullopt},
                          {5, 7, 2, std::nullopt},
                          {4, 1, 3, std::nullopt},
                          {4, 2, 3, std::nullopt},
                          {4, 7, 0, 2},
                          {4, 3, 0, 2},
                          {7, 2, 0, 2},
                          {1, 2, 0, 0},
                          {0, 7, 0, 0},
                          {99, 2, 0, 0}};
    for (const auto& c : cases) {
        const auto p = workingModePages(c.mode, c.kind);
        EXPECT_EQ(p.functionPage, c.function) << c.mode << "/" << c.kind;
        EXPECT_EQ(p.keyFunctionPage, c.key) << c.mode << "/" << c.kind;
    }
}

class PowerStatusTest : public test::SimMouseLinks {};

TEST_F(PowerStatusTest, ReadOverCableAndReceiverWithTheWirelessFlag) {
    firmware().setBattery(64);
    firmware().setCharging(1);
    firmware().setPhoneType(2);
    const auto wiredStatus = readPowerStatus(*wired);
    ASSERT_TRUE(wiredStatus);
    EXPECT_EQ((*wiredStatus)[0], 64);
    EXPECT_EQ((*wiredStatus)[1], 1);
    EXPECT_EQ((*wiredStatus)[3], 0);
    EXPECT_EQ((*wiredStatus)[5], 2);
    const auto viaReceiver = readPowerStatus(*wireless);
    ASSERT_TRUE(viaReceiver);
    EXPECT_EQ((*viaReceiver)[3], 1);
}

TEST_F(PowerStatusTest, NothingWhenTheMouseIsOffOrTheLinkClosed) {
    firmware().setPoweredOn(false);
    EXPECT_FALSE(readPowerStatus(*wireless));
    for (const auto& p : test::packetsTo(*receiver)) EXPECT_EQ(p[3], 0xAA);  // no status read
    wired->closeLink();
    EXPECT_FALSE(readPowerStatus(*wired));
}

}  // namespace
}  // namespace md
