#pragma once
// Faults that a virtual device can be told to commit on its command collection.
//
// Packets are counted per device from the moment a fault is armed: atPacket 1 is the next
// command packet (output report 0x04) the host writes, 2 the one after, and so on. A fault
// fires once at that packet, or at that packet and every later one when `always` is set.
// Faults fire in the order they were armed; at most one fault acts on a packet.
//
// A fault armed with onOutputReports() counts the other reports the host writes on the command
// collection instead (the headset's LED reports): there WriteFailure and Unplug fail the
// write, ReplyDelay holds the write back delayMs, Status makes the device ignore the report,
// and the other kinds, which act on a reply, change nothing.

#include <cstdint>
#include <mutex>
#include <optional>
#include <vector>

namespace md::sim {

struct Fault {
    enum class Kind : uint8_t {
        DropReply,     // the packet is carried out but no reply is sent
        WrongEcho,     // the reply carries another command code at byte 3
        Status,        // the packet is refused with `status` (0xFF or 0xFE) at byte 7
        WriteFailure,  // the host's write fails; the device never sees the packet
        ReplyDelay,    // the reply is held back delayMs before the host can read it
        Unplug,        // the device is unplugged when the packet arrives; the write fails
        GarbageReply,  // the reply is noise (report ID 0x04 kept, byte 3 never the echo)
    };

    // What the fault counts: command packets, or the other output reports.
    enum class Target : uint8_t { Commands, OutputReports };

    Kind kind = Kind::DropReply;
    uint32_t atPacket = 1;
    bool always = false;
    uint8_t status = 0xFF;
    uint32_t delayMs = 0;
    Target target = Target::Commands;

    // The same fault, counted on the output reports.
    Fault onOutputReports() const {
        Fault f = *this;
        f.target = Target::OutputReports;
        return f;
    }

    static Fault dropReply(uint32_t k, bool always = false) {
        return {Kind::DropReply, k, always, 0, 0};
    }
    static Fault wrongEcho(uint32_t k, bool always = false) {
        return {Kind::WrongEcho, k, always, 0, 0};
    }
    static Fault statusAt(uint32_t k, uint8_t status, bool always = false) {
        return {Kind::Status, k, always, status, 0};
    }
    static Fault writeFailure(uint32_t k, bool always = false) {
        return {Kind::WriteFailure, k, always, 0, 0};
    }
    static Fault replyDelay(uint32_t k, uint32_t ms, bool always = false) {
        return {Kind::ReplyDelay, k, always, 0, ms};
    }
    static Fault unplugAt(uint32_t k) { return {Kind::Unplug, k, false, 0, 0}; }
    static Fault garbageReply(uint32_t k, bool always = false) {
        return {Kind::GarbageReply, k, always, 0, 0};
    }
};

// The armed faults of one device. Thread-safe.
class FaultPlan {
  public:
    void arm(const Fault& fault);
    void clear();
    bool empty() const;
    // Counts one command packet and returns the fault that acts on it, if any. Faults that
    // fired once are removed.
    std::optional<Fault> onPacket();
    // As onPacket for an output report that is no command packet.
    std::optional<Fault> onOutputReport();
    uint64_t packetsSeen() const;
    uint64_t outputReportsSeen() const;

  private:
    struct Armed {
        Fault fault;
        uint64_t firesAt = 0;  // absolute number of the packet or report it counts
    };
    std::optional<Fault> count(Fault::Target target);

    mutable std::mutex m_mutex;
    uint64_t m_packets = 0;
    uint64_t m_outputReports = 0;
    std::vector<Armed> m_armed;
};

}  // namespace md::sim
