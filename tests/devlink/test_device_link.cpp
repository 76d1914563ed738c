// The command layer against the virtual mouse and its receiver: exact packets on the wire,
// result codes, retry rule, chunking and the LED frame rules.
#include <gtest/gtest.h>

#include <atomic>
#include <numeric>
#include <thread>

#include "common/dbg_out.h"
#include "common/le_bytes.h"
#include "devlink/sim_link_fixture.h"

namespace md {
namespace {

using sim::Fault;
using test::packetsTo;
using Bytes = std::vector<uint8_t>;

Bytes packetBytes(std::initializer_list<uint8_t> head,
                  std::initializer_list<uint8_t> payload = {}) {
    Bytes p(64, 0);
    std::copy(head.begin(), head.end(), p.begin());
    std::copy(payload.begin(), payload.end(), p.begin() + 8);
    return p;
}

class DeviceLinkTest : public test::SimMouseLinks {};

TEST_F(DeviceLinkTest, PacketsWithoutPayloadCarryTheirCodeAsChecksum) {
    EXPECT_EQ(wired->beginSession(), 1);
    EXPECT_EQ(wired->enableHostLighting(), 1);
    EXPECT_EQ(wired->endSession(), 1);
    const auto sent = packetsTo(*mouse);
    ASSERT_EQ(sent.size(), 3u);
    EXPECT_EQ(sent[0], packetBytes({0x04, 0x01, 0x00, 0x01}));
    EXPECT_EQ(sent[1], packetBytes({0x04, 0x1C, 0x00, 0x1C}));
    EXPECT_EQ(sent[2], packetBytes({0x04, 0x02, 0x00, 0x02}));
    EXPECT_EQ(firmware().sessionsBegun(), 1u);
    EXPECT_EQ(firmware().sessionsEnded(), 1u);
    EXPECT_TRUE(firmware().hostLightingEnabled());
}

TEST_F(DeviceLinkTest, DeviceInfoIsOnePacketWiredAndTwoOverTheReceiver) {
    DeviceInfo info{};
    ASSERT_EQ(wired->readDeviceInfo(info), 1);
    EXPECT_EQ(info, firmware().deviceInfo());
    ASSERT_EQ(packetsTo(*mouse).size(), 1u);
    EXPECT_EQ(packetsTo(*mouse)[0], packetBytes({0x04, 0x25, 0x00, 0x03, 34, 0x00, 0x00}));

    DeviceInfo viaReceiver{};
    ASSERT_EQ(wireless->readDeviceInfo(viaReceiver), 1);
    EXPECT_EQ(viaReceiver, firmware().deviceInfo());
    const auto sent = packetsTo(*receiver);
    ASSERT_EQ(sent.size(), 2u);
    EXPECT_EQ(sent[0], packetBytes({0x04, 0x1B, 0x00, 0x03, 24, 0, 0}));
    EXPECT_EQ(sent[1], packetBytes({0x04, 0x25, 0x00, 0x03, 10, 24, 0}));
}

TEST_F(DeviceLinkTest, DeviceInfoIsHandedOverOnlyWhenEveryPacketSucceeded) {
    receiver->injectFault(Fault::statusAt(2, 0xFF));
    DeviceInfo info{};
    info.fill(0x5A);
    EXPECT_EQ(wireless->readDeviceInfo(info), -102);
    EXPECT_TRUE(std::all_of(info.begin(), info.end(), [](uint8_t b) { return b == 0x5A; }));
}

TEST_F(DeviceLinkTest, ChunkedWritesCarryRunningOffsetsFromTheirBase) {
    Bytes data(130);
    std::iota(data.begin(), data.end(), uint8_t{1});
    ASSERT_EQ(wired->writeConfig(data, 130, 0x100), 1);
    const auto sent = packetsTo(*mouse);
    ASSERT_EQ(sent.size(), 3u);
    const uint16_t offsets[] = {0x100, 0x138, 0x170};
    const uint8_t lengths[] = {56, 56, 18};
    for (size_t i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(sent[i][3], 0x06);
        EXPECT_EQ(sent[i][4], lengths[i]);
        EXPECT_EQ(getLe16(sent[i], 5), offsets[i]);
        EXPECT_TRUE(std::equal(sent[i].begin() + 8, sent[i].begin() + 8 + lengths[i],
                               data.begin() + 56 * static_cast<long>(i)));
        EXPECT_TRUE(std::all_of(sent[i].begin() + 8 + lengths[i], sent[i].end(),
                                [](uint8_t b) { return b == 0; }));
        uint32_t sum = 0;
        for (size_t k = 3; k < 64; ++k) sum += sent[i][k];
        EXPECT_EQ(getLe16(sent[i], 1), sum & 0xFFFF);
    }
    const Bytes mem = firmware().config();
    EXPECT_TRUE(std::equal(data.begin(), data.end(), mem.begin() + 0x100));

    Bytes back(130);
    ASSERT_EQ(wireless->readConfig(back, 130, 0x100), 1);  // 24-byte chunks through the receiver
    EXPECT_EQ(back, data);
    EXPECT_EQ(packetsTo(*receiver).size(), 6u);
}

TEST_F(DeviceLinkTest, ShootDataGoesIn56ByteChunksEvenOverTheReceiver) {
    Bytes image(120, 0x11);
    ASSERT_EQ(wireless->writeShootData(image, 120), 1);
    const auto sent = packetsTo(*receiver);
    ASSERT_EQ(sent.size(), 3u);
    EXPECT_EQ(sent[0][4], 56);
    EXPECT_EQ(getLe16(sent[1], 5), 56);
    EXPECT_EQ(sent[2][4], 8);
}

TEST_F(DeviceLinkTest, KeyTableTransfersFollowTheTransferLength) {
    EXPECT_FALSE(wired->setTransferLength(513));
    EXPECT_EQ(wired->transferLength(), 512);
    const Bytes table = firmware().keyTable();
    ASSERT_TRUE(wired->setTransferLength(static_cast<uint16_t>(table.size())));
    Bytes got(table.size());
    ASSERT_EQ(wired->readKeyTable(got), 1);
    EXPECT_EQ(got, table);
    Bytes bytes(table.size() / 3);
    ASSERT_EQ(wired->readKeyByteTable(bytes), 1);
    EXPECT_EQ(bytes, firmware().keyByteTable());

    const size_t before = packetsTo(*mouse).size();
    EXPECT_EQ(wired->writeKeyTable(table, 1), -201);
    EXPECT_EQ(packetsTo(*mouse).size(), before);
    ASSERT_TRUE(wired->setTransferLength(0));
    EXPECT_EQ(wired->writeKeyTable(table, 0), 1);
    EXPECT_EQ(wired->readKeyTable(got), 1);
    EXPECT_EQ(packetsTo(*mouse).size(), before);
}

struct FaultCase {
    const char* name;
    Fault fault;
    int result;
    size_t packets;  // command packets the device saw
};

TEST_F(DeviceLinkTest, ResultCodesAndTheRetryRule) {
    const FaultCase cases[] = {
        {"reply ok", Fault::statusAt(99, 0xFF), 1, 1},
        {"status 0xFF", Fault::statusAt(1, 0xFF), -102, 1},
        {"status 0xFE", Fault::statusAt(1, 0xFE), -103, 1},
        {"wrong echo once: retried", Fault::wrongEcho(1), 1, 2},
        {"wrong echo always: one retry, last read stands", Fault::wrongEcho(1, true), 1, 2},
        {"garbage reply once: retried", Fault::garbageReply(1), 1, 2},
        {"write failure: no retry", Fault::writeFailure(1), -1, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        mouse->clearFaults();
        mouse->log().clear();
        mouse->injectFault(c.fault);
        EXPECT_EQ(wired->beginSession(), c.result);
        EXPECT_EQ(packetsTo(*mouse).size(), c.packets);
    }
}

TEST_F(DeviceLinkTest, NoReplyAtAllGivesZeroAfterOneRetry) {
    mouse->injectFault(Fault::dropReply(1, true));
    EXPECT_EQ(wired->beginSession(), 0);
    EXPECT_EQ(packetsTo(*mouse).size(), 2u);
}

TEST_F(DeviceLinkTest, UnreachableMouseGivesMinus101WithoutRetry) {
    firmware().setPoweredOn(false);
    EXPECT_EQ(wireless->beginSession(), -101);
    EXPECT_EQ(packetsTo(*receiver).size(), 1u);
    EXPECT_FALSE(wireless->checkWirelessOnline());
    firmware().setPoweredOn(true);
    EXPECT_TRUE(wireless->checkWirelessOnline());
    const size_t sent = packetsTo(*mouse).size();
    EXPECT_TRUE(wired->checkWirelessOnline());  // wired: true at once, nothing sent
    EXPECT_EQ(packetsTo(*mouse).size(), sent);
}

TEST_F(DeviceLinkTest, ClosedLinkSendsNothing) {
    wired->closeLink();
    DeviceInfo info{};
    EXPECT_EQ(wired->beginSession(), 0);
    EXPECT_EQ(wired->readDeviceInfo(info), 0);
    EXPECT_EQ(wired->sendLedFrame(Bytes(12), 12), 0);
    EXPECT_TRUE(packetsTo(*mouse).empty());
}

TEST_F(DeviceLinkTest, UnplugDuringATransferFailsTheWrite) {
    mouse->injectFault(Fault::unplugAt(2));
    Bytes data(100, 7);
    EXPECT_EQ(wired->writeConfig(data, 100, 0), -1);
    EXPECT_FALSE(mouse->plugged());
}

TEST_F(DeviceLinkTest, StatusErrorStopsAChunkedWriteAfterEarlierPacketsWereApplied) {
    Bytes data(150, 0xAB);
    mouse->injectFault(Fault::statusAt(2, 0xFE));
    EXPECT_EQ(wired->writeConfig(data, 150, 0), -103);
    EXPECT_EQ(packetsTo(*mouse).size(), 2u);
    const Bytes mem = firmware().config();
    EXPECT_TRUE(std::all_of(mem.begin(), mem.begin() + 56, [](uint8_t b) { return b == 0xAB; }));
    EXPECT_NE(mem[56], 0xAB);
}

TEST_F(DeviceLinkTest, LedFramesGoOnlyOnTheCable) {
    Bytes frame(36);
    std::iota(frame.begin(), frame.end(), uint8_t{0});
    EXPECT_EQ(wired->sendLedFrame(frame, 36), 1);
    const auto sent = packetsTo(*mouse);
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0][3], 0x12);
    EXPECT_EQ(sent[0][4], 36);
    const Bytes led = firmware().ledFrame();
    EXPECT_TRUE(std::equal(frame.begin(), frame.end(), led.begin()));
    EXPECT_EQ(wireless->sendLedFrame(frame, 36), 1);
    EXPECT_TRUE(packetsTo(*receiver).empty());
}

TEST_F(DeviceLinkTest, LedFramesAreDroppedWhileACommandRuns) {
    std::vector<std::string> lines;
    std::mutex linesMutex;
    setDbgSink([&](std::string_view l) {
        std::lock_guard lock(linesMutex);
        lines.emplace_back(l);
    });
    mouse->injectFault(Fault::replyDelay(1, 300));
    std::thread command([&] { EXPECT_EQ(wired->beginSession(), 1); });
    while (!wired->isBusy()) std::this_thread::yield();
    EXPECT_EQ(wired->sendLedFrame(Bytes(30, 1), 30), 1);
    command.join();
    setDbgSink(nullptr);
    const auto sent = packetsTo(*mouse);
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0][3], 0x01);
    EXPECT_NE(std::find(lines.begin(), lines.end(), "放弃灯光数据"), lines.end());
}

