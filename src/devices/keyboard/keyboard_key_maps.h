#pragma once
// Where the picture's 126 key positions sit in the keyboard's own key table, and which LED
// each lights. The keyboard reports N entries of 3 bytes; each picture position is found by its
// factory code (the first matching entry wins).

#include <array>
#include <cstdint>
#include <span>
#include <vector>

#include "devices/keyboard/keyboard_layout.h"

namespace md {

inline constexpr uint8_t kNoEntry = 255;
// The key table buffer holds 512 bytes: at most 170 entries of 3 bytes.
inline constexpr size_t kKeyboardTableBytes = 512;
inline constexpr size_t kKeyboardMaxEntries = kKeyboardTableBytes / 3;

struct KeyboardKeyMaps {
    std::array<uint8_t, kKeyboardKeys> position;  // device entry of each picture position
    std::array<uint8_t, kKeyboardKeys> led;       // LED number of each picture position

    KeyboardKeyMaps() {
        position.fill(kNoEntry);
        led.fill(kNoEntry);
    }
    // The highest LED number in use, -1 when no position has one.
    int highestLed() const;
};

// Every position 0-125 is looked up in the first `entries` entries of keyTable (entries is
// capped by the table's size); ledTable gives the LED of each entry.
KeyboardKeyMaps buildKeyboardKeyMaps(std::span<const uint8_t> keyTable,
                                     std::span<const uint8_t> ledTable, size_t entries);

// The table to write: the first entries × 3 bytes of keyTable, with the current assignment of
// keys[i] at the entry of every mapped position i.
std::vector<uint8_t> buildKeyboardTableForWrite(std::span<const uint8_t> keyTable, size_t entries,
                                                const KeyboardKeyMaps& maps,
                                                const std::vector<KeyBinding>& keys);

}  // namespace md
