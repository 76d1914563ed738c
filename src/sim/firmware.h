#pragma once
// Firmware model of one device: answers the 64-byte command packets from a memory model.
//
// Packet: 04, checksum (LE sum of bytes 3..63), command, length, offset (LE), 0, 56 payload
// bytes. Reply: 04, checksum of the reply, echo of the command, length, offset, status, payload.
// Status 0x00 is success; 0xFF answers a packet whose checksum does not match; 0xFE refuses a
// packet the firmware cannot carry out (unknown command, more than 56 bytes, an address outside
// the memory it names, a key table page other than 0). A refused packet changes nothing.
//
// Memories:
//   DeviceInfo (0x03)      34 bytes; byte 5 key-table entries N, byte 6 macro memory in 128-byte
//                          units. The others, as this firmware fills them: 0-1 product ID,
//                          2-3 firmware version (BCD), 4 number of hardware profiles, 7 LED count.
//   key table (0x07/0x09)  3N bytes in the device's own key order; writes at page × 512 + r.
//   key byte table (0x1B)  N bytes: the LED number of each device key position.
//   configuration (0x05/0x06) byte 0 = active hardware profile, then the per-profile blocks. The
//                          mouse and keyboard read and write blocks at one stride; the mousepad
//                          and headset take writes at 64 × p and answer reads at 25 × p, so a read
//                          of address 25p + i returns byte i of the block written at 64p.
//   status (0x1A)          the 6-byte power status.
//   macro (0x15), recoil (0x17) memory images, decoded when the session that wrote them ends
//                          and on request.
//   colour tables (0x0B)   512-byte pages (custom colour groups) at page × 512 + r.
//   LED frame (0x12)       3 bytes per LED; a packet at offset 0 starts a new frame.
//   0x01/0x02 sessions, 0x1C host lighting on, 0xAA online check (payload byte 0 = 0xFF).
// The headset also takes 17-byte output reports (ID 0xFF) that set its LED values.
//
// Thread-safe: one firmware can be reached through two devices (the mouse on its cable and its
// receiver).

#include <array>
#include <atomic>
#include <cstdint>
#include <mutex>
#include <span>
#include <string>
#include <vector>

#include "devlink/link/command_packet.h"
#include "sim/image_decoder.h"

namespace md::sim {

// Packet layout and command codes are the host's (devlink/command_packet.h).
inline constexpr size_t kPayloadSize = kPacketPayload;
inline constexpr uint8_t kHeadsetLedReportId = 0xFF;
inline constexpr size_t kHeadsetLedReportSize = 17;
inline constexpr size_t kHeadsetLedCount = 13;
inline constexpr size_t kDeviceInfoSize = 34;
inline constexpr size_t kPowerStatusSize = 6;


namespace status {
inline constexpr uint8_t kOk = 0x00;
inline constexpr uint8_t kBadChecksum = 0xFF;
inline constexpr uint8_t kRefused = 0xFE;
}  // namespace status

// A reply with echo, length, offset and status set and a zero payload, checksum filled in.
Packet makeReply(uint8_t command, uint8_t length, uint16_t offset, uint8_t status);
// Fills in bytes 1-2 of a finished packet.
void sealPacket(Packet& packet);

// How a device's configuration memory is addressed.
struct ConfigLayout {
    uint16_t blockStride = 128;  // writes (and reads when readStride is 0): block p at p × stride
    uint16_t readStride = 0;     // non-zero: reads see block p at p × readStride
    uint16_t blockSize = 128;    // bytes of one block as the host uses it (for configBlock)
    uint8_t profiles = 8;
};

struct FirmwareDefinition {
    std::string name;  // "mouse", "keyboard", "mousepad", "headset"
    std::array<uint8_t, kDeviceInfoSize> deviceInfo{};
    std::vector<uint8_t> keyTable;      // 3N bytes
    std::vector<uint8_t> keyByteTable;  // N bytes
    ConfigLayout layout;
    std::vector<uint8_t> config;  // initial configuration memory
    size_t recoilSize = 0;
    size_t colourPages = 0;
    size_t frameSize = 512;
    std::array<uint8_t, kPowerStatusSize> power{};
    bool headsetLeds = false;
};

// Everything the firmware keeps across runs (the state file).
struct FirmwareMemory {
    std::vector<uint8_t> config;
    std::vector<uint8_t> keyTable;
    std::vector<uint8_t> keyByteTable;
    std::vector<uint8_t> macro;
    std::vector<uint8_t> recoil;
    std::vector<uint8_t> colour;
    std::array<uint8_t, kPowerStatusSize> power{};
};

// A memory image as the firmware found it when the session in which it was written ended.
struct ReceivedImage {
    enum class Kind : uint8_t { Macro, Recoil };
    Kind kind = Kind::Macro;
    DecodedImage image;
};

struct Rgb {
    uint8_t r = 0, g = 0, b = 0;
    bool operator==(const Rgb&) const = default;
};

class Firmware {
  public:
    explicit Firmware(FirmwareDefinition definition);
    Firmware(const Firmware&) = delete;
    Firmware& operator=(const Firmware&) = delete;

