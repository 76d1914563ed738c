#include "devices/work_tool_block.h"

#include "common/le_bytes.h"

namespace md {

std::array<uint8_t, kWorkToolBlockSize> buildWorkToolBlock(std::span<const DeviceModelRow> rows,
                                                           std::array<uint32_t, 4> version) {
    std::array<uint8_t, kWorkToolBlockSize> block{};
    for (std::size_t i = 0; i < 4; ++i) putLe32(block, 4 * i, version[i]);
    // Rows that would not fit the block are left out (the table has four).
    const std::size_t maxRows = (kWorkToolBlockSize - 20) / 12;
    const std::size_t n = rows.size() < maxRows ? rows.size() : maxRows;
    putLe32(block, 16, static_cast<uint32_t>(n));
    for (std::size_t i = 0; i < n; ++i) {
        putLe32(block, 20 + 12 * i, rows[i].vendorId);
        putLe32(block, 24 + 12 * i, rows[i].productId);
        putLe32(block, 28 + 12 * i, kindValue(rows[i].kind));
    }
    return block;
}

}  // namespace md
