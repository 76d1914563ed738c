#include "devices/headset/headset_reports.h"

#include <algorithm>

#include "common/dbg_out.h"
#include "devlink/hid/hid_channel.h"
#include "devlink/link/command_packet.h"

namespace md::lighting {

namespace {

uint8_t cappedValue(std::span<const LedColour> leds, size_t i, size_t channel) {
    if (i >= leds.size()) return 0;
    const LedColour& c = leds[i];
    const uint8_t v = channel == 0 ? c.red : channel == 1 ? c.green : c.blue;
    return std::min(scaled(v, c.intensity), kHeadsetValueCap);
}

}  // namespace

void buildHeadsetReports(std::span<const LedColour> leds, HeadsetReports& out) {
    HeadsetReport buffer{};
    buffer[0] = kHeadsetReportId;
    size_t n = 0;
    for (size_t channel = 0; channel < 3; ++channel) {
        for (uint8_t target : {uint8_t{0x22}, uint8_t{0x44}}) {
            buffer[1] = target;
            buffer[2] = static_cast<uint8_t>(0xAA + channel);
            for (size_t i = 0; i < 7; ++i) buffer[4 + i] = cappedValue(leds, i, channel);
            out[n++] = buffer;
            buffer[2] = static_cast<uint8_t>(0xAD + channel);
            for (size_t i = 0; i < 6; ++i) buffer[4 + i] = cappedValue(leds, 7 + i, channel);
            out[n++] = buffer;
        }
    }
}

size_t sendHeadsetReports(HidChannel& channel, const HeadsetReports& reports) {
    size_t accepted = 0;
    for (const HeadsetReport& r : reports) {
        if (dbgEnabled()) {
            // Logged in the form of the command packets, so that a check sees the colours.
            std::array<uint8_t, kPacketSize> shown{};
            std::copy(r.begin(), r.end(), shown.begin());
            dbgOut("命令");
            tracePacketBytes(shown);
        }
        if (channel.setOutputReport(r)) ++accepted;
    }
    return accepted;
}

}  // namespace md::lighting
