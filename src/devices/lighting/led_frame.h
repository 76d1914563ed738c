#pragma once
// The LED frame sent to a device with sendLedFrame: three bytes per LED, each colour scaled by
// the LED's intensity.

#include <array>
#include <cstdint>
#include <span>

#include "devices/lighting/led_colour.h"

namespace md {
class DeviceLink;
}

namespace md::lighting {

inline constexpr size_t kLedFrameSize = 512;
using LedFrame = std::array<uint8_t, kLedFrameSize>;
// LED 126 has no place in the frame (its three bytes stay 0).
inline constexpr size_t kSkippedFrameLed = 126;

// Fills frame (zero where no LED writes) and returns the number of bytes to send: 3 × the LED
// count, at most the frame size. LEDs whose bytes would lie beyond the frame are left out.
size_t buildLedFrame(std::span<const LedColour> leds, LedFrame& frame);

// Builds the frame and sends it when the link is in wired mode. Returns the result of
// sendLedFrame, or link::kOk when nothing was to be sent (2.4G). The caller pauses 200 ms
// when the result is not link::kOk.
int pushLedFrame(DeviceLink& link, std::span<const LedColour> leds, LedFrame& frame);

}  // namespace md::lighting
