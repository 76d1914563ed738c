#pragma once
// The keyboard's custom colour groups (mode 20): the only lighting data written to the
// keyboard, into its colour table. keyLed maps each device key position to the keyboard's LED
// number (255 = none); the colour table holds three bytes per LED number.

#include <cstdint>
#include <span>

#include "devices/lighting/led_colour.h"
#include "devlink/link/device_link.h"
#include "profiles/keyboard_profiledata.h"

namespace md::kblight {

inline constexpr uint8_t kCustomColourMode = 20;
// The profile keeps this many custom groups (the lighting panel offers them as 1 to 3).
inline constexpr int kKeyboardCustomGroups = 3;
// LED numbers 0-169 fit a colour page (3 bytes each); higher numbers are skipped.
inline constexpr size_t kColourTableBuffer = 513;
inline constexpr uint32_t kColourTablePage = 512;

// The keyboard's LED wiring and its command link.
struct CustomColourTarget {
    DeviceLink& link;
    std::span<const uint8_t> keyLed;
};

// In mode 20 only: the scaled colours (colour × intensity >> 8) at 3d, 3d + 1, 3d + 2 of LED
// number d, written to colour table light.customGroup in either link mode. Returns the
// result of writeColourTable, or link::kOk when not in mode 20; the caller pauses 200 ms when
// it is not link::kOk.
int sendCustomColours(std::span<const lighting::LedColour> leds, const LightSetting& light,
                      const CustomColourTarget& target);

// Reads the colours of the profile's custom group into the LEDs ("Alpha" becomes the
// intensity; LEDs without a stored colour become 0) and sends them. Returns the group, which
// the caller selects on the lighting panel.
int32_t loadCustomColours(lighting::LedList leds, CKeyboardProfiledata& profile,
                          const LightSetting& light, const CustomColourTarget& target);

// Every LED's colour becomes the lighting colour (on) or black, intensities kept; sent; and,
// when the panel has a group selected (selectedGroup != -1), stored in that group and saved.
void fillCustomColours(bool on, lighting::LedList leds, CKeyboardProfiledata& profile,
                       const LightSetting& light, int32_t selectedGroup,
                       const CustomColourTarget& target);

// In mode 20 and for k below the LED count: LED k takes the lighting colour. With a group
// selected, the colours are stored and saved, and (unless in 2.4G mode) the unscaled colours
// are written to colour table light.customGroup; that write's result is not looked at.
// False when nothing changed.
bool setCustomKeyColour(size_t k, lighting::LedList leds, CKeyboardProfiledata& profile,
                        const LightSetting& light, int32_t selectedGroup,
                        const CustomColourTarget& target);

}  // namespace md::kblight
