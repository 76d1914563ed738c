// Fuzzes the report descriptor parser and the usage accessors over a report built from the
// same input.
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "devlink/hid/hid_descriptor.h"
#include "devlink/hid/hid_usages.h"
#include "fuzz_entry.h"

MD_FUZZ_ENTRY(hid_descriptor, data, size) {
    const std::span<const uint8_t> bytes(data, size);
    const md::HidDescriptor d = md::parseHidDescriptor(bytes);
    if (md::countTopLevelCollections(bytes) != d.collections.size()) __builtin_trap();
    for (const auto& c : d.collections) {
        for (size_t t = 0; t < md::kHidReportTypes; ++t) {
            const auto type = static_cast<md::HidReportType>(t);
            std::vector<uint8_t> report(c.caps.reportByteLength(type), 0);
            for (size_t i = 0; i < report.size(); ++i) report[i] = data[i % (size ? size : 1)];
            if (!report.empty()) {
                for (size_t id = 0; id < 256; ++id) {
                    if (c.reportIds[t].test(id)) {
                        report[0] = static_cast<uint8_t>(id);
                        break;
                    }
                }
            }
            const uint32_t max = md::hidMaxUsageListLength(type, 0, c);
            std::vector<uint16_t> usages(max > 4096 ? 4096 : max);
            for (const auto& b : c.buttonCaps[t]) {
                uint32_t n = static_cast<uint32_t>(usages.size());
                md::hidGetUsages(type, b.usagePage, 0, usages, n, c, report);
            }
            for (const auto& v : c.valueCaps[t]) {
                uint32_t raw = 0;
                int32_t scaled = 0;
                md::hidGetUsageValue(type, v.usagePage, 0, v.usageMin, raw, c, report);
                md::hidGetScaledUsageValue(type, v.usagePage, 0, v.usageMax, scaled, c, report);
            }
        }
    }
    return 0;
}
