// The headset's LED output reports on the virtual device: faults counted on the output reports
// apart from the command packets, and one report per 1 ms frame under the usb-fs timing.
#include <gtest/gtest.h>

#include <chrono>

#include "devlink/hid/hid_channel.h"
#include "devlink/sim_link_fixture.h"
#include "sim/sim_devices.h"

namespace md::sim::test {
namespace {

std::array<uint8_t, 17> ledReport(uint8_t red0) {
    std::array<uint8_t, 17> r{};
    r[0] = kHeadsetLedReportId, r[1] = 0x22, r[2] = 0xAA, r[4] = red0;
    return r;
}

class OutputReports : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(bus);
        headset = bus->device("headset");
        ASSERT_TRUE(channel.openChannel(md::test::simPath(bus, 0x0C76, 0x1630, 3, 0)));
    }
    uint8_t shownRed0() { return headset->firmware().headsetLeds(0x22)[0].r; }

    std::shared_ptr<VirtualBus> bus = makeVirtualBus({"headset"}, "");
    std::shared_ptr<VirtualDevice> headset;
    HidChannel channel{bus};
};

TEST_F(OutputReports, FaultsCountTheOutputReports) {
    struct Case {
        Fault fault;
        bool accepted;
        bool applied;
    };
    const Case cases[] = {
        {Fault::writeFailure(2).onOutputReports(), false, false},
        {Fault::statusAt(2, 0xFF).onOutputReports(), true, false},  // ignored by the device
        {Fault::replyDelay(2, 5).onOutputReports(), true, true},
        {Fault::dropReply(2).onOutputReports(), true, true},  // no reply to drop
        {Fault::writeFailure(2), true, true},                 // counts command packets
    };
    uint8_t value = 1;
    for (const Case& c : cases) {
        headset->injectFault(c.fault);
        const uint64_t seen = headset->outputReportsSeen();
        EXPECT_TRUE(channel.setOutputReport(ledReport(value++)));
        EXPECT_EQ(channel.setOutputReport(ledReport(value)), c.accepted);
        EXPECT_EQ(shownRed0() == value, c.applied) << int(value);
        EXPECT_EQ(headset->outputReportsSeen(), seen + 2);
        ++value;
        headset->clearFaults();
    }
    const auto log = headset->log().entries(ReportDirection::ToDevice, kHeadsetLedReportId);
    ASSERT_FALSE(log.empty());
    EXPECT_TRUE(log[1].failed);  // the refused write is in the log, marked
    EXPECT_TRUE(log[1].control);
}

TEST_F(OutputReports, UnplugAtAnOutputReport) {
    headset->injectFault(Fault::unplugAt(1).onOutputReports());
    EXPECT_FALSE(channel.setOutputReport(ledReport(9)));
    EXPECT_FALSE(headset->plugged());
}

TEST_F(OutputReports, UsbFullSpeedTakesAFramePerReport) {
    headset->setTiming(Timing::UsbFullSpeed);
    // Each report waits for a frame of its own: twelve take at least eleven frame periods.
    const auto start = std::chrono::steady_clock::now();
    for (uint8_t i = 0; i < 12; ++i) ASSERT_TRUE(channel.setOutputReport(ledReport(i)));
    EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(11));
    EXPECT_EQ(shownRed0(), 11);
}

}  // namespace
}  // namespace md::sim::test
