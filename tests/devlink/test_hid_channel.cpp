// HidChannel over the hidraw backend on a fake sysfs tree whose nodes are socket pairs.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "devlink/fake_hid_tree.h"
#include "devlink/hid/hid_channel.h"
#include "devlink/hid/hid_path.h"

namespace md {
namespace {

using test::FakeHidTree;
using test::descriptors::kBootKeyboard;
using test::descriptors::kConsumerAndVendor;

constexpr uint16_t kVid = 0x248A, kPid = 0x5B50;

class HidChannelTest : public ::testing::Test {
  protected:
    void SetUp() override {
        tree.add(0, kVid, kPid, 0, 2, kBootKeyboard);
        tree.add(1, kVid, kPid, 1, 2, kConsumerAndVendor);
        backend = tree.backend();
    }
    std::string vendorPath() const { return tree.node(1) + "#vid_248a&pid_5b50&mi_01&col02"; }
    std::string consumerPath() const { return tree.node(1) + "#vid_248a&pid_5b50&mi_01&col01"; }

    FakeHidTree tree;
    std::shared_ptr<HidrawBackend> backend;
};

TEST_F(HidChannelTest, EnumeratesOnePathPerCollection) {
    HidChannel ch(backend);
    ASSERT_TRUE(ch.enumerateHidPaths());
    std::vector<std::string> paths;
    while (const char* p = ch.nextHidPath()) paths.emplace_back(p);
    EXPECT_EQ(paths, (std::vector<std::string>{tree.node(0) + "#vid_248a&pid_5b50&mi_00",
                                               consumerPath(), vendorPath()}));
    EXPECT_EQ(ch.nextHidPath(), nullptr);
    ch.freeHidPaths();
    EXPECT_EQ(ch.nextHidPath(), nullptr);
}

TEST_F(HidChannelTest, MoreThanEightInterfacesAreAllListed) {
    FakeHidTree big;
    for (int i = 0; i < 37; ++i) big.add(i, 0x1000 + i, 0x2000, 0, 1, kBootKeyboard, i + 1);
    HidChannel ch(big.backend());
    ASSERT_TRUE(ch.enumerateHidPaths());
    EXPECT_EQ(ch.pathCount(), 37u);
    size_t n = 0;
    while (const char* p = ch.nextHidPath()) {
        EXPECT_EQ(parseVid(p), 0x1000 + n);
        ++n;
    }
    EXPECT_EQ(n, 37u);
    EXPECT_EQ(big.opens(), 0);  // listing opens nothing
}

TEST_F(HidChannelTest, OpenLoadsCapabilitiesOfThePathsCollection) {
    HidChannel ch(backend);
    ASSERT_TRUE(ch.openChannel(vendorPath()));
    EXPECT_TRUE(ch.isOpen());
    EXPECT_EQ(ch.caps().usagePage, 0xFF1C);
    EXPECT_EQ(ch.caps().usage, 0x92);
    EXPECT_EQ(ch.caps().inputReportByteLength, 65);
    EXPECT_EQ(ch.caps().outputReportByteLength, 65);
    EXPECT_EQ(ch.attributes().vendorId, kVid);
    EXPECT_EQ(ch.attributes().productId, kPid);
    EXPECT_EQ(ch.attributes().versionNumber, 0x0102);
    EXPECT_EQ(ch.interfaceNumber(), 1u);
    EXPECT_EQ(ch.collectionNumber(), 2u);
    EXPECT_EQ(ch.reportBuffer(HidReportType::Input).size(), 65u);
    ch.closeChannel();
    EXPECT_FALSE(ch.isOpen());
    EXPECT_EQ(ch.caps().inputReportByteLength, 0);
    EXPECT_TRUE(ch.items(HidReportType::Input).empty());
    EXPECT_EQ(ch.path(), vendorPath());  // the path survives a close
    EXPECT_TRUE(ch.reopenChannel());
}

TEST_F(HidChannelTest, OpenFailsForPathsThatNameNothingUsable) {
    const std::string cases[] = {
        tree.node(9) + "#vid_248a&pid_5b50&mi_01&col02",  // no such node
        tree.node(1) + "#vid_1111&pid_5b50&mi_01&col02",  // node belongs to another device
        tree.node(1) + "#vid_248a&pid_5b50&mi_01&col03",  // no third collection
        tree.node(1) + "#vid_248a&pid_5b50&mi_01",        // two collections: which one?
    };
    for (const auto& p : cases) {
        HidChannel ch(backend);
        EXPECT_FALSE(ch.openChannel(p)) << p;
        EXPECT_FALSE(ch.isOpen());
    }
    tree.add(5, kVid, kPid, 2, 3,
             {0x05, 0x01, 0x09, 0x02, 0xA1, 0x01, 0xB4, 0xC0});  // pop on empty stack
    HidChannel ch(backend);
    EXPECT_FALSE(ch.openChannel(tree.node(5) + "#vid_248a&pid_5b50&mi_02"));
}

TEST_F(HidChannelTest, WriteAndReadRoundTripWithReportIdFiltering) {
    HidChannel ch(backend);
    ASSERT_TRUE(ch.openChannel(vendorPath()));
    std::vector<uint8_t> packet(65, 0);
    packet[0] = 0x04;
    packet[4] = 0x01;
    uint32_t written = 0;
    ASSERT_TRUE(ch.writeReport(65, &written, packet.data(), 1000));
    EXPECT_EQ(written, 65u);
    EXPECT_EQ(tree.receiveOnDevice(1), packet);

    // A consumer event on the same interface is not the vendor collection's report.
    tree.sendFromDevice(1, {0x03, 0x01, 0x04});
    std::vector<uint8_t> reply(65, 0);
    reply[0] = 0x04;
    reply[3] = 0x01;
    tree.sendFromDevice(1, reply);
    std::vector<uint8_t> got(65, 0xEE);
    uint32_t read = 0;
    ASSERT_TRUE(ch.readReport(65, &read, got.data(), 1000));
    EXPECT_EQ(read, 65u);
    EXPECT_EQ(got, reply);
}

TEST_F(HidChannelTest, ReportsWithoutIdsGetAZeroIdByte) {
    HidChannel ch(backend);
    ASSERT_TRUE(ch.openChannel(tree.node(0) + "#vid_248a&pid_5b50&mi_00", HidAccess::Read));
    tree.sendFromDevice(0, {0x02, 0x00, 0x04, 0x00, 0, 0, 0, 0});
    auto buf = ch.reportBuffer(HidReportType::Input);
    uint32_t n = 0;
    ASSERT_TRUE(ch.readReport(static_cast<uint32_t>(buf.size()), &n, buf.data(), 1000));
    EXPECT_EQ(n, 9u);
    EXPECT_EQ(std::vector<uint8_t>(buf.begin(), buf.end()),
              (std::vector<uint8_t>{0, 0x02, 0, 0x04, 0, 0, 0, 0, 0}));
    ASSERT_TRUE(ch.unpackInput(n));
    auto items = ch.items(HidReportType::Input);
    ASSERT_EQ(items.size(), 2u);
    EXPECT_EQ(items[0].usages[0], 0xE1);  // modifiers: left shift, then zero-terminated
    EXPECT_EQ(items[0].usages[1], 0);
    EXPECT_EQ(items[1].usages[0], 0x04);
    EXPECT_TRUE(items[1].isDataSet);
}

TEST_F(HidChannelTest, UnpackKeepsItemsOfOtherReportsAndFullListsUnterminated) {
    HidChannel ch(backend);
    ASSERT_TRUE(ch.openChannel(consumerPath(), HidAccess::Read));
    auto items = ch.items(HidReportType::Input);
    ASSERT_EQ(items.size(), 1u);
    ASSERT_EQ(items[0].maxUsageLength, 1u);
    const HidCollectionInfo& pre = *ch.preparsed();
    const uint8_t event[3] = {0x03, 0x01, 0x04};
    ASSERT_TRUE(unpackInputReport(items, HidReportType::Input, event, pre));
    EXPECT_EQ(items[0].usages.size(), 1u);
    EXPECT_EQ(items[0].usages[0], 0x0401);
    const uint8_t foreign[3] = {0x07, 0x09, 0x09};
    ASSERT_TRUE(unpackInputReport(items, HidReportType::Input, foreign, pre));
    EXPECT_EQ(items[0].usages[0], 0x0401);  // untouched
}

TEST_F(HidChannelTest, ReadTimesOutWithZeroBytes) {
    HidChannel ch(backend);
    ASSERT_TRUE(ch.openChannel(vendorPath()));
    std::vector<uint8_t> buf(65);
    uint32_t n = 99;
    EXPECT_FALSE(ch.readReport(65, &n, buf.data(), 20));
    EXPECT_EQ(n, 0u);
    EXPECT_FALSE(ch.isReading());
}

TEST_F(HidChannelTest, CancelSignalledBeforeAReadEndsItAtOnceAndOnlyOnce) {
    HidChannel ch(backend);
    ASSERT_TRUE(ch.openChannel(vendorPath()));
    std::vector<uint8_t> buf(65);
    uint32_t n = 99;
    ch.cancelTransfer();
    ch.cancelTransfer();  // auto-reset: two signals still release one transfer
    EXPECT_FALSE(ch.readReport(65, &n, buf.data(), kInfinite));
    EXPECT_EQ(n, 0u);
    std::vector<uint8_t> reply(65, 0);
    reply[0] = 0x04;
    tree.sendFromDevice(1, reply);
    EXPECT_TRUE(ch.readReport(65, &n, buf.data(), kInfinite));
}

TEST_F(HidChannelTest, ClosingFromAnotherThreadEndsAWaitingRead) {
    HidChannel ch(backend);
    ASSERT_TRUE(ch.openChannel(vendorPath()));
    std::atomic<bool> result{true};
    std::atomic<uint32_t> count{99};
    std::thread reader([&] {
        std::vector<uint8_t> buf(65);
        uint32_t n = 99;
        result = ch.readReport(65, &n, buf.data(), kInfinite);
        count = n;
    });
    while (!ch.isReading()) std::this_thread::yield();
    ch.closeChannel();
    reader.join();
    EXPECT_FALSE(result);
    EXPECT_EQ(count, 0u);
    // The channel reopens on its stored path and works again.
    ASSERT_TRUE(ch.reopenChannel());
    std::vector<uint8_t> reply(65, 0);
    reply[0] = 0x04;
    tree.sendFromDevice(1, reply);
    std::vector<uint8_t> buf(65);
    uint32_t n = 0;
    EXPECT_TRUE(ch.readReport(65, &n, buf.data(), 1000));
}

TEST_F(HidChannelTest, UnpluggedDeviceEndsReadsAndIsNoLongerPresent) {
    HidChannel ch(backend);
    ASSERT_TRUE(ch.openChannel(vendorPath()));
    EXPECT_TRUE(backend->present(tree.node(1), kVid, kPid));
    EXPECT_FALSE(backend->present(tree.node(1), kVid, 0x1234));
    tree.remove(1);
    std::vector<uint8_t> buf(65);
    uint32_t n = 0;
    EXPECT_FALSE(ch.readReport(65, &n, buf.data(), kInfinite));
    EXPECT_FALSE(backend->present(tree.node(1), kVid, kPid));
    // The node number comes back for another device.
    tree.add(1, 0x046D, 0xC077, 0, 1, kBootKeyboard);
    EXPECT_FALSE(backend->present(tree.node(1), kVid, kPid));
    EXPECT_FALSE(ch.reopenChannel());
}

}  // namespace
}  // namespace md
