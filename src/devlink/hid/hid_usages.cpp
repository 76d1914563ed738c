#include "devlink/hid/hid_usages.h"

#include <cmath>

namespace md {
namespace {

bool readBits(std::span<const uint8_t> report, uint32_t bitOffset, uint32_t bitSize,
              uint32_t& out) {
    if (bitSize == 0 || bitSize > 32) return false;
    const uint64_t end = static_cast<uint64_t>(bitOffset) + bitSize;
    if (end > static_cast<uint64_t>(report.size()) * 8) return false;
    uint64_t v = 0;
    const uint32_t first = bitOffset / 8;
    const uint32_t last = static_cast<uint32_t>((end - 1) / 8);
    for (uint32_t i = last + 1; i-- > first;) v = (v << 8) | report[i];
    v >>= bitOffset % 8;
    out = bitSize == 32 ? static_cast<uint32_t>(v)
                        : static_cast<uint32_t>(v & ((1ull << bitSize) - 1));
    return true;
}

int32_t signExtend(uint32_t v, uint32_t bits) {
    if (bits >= 32) return static_cast<int32_t>(v);
    const uint32_t sign = 1u << (bits - 1);
    return static_cast<int32_t>((v ^ sign) - sign);
}

// The usage at position index of a field's flattened usage list; the last one repeats.
bool usageAt(const HidField& f, uint32_t index, uint16_t& page, uint16_t& usage) {
    if (f.usages.empty()) return false;
    for (const auto& r : f.usages) {
        if (index < r.count()) {
            page = r.page;
            usage = static_cast<uint16_t>(r.min + index);
            return true;
        }
        index -= r.count();
    }
    if (!f.isArray()) {  // variable fields: the last usage covers the remaining elements
        page = f.usages.back().page;
        usage = f.usages.back().max;
        return true;
    }
    return false;
}

// Position of usage in a field's flattened usage list, or -1.
int64_t slotOf(const HidField& f, uint16_t page, uint16_t usage) {
    int64_t base = 0;
    for (const auto& r : f.usages) {
        if (r.page == page && usage >= r.min && usage <= r.max) return base + (usage - r.min);
        base += r.count();
    }
    return -1;
}

bool linkMatches(const HidField& f, uint16_t linkCollection) {
    return linkCollection == 0 || f.linkCollection == linkCollection;
}

uint32_t checkReport(HidReportType type, const HidCollectionInfo& info,
                     std::span<const uint8_t> report) {
    if (!info.usable) return hidp::kInvalidPreparsedData;
    if (static_cast<size_t>(type) >= kHidReportTypes) return hidp::kInvalidReportType;
    if (report.empty()) return hidp::kInvalidReportLength;
    return hidp::kSuccess;
}

// Finds the value field holding (page, usage) in this report; status says why not.
const HidField* findValueField(HidReportType type, uint16_t usagePage, uint16_t linkCollection,
                               uint16_t usage, const HidCollectionInfo& info, uint8_t reportId,
                               uint32_t& slot, uint32_t& status) {
    bool otherReport = false;
    for (const auto& f : info.fields) {
        if (f.type != type || f.isButton() || !linkMatches(f, linkCollection)) continue;
        const int64_t s = slotOf(f, usagePage, usage);
        if (s < 0 || s >= f.count) continue;
        if (f.reportId != reportId) {
            otherReport = true;
            continue;
        }
        slot = static_cast<uint32_t>(s);
        status = hidp::kSuccess;
        return &f;
    }
    status = otherReport ? hidp::kIncompatibleReportId : hidp::kUsageNotFound;
    return nullptr;
}

}  // namespace

uint32_t hidMaxUsageListLength(HidReportType type, uint16_t usagePage,
                               const HidCollectionInfo& info) {
    uint32_t n = 0;
    for (const auto& f : info.fields) {
        if (f.type != type || !f.isButton()) continue;
        bool onPage = usagePage == 0;
        for (const auto& r : f.usages) onPage = onPage || r.page == usagePage;
        if (onPage) n += f.count;
    }
    return n;
}

uint32_t hidGetUsages(HidReportType type, uint16_t usagePage, uint16_t linkCollection,
                      std::span<uint16_t> usages, uint32_t& count, const HidCollectionInfo& info,
                      std::span<const uint8_t> report) {
    const uint32_t capacity = std::min<uint32_t>(count, static_cast<uint32_t>(usages.size()));
    count = 0;
    if (uint32_t st = checkReport(type, info, report); st != hidp::kSuccess) return st;
    const uint8_t reportId = report[0];
    bool found = false, otherReport = false, overflow = false;
    auto emit = [&](uint16_t page, uint16_t usage) {
        if (page != usagePage || usage == 0) return;
        if (count < capacity) {
            usages[count++] = usage;
        } else {
            overflow = true;
        }
    };
    for (const auto& f : info.fields) {
        if (f.type != type || !f.isButton() || !linkMatches(f, linkCollection)) continue;
        bool onPage = false;
        for (const auto& r : f.usages) onPage = onPage || r.page == usagePage;
        if (!onPage) continue;
        if (f.reportId != reportId) {
            otherReport = true;
            continue;
        }
        found = true;
        for (uint32_t i = 0; i < f.count; ++i) {
            uint32_t raw = 0;
            if (!readBits(report, f.bitOffset + i * f.bitSize, f.bitSize, raw)) {
                return hidp::kInvalidReportLength;
            }
            uint16_t page = 0, usage = 0;
            if (f.isArray()) {
                const int32_t v =
                    f.logicalMin < 0 ? signExtend(raw, f.bitSize) : static_cast<int32_t>(raw);
                if (v < f.logicalMin || v > f.logicalMax) continue;
                if (!usageAt(f, static_cast<uint32_t>(v - f.logicalMin), page, usage)) continue;
            } else {
                if (!raw || !usageAt(f, i, page, usage)) continue;
            }
            emit(page, usage);
        }
    }
    if (!found) return otherReport ? hidp::kIncompatibleReportId : hidp::kUsageNotFound;
    return overflow ? hidp::kBufferTooSmall : hidp::kSuccess;
}

uint32_t hidGetUsageValue(HidReportType type, uint16_t usagePage, uint16_t linkCollection,
                          uint16_t usage, uint32_t& value, const HidCollectionInfo& info,
                          std::span<const uint8_t> report) {
    if (uint32_t st = checkReport(type, info, report); st != hidp::kSuccess) return st;
    uint32_t slot = 0, status = 0;
    const HidField* f =
        findValueField(type, usagePage, linkCollection, usage, info, report[0], slot, status);
    if (!f) return status;
    if (!readBits(report, f->bitOffset + slot * f->bitSize, f->bitSize, value)) {
        return hidp::kInvalidReportLength;
    }
    return hidp::kSuccess;
}

uint32_t hidGetScaledUsageValue(HidReportType type, uint16_t usagePage, uint16_t linkCollection,
                                uint16_t usage, int32_t& value, const HidCollectionInfo& info,
                                std::span<const uint8_t> report) {
    value = 0;
    if (uint32_t st = checkReport(type, info, report); st != hidp::kSuccess) return st;
    uint32_t slot = 0, status = 0;
    const HidField* f =
        findValueField(type, usagePage, linkCollection, usage, info, report[0], slot, status);
    if (!f) return status;
    uint32_t raw = 0;
    if (!readBits(report, f->bitOffset + slot * f->bitSize, f->bitSize, raw)) {
        return hidp::kInvalidReportLength;
    }
    const int64_t lmin = f->logicalMin, lmax = f->logicalMax;
    int64_t pmin = f->physicalMin, pmax = f->physicalMax;
    if (pmin == 0 && pmax == 0) {
        pmin = lmin;
        pmax = lmax;
    }
    if (lmin >= lmax || pmin >= pmax) return hidp::kBadLogPhyValues;
    const int64_t v = lmin < 0 ? signExtend(raw, f->bitSize) : static_cast<int64_t>(raw);
    if (v < lmin || v > lmax) return (f->flags & 0x40) ? hidp::kNull : hidp::kValueOutOfRange;
    value = static_cast<int32_t>(pmin + (v - lmin) * (pmax - pmin) / (lmax - lmin));
    return hidp::kSuccess;
}

double hidPhysicalValue(const HidValueCaps& caps, int32_t scaledValue) {
    return scaledValue * std::pow(10.0, caps.unitsExp);
}

}  // namespace md
