#pragma once
// The keyboard picture's 126 key positions and the factory assignment of each. The host finds
// the keyboard's own key-table entries by these codes, and a key list that lacks a position
// takes its factory assignment from here.

#include <array>
#include <cstdint>
#include <vector>

#include "profiles/profile_records.h"

namespace md {

inline constexpr size_t kKeyboardKeys = 126;
inline constexpr int kKeyboardFnKey = 110;
// The key picture as rows of the key grid: cell (c, r) of 23 columns × 6 rows; 126 = no key.
inline constexpr size_t kKeyboardGridColumns = 23;
inline constexpr size_t kKeyboardGridRows = 6;

using KeyCode3 = std::array<uint8_t, 3>;

extern const std::array<KeyCode3, kKeyboardKeys> kKeyboardLayout;
extern const std::array<std::array<uint8_t, kKeyboardGridColumns>, kKeyboardGridRows>
    kKeyboardKeyGrid;

// The key list of a profile made whole: 126 entries, each position missing from list (or the
// whole list when it has none) taking the factory assignment as current and default.
std::vector<KeyBinding> completeKeyboardKeyList(std::vector<KeyBinding> list);

}  // namespace md
