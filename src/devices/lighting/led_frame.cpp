#include "devices/lighting/led_frame.h"

#include <algorithm>

#include "devlink/link/device_link.h"

namespace md::lighting {

size_t buildLedFrame(std::span<const LedColour> leds, LedFrame& frame) {
    frame.fill(0);
    const size_t fitting = std::min(leds.size(), kLedFrameSize / 3);
    for (size_t i = 0; i < fitting; ++i) {
        if (i == kSkippedFrameLed) continue;
        const LedColour& c = leds[i];
        frame[3 * i] = scaled(c.red, c.intensity);
        frame[3 * i + 1] = scaled(c.green, c.intensity);
        frame[3 * i + 2] = scaled(c.blue, c.intensity);
    }
    return std::min(3 * leds.size(), kLedFrameSize);
}

int pushLedFrame(DeviceLink& link, std::span<const LedColour> leds, LedFrame& frame) {
    const size_t length = buildLedFrame(leds, frame);
    if (link.isWireless()) return link::kOk;
    return link.sendLedFrame(frame, static_cast<uint32_t>(length));
}

}  // namespace md::lighting
