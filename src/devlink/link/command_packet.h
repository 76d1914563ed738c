#pragma once
// The 64-byte command packet of the vendor protocol and its reply:
//   packet: 0 report ID 0x04 | 1-2 checksum (LE sum of bytes 3..63) | 3 command |
//           4 payload length | 5-6 offset (LE) | 7 zero | 8..63 payload
//   reply:  3 echo of the command (0xAA from a receiver that cannot reach its device) |
//           7 status (0xFF, 0xFE errors) | 8..63 payload

#include <array>
#include <cstdint>
#include <span>

namespace md {

inline constexpr size_t kPacketSize = 64;
inline constexpr size_t kPacketPayload = 56;
inline constexpr uint8_t kCommandReportId = 0x04;
using Packet = std::array<uint8_t, kPacketSize>;

// Command codes.
namespace cmd {
inline constexpr uint8_t kBeginSession = 0x01;
inline constexpr uint8_t kEndSession = 0x02;
inline constexpr uint8_t kReadDeviceInfo = 0x03;
inline constexpr uint8_t kReadConfig = 0x05;
inline constexpr uint8_t kWriteConfig = 0x06;
inline constexpr uint8_t kReadKeyTable = 0x07;
inline constexpr uint8_t kWriteKeyTable = 0x09;
inline constexpr uint8_t kWriteColourTable = 0x0B;
inline constexpr uint8_t kSendLedFrame = 0x12;
inline constexpr uint8_t kWriteMacroData = 0x15;
inline constexpr uint8_t kWriteShootData = 0x17;
inline constexpr uint8_t kReadStatus = 0x1A;
inline constexpr uint8_t kReadKeyByteTable = 0x1B;
inline constexpr uint8_t kEnableHostLighting = 0x1C;
inline constexpr uint8_t kCheckWirelessOnline = 0xAA;
}  // namespace cmd

inline constexpr uint8_t kReplyUnreachable = 0xAA;
inline constexpr uint8_t kStatusFailed = 0xFF;  // result -102
inline constexpr uint8_t kStatusBusy = 0xFE;    // result -103

// Low 16 bits of the sum of bytes 3..63.
uint16_t packetChecksum(std::span<const uint8_t, kPacketSize> packet);

// A finished packet: payload copied (at most 56 bytes), the rest zero, checksum last.
Packet buildPacket(uint8_t command, uint8_t length, uint16_t offset,
                   std::span<const uint8_t> payload = {});

// Writes the two trace lines of a packet or reply (bytes 0-31 and 32-63) to the debugger output.
void tracePacketBytes(std::span<const uint8_t, kPacketSize> bytes);

}  // namespace md
