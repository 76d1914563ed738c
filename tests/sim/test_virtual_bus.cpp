// The virtual bus as a HidBackend: listing, per-node report copies, events, plug and unplug
// while a read waits, shutdown and cancel.

#include <gtest/gtest.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <future>
#include <thread>

#include "sim/sim_devices.h"
#include "sim_host.h"

namespace md::sim::test {
namespace {

TEST(VirtualBus, ListsTheInterfacesOfEveryPluggedDevice) {
    std::string error;
    auto bus = makeVirtualBus(
        {"mouse", "receiver", "keyboard", "keyboard-receiver", "mousepad", "headset"}, "", &error);
    ASSERT_TRUE(bus) << error;
    std::vector<HidInterfaceInfo> infos;
    ASSERT_TRUE(bus->listInterfaces(infos));
    ASSERT_EQ(infos.size(), 11u);  // five devices with two interfaces, the headset with one
    EXPECT_EQ(infos[0].vendorId, 0x248A);
    EXPECT_EQ(infos[0].productId, 0x5B50);
    EXPECT_EQ(infos[1].interfaceNumber, 1);
    EXPECT_EQ(infos[2].productId, 0x221D);
    EXPECT_EQ(infos[10].vendorId, 0x0C76);
    EXPECT_EQ(infos[10].interfaceNumber, 3);
    for (const auto& i : infos) {
        EXPECT_EQ(i.node.rfind("sim:", 0), 0u);
        EXPECT_TRUE(i.multiInterface);
        EXPECT_FALSE(i.descriptor.empty());
        EXPECT_TRUE(bus->present(i.node, i.vendorId, i.productId));
        EXPECT_FALSE(bus->present(i.node, i.vendorId, static_cast<uint16_t>(i.productId + 1)));
    }

    EXPECT_FALSE(makeVirtualBus({"mouse", "toaster"}, "", &error));
    EXPECT_NE(error.find("toaster"), std::string::npos);
}

TEST(VirtualBus, EveryOpenNodeGetsItsOwnCopyOfEachInputReport) {
    VirtualBus bus;
    auto mouse = makeMouse();
    bus.plug(mouse);
    const std::string node = nodeOf(bus, *mouse, 1);
    auto events = bus.open(node, true, false);
    auto commands = bus.open(node, true, true);
    ASSERT_TRUE(events && commands);

    ASSERT_TRUE(mouse->emitEvent(0x0401));
    std::array<uint8_t, 65> buf{};
    size_t got = 0;
    ASSERT_EQ(events->read(buf, got, 2000, -1), HidIo::Ok);
    EXPECT_EQ(got, 3u);
    EXPECT_EQ(buf[0], 0x03);
    EXPECT_EQ(getLe16(buf, 1), 0x0401);
    ASSERT_EQ(commands->read(buf, got, 2000, -1), HidIo::Ok);
    EXPECT_EQ(getLe16(buf, 1), 0x0401);

    // A node opened later does not see what was sent before.
    auto late = bus.open(node, true, false);
    EXPECT_EQ(late->read(buf, got, 0, -1), HidIo::Timeout);
}

TEST(VirtualBus, UnplugEndsAWaitingReadAndReplugGivesNewNodes) {
    VirtualBus bus;
    auto mouse = makeMouse();
    bus.plug(mouse);
    const std::string node = nodeOf(bus, *mouse, 1);
    auto reader = bus.open(node, true, false);
    ASSERT_TRUE(reader);

    auto pending = std::async(std::launch::async, [&] {
        std::array<uint8_t, 65> buf{};
        size_t got = 0;
        return reader->read(buf, got, kHidWaitForever, -1);
    });
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    bus.unplug(mouse);
    ASSERT_EQ(pending.wait_for(std::chrono::seconds(10)), std::future_status::ready);
    EXPECT_EQ(pending.get(), HidIo::Error);
    EXPECT_FALSE(bus.present(node, mouse->vendorId(), mouse->productId()));
    EXPECT_EQ(bus.open(node, true, false), nullptr);

    ASSERT_TRUE(bus.plug(mouse));
    const std::string again = nodeOf(bus, *mouse, 1);
    EXPECT_NE(again, node);
    std::array<uint8_t, 65> buf{};
    size_t got = 0;
    EXPECT_EQ(reader->read(buf, got, 0, -1), HidIo::Error);  // the old node stays gone
    SimHost host(bus, *mouse);
    EXPECT_TRUE(host.transact(commandPacket(cmd::kBeginSession, 0, 0)));
}

TEST(VirtualBus, PlugFromAnotherThreadWhileListing) {
    VirtualBus bus;
    auto headset = makeHeadset();
    std::thread plugger([&] {
        for (int i = 0; i < 50; ++i) {
            bus.plug(headset);
            bus.unplug(headset);
        }
        bus.plug(headset);
    });
    std::vector<HidInterfaceInfo> infos;
    for (int i = 0; i < 50; ++i) bus.listInterfaces(infos);
    plugger.join();
    bus.listInterfaces(infos);
    EXPECT_EQ(infos.size(), 1u);
}

TEST(VirtualBus, ShutdownAndCancelEndWaits) {
    VirtualBus bus;
    auto mouse = makeMouse();
    bus.plug(mouse);
    auto node = bus.open(nodeOf(bus, *mouse, 1), true, true);
    std::array<uint8_t, 65> buf{};
    size_t got = 0;

    const int cancel = ::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
    ASSERT_GE(cancel, 0);
    auto pending = std::async(std::launch::async, [&] {
        std::array<uint8_t, 65> b{};
        size_t n = 0;
        return node->read(b, n, kHidWaitForever, cancel);
    });
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    const uint64_t one = 1;
    ASSERT_EQ(::write(cancel, &one, sizeof one), static_cast<ssize_t>(sizeof one));
    ASSERT_EQ(pending.wait_for(std::chrono::seconds(10)), std::future_status::ready);
    EXPECT_EQ(pending.get(), HidIo::Cancelled);
    uint64_t v = 0;
    EXPECT_EQ(::read(cancel, &v, sizeof v), static_cast<ssize_t>(sizeof v));  // not consumed
    ::close(cancel);

    node->shutdown();
    EXPECT_EQ(node->read(buf, got, kHidWaitForever, -1), HidIo::Cancelled);
    EXPECT_EQ(node->write(commandPacket(cmd::kBeginSession, 0, 0), 1000, -1), HidIo::Cancelled);
}

TEST(VirtualBus, UsbFullSpeedTimingSpacesReportsByFrames) {
    VirtualBus bus;
    auto mouse = makeMouse();
    bus.plug(mouse);
    bus.setTiming(Timing::UsbFullSpeed);
    SimHost host(bus, *mouse);
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < 10; ++i) ASSERT_TRUE(host.transact(commandPacket(cmd::kReadStatus, 6, 0)));
    // Each command goes out in a frame and its reply comes back in a later one.
    EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(9));
}

TEST(VirtualBus, AReaderAndAWriterShareANodeUnderFrameTiming) {
    VirtualBus bus;
    auto mouse = makeMouse();
    bus.plug(mouse);
    bus.setTiming(Timing::UsbFullSpeed);
    auto node = bus.open(nodeOf(bus, *mouse, 1), true, true);
    constexpr int kPackets = 20;
    auto reader = std::async(std::launch::async, [&] {
        int replies = 0;
        std::array<uint8_t, 65> buf{};
        size_t got = 0;
        while (replies < kPackets && node->read(buf, got, 5000, -1) == HidIo::Ok) ++replies;
        return replies;
    });
    for (int i = 0; i < kPackets; ++i)
        ASSERT_EQ(node->write(commandPacket(cmd::kReadStatus, 6, 0), 5000, -1), HidIo::Ok);
    EXPECT_EQ(reader.get(), kPackets);
}

}  // namespace
}  // namespace md::sim::test
