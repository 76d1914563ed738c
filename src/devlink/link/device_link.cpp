#include "devlink/link/device_link.h"

#include <algorithm>
#include <chrono>
#include <cstring>
#include <thread>

#include "common/dbg_out.h"

namespace md {
namespace {

constexpr uint16_t kMaxTransferLength = 512;

Packet padded(std::span<const uint8_t> request) {
    Packet p{};
    std::copy_n(request.begin(), std::min(request.size(), kPacketSize), p.begin());
    return p;
}

// A reply shorter than a packet is read into a packet-sized view of the caller's buffer.
void traceReply(std::span<const uint8_t> reply) {
    if (!dbgEnabled()) return;
    Packet copy{};
    std::copy_n(reply.begin(), std::min(reply.size(), kPacketSize), copy.begin());
    dbgOut("返回");
    tracePacketBytes(copy);
}

}  // namespace

DeviceLink::DeviceLink() : DeviceLink(defaultHidBackend()) {}

DeviceLink::DeviceLink(std::shared_ptr<HidBackend> backend)
    : m_wiredChannel(backend), m_wirelessChannel(backend) {}

void DeviceLink::setLinkMode(int mode) {
    const bool wireless = mode == 2;
    m_wireless = wireless;
    m_chunkSize = wireless ? 24 : 56;
}

bool DeviceLink::setTransferLength(uint16_t length) {
    if (length > kMaxTransferLength) return false;
    m_transferLength = length;
    return true;
}

bool DeviceLink::openLink(const std::string& path, int mode) {
    std::lock_guard io(m_ioLock);
    m_opened = false;
    setLinkMode(mode);
    if (!currentChannel().openChannel(path)) return false;
    m_opened = true;
    return true;
}

bool DeviceLink::openShared(const std::string& path) {
    std::lock_guard io(m_ioLock);
    m_opened = false;
    if (!m_wiredChannel.openChannel(path)) return false;
    m_opened = true;
    return true;
}

bool DeviceLink::switchLink(const std::string& path, int mode) {
    std::lock_guard io(m_ioLock);
    m_opened = false;
    HidChannel& channel = mode == 2 ? m_wirelessChannel : m_wiredChannel;
    channel.closeChannel();
    if (!channel.openChannel(path)) return false;
    setLinkMode(mode);
    m_opened = true;
    return true;
}

void DeviceLink::closeLink() {
    m_opened = false;
    std::lock_guard io(m_ioLock);
    m_wiredChannel.closeChannel();
    m_wirelessChannel.closeChannel();
}

int DeviceLink::transact(std::span<const uint8_t> request, std::span<uint8_t> reply,
                         uint32_t* bytesRead) {
    m_busy = true;
    if (bytesRead) *bytesRead = 0;
    if (!m_opened) {
        m_busy = false;
        return link::kNoReply;
    }
    const Packet packet = padded(request);
    HidChannel& channel = currentChannel();
    const uint32_t timeout = currentTimeout();
    const bool wireless = m_wireless;
    int result = link::kNoReply;
    for (int attempts = 0;;) {
        if (dbgEnabled()) {
            dbgOut("命令");
            tracePacketBytes(packet);
        }
        bool ok;
        {
            std::lock_guard io(m_ioLock);
            ok = channel.writeReport(kPacketSize, nullptr, packet.data(), timeout);
        }
        if (!ok) {
            m_busy = false;
            return link::kWriteFailed;
        }
        {
            std::lock_guard io(m_ioLock);
            ok = !reply.empty() && channel.readReport(static_cast<uint32_t>(reply.size()),
                                                      bytesRead, reply.data(), timeout);
        }
        result = ok ? link::kOk : link::kNoReply;
        const uint8_t echo = reply.size() > 3 ? reply[3] : 0;
        if (echo == packet[3]) break;
        if (wireless && echo == kReplyUnreachable) {
            result = link::kUnreachable;
            break;
        }
        if (++attempts >= 2) break;  // one retry; the last read's result stands
    }
    traceReply(reply);
    m_busy = false;
    return result;
}

int DeviceLink::transactQuiet(std::span<const uint8_t> request, std::span<uint8_t> reply,
                              uint32_t* bytesRead) {
    if (bytesRead) *bytesRead = 0;
    if (!m_opened) return link::kNoReply;
    const Packet packet = padded(request);
    if (dbgEnabled()) {
        // LED frames too: with the debug log on, every report the device gets is logged.
        dbgOut("命令");
        tracePacketBytes(packet);
    }
    {
        std::lock_guard io(m_ioLock);
        if (!m_wiredChannel.writeReport(kPacketSize, nullptr, packet.data(), 1000))
            return link::kWriteFailed;
    }
    std::lock_guard io(m_ioLock);
    const bool ok = !reply.empty() && m_wiredChannel.readReport(static_cast<uint32_t>(reply.size()),
                                                                bytesRead, reply.data(), 1000);
    return ok ? link::kOk : link::kNoReply;
}

int DeviceLink::statusResult(const Packet& reply) {
    if (reply[7] == kStatusFailed) return link::kStatusFailed;
    if (reply[7] == kStatusBusy) return link::kStatusBusy;
    return link::kOk;
}

int DeviceLink::singlePacket(uint8_t command, Packet& reply, uint8_t length, uint16_t offset) {
    const Packet p = buildPacket(command, length, offset);
    int result;
    {
        std::lock_guard lock(m_commandLock);
        result = transact(p, reply);
    }
    return result != link::kOk ? result : statusResult(reply);
}

int DeviceLink::beginSession() {
    Packet reply{};
    return singlePacket(cmd::kBeginSession, reply);
}

int DeviceLink::endSession() {
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
    Packet reply{};
    return singlePacket(cmd::kEndSession, reply);
}

int DeviceLink::enableHostLighting() {
    Packet reply{};
    return singlePacket(cmd::kEnableHostLighting, reply);
}

int DeviceLink::readStatus(std::span<uint8_t> out, uint8_t length, uint16_t offset) {
    const uint8_t n = static_cast<uint8_t>(std::min<size_t>({length, kPacketPayload}));
    Packet reply{};
    const int result = singlePacket(cmd::kReadStatus, reply, n, offset);
    if (result == link::kOk)
        std::copy_n(reply.begin() + 8, std::min<size_t>(n, out.size()), out.begin());
    return result;
}

bool DeviceLink::checkWirelessOnline() {
    if (!m_wireless) return true;
    Packet reply{};
    const int result = singlePacket(cmd::kCheckWirelessOnline, reply);
    return result == link::kOk && reply[8] == 0xFF;
}

int DeviceLink::chunked(uint8_t command, uint32_t total, uint32_t base, uint32_t limit, Lock lock,
                        Mode mode, std::span<const uint8_t> source, std::span<uint8_t> sink) {
    Packet reply{};
    for (uint32_t r = 0; r < total; r += limit) {
        const uint32_t n = std::min(limit, total - r);
        std::span<const uint8_t> payload;
        if (mode != Mode::Read) payload = source.subspan(r, n);
        const Packet p = buildPacket(command, static_cast<uint8_t>(n),
                                     static_cast<uint16_t>((base + r) & 0xFFFF), payload);
        int result;
        if (mode == Mode::LedFrame) {
            // Frames never wait behind a command and never cross the receiver.
            if (m_busy) {
                dbgOut("放弃灯光数据");
                continue;
            }
            if (m_wireless) continue;
            std::lock_guard l(m_lightLock);
            result = transactQuiet(p, reply);
        } else if (lock == Lock::None) {
            result = transact(p, reply);
        } else {
            std::lock_guard l(lock == Lock::Light ? m_lightLock : m_commandLock);
            result = transact(p, reply);
        }
        if (result != link::kOk) return result;
        if (const int st = statusResult(reply); st != link::kOk) return st;
        if (mode == Mode::Read) std::copy_n(reply.begin() + 8, n, sink.begin() + r);
    }
    return link::kOk;
}

int DeviceLink::readDeviceInfo(DeviceInfo& out) {
    DeviceInfo gathered{};
    const int result = chunked(cmd::kReadDeviceInfo, kDeviceInfoSize, 0, m_chunkSize, Lock::Command,
                               Mode::Read, {}, gathered);
    if (result == link::kOk) out = gathered;
    return result;
}

// Buffers shorter than the transfer are refused before anything is sent.

int DeviceLink::readKeyTable(std::span<uint8_t> out) {
    const uint16_t total = m_transferLength;
    if (out.size() < total) return link::kNoReply;
    return chunked(cmd::kReadKeyTable, total, 0, m_chunkSize, Lock::Command, Mode::Read, {}, out);
}

int DeviceLink::writeKeyTable(std::span<const uint8_t> table, int page) {
    if (page != 0) return link::kBadKeyPage;
    const uint16_t total = m_transferLength;
    if (table.size() < total) return link::kNoReply;
    return chunked(cmd::kWriteKeyTable, total, static_cast<uint32_t>(page) * 512, m_chunkSize,
                   Lock::Command, Mode::Write, table, {});
}

int DeviceLink::readKeyByteTable(std::span<uint8_t> out) {
    const uint32_t total = m_transferLength / 3u;
    if (out.size() < total) return link::kNoReply;
    return chunked(cmd::kReadKeyByteTable, total, 0, m_chunkSize, Lock::Command, Mode::Read, {},
                   out);
}

int DeviceLink::readConfig(std::span<uint8_t> out, uint16_t length, uint16_t base) {
    if (out.size() < length) return link::kNoReply;
    return chunked(cmd::kReadConfig, length, base, m_chunkSize, Lock::Command, Mode::Read, {}, out);
}

int DeviceLink::writeConfig(std::span<const uint8_t> data, uint16_t length, uint16_t base) {
    if (data.size() < length) return link::kNoReply;
    return chunked(cmd::kWriteConfig, length, base, m_chunkSize, Lock::Command, Mode::Write, data,
                   {});
}

int DeviceLink::writeMacroData(std::span<const uint8_t> data, uint32_t length) {
    if (data.size() < length) return link::kNoReply;
    return chunked(cmd::kWriteMacroData, length, 0, m_chunkSize, Lock::Command, Mode::Write, data,
                   {});
}

int DeviceLink::writeShootData(std::span<const uint8_t> data, uint32_t length) {
    if (data.size() < length) return link::kNoReply;
    return chunked(cmd::kWriteShootData, length, 0, kPacketPayload, Lock::None, Mode::Write, data,
                   {});
}

int DeviceLink::writeColourTable(std::span<const uint8_t> data, uint32_t length, uint32_t page,
                                 uint32_t pageSize) {
    if (data.size() < length) return link::kNoReply;
    return chunked(cmd::kWriteColourTable, length, page * pageSize, m_chunkSize, Lock::Light,
                   Mode::Write, data, {});
}

int DeviceLink::sendLedFrame(std::span<const uint8_t> frame, uint32_t length) {
    if (frame.size() < length) return link::kNoReply;
    return chunked(cmd::kSendLedFrame, length, 0, m_chunkSize, Lock::Light, Mode::LedFrame, frame,
                   {});
}

}  // namespace md
