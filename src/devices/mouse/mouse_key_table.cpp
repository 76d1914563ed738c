#include "devices/mouse/mouse_key_table.h"

#include <algorithm>

namespace md {

const std::array<std::array<uint8_t, 3>, kMouseButtonCount>& mouseFactoryEntries() {
    static const std::array<std::array<uint8_t, 3>, kMouseButtonCount> entries = {{
        {0x10, 0x01, 0x00},
        {0x10, 0x02, 0x00},
        {0x10, 0x04, 0x00},
        {0x10, 0x10, 0x00},
        {0x10, 0x08, 0x00},
        {0x13, 0x03, 0x00},
        {0xA0, 0x32, 0x00},
        {0x12, 0x00, 0x01},
        {0x12, 0x00, 0xFF},
        {0x11, 0x00, 0x01},
        {0x11, 0x00, 0xFF},
    }};
    return entries;
}

std::vector<int> buildKeyPositionMap(std::span<const uint8_t> keyTable, size_t entries) {
    entries = std::min(entries, keyTable.size() / 3);
    std::vector<int> map(std::max(entries, kMouseButtonCount), kUnmappedKey);
    const auto& factory = mouseFactoryEntries();
    for (size_t row = 0; row < factory.size(); ++row) {
        for (size_t k = 0; k < entries; ++k) {
            if (std::equal(factory[row].begin(), factory[row].end(),
                           keyTable.begin() + static_cast<long>(3 * k))) {
                map[row] = static_cast<int>(k);
                break;
            }
        }
    }
    return map;
}

std::vector<uint8_t> buildKeyTableForWrite(std::span<const uint8_t> keyTable, size_t entries,
                                           const std::vector<int>& positionMap,
                                           const std::vector<KeyBinding>& bindings) {
    entries = std::min(entries, keyTable.size() / 3);
    std::vector<uint8_t> out(keyTable.begin(), keyTable.begin() + static_cast<long>(3 * entries));
    for (size_t i = 0; i < bindings.size() && i < positionMap.size(); ++i) {
        const int pos = positionMap[i];
        if (pos == kUnmappedKey || pos < 0 || static_cast<size_t>(pos) >= entries) continue;
        std::copy(bindings[i].assignment.begin(), bindings[i].assignment.end(),
                  out.begin() + 3 * pos);
    }
    return out;
}

int buttonAtPosition(const std::vector<int>& positionMap, int position) {
    for (size_t b = 0; b < positionMap.size(); ++b) {
        if (positionMap[b] == position) return static_cast<int>(b);
    }
    return -1;
}

}  // namespace md
