#pragma once
// Microphone and monitoring levels: the slider's 0-100 and the library's scalar 0.0-1.0.
// The way back rounds to the nearest level, so every level reads back as it was set
// (truncation would turn 29, 57 and 58 into 28, 56 and 57 through the 32-bit real).

#include <cstdint>

namespace md {

float levelToScalar(int32_t level);
// Out-of-range and non-finite scalars give the nearest end of 0-100.
int32_t scalarToLevel(double scalar);

}  // namespace md
