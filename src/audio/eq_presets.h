#pragma once
// The twelve built-in equaliser presets: band gains, lowest band first, passed unchanged as the
// "EQ_Slider" values.

#include <array>
#include <cstdint>
#include <optional>

namespace md {

inline constexpr int kEqBandCount = 10;
inline constexpr int32_t kEqPresetCount = 12;
inline constexpr int32_t kEqCustomPreset = 13;
inline constexpr int32_t kMaxCustomEqs = 20;

using EqBands = std::array<int32_t, kEqBandCount>;

// Preset n (1-12); nothing for any other n.
std::optional<EqBands> builtInEqPreset(int32_t n);

}  // namespace md
