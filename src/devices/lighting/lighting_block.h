#pragma once
// The 21-byte lighting block the headset and the mousepad keep per hardware profile, and its
// transfer over the command link. The device answers reads at 25 × p and takes writes at
// 64 × p; it stores the speed reversed (4 − speed). Bytes 4 and 9-20 are never produced by the
// host: they keep what the device last reported.
//
//   0 hardware profile, 1 mode, 2 brightness 0-4, 3 speed 0-4, 5 multiColor, 6-8 red, green, blue

#include <array>
#include <cstdint>

#include "profiles/profile_records.h"

namespace md {
class DeviceLink;
}

namespace md::lighting {

inline constexpr size_t kLightingBlockSize = 21;
inline constexpr uint16_t kLightingBlockReadStride = 25;
inline constexpr uint16_t kLightingBlockReadLength = 26;
inline constexpr uint16_t kLightingBlockWriteStride = 64;

using LightingBlockBytes = std::array<uint8_t, kLightingBlockSize>;

class LightingBlock {
  public:
    const LightingBlockBytes& bytes() const { return m_bytes; }
    uint8_t hardwareProfile() const { return m_bytes[0]; }
    uint8_t mode() const { return m_bytes[1]; }
    uint8_t speed() const { return m_bytes[3]; }

    // Mode, brightness, speed, multiColor and colour of a lighting setting (out-of-range
    // brightness and speed as their nearest value); the other bytes stay.
    void setLighting(const LightSetting& l);
    // The block as a lighting setting (direction 0).
    LightSetting lighting() const;

    // Reads the active hardware profile's block (1 byte at 0, then 26 at 25 × p). The host's
    // copy changes only when both reads succeed; values the device reports out of range are
    // taken as their nearest valid value. Returns the command link's result code.
    int read(DeviceLink& link);
    // Writes the block for hardware profile q (21 bytes at 64 × q, speed reversed) inside a
    // session. Bytes the host does not produce are first taken from the device's block q when
    // the host has not read them from it, so that a write never overwrites them with guesses.
    // Returns the result of the write, or the failure of a read or of the session's start; a
    // closed link answers link::kNoReply.
    int write(DeviceLink& link, uint8_t profile);
    // The 21 bytes as the device stores them.
    LightingBlockBytes wireBytes() const;
    // A block as read from the device (the first 21 bytes of the read window).
    void takeWireBytes(const LightingBlockBytes& wire, uint8_t profile);

  private:
    static constexpr int kNone = -1;
    // Reads the window of block p (26 bytes at 25 × p) into wire form.
    static int readWindow(DeviceLink& link, uint8_t profile, LightingBlockBytes& wire);

    LightingBlockBytes m_bytes{};
    int m_keptFrom = kNone;  // the device block whose bytes 4 and 9-20 the copy holds
};

}  // namespace md::lighting
