#pragma once
// HID 1.11 report descriptor parser. It yields, per top-level collection, what the Windows HID
// parser's preparsed data gives: HIDP_CAPS, button and value capabilities per report type, and
// the field layout that the usage accessors (hid_usages.h) read reports with.
//
// Report buffers follow the Windows layout everywhere: byte 0 is the report ID (0 for a device
// without report IDs) and data starts at byte 1.

#include <array>
#include <bitset>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace md {

enum class HidReportType : uint8_t { Input = 0, Output = 1, Feature = 2 };
inline constexpr size_t kHidReportTypes = 3;

// HIDP_STATUS_* values.
namespace hidp {
inline constexpr uint32_t kSuccess = 0x00110000;
inline constexpr uint32_t kNull = 0x80110001;
inline constexpr uint32_t kInvalidPreparsedData = 0xC0110001;
inline constexpr uint32_t kInvalidReportType = 0xC0110002;
inline constexpr uint32_t kInvalidReportLength = 0xC0110003;
inline constexpr uint32_t kUsageNotFound = 0xC0110004;
inline constexpr uint32_t kValueOutOfRange = 0xC0110005;
inline constexpr uint32_t kBadLogPhyValues = 0xC0110006;
inline constexpr uint32_t kBufferTooSmall = 0xC0110007;
inline constexpr uint32_t kIncompatibleReportId = 0xC011000A;
}  // namespace hidp

// HIDP_CAPS.
struct HidCaps {
    uint16_t usage = 0;
    uint16_t usagePage = 0;
    uint16_t inputReportByteLength = 0;
    uint16_t outputReportByteLength = 0;
    uint16_t featureReportByteLength = 0;
    uint16_t numberLinkCollectionNodes = 0;
    uint16_t numberInputButtonCaps = 0;
    uint16_t numberInputValueCaps = 0;
    uint16_t numberInputDataIndices = 0;
    uint16_t numberOutputButtonCaps = 0;
    uint16_t numberOutputValueCaps = 0;
    uint16_t numberOutputDataIndices = 0;
    uint16_t numberFeatureButtonCaps = 0;
    uint16_t numberFeatureValueCaps = 0;
    uint16_t numberFeatureDataIndices = 0;

    uint16_t reportByteLength(HidReportType t) const {
        return t == HidReportType::Input    ? inputReportByteLength
               : t == HidReportType::Output ? outputReportByteLength
                                            : featureReportByteLength;
    }
};

// HIDP_BUTTON_CAPS (the fields this system uses plus the layout of its field).
struct HidButtonCaps {
    uint16_t usagePage = 0;
    uint8_t reportId = 0;
    bool isAlias = false;
    uint16_t bitField = 0;        // main item flags
    uint16_t linkCollection = 0;  // 0 = the top-level collection itself
    uint16_t linkUsagePage = 0;
    uint16_t linkUsage = 0;
    bool isRange = false;
    bool isAbsolute = true;
    uint16_t usageMin = 0;  // == usage when !isRange
    uint16_t usageMax = 0;
    uint16_t dataIndexMin = 0;
    uint16_t dataIndexMax = 0;
    uint32_t field = 0;  // index into HidCollectionInfo::fields
};

// HIDP_VALUE_CAPS.
struct HidValueCaps {
    uint16_t usagePage = 0;
    uint8_t reportId = 0;
    bool isAlias = false;
    uint16_t bitField = 0;
    uint16_t linkCollection = 0;
    uint16_t linkUsagePage = 0;
    uint16_t linkUsage = 0;
    bool isRange = false;
    bool isAbsolute = true;
    bool hasNull = false;
    uint16_t bitSize = 0;
    uint16_t reportCount = 0;
    int32_t unitsExp = 0;
    uint32_t units = 0;
    int32_t logicalMin = 0;
    int32_t logicalMax = 0;
    int32_t physicalMin = 0;
    int32_t physicalMax = 0;
    uint16_t usageMin = 0;  // == usage when !isRange
    uint16_t usageMax = 0;
    uint16_t dataIndexMin = 0;
    uint16_t dataIndexMax = 0;
    uint32_t field = 0;      // index into HidCollectionInfo::fields
    uint16_t firstSlot = 0;  // first element of the field that this capability covers
};

// A range of usages on one page, as declared by local items (a single usage has min == max).
struct HidUsageRange {
    uint16_t page = 0;
    uint16_t min = 0;
    uint16_t max = 0;
    uint32_t count() const { return static_cast<uint32_t>(max) - min + 1; }
};

// One Input/Output/Feature main item as it lies in its report.
struct HidField {
    HidReportType type = HidReportType::Input;
    uint8_t reportId = 0;
    uint16_t flags = 0;      // bit 0 constant, bit 1 variable, bit 2 relative, bit 6 null state
    uint32_t bitOffset = 0;  // from the start of the report buffer, report ID byte included
    uint16_t bitSize = 0;
    uint16_t count = 0;
    int32_t logicalMin = 0;
    int32_t logicalMax = 0;
    int32_t physicalMin = 0;
    int32_t physicalMax = 0;
    int32_t unitsExp = 0;
    uint32_t units = 0;
    uint16_t linkCollection = 0;
    std::vector<HidUsageRange> usages;  // in declaration order; for arrays the index table

    bool isArray() const { return (flags & 0x02) == 0; }
    bool isButton() const { return isArray() || bitSize == 1; }
};

// What the parser knows about one top-level collection ("preparsed data").
struct HidCollectionInfo {
    HidCaps caps;
    bool usable = false;  // false when the descriptor was malformed inside it
    std::string error;    // why it is unusable
    std::array<std::vector<HidButtonCaps>, kHidReportTypes> buttonCaps;
    std::array<std::vector<HidValueCaps>, kHidReportTypes> valueCaps;
    std::array<std::bitset<256>, kHidReportTypes> reportIds;  // report IDs of each type
    std::vector<HidField> fields;

    bool hasReportId(HidReportType t, uint8_t id) const {
        return reportIds[static_cast<size_t>(t)].test(id);
    }
};

struct HidDescriptor {
    bool usesReportIds = false;
    std::vector<HidCollectionInfo> collections;  // top-level collections in descriptor order
    std::vector<std::string> notes;              // oddities met while parsing
};

// Parses a report descriptor. Never throws and never reads outside the span; a malformed part
// makes the collection it lies in unusable (HidCollectionInfo::usable false).
HidDescriptor parseHidDescriptor(std::span<const uint8_t> bytes);

// Number of top-level collections, without building capabilities (used by path listing).
size_t countTopLevelCollections(std::span<const uint8_t> bytes);

}  // namespace md
