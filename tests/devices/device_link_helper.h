#pragma once
// Opens a command link on a virtual device: the collection that answers a DeviceInfo read.

#include <memory>

#include "devlink/sim_link_fixture.h"

namespace md::test {

inline bool openCommandLink(const std::shared_ptr<sim::VirtualBus>& bus, sim::VirtualDevice& device,
                            DeviceLink& link, int mode = 1) {
    for (uint16_t itf = 0; itf < 4; ++itf) {
        for (uint16_t col = 0; col < 8; ++col) {
            const std::string path = simPath(bus, device.vendorId(), device.productId(), itf, col);
            if (path.empty() || !link.openLink(path, mode)) continue;
            DeviceInfo info{};
            if (link.readDeviceInfo(info) == link::kOk) {
                device.log().clear();
                return true;
            }
            link.closeLink();
        }
    }
    return false;
}

}  // namespace md::test
