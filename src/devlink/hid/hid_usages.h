#pragma once
// Reading usages and values out of a report with a collection's parsed descriptor, as the
// HidP_ functions of the Windows HID parser do. Results are HIDP_STATUS_* codes (hidp::).
// A linkCollection of 0 searches the whole top-level collection.

#include <cstdint>
#include <span>

#include "devlink/hid/hid_descriptor.h"

namespace md {

// Most usages of usagePage (0 = every page) that hidGetUsages can report for this report type.
uint32_t hidMaxUsageListLength(HidReportType type, uint16_t usagePage,
                               const HidCollectionInfo& info);

// Usages of usagePage that are on in report. count: in = capacity of usages, out = number
// stored (kBufferTooSmall when more were on than fit).
uint32_t hidGetUsages(HidReportType type, uint16_t usagePage, uint16_t linkCollection,
                      std::span<uint16_t> usages, uint32_t& count, const HidCollectionInfo& info,
                      std::span<const uint8_t> report);

// Raw value of one value usage.
uint32_t hidGetUsageValue(HidReportType type, uint16_t usagePage, uint16_t linkCollection,
                          uint16_t usage, uint32_t& value, const HidCollectionInfo& info,
                          std::span<const uint8_t> report);

// The value mapped from the logical onto the physical range (the logical range when no
// physical range is declared).
uint32_t hidGetScaledUsageValue(HidReportType type, uint16_t usagePage, uint16_t linkCollection,
                                uint16_t usage, int32_t& value, const HidCollectionInfo& info,
                                std::span<const uint8_t> report);

// The physical value with the unit exponent applied (for display of scaled quantities).
double hidPhysicalValue(const HidValueCaps& caps, int32_t scaledValue);

}  // namespace md
