#pragma once
// The few primitives that the HID layer needs from the platform: list the HID interfaces, open
// one node, timed and cancellable reads and writes, set-output-report. HidChannel builds the
// collection-level behaviour (paths, capabilities, report-ID filtering) on top, so everything
// above a backend is shared by the hidraw backend and the virtual devices.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

namespace md {

// One HID interface (one hidraw node) as the platform reports it.
struct HidInterfaceInfo {
    std::string node;  // "/dev/hidraw3"; the part of a device path before '#'
    uint16_t bus = 0;  // 3 USB, 5 Bluetooth, ...
    uint16_t vendorId = 0;
    uint16_t productId = 0;
    uint16_t version = 0;             // bcdDevice when known
    int interfaceNumber = -1;         // USB bInterfaceNumber, -1 when not a USB interface
    bool multiInterface = false;      // the USB device has more than one interface ("&mi_")
    std::vector<uint8_t> descriptor;  // report descriptor bytes
};

enum class HidIo { Ok, Timeout, Cancelled, Error };

// No time-out for HidNode::read/write.
inline constexpr int kHidWaitForever = -1;

// An open HID node. read/write may be called from two threads at once (one each); shutdown()
// may be called from any thread and ends every wait at once, now and later.
class HidNode {
  public:
    virtual ~HidNode() = default;

    // Reads one report as the kernel delivers it: the first byte is the report ID when the
    // device numbers its reports, otherwise the data starts at byte 0. Waits at most timeoutMs
    // (kHidWaitForever: no limit). Returns Cancelled as soon as cancelFd is readable; the
    // caller consumes that event. got receives the byte count (0 unless Ok).
    virtual HidIo read(std::span<uint8_t> buf, size_t& got, int timeoutMs, int cancelFd) = 0;

    // Writes one output report; buf[0] is the report ID (0 for devices without report IDs).
    virtual HidIo write(std::span<const uint8_t> buf, int timeoutMs, int cancelFd) = 0;

    // Sends an output report over the control pipe (HIDIOCSOUTPUT); falls back to write().
    virtual bool setOutputReport(std::span<const uint8_t> buf) = 0;

    // Ends all pending and future transfers on this node with Cancelled.
    virtual void shutdown() = 0;

    // What the node was opened as (identifiers and report descriptor).
    virtual const HidInterfaceInfo& info() const = 0;
};

class HidBackend {
  public:
    virtual ~HidBackend() = default;

    // Fills out with every HID interface present now. False when the listing itself failed.
    virtual bool listInterfaces(std::vector<HidInterfaceInfo>& out) = 0;

    // Opens a node (HidInterfaceInfo::node) for I/O; nullptr when it is gone or access is refused.
    virtual std::unique_ptr<HidNode> open(const std::string& node, bool forRead, bool forWrite) = 0;

    // Presence check without opening for I/O: true while the node exists and still belongs to a
    // device with these identifiers.
    virtual bool present(const std::string& node, uint16_t vendorId, uint16_t productId) = 0;

    // Optional change notification: a descriptor that becomes readable when interfaces may have
    // come or gone (-1 when the backend offers none); drainChanges() clears it after it fired.
    virtual int changeFd() { return -1; }
    virtual void drainChanges() {}
};

// The process-wide backend that HidChannel uses when none is given: hidraw unless replaced
// (the virtual bus of --demo / --simulate, tests).
std::shared_ptr<HidBackend> defaultHidBackend();
void setDefaultHidBackend(std::shared_ptr<HidBackend> backend);

}  // namespace md
