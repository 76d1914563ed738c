#pragma once
// The LED colour list: one record per LED with its colour and the intensity it is shown at.

#include <cstdint>
#include <span>

#include "devices/lighting/lighting_tables.h"

namespace md::lighting {

struct LedColour {
    uint8_t red = 0;
    uint8_t green = 0;
    uint8_t blue = 0;
    uint8_t intensity = 0;
    constexpr bool operator==(const LedColour&) const = default;
};

using LedList = std::span<LedColour>;

inline void setLed(LedColour& led, Rgb colour, uint8_t intensity) {
    led = {colour.red, colour.green, colour.blue, intensity};
}

inline void fillLeds(LedList leds, Rgb colour, uint8_t intensity) {
    for (LedColour& led : leds) setLed(led, colour, intensity);
}

// (value × intensity) >> 8, the scaling used wherever a colour leaves the host.
constexpr uint8_t scaled(uint8_t value, uint8_t intensity) {
    return static_cast<uint8_t>((value * intensity) >> 8);
}

}  // namespace md::lighting
