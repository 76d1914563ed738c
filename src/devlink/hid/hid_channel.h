#pragma once
// One HID top-level collection of one device path: path listing, open/close, capabilities,
// timed and cancellable report reads and writes, and unpacking of input reports.
//
// Device paths look like "/dev/hidraw3#vid_248a&pid_5b50&mi_01&col04": the node before '#',
// "&mi_XX" when the USB device has several interfaces, "&colXX" when the interface has several
// top-level collections.

#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <span>
#include <string>
#include <vector>

#include "devlink/hid/hid_backend.h"
#include "devlink/hid/hid_descriptor.h"

namespace md {

// No time-out for readReport / writeReport.
inline constexpr uint32_t kInfinite = 0xFFFFFFFF;

// How a collection is opened: event collections are only read.
enum class HidAccess { Read, ReadWrite };

// HIDD_ATTRIBUTES.
struct HidAttributes {
    uint32_t size = 10;
    uint16_t vendorId = 0;
    uint16_t productId = 0;
    uint16_t versionNumber = 0;
};

// One button capability or one usage of a value capability, with what the last unpacked report
// said about it.
struct HidDataItem {
    bool isButtonData = false;
    uint8_t reserved = 0;
    uint16_t usagePage = 0;
    uint32_t status = 0;
    uint32_t reportId = 0;
    bool isDataSet = false;
    // button item
    uint32_t usageMin = 0;
    uint32_t usageMax = 0;
    uint32_t maxUsageLength = 0;
    std::vector<uint16_t> usages;  // maxUsageLength entries
    // value item
    uint16_t usage = 0;
    uint32_t value = 0;
    int32_t scaledValue = 0;
};

class HidChannel {
  public:
    HidChannel();  // uses defaultHidBackend()
    explicit HidChannel(std::shared_ptr<HidBackend> backend);
    ~HidChannel();
    HidChannel(const HidChannel&) = delete;
    HidChannel& operator=(const HidChannel&) = delete;

    // Path list.
    bool enumerateHidPaths();
    const char* nextHidPath();  // nullptr when empty or exhausted
    void freeHidPaths();
    uint32_t pathCount() const { return static_cast<uint32_t>(m_paths.size()); }

    // Open state.
    // Opens the collection at path (the node is shared: hidraw has no share modes).
    bool openChannel(const std::string& path, HidAccess access = HidAccess::ReadWrite);
    bool reopenChannel();
    void closeChannel();
    bool isOpen() const;
    const std::string& path() const { return m_path; }

    // Transfers. timeout in milliseconds, kInfinite for none. Safe to call from two threads at
    // once (one read, one write); close/reopen from a third thread ends their waits.
    bool readReport(uint32_t length, uint32_t* bytesRead, uint8_t* buffer, uint32_t timeout);
    bool writeReport(uint32_t length, uint32_t* bytesWritten, const uint8_t* buffer,
                     uint32_t timeout);
    // Signals the cancel event (auto-reset): ends one running transfer, or the next one at once.
    void cancelTransfer();
    // Sends an output report over the control pipe (HidD_SetOutputReport).
    bool setOutputReport(std::span<const uint8_t> report);

    // Capabilities of the open collection (zero / empty while closed).
    const HidCaps& caps() const { return m_caps; }
    const HidAttributes& attributes() const { return m_attributes; }
    const HidCollectionInfo* preparsed() const { return m_preparsed.get(); }
    std::span<HidDataItem> items(HidReportType t) { return m_items[static_cast<size_t>(t)]; }
    std::span<uint8_t> reportBuffer(HidReportType t) { return m_reports[static_cast<size_t>(t)]; }
    std::span<const HidButtonCaps> buttonCaps(HidReportType t) const;
    std::span<const HidValueCaps> valueCaps(HidReportType t) const;
    uint32_t interfaceNumber() const { return m_interfaceNumber; }
    uint32_t collectionNumber() const { return m_collectionNumber; }
    bool isReading() const { return m_reading.load(); }
    bool isWriting() const { return m_writing.load(); }

    // Unpacks the channel's own input report buffer into its input items.
    bool unpackInput(uint32_t length);

  private:
    bool loadCapabilities(std::shared_ptr<HidNode> node);
    void releaseLocked();

    std::shared_ptr<HidBackend> m_backend;
    std::vector<std::string> m_paths;
    uint32_t m_pathCursor = 0;

    HidAccess m_access = HidAccess::ReadWrite;
    std::string m_path;

    // What one open holds: the node, its parsed collection and the raw read buffer. Shared so
    // that a transfer running on another thread keeps it alive until it has returned, while
    // close drops the channel's reference at once.
    struct OpenState {
        std::shared_ptr<HidNode> node;
        std::shared_ptr<const HidCollectionInfo> preparsed;
        bool usesReportIds = false;
        std::vector<uint8_t> rawInput;  // one read from the node (reports of every collection)
    };
    std::shared_ptr<OpenState> acquire(std::atomic<bool>& busyFlag) const;

    mutable std::mutex m_openMutex;
    std::shared_ptr<OpenState> m_open;
    std::shared_ptr<const HidCollectionInfo> m_preparsed;
    HidCaps m_caps;
    HidAttributes m_attributes;
    std::array<std::vector<uint8_t>, kHidReportTypes> m_reports;
    std::array<std::vector<HidDataItem>, kHidReportTypes> m_items;
    uint32_t m_interfaceNumber = 0;
    uint32_t m_collectionNumber = 0;

    int m_cancelFd = -1;  // eventfd, auto-reset by consumption
    mutable std::atomic<bool> m_reading{false};
    mutable std::atomic<bool> m_writing{false};
};

// Unpacks report (byte 0 = report ID) into the items whose report ID matches.
bool unpackInputReport(std::span<HidDataItem> items, HidReportType type,
                       std::span<const uint8_t> report, const HidCollectionInfo& preparsed);

}  // namespace md
