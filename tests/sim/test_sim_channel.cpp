// The virtual devices seen through the real HID channel and descriptor parser: their collections,
// a block written and read back on each device kind, events, LED reports, removal.

#include <gtest/gtest.h>

#include <future>
#include <thread>

#include "devlink/hid/hid_channel.h"
#include "devlink/hid/hid_collection_list.h"
#include "sim/sim_devices.h"
#include "sim_host.h"

namespace md::sim::test {
namespace {

const std::vector<std::string> kAllKinds = {"mouse",    "receiver", "keyboard", "keyboard-receiver",
                                            "mousepad", "headset"};

std::vector<HidCollectionSummary> collectionsOf(VirtualBus& bus, uint16_t vid, uint16_t pid) {
    std::vector<HidCollectionSummary> all, out;
    EXPECT_TRUE(listHidCollections(bus, all));
    for (auto& c : all)
        if (c.vendorId == vid && c.productId == pid) out.push_back(c);
    return out;
}

// The command collection's path of a device (collection 4 of interface 1, or the headset's).
std::string commandPath(VirtualBus& bus, const VirtualDevice& d) {
    for (const auto& c : collectionsOf(bus, d.vendorId(), d.productId()))
        if ((c.interfaceNumber == 1 && c.collectionNumber == 4) || c.interfaceNumber == 3)
            return c.path;
    return {};
}

// One transaction over a channel as the command link does it.
std::optional<Packet> transact(HidChannel& ch, const Packet& p) {
    uint32_t n = 0;
    if (!ch.writeReport(kPacketSize, &n, p.data(), 1000)) return std::nullopt;
    Packet reply{};
    if (!ch.readReport(kPacketSize, &n, reply.data(), 1000)) return std::nullopt;
    return reply;
}

TEST(SimChannel, CollectionsCarryTheSupportedIdentifiersUsagesAndLengths) {
    auto bus = makeVirtualBus(kAllKinds, "");
    ASSERT_TRUE(bus);
    for (const auto& d : bus->devices()) {
        SCOPED_TRACE(d->label());
        const auto cols = collectionsOf(*bus, d->vendorId(), d->productId());
        if (d->label() == "headset") {
            ASSERT_EQ(cols.size(), 1u);
            EXPECT_EQ(cols[0].path.find("&col"), std::string::npos);
            EXPECT_NE(cols[0].path.find("#vid_0c76&pid_1630&mi_03"), std::string::npos);
            EXPECT_EQ(cols[0].usagePage, 0x000C);
            EXPECT_EQ(cols[0].usage, 0x0001);
            EXPECT_EQ(cols[0].inputLength, 64);
            EXPECT_EQ(cols[0].outputLength, 64);
            EXPECT_TRUE(cols[0].usable);
            continue;
        }
        ASSERT_EQ(cols.size(), 5u);  // interface 0 + four on interface 1
        for (const auto& c : cols) EXPECT_TRUE(c.usable) << c.path;
        EXPECT_EQ(cols[0].interfaceNumber, 0);
        EXPECT_EQ(cols[0].usagePage, 0x0001);
        EXPECT_EQ(cols[3].collectionNumber, 3);
        EXPECT_EQ(cols[3].usagePage, 0x000C);
        EXPECT_EQ(cols[3].usage, 0x0001);
        EXPECT_EQ(cols[3].inputLength, 3);
        EXPECT_EQ(cols[4].collectionNumber, 4);
        EXPECT_EQ(cols[4].usagePage, 0xFF1C);
        EXPECT_EQ(cols[4].usage, 0x0092);
        EXPECT_EQ(cols[4].inputLength, 64);
        EXPECT_EQ(cols[4].outputLength, 64);
        EXPECT_NE(cols[4].path.find("&mi_01&col04"), std::string::npos);
    }
}

TEST(SimChannel, DescriptorsParseWithoutOddities) {
    auto bus = makeVirtualBus(kAllKinds, "");
    std::vector<HidInterfaceInfo> infos;
    ASSERT_TRUE(bus->listInterfaces(infos));
    for (const auto& i : infos) {
        const HidDescriptor d = parseHidDescriptor(i.descriptor);
        EXPECT_TRUE(d.notes.empty()) << i.node << ": " << (d.notes.empty() ? "" : d.notes[0]);
        EXPECT_EQ(d.usesReportIds, i.interfaceNumber != 0) << i.node;
    }
}

TEST(SimChannel, WriteABlockAndReadItBackOnEveryDeviceKind) {
    auto bus = makeVirtualBus(kAllKinds, "");
    ASSERT_TRUE(bus);
    for (const auto& d : bus->devices()) {
        SCOPED_TRACE(d->label());
        HidChannel ch(bus);
        ASSERT_TRUE(ch.openChannel(commandPath(*bus, *d)));
        // Profile 1's block at the device's own stride; the lighting-only devices read it back
        // at 25 × p.
        const bool lightingOnly = d->label() == "mousepad" || d->label() == "headset";
        const uint16_t stride = d->label() == "keyboard" || d->label() == "keyboard-receiver" ? 25
                                : lightingOnly                                                ? 64
                                                                                              : 128;
        const uint16_t readAt = lightingOnly ? 25 : stride;
        const std::vector<uint8_t> block = {1, 5, 3, 2, 0, 1, 200, 100, 50};
        auto w = transact(ch, commandPacket(cmd::kWriteConfig, 9, stride, block));
        ASSERT_TRUE(w);
        EXPECT_EQ((*w)[3], cmd::kWriteConfig);
        EXPECT_EQ((*w)[7], status::kOk);
        auto r = transact(ch, commandPacket(cmd::kReadConfig, 9, readAt));
        ASSERT_TRUE(r);
        EXPECT_EQ((*r)[3], cmd::kReadConfig);
        EXPECT_TRUE(std::equal(block.begin(), block.end(), r->begin() + 8));
    }
}

TEST(SimChannel, EventReportsUnpackToTheirConsumerUsage) {
    VirtualBus bus;
    auto receiver = makeReceiver(makeMouseFirmware());
    bus.plug(receiver);
    std::string path;
    for (const auto& c : collectionsOf(bus, receiver->vendorId(), receiver->productId()))
        if (c.interfaceNumber == 1 && c.collectionNumber == 3) path = c.path;
    HidChannel events(std::shared_ptr<HidBackend>(&bus, [](HidBackend*) {}));
    ASSERT_TRUE(events.openChannel(path));
    // A command reply on the same interface is not the event collection's.
    SimHost host(bus, *receiver);
    ASSERT_TRUE(host.transact(commandPacket(cmd::kBeginSession, 0, 0)));
    ASSERT_TRUE(receiver->emitEvent(0x1103));

    const uint32_t len = events.caps().inputReportByteLength;
    std::vector<uint8_t> buf(len);
    uint32_t n = 0;
    ASSERT_TRUE(events.readReport(len, &n, buf.data(), 1000));
    std::copy(buf.begin(), buf.end(), events.reportBuffer(HidReportType::Input).begin());
    ASSERT_TRUE(events.unpackInput(len));
    const auto items = events.items(HidReportType::Input);
    ASSERT_FALSE(items.empty());
    ASSERT_FALSE(items[0].usages.empty());
    EXPECT_EQ(items[0].usages[0], 0x1103);
}

TEST(SimChannel, HeadsetTakesLedReportsOverTheControlPipe) {
    auto bus = makeVirtualBus({"headset"}, "");
    auto headset = bus->device("headset");
    HidChannel ch(bus);
    ASSERT_TRUE(ch.openChannel(commandPath(*bus, *headset)));
    std::array<uint8_t, kHeadsetLedReportSize> report{0xFF, 0x44, 0xAC, 0, 1, 2, 3, 4, 5, 6, 7};
    ASSERT_TRUE(ch.setOutputReport(report));
    const auto leds = headset->firmware().headsetLeds(0x44);
    EXPECT_EQ(leds[0].b, 1);
    EXPECT_EQ(leds[6].b, 7);
    const auto logged = headset->log().entries(ReportDirection::ToDevice, 0xFF);
    ASSERT_EQ(logged.size(), 1u);
    EXPECT_TRUE(logged[0].control);
}

TEST(SimChannel, UnplugEndsAReadWaitingOnTheChannel) {
    auto bus = makeVirtualBus({"mouse"}, "");
    auto mouse = bus->device("mouse");
    HidChannel ch(bus);
    ASSERT_TRUE(ch.openChannel(commandPath(*bus, *mouse)));
    auto pending = std::async(std::launch::async, [&] {
        Packet buf{};
        uint32_t n = 0;
        return ch.readReport(kPacketSize, &n, buf.data(), kInfinite);
    });
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    bus->unplug(mouse);
    ASSERT_EQ(pending.wait_for(std::chrono::seconds(10)), std::future_status::ready);
    EXPECT_FALSE(pending.get());
    EXPECT_FALSE(ch.reopenChannel());
}

}  // namespace
}  // namespace md::sim::test
