// The report log of a virtual device.

#include <gtest/gtest.h>

#include "sim/sim_devices.h"
#include "sim_host.h"

namespace md::sim::test {
namespace {

TEST(SimReportLog, RecordsBothWaysInOrderWithTimeStamps) {
    VirtualBus bus;
    auto mouse = makeMouse();
    bus.plug(mouse);
    SimHost host(bus, *mouse);
    const Packet begin = commandPacket(cmd::kBeginSession, 0, 0);
    ASSERT_TRUE(host.transact(begin));
    ASSERT_TRUE(mouse->emitEvent(0x0503));

    const auto log = mouse->log().entries();
    ASSERT_EQ(log.size(), 3u);
    EXPECT_EQ(log[0].direction, ReportDirection::ToDevice);
    EXPECT_EQ(log[0].interfaceNumber, 1);
    EXPECT_EQ(log[0].bytes, std::vector<uint8_t>(begin.begin(), begin.end()));
    EXPECT_EQ(log[0].bytes[1], 0x01);  // a command without payload sums to its code
    EXPECT_EQ(log[1].direction, ReportDirection::FromDevice);
    EXPECT_EQ(log[1].bytes[3], cmd::kBeginSession);
    EXPECT_EQ(log[2].bytes, (std::vector<uint8_t>{0x03, 0x03, 0x05}));
    EXPECT_LE(log[0].timeUs, log[1].timeUs);
    EXPECT_LE(log[1].timeUs, log[2].timeUs);

    EXPECT_EQ(mouse->log().entries(ReportDirection::ToDevice, kCommandReportId).size(), 1u);

    ASSERT_TRUE(mouse->switchHardwareProfile(3, 2));
    EXPECT_EQ(mouse->log().entries().back().bytes, (std::vector<uint8_t>{0x03, 0x23, 0x11}));
    EXPECT_EQ(mouse->firmware().activeProfile(), 3);
    mouse->log().clear();
    EXPECT_EQ(mouse->log().size(), 0u);
}

}  // namespace
}  // namespace md::sim::test
