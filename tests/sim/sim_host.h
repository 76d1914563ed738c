#pragma once
// Host side of the tests: opens a device's command interface on the virtual bus and runs command
// transactions with raw 64-byte packets.

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "common/le_bytes.h"
#include "sim/firmware.h"
#include "sim/virtual_bus.h"

namespace md::sim::test {

inline Packet commandPacket(uint8_t command, uint8_t length, uint16_t offset,
                            std::span<const uint8_t> payload = {}) {
    Packet p{};
    p[0] = kCommandReportId;
    p[3] = command;
    p[4] = length;
    putLe16(p, 5, offset);
    std::copy(payload.begin(), payload.end(), p.begin() + 8);
    sealPacket(p);
    return p;
}

// The node of interface `number` of a plugged device.
inline std::string nodeOf(VirtualBus& bus, const VirtualDevice& device, int number) {
    std::vector<HidInterfaceInfo> infos;
    bus.listInterfaces(infos);
    for (const auto& i : infos)
        if (i.vendorId == device.vendorId() && i.productId == device.productId() &&
            i.interfaceNumber == number)
            return i.node;
    return {};
}

class SimHost {
  public:
    SimHost(VirtualBus& bus, const VirtualDevice& device, int interfaceNumber = 1)
        : m_node(bus.open(nodeOf(bus, device, interfaceNumber), true, true)) {}

    bool ok() const { return m_node != nullptr; }
    HidNode& node() { return *m_node; }

    // Writes the packet and reads until a command reply arrives; nullopt on failure.
    std::optional<Packet> transact(const Packet& p, int timeoutMs = 2000) {
        if (m_node->write(p, timeoutMs, -1) != HidIo::Ok) return std::nullopt;
        return readReply(timeoutMs);
    }
    std::optional<Packet> readReply(int timeoutMs = 2000) {
        std::array<uint8_t, 128> buf{};
        for (;;) {
            size_t got = 0;
            if (m_node->read(buf, got, timeoutMs, -1) != HidIo::Ok) return std::nullopt;
            if (got >= kPacketSize && buf[0] == kCommandReportId) {
                Packet r{};
                std::copy_n(buf.begin(), kPacketSize, r.begin());
                return r;
            }
        }
    }
    // Chunked write of a whole transfer; true when every packet was acknowledged.
    bool writeAll(uint8_t command, uint16_t base, std::span<const uint8_t> data,
                  size_t chunk = kPayloadSize) {
        for (size_t r = 0; r < data.size(); r += chunk) {
            const size_t n = std::min(chunk, data.size() - r);
            auto reply =
                transact(commandPacket(command, static_cast<uint8_t>(n),
                                       static_cast<uint16_t>(base + r), data.subspan(r, n)));
            if (!reply || (*reply)[3] != command || (*reply)[7] == 0xFF || (*reply)[7] == 0xFE)
                return false;
        }
        return true;
    }
    // Chunked read; empty on failure.
    std::vector<uint8_t> readAll(uint8_t command, uint16_t base, size_t length,
                                 size_t chunk = kPayloadSize) {
        std::vector<uint8_t> out;
        for (size_t r = 0; r < length; r += chunk) {
            const size_t n = std::min(chunk, length - r);
            auto reply = transact(
                commandPacket(command, static_cast<uint8_t>(n), static_cast<uint16_t>(base + r)));
            if (!reply || (*reply)[3] != command || (*reply)[7] == 0xFF || (*reply)[7] == 0xFE)
                return {};
            out.insert(out.end(), reply->begin() + 8, reply->begin() + 8 + n);
        }
        return out;
    }

  private:
    std::unique_ptr<HidNode> m_node;
};

}  // namespace md::sim::test
