#pragma once
// Fixed tables of the keyboard's lighting preview: the glow curve, the key grids, the key
// order and the tables that the sequence, diagonal, path, sparkle, column-glow and firework
// modes walk. Key positions are 0-125; 126 (key grid, key order, sequence, diagonal, path) and
// 255 (tall key grid, firework frames) mark "no key".

#include <array>
#include <cstdint>

namespace md::kblight {

inline constexpr uint8_t kKeyCount = 126;
inline constexpr uint8_t kNoKey = 126;
inline constexpr uint8_t kNoCell = 255;
inline constexpr uint8_t kColumns = 23;
inline constexpr uint8_t kRows = 6;
inline constexpr uint8_t kTallRows = 7;
inline constexpr uint8_t kOrderedKeys = 107;

// Glow curve, 192 entries (0 from index 88 on).
extern const std::array<uint8_t, 192> kGlowCurve;
// Key grid: cell (c, r) at 6c + r.
extern const std::array<uint8_t, kColumns * kRows> kKeyGrid;
// Tall key grid: cell (c, r) at 7c + r.
extern const std::array<uint8_t, kColumns * kTallRows> kTallKeyGrid;
// The 107 keys in order, then 126.
extern const std::array<uint8_t, kKeyCount> kKeyOrder;
// Sequence table of mode 21, 127 entries.
extern const std::array<uint8_t, 127> kSequence;
extern const std::array<std::array<uint8_t, 12>, 12> kDiagonal;
extern const std::array<std::array<uint8_t, 12>, 52> kPath;
// Indexes into the key order; 107 or more selects no key.
extern const std::array<uint8_t, 104> kRandomPicks;
// Start glow of mode 15, read at 6c + r.
extern const std::array<uint8_t, 138> kStartGlow;
extern const std::array<std::array<uint8_t, 6>, 20> kFireworkFrames;
extern const std::array<std::array<uint8_t, 2>, 16> kFireworkPairs;

inline uint8_t gridKey(uint8_t column, uint8_t row) {
    return kKeyGrid[6 * column + row];
}
inline uint8_t tallGridKey(uint8_t column, uint8_t row) {
    return kTallKeyGrid[7 * column + row];
}

// k when k is one of the keys of the key order, else 126.
uint8_t keyInOrder(uint8_t k);

}  // namespace md::kblight
