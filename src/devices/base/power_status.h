#pragma once
// The 6-byte power status a device reports: 0 battery percent, 1 charge state (0 cable,
// 1 charging, 2 on battery), 2 unused, 3 set by the host (1 when the link is in 2.4G mode),
// 4 passed on to the main window, 5 phone on the wireless charger (1 iPhone, 2 Samsung,
// 3 other, else none).

#include <array>
#include <cstdint>
#include <optional>

#include "devlink/link/device_link.h"

namespace md {

using PowerStatus = std::array<uint8_t, 6>;

// Reads the status as every device model refreshes it: nothing when the link is closed, the
// 2.4G device is not online or the read fails (the tile keeps what it shows).
std::optional<PowerStatus> readPowerStatus(DeviceLink& link);

}  // namespace md
