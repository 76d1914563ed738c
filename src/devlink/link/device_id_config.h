#pragma once
// Vendor and product identifiers of the keyboard, its receiver and the mousepad, which the
// device table ships as 0: read from DefaultData/devices.json and the user's
// $XDG_CONFIG_HOME/Mouse Driver/devices.json (the user's entries win). Example:
//   { "keyboard": { "vendorId": "0x248A", "productId": "0x5B60" },
//     "keyboardReceiver": { "vendorId": "0x320F", "productId": "0x2260" },
//     "mousepad": { "vendorId": "0x248A", "productId": "0x5B70" } }

#include <cstdint>
#include <optional>
#include <string>

#include "devlink/link/device_identity.h"

namespace md {

struct DeviceIds {
    uint16_t vendorId = 0;
    uint16_t productId = 0;
};

struct DeviceIdConfig {
    std::optional<DeviceIds> keyboard;
    std::optional<DeviceIds> keyboardReceiver;
    std::optional<DeviceIds> mousepad;
};

// Reads one file into cfg (entries present in the file replace those in cfg). A missing file
// is not an error. False, with a reason in error, when the file is malformed; cfg is then
// left as it was.
bool readDeviceIdConfig(const std::string& path, DeviceIdConfig& cfg, std::string& error);

// The table with the rows that ship as 0 filled from cfg.
DeviceTable completeDeviceTable(const DeviceTable& shipped, const DeviceIdConfig& cfg);

// Reads the default file, then the user's; a malformed file is reported once per process on
// stderr and ignored.
DeviceTable loadDeviceTable(const std::string& defaultFile, const std::string& userFile);

}  // namespace md
