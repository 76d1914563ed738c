#pragma once
// The virtual keyboard's factory key table (its own copy, not the host's layout).

#include <array>
#include <cstddef>
#include <cstdint>

namespace md::sim {

struct FactoryKey {
    uint8_t code0, code1, code2;  // the key-table entry
    uint8_t led;                  // the key's LED number
};

inline constexpr size_t kKeyboardFactoryKeyCount = 122;
extern const std::array<FactoryKey, kKeyboardFactoryKeyCount> kKeyboardFactoryKeys;

}  // namespace md::sim
