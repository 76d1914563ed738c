#pragma once
// The answer to a WorkTool query: 1024 bytes of little-endian 32-bit integers, zero-filled:
// the four version parts, the number of model rows, then vendor, product and kind of
// every row.

#include <array>
#include <cstdint>
#include <span>

#include "devices/device_registry.h"

namespace md {

inline constexpr std::size_t kWorkToolBlockSize = 1024;
inline constexpr uint32_t kWorkToolDataId = 5;  // dwData of the block
inline constexpr std::array<uint32_t, 4> kProgramVersion{2, 3, 0, 2};

std::array<uint8_t, kWorkToolBlockSize> buildWorkToolBlock(std::span<const DeviceModelRow> rows,
                                                           std::array<uint32_t, 4> version);

}  // namespace md
