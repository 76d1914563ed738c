#pragma once
// Plain records that the profile data classes read from and write to a profile's device node.

#include <array>
#include <cstdint>
#include <string>

namespace md {

// The lighting record of "LightInfo" and of each "LightList" entry (14 bytes, in this order).
struct LightSetting {
    uint8_t mode = 0;
    uint8_t brightness = 0;
    uint8_t speed = 0;
    uint8_t direction = 0;
    uint8_t multiColor = 0;
    uint8_t red = 0;
    uint8_t green = 0;
    uint8_t blue = 0;
    uint8_t reserved1 = 0;
    uint8_t reserved2 = 0;
    uint8_t present = 0;
    uint8_t zzccLedMode = 0;
    uint8_t customGroup = 0;
    uint8_t oldLedMode = 0;

    // The form in which the record travels between panel, main window and device models:
    // three 32-bit words and one 16-bit word, the first field of each in the lowest byte.
    struct Words {
        uint32_t w0 = 0;  // mode, brightness, speed, direction
        uint32_t w1 = 0;  // multiColor, red, green, blue
        uint32_t w2 = 0;  // reserved1, reserved2, present, zzccLedMode
        uint16_t w3 = 0;  // customGroup, oldLedMode
        bool operator==(const Words&) const = default;
    };
    Words toWords() const;
    static LightSetting fromWords(uint32_t w0, uint32_t w1, uint32_t w2, uint16_t w3);

    bool operator==(const LightSetting&) const = default;
};

// One timed step of a custom light effect ("LEDEffectList" entry of a ".light" file).
struct LightEffectStep {
    uint8_t mode = 0;
    uint8_t brightness = 0;
    uint8_t speed = 0;
    uint8_t direction = 0;
    uint8_t multiColor = 0;
    uint8_t red = 0;
    uint8_t green = 0;
    uint8_t blue = 0;
    std::array<uint8_t, 8> reserved{};
    int32_t time = 0;   // "Time", milliseconds
    int32_t cycle = 0;  // "Cyle"

    bool operator==(const LightEffectStep&) const = default;
};

// One "KeyList" element: the key's current and factory assignment, three bytes each, high
// byte of the stored 24-bit code first.
struct KeyBinding {
    uint16_t keyIndex = 0;
    std::array<uint8_t, 3> assignment{};
    uint16_t defaultKeyIndex = 0;
    std::array<uint8_t, 3> defaultAssignment{};

    // The 24-bit code stored in the profile for three assignment bytes.
    static uint32_t code(const std::array<uint8_t, 3>& bytes) {
        return static_cast<uint32_t>(bytes[0]) << 16 | static_cast<uint32_t>(bytes[1]) << 8 |
               bytes[2];
    }
    static std::array<uint8_t, 3> bytes(uint32_t code) {
        return {static_cast<uint8_t>(code >> 16), static_cast<uint8_t>(code >> 8),
                static_cast<uint8_t>(code)};
    }

    bool operator==(const KeyBinding&) const = default;
};

// One mouse DPI stage of "DPIStages"."StageDPIs".
struct DpiStage {
    uint8_t enabled = 0;
    uint8_t xySeparate = 0;
    uint16_t dpiX = 0;
    uint16_t dpiY = 0;
    uint8_t red = 0;
    uint8_t green = 0;
    uint8_t blue = 0;

    bool operator==(const DpiStage&) const = default;
};

// One mouse correction preset of "CorrectInfo".
struct CorrectionEntry {
    uint8_t pixThresh = 0;
    uint8_t minSq = 0;
    uint8_t select = 0;
    std::string name;

    bool operator==(const CorrectionEntry&) const = default;
};

// One key colour of a keyboard custom lighting group.
struct CustomColour {
    uint8_t red = 0;
    uint8_t green = 0;
    uint8_t blue = 0;
    uint8_t alpha = 0;

    bool operator==(const CustomColour&) const = default;
};

}  // namespace md
