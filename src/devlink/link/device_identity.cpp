#include "devlink/link/device_identity.h"

namespace md {

bool sameCollection(const DeviceIdentity& a, const DeviceIdentity& b) {
    return a.vendorId == b.vendorId && a.productId == b.productId &&
           a.interfaceNumber == b.interfaceNumber && a.collectionNumber == b.collectionNumber &&
           a.deviceKind == b.deviceKind && a.collectionRole == b.collectionRole &&
           a.usagePage == b.usagePage && a.usage == b.usage;
}

namespace {
DeviceIdentity row(uint16_t vid, uint16_t pid, uint16_t itf, uint16_t col, uint16_t kind,
                   uint16_t role, uint16_t page, uint16_t usage, uint16_t partner,
                   uint16_t partnerSlot) {
    DeviceIdentity d;
    d.vendorId = vid;
    d.productId = pid;
    d.interfaceNumber = itf;
    d.collectionNumber = col;
    d.deviceKind = kind;
    d.collectionRole = role;
    d.usagePage = page;
    d.usage = usage;
    d.hasPartner = partner;
    d.partnerSlot = partnerSlot;
    return d;
}
}  // namespace

const DeviceTable& shippedDeviceTable() {
    static const DeviceTable table = {
        row(0x0000, 0x0000, 1, 4, kind::kKeyboard, kRoleCommand, 0xFF1C, 0x0092, 1, 2),
        row(0x0000, 0x0000, 1, 3, kind::kKeyboard, kRoleEvent, 0x000C, 0x0001, 1, 3),
        row(0x0000, 0x0000, 1, 4, kind::kKeyboardOther, kRoleCommand, 0xFF1C, 0x0092, 1, 0),
        row(0x0000, 0x0000, 1, 3, kind::kKeyboardOther, kRoleEvent, 0x000C, 0x0001, 1, 1),
        row(0x248A, 0x5B50, 1, 4, kind::kMouseWired, kRoleCommand, 0xFF1C, 0x0092, 1, 6),
        row(0x248A, 0x5B50, 1, 3, kind::kMouseWired, kRoleEvent, 0x000C, 0x0001, 1, 7),
        row(0x320F, 0x221D, 1, 4, kind::kMouseWireless, kRoleCommand, 0xFF1C, 0x0092, 1, 4),
        row(0x320F, 0x221D, 1, 3, kind::kMouseWireless, kRoleEvent, 0x000C, 0x0001, 1, 5),
        row(0x0000, 0x0000, 1, 4, kind::kMousePad, kRoleCommand, 0xFF1C, 0x0092, 0, 0),
        row(0x0000, 0x0000, 1, 3, kind::kMousePad, kRoleEvent, 0x000C, 0x0001, 0, 0),
        row(0x0C76, 0x1630, 3, 0, kind::kHeadset, kRoleCommand, 0x000C, 0x0001, 0, 0),
    };
    return table;
}

int findTableRow(const DeviceTable& table, uint16_t vendorId, uint16_t productId,
                 uint16_t deviceKind, uint16_t collectionRole) {
    for (size_t i = 0; i < table.size(); ++i) {
        const auto& r = table[i];
        if (r.vendorId == vendorId && r.productId == productId && r.deviceKind == deviceKind &&
            r.collectionRole == collectionRole) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

}  // namespace md
