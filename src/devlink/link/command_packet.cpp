#include "devlink/link/command_packet.h"

#include <algorithm>

#include "common/dbg_out.h"
#include "common/le_bytes.h"

namespace md {

uint16_t packetChecksum(std::span<const uint8_t, kPacketSize> packet) {
    uint32_t sum = 0;
    for (size_t i = 3; i < kPacketSize; ++i) sum += packet[i];
    return static_cast<uint16_t>(sum & 0xFFFF);
}

Packet buildPacket(uint8_t command, uint8_t length, uint16_t offset,
                   std::span<const uint8_t> payload) {
    Packet p{};
    p[0] = kCommandReportId;
    p[3] = command;
    p[4] = length;
    putLe16(p, 5, offset);
    const size_t n = std::min(payload.size(), kPacketPayload);
    std::copy_n(payload.begin(), n, p.begin() + 8);
    putLe16(p, 1, packetChecksum(p));
    return p;
}

void tracePacketBytes(std::span<const uint8_t, kPacketSize> b) {
    if (!dbgEnabled()) return;
    static constexpr const char* kFormat =
        "%02x %02x %02x %02x   %02x %02x %02x %02x   %02x %02x %02x %02x   %02x %02x %02x %02x  "
        "%02x %02x %02x %02x  %02x %02x %02x %02x  %02x %02x %02x %02x  %02x %02x %02x %02x";
    for (size_t h = 0; h < 2; ++h) {
        const uint8_t* x = b.data() + h * 32;
        dbgOutf(kFormat, x[0], x[1], x[2], x[3], x[4], x[5], x[6], x[7], x[8], x[9], x[10], x[11],
                x[12], x[13], x[14], x[15], x[16], x[17], x[18], x[19], x[20], x[21], x[22], x[23],
                x[24], x[25], x[26], x[27], x[28], x[29], x[30], x[31]);
    }
}

}  // namespace md
