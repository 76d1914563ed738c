#pragma once
// Command links opened on the virtual devices, for tests of the command layer and of everything
// built on it.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "devlink/link/device_link.h"
#include "devlink/hid/hid_path.h"
#include "sim/sim_devices.h"

namespace md::test {

// The path of collection `col` of interface `itf` of a device on the bus ("" when absent).
inline std::string simPath(const std::shared_ptr<HidBackend>& bus, uint16_t vid, uint16_t pid,
                           uint16_t itf, uint16_t col) {
    HidChannel ch(bus);
    if (!ch.enumerateHidPaths()) return {};
    while (const char* p = ch.nextHidPath()) {
        if (parseVid(p) == vid && parsePid(p) == pid && parseInterfaceNumber(p) == itf &&
            parseCollectionNumber(p) == col) {
            return p;
        }
    }
    return {};
}

// Packets (report ID 0x04) the host wrote to a device, in order.
inline std::vector<std::vector<uint8_t>> packetsTo(const sim::VirtualDevice& d) {
    std::vector<std::vector<uint8_t>> out;
    for (const auto& e : d.log().entries(sim::ReportDirection::ToDevice, 0x04))
        out.push_back(e.bytes);
    return out;
}

// A bus with the mouse on its cable and its receiver (one firmware), and a command link open on
// each: `wired` in link mode 1, `wireless` in link mode 2.
class SimMouseLinks : public ::testing::Test {
  protected:
    void SetUp() override {
        bus = sim::makeVirtualBus({"mouse", "receiver"}, "");
        ASSERT_TRUE(bus);
        mouse = bus->device("mouse");
        receiver = bus->device("receiver");
        wired = std::make_unique<DeviceLink>(bus);
        wireless = std::make_unique<DeviceLink>(bus);
        ASSERT_TRUE(wired->openLink(simPath(bus, 0x248A, 0x5B50, 1, 4), 1));
        ASSERT_TRUE(wireless->openLink(simPath(bus, 0x320F, 0x221D, 1, 4), 2));
    }

    sim::Firmware& firmware() { return mouse->firmware(); }

    std::shared_ptr<sim::VirtualBus> bus;
    std::shared_ptr<sim::VirtualDevice> mouse, receiver;
    std::unique_ptr<DeviceLink> wired, wireless;
};

}  // namespace md::test
