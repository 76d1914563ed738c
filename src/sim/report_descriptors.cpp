#include "sim/report_descriptors.h"

namespace md::sim {

namespace {
// Main item flags.
constexpr uint8_t kData = 0x00, kConst = 0x01, kVar = 0x02, kRel = 0x04;
constexpr uint8_t kApplication = 0x01, kPhysical = 0x00;
constexpr uint16_t kGenericDesktop = 0x01, kKeyboardPage = 0x07, kLedPage = 0x08,
                   kButtonPage = 0x09, kConsumerPage = 0x0C, kVendorPage = 0xFF1C;
constexpr uint16_t kCommandUsage = 0x92;

void mouseReport(DescriptorWriter& w, bool wide) {
    w.usage(0x01).collection(kPhysical);  // pointer
    w.usagePage(kButtonPage).usageMin(1).usageMax(5).logicalMin(0).logicalMax(1);
    w.reportSize(1).reportCount(5).input(kData | kVar);
    w.reportSize(3).reportCount(1).input(kConst);
    w.usagePage(kGenericDesktop).usage(0x30).usage(0x31);
    if (wide)
        w.logicalMin(-32767).logicalMax(32767).reportSize(16).reportCount(2);
    else
        w.logicalMin(-127).logicalMax(127).reportSize(8).reportCount(2);
    w.input(kData | kVar | kRel);
    w.usage(0x38).logicalMin(-127).logicalMax(127).reportSize(8).reportCount(1);
    w.input(kData | kVar | kRel);
    if (wide) {
        w.usagePage(kConsumerPage).usage(0x0238).reportCount(1).input(kData | kVar | kRel);
    }
    w.endCollection();
}

void keyboardLeds(DescriptorWriter& w) {
    w.usagePage(kLedPage).usageMin(1).usageMax(5).logicalMin(0).logicalMax(1);
    w.reportSize(1).reportCount(5).output(kData | kVar);
    w.reportSize(3).reportCount(1).output(kConst);
}

void modifiers(DescriptorWriter& w) {
    w.usagePage(kKeyboardPage).usageMin(0xE0).usageMax(0xE7).logicalMin(0).logicalMax(1);
    w.reportSize(1).reportCount(8).input(kData | kVar);
}
}  // namespace

void DescriptorWriter::put(uint8_t tagType, uint32_t raw, size_t size) {
    const uint8_t code = size == 0 ? 0 : size == 1 ? 1 : size == 2 ? 2 : 3;
    m_bytes.push_back(static_cast<uint8_t>(tagType | code));
    for (size_t i = 0; i < size; ++i) m_bytes.push_back(static_cast<uint8_t>(raw >> (8 * i)));
}

DescriptorWriter& DescriptorWriter::unsignedItem(uint8_t tagType, uint32_t v) {
    put(tagType, v, v <= 0xFF ? 1 : v <= 0xFFFF ? 2 : 4);
    return *this;
}

DescriptorWriter& DescriptorWriter::signedItem(uint8_t tagType, int32_t v) {
    const size_t size = (v >= -128 && v <= 127) ? 1 : (v >= -32768 && v <= 32767) ? 2 : 4;
    put(tagType, static_cast<uint32_t>(v), size);
    return *this;
}

std::vector<uint8_t> bootInterfaceDescriptor(PointerKind kind) {
    DescriptorWriter w;
    if (kind == PointerKind::Mouse) {
        w.usagePage(kGenericDesktop).usage(0x02).collection(kApplication);
        mouseReport(w, false);
        w.endCollection();
    } else {
        w.usagePage(kGenericDesktop).usage(0x06).collection(kApplication);
        modifiers(w);
        w.reportSize(8).reportCount(1).input(kConst);
        keyboardLeds(w);
        w.usagePage(kKeyboardPage).usageMin(0).usageMax(0xFF).logicalMin(0).logicalMax(0xFF);
        w.reportSize(8).reportCount(6).input(kData);
        w.endCollection();
    }
    return w.bytes();
}

std::vector<uint8_t> vendorInterfaceDescriptor(PointerKind kind) {
    DescriptorWriter w;
    // 1: mouse or keyboard.
    if (kind == PointerKind::Mouse) {
        w.usagePage(kGenericDesktop).usage(0x02).collection(kApplication).reportId(0x01);
        mouseReport(w, true);
        w.endCollection();
    } else {
        w.usagePage(kGenericDesktop).usage(0x06).collection(kApplication).reportId(0x01);
        modifiers(w);
        w.usagePage(kKeyboardPage).usageMin(0).usageMax(0x77).logicalMin(0).logicalMax(1);
        w.reportSize(1).reportCount(120).input(kData | kVar);
        keyboardLeds(w);
        w.endCollection();
    }
    // 2: system control.
    w.usagePage(kGenericDesktop).usage(0x80).collection(kApplication).reportId(0x02);
    w.usageMin(0x81).usageMax(0x83).logicalMin(0).logicalMax(1);
    w.reportSize(1).reportCount(3).input(kData | kVar);
    w.reportSize(5).reportCount(1).input(kConst);
    w.endCollection();
    // 3: consumer control, the event collection.
    w.usagePage(kConsumerPage).usage(0x01).collection(kApplication).reportId(kEventReportId);
    w.usageMin(0).usageMax(0xFFFF).logicalMin(0).logicalMax(0xFFFF);
    w.reportSize(16).reportCount(1).input(kData);
    w.endCollection();
    // 4: the command collection.
    w.usagePage(kVendorPage).usage(kCommandUsage).collection(kApplication).reportId(0x04);
    w.logicalMin(0).logicalMax(0xFF).reportSize(8).reportCount(63);
    w.usage(0x01).input(kData | kVar);
    w.usage(0x02).output(kData | kVar);
    w.endCollection();
    return w.bytes();
}

std::vector<uint8_t> headsetInterfaceDescriptor() {
    DescriptorWriter w;
    w.usagePage(kConsumerPage).usage(0x01).collection(kApplication);
    w.reportId(kHeadsetEventReportId);
    w.usageMin(0).usageMax(0xFFFF).logicalMin(0).logicalMax(0xFFFF);
    w.reportSize(16).reportCount(1).input(kData);
    w.reportId(0x04).usagePage(kVendorPage);
    w.logicalMin(0).logicalMax(0xFF).reportSize(8).reportCount(63);
    w.usage(0x01).input(kData | kVar);
    w.usage(0x02).output(kData | kVar);
    w.reportId(0xFF).reportCount(16);
    w.usage(0x03).output(kData | kVar);
    w.endCollection();
    return w.bytes();
}

}  // namespace md::sim
