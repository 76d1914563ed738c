#pragma once
// Opens a command link on a virtual device: the collection that answers a DeviceInfo read.

#include <memory>

#include "devlink/sim_link_fixture.h"

namespace md::test {

inline bool openCommandLink(const std::shared_ptr<sim::VirtualBus>& bus, sim::VirtualDevice& device,
                            DeviceLink& link, int mode = 1) {
    // The command collection of the four-collection devices, then the headset's only one; a
    // collection that does not answer costs a reply time-out, so the known places come first.
    const uint16_t places[][2] = {{1, 4}, {3, 0}, {3, 1}, {1, 1}, {1, 2}, {1, 3}, {0, 0}};
    for (const auto& place : places) {
        const std::string path =
            simPath(bus, device.vendorId(), device.productId(), place[0], place[1]);
        if (path.empty() || !link.openLink(path, mode)) continue;
        DeviceInfo info{};
        if (link.readDeviceInfo(info) == link::kOk) {
            device.log().clear();
            return true;
        }
        link.closeLink();
    }
    return false;
}

}  // namespace md::test
