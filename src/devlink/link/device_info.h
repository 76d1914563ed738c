#pragma once
// The device information block (command 0x03): 34 bytes. Byte 5 is the number of key-table
// entries (positions) of the device, byte 6 the size of its macro memory in units of 128
// bytes; the virtual devices also fill bytes 4 (hardware profiles) and 7 (LED count).

#include <array>
#include <cstddef>
#include <cstdint>

namespace md {

inline constexpr size_t kDeviceInfoSize = 34;
using DeviceInfo = std::array<uint8_t, kDeviceInfoSize>;

namespace device_info {
inline constexpr size_t kHardwareProfiles = 4;
inline constexpr size_t kKeyEntries = 5;
inline constexpr size_t kMacroUnits = 6;
inline constexpr size_t kLedCount = 7;
inline constexpr size_t kMacroUnitBytes = 128;
}  // namespace device_info

inline size_t keyEntriesOf(const DeviceInfo& info) {
    return info[device_info::kKeyEntries];
}
inline size_t macroCapacityOf(const DeviceInfo& info) {
    return static_cast<size_t>(info[device_info::kMacroUnits]) * device_info::kMacroUnitBytes;
}

}  // namespace md
