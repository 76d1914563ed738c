#pragma once
// Effect state of one keyboard model's lighting preview.

#include <array>
#include <cstdint>

#include "devices/keyboard/keyboard_tables.h"
#include "devices/lighting/effect_state.h"

namespace md::kblight {

struct KeyboardEffectState {
    // Phase, glow values and the flash state shared with the generic steps.
    lighting::EffectState base;
    std::array<uint8_t, kKeyCount> keyColourIndex{};  // colour wheel index of each key
    std::array<uint8_t, kKeyCount> keyPhase{};        // per-key phase of the twinkle
    uint8_t stageCounter = 0;                         // sequences the bounce and firework
    // Glow planes P0-P3: byte c is column c of the key grid, bit r row r (bits 6 and 7 lie
    // below the grid and are never shown).
    std::array<std::array<uint8_t, kColumns>, 4> planes{};
};

// Phase, stage counter, glow values, key colour indexes and planes become 0.
void resetEffectState(KeyboardEffectState& st);
// keyColourIndex[k] = 33 × (k + 1) mod 192.
void spreadColourIndexes(KeyboardEffectState& st);

}  // namespace md::kblight
