#pragma once
// The headset's LED frame: twelve 17-byte output reports, red, green and blue in turn, each
// colour for the two targets 0x22 and 0x44, LEDs 0-6 then LEDs 7-12.

#include <array>
#include <cstdint>
#include <span>

#include "devices/lighting/led_colour.h"

namespace md {
class HidChannel;
}

namespace md::lighting {

inline constexpr size_t kHeadsetReportSize = 17;
inline constexpr size_t kHeadsetReportCount = 12;
inline constexpr uint8_t kHeadsetReportId = 0xFF;
inline constexpr uint8_t kHeadsetValueCap = 247;
using HeadsetReport = std::array<uint8_t, kHeadsetReportSize>;
using HeadsetReports = std::array<HeadsetReport, kHeadsetReportCount>;

// The reports in sending order. Each value is (colour × intensity) >> 8 capped at 247; LEDs
// missing from the list send 0. The report for LEDs 7-12 carries six values; its byte 10 keeps
// the value of the report before it, as one reused report buffer does.
void buildHeadsetReports(std::span<const LedColour> leds, HeadsetReports& out);

// Sends the reports with setOutputReport on the channel; failures are ignored. Returns the
// number of reports the channel accepted.
size_t sendHeadsetReports(HidChannel& channel, const HeadsetReports& reports);

}  // namespace md::lighting
