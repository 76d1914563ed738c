#pragma once
// The mouse's key table: one 3-byte assignment per button, in an order of the mouse's own. Each
// button is found by its factory entry.

#include <array>
#include <cstdint>
#include <span>
#include <vector>

#include "profiles/profile_records.h"

namespace md {

inline constexpr size_t kMouseButtonCount = 11;
inline constexpr int kUnmappedKey = 126;
inline constexpr size_t kKeyTableBytes = 512;

const std::array<std::array<uint8_t, 3>, kMouseButtonCount>& mouseFactoryEntries();

// For every button index 0..entries-1 its entry in the table, 126 when its factory entry is
// not found (the first matching entry wins).
std::vector<int> buildKeyPositionMap(std::span<const uint8_t> keyTable, size_t entries);

// The table to write: a copy of the first entries × 3 bytes of keyTable with binding i placed
// at the entry of button i (unmapped buttons are never written).
std::vector<uint8_t> buildKeyTableForWrite(std::span<const uint8_t> keyTable, size_t entries,
                                           const std::vector<int>& positionMap,
                                           const std::vector<KeyBinding>& bindings);

// The button whose entry is at position, or -1.
int buttonAtPosition(const std::vector<int>& positionMap, int position);

}  // namespace md
