#include "devices/keyboard/keyboard_key_maps.h"

#include <algorithm>

namespace md {

int KeyboardKeyMaps::highestLed() const {
    int high = -1;
    for (uint8_t d : led)
        if (d != kNoEntry) high = std::max<int>(high, d);
    return high;
}

KeyboardKeyMaps buildKeyboardKeyMaps(std::span<const uint8_t> keyTable,
                                     std::span<const uint8_t> ledTable, size_t entries) {
    KeyboardKeyMaps maps;
    entries = std::min({entries, keyTable.size() / 3, kKeyboardMaxEntries});
    for (size_t j = 0; j < kKeyboardKeys; ++j) {
        const KeyCode3& want = kKeyboardLayout[j];
        for (size_t k = 0; k < entries; ++k) {
            if (!std::equal(want.begin(), want.end(), keyTable.begin() + 3 * k)) continue;
            maps.position[j] = static_cast<uint8_t>(k);
            if (k < ledTable.size()) maps.led[j] = ledTable[k];
            break;
        }
    }
    return maps;
}

std::vector<uint8_t> buildKeyboardTableForWrite(std::span<const uint8_t> keyTable, size_t entries,
                                                const KeyboardKeyMaps& maps,
                                                const std::vector<KeyBinding>& keys) {
    const size_t bytes = std::min(3 * entries, keyTable.size() - keyTable.size() % 3);
    std::vector<uint8_t> out(keyTable.begin(), keyTable.begin() + static_cast<long>(bytes));
    for (size_t i = 0; i < kKeyboardKeys && i < keys.size(); ++i) {
        const size_t c = maps.position[i];
        if (c == kNoEntry || 3 * c + 3 > out.size()) continue;
        std::copy(keys[i].assignment.begin(), keys[i].assignment.end(),
                  out.begin() + static_cast<long>(3 * c));
    }
    return out;
}

}  // namespace md
