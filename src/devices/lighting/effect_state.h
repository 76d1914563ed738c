#pragma once
// The lighting effect state a device model keeps between steps.

#include <array>
#include <cstdint>

#include "profiles/profile_records.h"

namespace md::lighting {

inline constexpr size_t kGlowCount = 126;
inline constexpr size_t kRingSize = 23;

struct EffectState {
    uint8_t phase = 0;
    uint8_t colourIndex = 0;
    bool flashOn = false;
    uint64_t flashTime = 0;  // clock value of the last flash toggle
    // Key glow: one value per key or LED group, the glow ring and its carry byte.
    std::array<uint8_t, kGlowCount> glow{};
    std::array<uint8_t, kRingSize> ring{};
    uint8_t carry = 0;
    // Paces the headset's and mousepad's ripple and ring steps.
    uint8_t rippleCounter = 0;
};

// The fields of a lighting setting that the steps read.
inline bool isForward(const LightSetting& s) {
    return s.direction != 0;
}

}  // namespace md::lighting
