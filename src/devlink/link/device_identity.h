#pragma once
// Identity of a HID collection as table row, slot and probed collection, and the compiled-in
// table of supported collections (one slot per row).

#include <array>
#include <cstdint>
#include <string>

#include "common/device_kind.h"

namespace md {

inline constexpr uint16_t kRoleCommand = 0x00;
inline constexpr uint16_t kRoleEvent = 0xFF;

struct DeviceIdentity {
    uint16_t vendorId = 0;
    uint16_t productId = 0;
    uint16_t interfaceNumber = 0;
    uint16_t collectionNumber = 0;
    uint16_t deviceKind = 0;
    uint16_t collectionRole = 0;
    uint16_t connected = 0;
    uint16_t usagePage = 0;
    uint16_t usage = 0;
    uint16_t hasPartner = 0;
    uint16_t partnerSlot = 0;
    std::string path;

    bool isFree() const { return connected == 0 && path.empty(); }
    bool operator==(const DeviceIdentity&) const = default;
};

// Same collection: every identifying field equal (connected, partner fields and path aside).
bool sameCollection(const DeviceIdentity& a, const DeviceIdentity& b);

inline constexpr size_t kSupportedDeviceCount = 11;
using DeviceTable = std::array<DeviceIdentity, kSupportedDeviceCount>;

// The table as shipped: keyboard and mousepad rows carry vendor and product 0.
const DeviceTable& shippedDeviceTable();

// Index of the first row with these four values, or -1.
int findTableRow(const DeviceTable& table, uint16_t vendorId, uint16_t productId,
                 uint16_t deviceKind, uint16_t collectionRole);

}  // namespace md