TEST_F(DeviceLinkTest, TraceShowsEachPacketAndReplyOnTwoLines) {
    std::vector<std::string> lines;
    setDbgSink([&](std::string_view l) { lines.emplace_back(l); });
    ASSERT_EQ(wired->beginSession(), 1);
    setDbgSink(nullptr);
    ASSERT_EQ(lines.size(), 6u);
    EXPECT_EQ(lines[0], "命令");
    EXPECT_EQ(lines[1],
              "04 01 00 01   00 00 00 00   00 00 00 00   00 00 00 00  00 00 00 00  00 00 00 00  "
              "00 00 00 00  00 00 00 00");
    EXPECT_EQ(lines[3], "返回");
    EXPECT_EQ(lines[4].substr(0, 11), "04 01 00 01");
}

TEST_F(DeviceLinkTest, StatusIsReadFromItsOffset) {
    firmware().setBattery(77);
    firmware().setCharging(1);
    std::array<uint8_t, 6> status{};
    ASSERT_EQ(wired->readStatus(status, 6, 0), 1);
    EXPECT_EQ(status[0], 77);
    EXPECT_EQ(status[1], 1);
    EXPECT_EQ(packetsTo(*mouse)[0], packetBytes({0x04, 0x20, 0x00, 0x1A, 6, 0, 0}));
}

}  // namespace
}  // namespace md
