#pragma once
// The mouse's DPI scale: a stage holds a position 0-96, shown as a resolution of 600-7200 DPI
// in three linear bands, rounded down to a multiple of 100.

#include <cstdint>

#include "profiles/profile_ranges.h"

namespace md {

inline constexpr int kDpiPositionMax = ranges::kDpiPosition.max;
inline constexpr int kDpiTypedMin = 608;
inline constexpr int kDpiTypedMax = 7296;

// The resolution shown for position p (clamped to 0-96).
int dpiResolutionOfPosition(int position);
// The position of a typed resolution (clamped to 608-7296 first).
int dpiPositionOfResolution(int resolution);

}  // namespace md
