#pragma once
// HID 1.11 report descriptors of the virtual devices.
//
// Interface 1 of the mouse, the keyboard, their receivers and the mousepad has four top-level
// collections:
//   1  mouse (report 0x01: 5 buttons, 16-bit X/Y, wheel, AC pan) or keyboard (report 0x01:
//      modifiers and a key bitmap, LED output report)
//   2  system control (report 0x02: power down, sleep, wake up)
//   3  consumer control, usage 1 (report 0x03: one 16-bit consumer usage): the event collection
//   4  vendor page 0xFF1C, usage 0x92 (report 0x04: 63 data bytes in, 63 out): commands
// Interface 0 is a boot mouse or boot keyboard without report IDs. The headset's interface 3 is
// one consumer-control collection: report 0x01 (a 16-bit consumer usage in), report 0x04
// (63 vendor bytes in and out) and the LED output report 0xFF (16 bytes).

#include <cstddef>
#include <cstdint>
#include <vector>

namespace md::sim {

inline constexpr uint8_t kEventReportId = 0x03;
inline constexpr uint8_t kHeadsetEventReportId = 0x01;

enum class PointerKind : uint8_t { Mouse, Keyboard };

std::vector<uint8_t> bootInterfaceDescriptor(PointerKind kind);
std::vector<uint8_t> vendorInterfaceDescriptor(PointerKind kind);
std::vector<uint8_t> headsetInterfaceDescriptor();

// Writes short items, choosing the smallest data size for each value.
class DescriptorWriter {
  public:
    DescriptorWriter& usagePage(uint16_t page) { return unsignedItem(0x04, page); }
    DescriptorWriter& usage(uint16_t u) { return unsignedItem(0x08, u); }
    DescriptorWriter& usageMin(uint16_t u) { return unsignedItem(0x18, u); }
    DescriptorWriter& usageMax(uint16_t u) { return unsignedItem(0x28, u); }
    DescriptorWriter& logicalMin(int32_t v) { return signedItem(0x14, v); }
    DescriptorWriter& logicalMax(int32_t v) { return signedItem(0x24, v); }
    DescriptorWriter& reportSize(uint32_t bits) { return unsignedItem(0x74, bits); }
    DescriptorWriter& reportCount(uint32_t n) { return unsignedItem(0x94, n); }
    DescriptorWriter& reportId(uint8_t id) { return unsignedItem(0x84, id); }
    DescriptorWriter& collection(uint8_t type) { return unsignedItem(0xA0, type); }
    DescriptorWriter& endCollection() {
        m_bytes.push_back(0xC0);
        return *this;
    }
    DescriptorWriter& input(uint8_t flags) { return fixedItem(0x80, flags); }
    DescriptorWriter& output(uint8_t flags) { return fixedItem(0x90, flags); }

    const std::vector<uint8_t>& bytes() const { return m_bytes; }

  private:
    DescriptorWriter& fixedItem(uint8_t tagType, uint8_t v) {
        m_bytes.push_back(static_cast<uint8_t>(tagType | 1));
        m_bytes.push_back(v);
        return *this;
    }
    DescriptorWriter& unsignedItem(uint8_t tagType, uint32_t v);
    DescriptorWriter& signedItem(uint8_t tagType, int32_t v);
    void put(uint8_t tagType, uint32_t raw, size_t size);

    std::vector<uint8_t> m_bytes;
};

}  // namespace md::sim
