#pragma once
// One virtual USB device on the virtual bus: its HID interfaces with their report descriptors,
// the input report queues of the nodes opened on them (every open node gets its own copy of
// every input report sent after it was opened, as with hidraw), fault injection, the report log
// and the timing model. Commands written to the command collection go to a firmware model; a
// receiver forwards them to the firmware of its paired device and answers 0xAA at byte 3 while
// that device is switched off.

#include <cstdint>
#include <deque>
#include <memory>
#include <mutex>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "devlink/hid/hid_backend.h"
#include "sim/fault_plan.h"
#include "sim/firmware.h"
#include "sim/report_log.h"
#include "sim/unique_fd.h"

namespace md::sim {

enum class Timing : uint8_t {
    Immediate,     // replies are readable as soon as the command was written
    UsbFullSpeed,  // "usb-fs": one report per 1 ms frame each way
};

struct VirtualInterface {
    int number = 0;
    std::vector<uint8_t> descriptor;
    bool commands = false;      // takes the 0x04 command packets (and 0xFF LED reports)
    uint8_t eventReportId = 0;  // report ID of event reports, 0 when none
};

struct DeviceConfig {
    std::string label;  // "mouse", "receiver", "keyboard", "keyboard-receiver", ...
    uint16_t vendorId = 0;
    uint16_t productId = 0;
    uint16_t version = 0x0100;
    std::vector<VirtualInterface> interfaces;
};

class VirtualDevice : public std::enable_shared_from_this<VirtualDevice> {
  public:
    // forwarding: a receiver, which reaches `firmware` over the air.
    VirtualDevice(DeviceConfig config, std::shared_ptr<Firmware> firmware, bool forwarding);
    ~VirtualDevice();
    VirtualDevice(const VirtualDevice&) = delete;
    VirtualDevice& operator=(const VirtualDevice&) = delete;

    const std::string& label() const { return m_config.label; }
    uint16_t vendorId() const { return m_config.vendorId; }
    uint16_t productId() const { return m_config.productId; }
    const DeviceConfig& config() const { return m_config; }
    Firmware& firmware() const { return *m_firmware; }
    const std::shared_ptr<Firmware>& firmwarePtr() const { return m_firmware; }
    bool isReceiver() const { return m_forwarding; }
    bool plugged() const;
    // Node names of the interfaces while plugged ("sim:<n>"), in interface order.
    std::vector<std::string> nodeNames() const;

    // Sends an event report (a 16-bit consumer usage) on the event collection. False when the
    // device is not plugged or has no event collection.
    bool emitEvent(uint16_t code);
    // Sends any input report on an interface (byte 0 = report ID for numbered reports).
    bool sendInputReport(int interfaceNumber, std::span<const uint8_t> report);
    // The user switched the hardware profile on the device: the firmware's active profile
    // becomes `profile` and event 0x1000 + profile is sent, or 0x1100 + stage × 16 + profile
    // when the DPI stage changed with it.
    bool switchHardwareProfile(uint8_t profile, std::optional<uint8_t> stage = std::nullopt);

    void injectFault(const Fault& fault) { m_faults.arm(fault); }
    void clearFaults() { m_faults.clear(); }
    // Command packets received since the device was created (refused writes included).
    uint64_t packetsSeen() const { return m_faults.packetsSeen(); }
    // Other output reports on the command collection (the headset's LED reports), likewise.
    uint64_t outputReportsSeen() const { return m_faults.outputReportsSeen(); }

    void setTiming(Timing timing);
    Timing timing() const;

    ReportLog& log() { return m_log; }
    const ReportLog& log() const { return m_log; }

    // --- used by the bus and its nodes ---
    void attach(std::vector<std::string> nodeNames);
    void detach();
    std::vector<HidInterfaceInfo> interfaceInfos() const;
    std::unique_ptr<HidNode> openNode(const std::string& node, bool forRead, bool forWrite);
    bool hasNode(const std::string& node, uint16_t vendorId, uint16_t productId) const;

    struct Queued {
        std::vector<uint8_t> bytes;
        uint64_t availableUs = 0;
    };
    struct NodeQueue {
        size_t interfaceIndex = 0;
        uint64_t epoch = 0;
        std::deque<Queued> reports;
        bool shutdown = false;
        bool gone = false;
        UniqueFd wake;       // a report arrived, or the node was shut down or is gone
        UniqueFd writeWake;  // shut down or gone: ends a writer's wait for its frame
    };
    HidIo read(NodeQueue& q, std::span<uint8_t> buf, size_t& got, int timeoutMs, int cancelFd);
    HidIo write(NodeQueue& q, std::span<const uint8_t> buf, int timeoutMs, int cancelFd,
                bool control);
    void shutdownQueue(NodeQueue& q);
    void closeQueue(const NodeQueue* q);
    HidInterfaceInfo interfaceInfo(size_t index) const;

  private:
    uint64_t nowUs() const;
    // Waits until `untilUs` on the clock, the cancel fd or the queue's wake fd.
    HidIo waitUntil(NodeQueue& q, uint64_t untilUs, int timeoutMs, int cancelFd);
    HidIo queueState(const NodeQueue& q) const;  // Ok, Cancelled (shut down) or Error (gone)
    void enqueueLocked(size_t interfaceIndex, std::vector<uint8_t> bytes, uint64_t availableUs);
    void enqueueInput(size_t interfaceIndex, std::vector<uint8_t> bytes, uint32_t extraDelayMs,
                      uint64_t earliestUs = 0);
    // A report on the command collection that is no command packet (the headset's LED reports).
    HidIo writeOtherReport(NodeQueue& q, const VirtualInterface& iface, std::vector<uint8_t> bytes,
                           int timeoutMs, int cancelFd, bool control);
    std::optional<Packet> replyTo(const Packet& packet, const std::optional<Fault>& fault);
    uint64_t nextInSlotLocked(uint64_t earliestUs);

    const DeviceConfig m_config;
    const std::shared_ptr<Firmware> m_firmware;
    const bool m_forwarding;
    const uint64_t m_startUs;

    mutable std::mutex m_mutex;
    bool m_plugged = false;
    uint64_t m_epoch = 0;
    std::vector<std::string> m_nodeNames;
    std::vector<std::shared_ptr<NodeQueue>> m_queues;
    Timing m_timing = Timing::Immediate;
    uint64_t m_nextOutUs = 0;
    uint64_t m_nextControlUs = 0;
    uint64_t m_nextInUs = 0;
    uint32_t m_noise = 0x12345678;

    FaultPlan m_faults;
    ReportLog m_log;
};

}  // namespace md::sim