    const std::string& name() const { return m_definition.name; }
    const FirmwareDefinition& definition() const { return m_definition; }

    // One command packet (64 bytes, byte 0 = report ID) in, its reply out.
    Packet handleCommand(std::span<const uint8_t, kPacketSize> packet);
    // One headset LED output report (17 bytes, byte 0 = 0xFF). False when it is not one.
    bool handleLedReport(std::span<const uint8_t> report);

    // Power: a mouse that is switched off cannot be reached through its receiver.
    bool poweredOn() const { return m_poweredOn.load(); }
    void setPoweredOn(bool on) { m_poweredOn.store(on); }

    // --- memory, as tests see it ---
    std::array<uint8_t, kDeviceInfoSize> deviceInfo() const;
    std::vector<uint8_t> config() const;
    // The bytes of hardware profile p as the host lays them out (write addressing).
    std::vector<uint8_t> configBlock(uint8_t profile) const;
    void writeConfigBytes(size_t offset, std::span<const uint8_t> bytes);
    uint8_t activeProfile() const;
    void setActiveProfile(uint8_t profile);
    // The assignments the host wrote (the factory codes until then).
    std::vector<uint8_t> keyTable() const;
    // The key layout that key-table reads return: every button's factory code.
    std::vector<uint8_t> keyLayout() const;
    // Changes one layout entry (a device whose layout lacks a factory code).
    void setKeyLayoutEntry(size_t i, std::array<uint8_t, 3> bytes);
    std::vector<uint8_t> keyByteTable() const;
    // Entry i of the key table (3 bytes).
    std::array<uint8_t, 3> keyEntry(size_t i) const;
    size_t keyEntries() const { return m_definition.keyByteTable.size(); }
    std::vector<uint8_t> macroMemory() const;
    DecodedImage macroImage() const;
    std::vector<uint8_t> recoilMemory() const;
    DecodedImage recoilImage() const;
    // Images written since the device started, decoded at the end of their session (last 64);
    // a malformed one is also reported on the diagnostics channel.
    std::vector<ReceivedImage> receivedImages() const;
    std::vector<uint8_t> colourTable(size_t page) const;  // 512 bytes, empty when no such page
    std::vector<uint8_t> ledFrame() const;                // the frame buffer as last written
    uint64_t ledFramesStarted() const;
    // Headset: LED values per target (0x22, 0x44) as the last reports set them.
    std::array<Rgb, kHeadsetLedCount> headsetLeds(uint8_t target) const;
    std::vector<std::vector<uint8_t>> headsetLedReports() const;  // last 4096 reports
    uint64_t headsetLedReportCount() const;

    std::array<uint8_t, kPowerStatusSize> powerStatus() const;
    void setBattery(uint8_t percent);
    void setCharging(uint8_t state);  // 0 cable, 1 charging, 2 on battery
    void setPhoneType(uint8_t type);  // 1 iPhone, 2 Samsung, 3 other, else none
    void setPowerByte(size_t index, uint8_t value);

    bool sessionOpen() const;
    uint64_t sessionsBegun() const;
    uint64_t sessionsEnded() const;
    bool hostLightingEnabled() const;
    uint64_t commandsHandled() const;

    FirmwareMemory memory() const;
    // Restores memories of the right sizes; a memory of another size is left as it is.
    void restore(const FirmwareMemory& memory);

  private:
    uint8_t handleLocked(uint8_t command, uint8_t length, uint16_t offset,
                         std::span<const uint8_t> payload,
                         std::span<uint8_t> out);  // out: the 56 payload bytes of the reply
    static uint8_t readRange(std::span<const uint8_t> mem, size_t offset, size_t length,
                             std::span<uint8_t> out);
    static uint8_t writeRange(std::span<uint8_t> mem, size_t offset, std::span<const uint8_t> data);
    size_t readAddress(size_t offset) const;
    void takeImageLocked(ReceivedImage::Kind kind, std::span<const uint8_t> memory);

    const FirmwareDefinition m_definition;
    mutable std::mutex m_mutex;
    std::atomic<bool> m_poweredOn{true};
    std::array<uint8_t, kDeviceInfoSize> m_deviceInfo{};
    std::vector<uint8_t> m_config;
    std::vector<uint8_t> m_keyTable;
    std::vector<uint8_t> m_keyLayout;
    std::vector<uint8_t> m_keyByteTable;
    std::vector<uint8_t> m_macro;
    std::vector<uint8_t> m_recoil;
    std::vector<uint8_t> m_colour;
    std::vector<uint8_t> m_frame;
    uint64_t m_framesStarted = 0;
    std::array<uint8_t, kPowerStatusSize> m_power{};
    bool m_sessionOpen = false;
    uint64_t m_sessionsBegun = 0;
    uint64_t m_sessionsEnded = 0;
    bool m_hostLighting = false;
    uint64_t m_commands = 0;
    bool m_macroWritten = false;
    bool m_recoilWritten = false;
    std::vector<ReceivedImage> m_images;
    std::array<std::array<Rgb, kHeadsetLedCount>, 2> m_headsetLeds{};
    std::vector<std::vector<uint8_t>> m_ledReports;
    uint64_t m_ledReportCount = 0;
};

}  // namespace md::sim
