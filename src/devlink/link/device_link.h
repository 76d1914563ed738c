#pragma once
// A device's command link over its wired channel and its 2.4G receiver channel: one command
// transaction per packet with echo check and one retry, and one builder per command code that
// splits longer transfers into packets. Every operation returns a result code (namespace link).
//
// Lock order: commandLock or lightLock (per packet) before ioLock (per channel write and per
// channel read). Safe for concurrent use by the UI thread and worker threads.

#include <array>
#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <span>
#include <string>

#include "devlink/link/command_packet.h"
#include "devlink/link/device_info.h"
#include "devlink/hid/hid_channel.h"

namespace md {

// Result codes of the command link.
namespace link {
inline constexpr int kOk = 1;
inline constexpr int kNoReply = 0;  // not opened, or no reply completed
inline constexpr int kWriteFailed = -1;
inline constexpr int kUnreachable = -101;   // 2.4G: the receiver cannot reach the device
inline constexpr int kStatusFailed = -102;  // reply status 0xFF
inline constexpr int kStatusBusy = -103;    // reply status 0xFE
inline constexpr int kBadKeyPage = -201;
}  // namespace link

class DeviceLink {
  public:
    DeviceLink();  // channels on the default HID backend
    explicit DeviceLink(std::shared_ptr<HidBackend> backend);
    DeviceLink(const DeviceLink&) = delete;
    DeviceLink& operator=(const DeviceLink&) = delete;

    // Link set-up.
    void setLinkMode(int mode);  // 2 = 2.4G (chunks of 24), anything else wired (chunks of 56)
    bool setTransferLength(uint16_t length);  // false above 512, nothing changed
    bool isOpen() const { return m_opened.load(); }
    // Opens the channel of `mode` on path under the I/O lock, sets the link mode and, on
    // success, the opened flag.
    bool openLink(const std::string& path, int mode);
    // Opens a collection that other programs share (mousepad, headset) on the wired channel;
    // the link mode stays as it is.
    bool openShared(const std::string& path);
    // Makes the channel of `mode` (re)opened on path the live one: the link is closed while it
    // changes and stays closed when the open fails. The other channel is left as it is.
    bool switchLink(const std::string& path, int mode);
    // Clears opened and closes both channels.
    void closeLink();

    bool isWireless() const { return m_wireless.load(); }
    uint8_t chunkSize() const { return m_chunkSize.load(); }
    uint16_t transferLength() const { return m_transferLength.load(); }
    bool isBusy() const { return m_busy.load(); }
    bool lightingSuspended() const { return m_lightingSuspended.load(); }
    void setLightingSuspended(bool s) { m_lightingSuspended.store(s); }

    HidChannel& wiredChannel() { return m_wiredChannel; }
    HidChannel& wirelessChannel() { return m_wirelessChannel; }

    // Transactions (request padded or cut to 64 bytes; reply not cleared before the read).
    int transact(std::span<const uint8_t> request, std::span<uint8_t> reply,
                 uint32_t* bytesRead = nullptr);
    int transactQuiet(std::span<const uint8_t> request, std::span<uint8_t> reply,
                      uint32_t* bytesRead = nullptr);

    // Command builders.
    int beginSession();
    int endSession();
    int enableHostLighting();
    int readDeviceInfo(DeviceInfo& out);
    int readKeyTable(std::span<uint8_t> out);  // transferLength bytes
    int writeKeyTable(std::span<const uint8_t> table, int page);
    int readKeyByteTable(std::span<uint8_t> out);  // transferLength / 3 bytes
    int readConfig(std::span<uint8_t> out, uint16_t length, uint16_t base);
    int writeConfig(std::span<const uint8_t> data, uint16_t length, uint16_t base);
    int readStatus(std::span<uint8_t> out, uint8_t length, uint16_t offset);
    int writeMacroData(std::span<const uint8_t> data, uint32_t length);
    int writeShootData(std::span<const uint8_t> data, uint32_t length);
    int writeColourTable(std::span<const uint8_t> data, uint32_t length, uint32_t page,
                         uint32_t pageSize);
    int sendLedFrame(std::span<const uint8_t> frame, uint32_t length);
    bool checkWirelessOnline();

  private:
    enum class Lock { None, Command, Light };
    enum class Mode { Read, Write, LedFrame };

    HidChannel& currentChannel() { return m_wireless ? m_wirelessChannel : m_wiredChannel; }
    uint32_t currentTimeout() const { return m_wireless ? 5000 : 1000; }
    int singlePacket(uint8_t command, Packet& reply, uint8_t length = 0, uint16_t offset = 0);
    int chunked(uint8_t command, uint32_t total, uint32_t base, uint32_t limit, Lock lock,
                Mode mode, std::span<const uint8_t> source, std::span<uint8_t> sink);
    static int statusResult(const Packet& reply);

    std::atomic<uint16_t> m_transferLength{512};
    std::atomic<bool> m_busy{false};
    std::atomic<bool> m_opened{false};
    std::atomic<bool> m_lightingSuspended{false};
    HidChannel m_wiredChannel;
    HidChannel m_wirelessChannel;
    std::mutex m_ioLock;
    std::mutex m_commandLock;
    std::mutex m_lightLock;
    std::atomic<bool> m_wireless{false};
    std::atomic<uint8_t> m_chunkSize{24};
};

}  // namespace md
