#pragma once
// The keyboard's per-profile settings record in its configuration memory. Byte 0 of the memory
// is the active hardware profile; the 25 bytes of profile p follow at 25p + 1. A record is read
// as a 26-byte block at 25p, whose byte 0 is the byte before the record:
//
//   1 mode (0-28)   2 brightness   3 4 - speed   4 direction   5 multiColor   6-8 red green blue
//   18 zzccLedMode  19 WFlag  20 Key6Flag  21 WinFlag  22 polling-rate option  25 customGroup
//   other bytes 0

#include <array>
#include <cstdint>

#include "profiles/profile_records.h"

namespace md {

inline constexpr size_t kKeyboardBlockSize = 26;
inline constexpr size_t kKeyboardRecordSize = 25;
inline constexpr uint8_t kKeyboardModeCount = 29;  // modes 0-28

using KeyboardSettingsBlock = std::array<uint8_t, kKeyboardBlockSize>;

// The keyboard's switches and key repeat, as the profile keeps them in "SystemStages".
struct KeyboardStages {
    uint16_t repeat = 0;
    uint16_t repeatDelay = 0;  // option 0-3: 250 ms × (option + 1)
    uint16_t key6Flag = 0;
    uint16_t pollingRate = 0;  // option 0-3
    uint16_t wFlag = 0;
    uint16_t winFlag = 0;

    // The three words: RepeatDelay << 16 | Repeat, PollingRate << 16 | Key6Flag,
    // WinFlag << 16 | WFlag.
    static KeyboardStages fromWords(const std::array<uint32_t, 3>& w);
    std::array<uint32_t, 3> toWords() const;
    bool operator==(const KeyboardStages&) const = default;
};

// What a settings block says.
struct KeyboardHardwareSettings {
    LightSetting lighting;  // mode, brightness, speed, direction, multiColor, colour,
                            // zzccLedMode, customGroup
    uint8_t key6Flag = 0;
    uint8_t winFlag = 0;
    uint8_t wFlag = 0;
    uint8_t pollingRate = 0;
};

// The block for a record: byte 0 = firstByte, lighting and flags from the profile's values.
// A mode of 29 or more is written as 0; speeds above 4 as 4.
KeyboardSettingsBlock encodeKeyboardSettingsBlock(const LightSetting& lighting,
                                                  const KeyboardStages& stages, uint8_t firstByte);
KeyboardHardwareSettings decodeKeyboardSettingsBlock(const KeyboardSettingsBlock& block);

}  // namespace md
