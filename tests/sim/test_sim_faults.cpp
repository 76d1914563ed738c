// Each kind of injected fault once.

#include <gtest/gtest.h>

#include "sim/sim_devices.h"
#include "sim_host.h"

namespace md::sim::test {
namespace {

class SimFaults : public ::testing::Test {
  protected:
    void SetUp() override {
        bus.plug(mouse);
        host = std::make_unique<SimHost>(bus, *mouse);
        ASSERT_TRUE(host->ok());
    }
    std::optional<Packet> status() {
        return host->transact(commandPacket(cmd::kReadStatus, 6, 0), 300);
    }

    VirtualBus bus;
    std::shared_ptr<VirtualDevice> mouse = makeMouse();
    std::unique_ptr<SimHost> host;
};

TEST_F(SimFaults, DropReply) {
    mouse->injectFault(Fault::dropReply(2));
    EXPECT_TRUE(status());
    EXPECT_FALSE(status());
    EXPECT_TRUE(status());
}

TEST_F(SimFaults, WrongEchoOnceAndAlways) {
    mouse->injectFault(Fault::wrongEcho(1));
    auto r = status();
    ASSERT_TRUE(r);
    EXPECT_NE((*r)[3], cmd::kReadStatus);
    EXPECT_EQ((*status())[3], cmd::kReadStatus);

    mouse->injectFault(Fault::wrongEcho(1, true));
    EXPECT_NE((*status())[3], cmd::kReadStatus);
    EXPECT_NE((*status())[3], cmd::kReadStatus);
    mouse->clearFaults();
    EXPECT_EQ((*status())[3], cmd::kReadStatus);
}

TEST_F(SimFaults, StatusAtPacketKRefusesThatPacket) {
    mouse->injectFault(Fault::statusAt(2, 0xFE));
    const std::vector<uint8_t> a(56, 0x11), b(56, 0x22);
    auto r1 = host->transact(commandPacket(cmd::kWriteConfig, 56, 128, a));
    auto r2 = host->transact(commandPacket(cmd::kWriteConfig, 56, 184, b));
    ASSERT_TRUE(r1 && r2);
    EXPECT_EQ((*r1)[7], status::kOk);
    EXPECT_EQ((*r2)[3], cmd::kWriteConfig);
    EXPECT_EQ((*r2)[7], 0xFE);
    const auto block = mouse->firmware().configBlock(1);
    EXPECT_EQ(block[0], 0x11);
    EXPECT_NE(block[56], 0x22);  // the refused packet was not applied

    mouse->injectFault(Fault::statusAt(1, 0xFF));
    EXPECT_EQ((*status())[7], 0xFF);
}

TEST_F(SimFaults, WriteFailure) {
    mouse->injectFault(Fault::writeFailure(1));
    EXPECT_EQ(host->node().write(commandPacket(cmd::kBeginSession, 0, 0), 1000, -1), HidIo::Error);
    EXPECT_EQ(mouse->firmware().sessionsBegun(), 0u);
    EXPECT_TRUE(status());
}

TEST_F(SimFaults, ReplyDelay) {
    mouse->injectFault(Fault::replyDelay(1, 200));
    ASSERT_EQ(host->node().write(commandPacket(cmd::kReadStatus, 6, 0), 1000, -1), HidIo::Ok);
    std::array<uint8_t, 65> buf{};
    size_t got = 0;
    EXPECT_EQ(host->node().read(buf, got, 0, -1), HidIo::Timeout);
    EXPECT_TRUE(host->readReply(5000));
}

TEST_F(SimFaults, UnplugAtPacketK) {
    mouse->injectFault(Fault::unplugAt(2));
    EXPECT_TRUE(status());
    EXPECT_EQ(host->node().write(commandPacket(cmd::kReadStatus, 6, 0), 1000, -1), HidIo::Error);
    EXPECT_FALSE(mouse->plugged());
    std::vector<HidInterfaceInfo> infos;
    bus.listInterfaces(infos);
    EXPECT_TRUE(infos.empty());
}

TEST_F(SimFaults, GarbageReply) {
    mouse->injectFault(Fault::garbageReply(1));
    auto r = status();
    ASSERT_TRUE(r);
    EXPECT_EQ((*r)[0], kCommandReportId);
    EXPECT_NE((*r)[3], cmd::kReadStatus);
    EXPECT_EQ((*status())[3], cmd::kReadStatus);
}

}  // namespace
}  // namespace md::sim::test
