#include "devlink/hid/hid_descriptor.h"

#include <algorithm>
#include <cstdio>

namespace md {
namespace {

// Bounds that keep a hostile descriptor from exhausting memory; generous for real devices.
constexpr size_t kMaxPushDepth = 32;
constexpr size_t kMaxCollectionDepth = 64;
constexpr size_t kMaxLocalUsages = 4096;
constexpr uint32_t kMaxReportBits = 16384u * 8u;  // the kernel's largest HID report
constexpr uint32_t kMaxDataBitSize = 32;

enum ItemType : uint8_t { kMain = 0, kGlobal = 1, kLocal = 2, kReserved = 3 };

struct RawValue {
    uint32_t bits = 0;
    uint8_t size = 0;  // data bytes 0, 1, 2 or 4

    uint32_t u() const { return bits; }
    int32_t s() const {
        if (size == 0) return 0;
        const uint32_t width = size * 8u;
        if (width >= 32) return static_cast<int32_t>(bits);
        const uint32_t sign = 1u << (width - 1);
        return static_cast<int32_t>((bits ^ sign) - sign);
    }
};

// Minimum is signed; maximum is read unsigned when the minimum is not negative (so that
// Logical Maximum 0xFF in one byte means 255, as devices intend).
void resolveRange(const RawValue& minRaw, const RawValue& maxRaw, int32_t& lo, int32_t& hi) {
    lo = minRaw.s();
    hi = lo < 0 ? maxRaw.s() : static_cast<int32_t>(maxRaw.u());
}

struct Globals {
    uint16_t usagePage = 0;
    RawValue logicalMin, logicalMax, physicalMin, physicalMax;
    int32_t unitsExp = 0;
    uint32_t units = 0;
    uint32_t reportSize = 0;
    uint32_t reportCount = 0;
    uint8_t reportId = 0;
};

struct LocalUsage {
    bool hasPage = false;
    uint16_t page = 0;
    uint16_t min = 0;
    uint16_t max = 0;
};

struct Locals {
    std::vector<LocalUsage> usages;
    bool haveMin = false, haveMax = false;
    LocalUsage pendingMin, pendingMax;
    int delimiterDepth = 0;
    bool delimiterTaken = false;  // within a delimiter set only the first usage counts

    void clear() {
        usages.clear();
        haveMin = haveMax = false;
        delimiterDepth = 0;
        delimiterTaken = false;
    }
};

struct LinkNode {
    uint16_t usagePage = 0;
    uint16_t usage = 0;
};

struct Tlc {
    HidCollectionInfo info;
    std::vector<LinkNode> links;
};

class Parser {
  public:
    explicit Parser(std::span<const uint8_t> bytes) : m_bytes(bytes) {}

    HidDescriptor run() {
        size_t pos = 0;
        while (pos < m_bytes.size()) {
            const uint8_t prefix = m_bytes[pos];
            if (prefix == 0xFE) {  // long item: size, tag, data; carries nothing we use
                if (pos + 3 > m_bytes.size() || pos + 3 + m_bytes[pos + 1] > m_bytes.size()) {
                    fail("truncated long item");
                    break;
                }
                pos += 3 + m_bytes[pos + 1];
                continue;
            }
            const uint8_t sizeCode = prefix & 0x03;
            const uint8_t size = sizeCode == 3 ? 4 : sizeCode;
            if (pos + 1 + size > m_bytes.size()) {
                fail("truncated item");
                break;
            }
            RawValue v;
            v.size = size;
            for (uint8_t i = 0; i < size; ++i)
                v.bits |= static_cast<uint32_t>(m_bytes[pos + 1 + i]) << (8 * i);
            const auto type = static_cast<ItemType>((prefix >> 2) & 0x03);
            const uint8_t tag = prefix >> 4;
            m_itemOffset = pos;
            pos += 1 + size;
            switch (type) {
                case kMain:
                    mainItem(tag, v);
                    break;
                case kGlobal:
                    globalItem(tag, v);
                    break;
                case kLocal:
                    localItem(tag, v);
                    break;
                default:
                    fail("reserved item type");
                    break;
            }
        }
        if (m_depth > 0) fail("collection not closed at end");
        return finish();
    }

  private:
    void note(const std::string& what) {
        char buf[48];
        std::snprintf(buf, sizeof buf, " at offset %zu", m_itemOffset);
        m_result.notes.push_back(what + buf);
    }

    // A malformed item spoils the collection it lies in; outside any collection it spoils the
    // state that later collections inherit, so those are refused too.
    void fail(const std::string& what) {
        note(what);
        if (m_current) {
            if (m_current->info.usable) {
                m_current->info.usable = false;
                m_current->info.error = m_result.notes.back();
            }
        } else {
            m_poisoned = true;
        }
    }

    void globalItem(uint8_t tag, const RawValue& v) {
        switch (tag) {
            case 0x0:
                m_g.usagePage = static_cast<uint16_t>(v.u());
                break;
            case 0x1:
                m_g.logicalMin = v;
                break;
            case 0x2:
                m_g.logicalMax = v;
                break;
            case 0x3:
                m_g.physicalMin = v;
                break;
            case 0x4:
                m_g.physicalMax = v;
                break;
            case 0x5: {  // a 4-bit signed nibble in most descriptors, a full signed value in a few
                const uint32_t u = v.u();
                m_g.unitsExp =
                    u <= 0x0F ? (u >= 8 ? static_cast<int32_t>(u) - 16 : static_cast<int32_t>(u))
                              : v.s();
                break;
            }
            case 0x6:
                m_g.units = v.u();
                break;
            case 0x7:
                m_g.reportSize = v.u();
                break;
            case 0x8:
                if (v.u() == 0 || v.u() > 0xFF) {
                    fail("invalid report ID");
                } else {
                    m_g.reportId = static_cast<uint8_t>(v.u());
                    m_result.usesReportIds = true;
                }
                break;
            case 0x9:
                m_g.reportCount = v.u();
                break;
            case 0xA:
                if (m_stack.size() >= kMaxPushDepth) {
                    fail("push stack overflow");
                } else {
                    m_stack.push_back(m_g);
                }
                break;
            case 0xB:
                if (m_stack.empty()) {
                    fail("pop with empty stack");
                } else {
                    m_g = m_stack.back();
                    m_stack.pop_back();
                }
                break;
            default:
                fail("reserved global item tag");
                break;
        }
    }

    LocalUsage localUsage(const RawValue& v) const {
        LocalUsage u;
        if (v.size == 4) {
            u.hasPage = true;
            u.page = static_cast<uint16_t>(v.u() >> 16);
        }
        u.min = u.max = static_cast<uint16_t>(v.u() & 0xFFFF);
        return u;
    }

    void addUsage(const LocalUsage& u) {
        if (m_l.delimiterDepth > 0) {
            if (m_l.delimiterTaken) return;
            m_l.delimiterTaken = true;
        }
        if (m_l.usages.size() >= kMaxLocalUsages) {
            fail("too many usages");
            return;
        }
        m_l.usages.push_back(u);
    }

    void localItem(uint8_t tag, const RawValue& v) {
        switch (tag) {
            case 0x0:
                addUsage(localUsage(v));
                break;
            case 0x1:
                m_l.pendingMin = localUsage(v);
                m_l.haveMin = true;
                completeRange();
                break;
            case 0x2:
                m_l.pendingMax = localUsage(v);
                m_l.haveMax = true;
                completeRange();
                break;
            case 0x3:
            case 0x4:
            case 0x5:
            case 0x7:
            case 0x8:
            case 0x9:
                break;  // designators, strings
            case 0xA:
                if (v.u() == 1) {
                    ++m_l.delimiterDepth;
                    m_l.delimiterTaken = false;
                } else if (m_l.delimiterDepth > 0) {
                    --m_l.delimiterDepth;
                } else {
                    fail("unbalanced delimiter");
                }
                break;
            default:
                fail("reserved local item tag");
                break;
        }
    }

    void completeRange() {
        if (!(m_l.haveMin && m_l.haveMax)) return;
        LocalUsage r = m_l.pendingMin;
        r.max = m_l.pendingMax.min;
        if (r.max < r.min) {
            fail("usage maximum below usage minimum");
        } else {
            addUsage(r);
        }
        m_l.haveMin = m_l.haveMax = false;
    }

    // Usages as ranges on explicit pages; a lone minimum or maximum counts as one usage.
    std::vector<HidUsageRange> resolvedUsages() const {
        std::vector<HidUsageRange> out;
        out.reserve(m_l.usages.size() + 1);
        auto push = [&](const LocalUsage& u) {
            out.push_back({u.hasPage ? u.page : m_g.usagePage, u.min, u.max});
        };
        for (const auto& u : m_l.usages) push(u);
        if (m_l.haveMin) push(m_l.pendingMin);
        if (m_l.haveMax) push(m_l.pendingMax);
        return out;
    }

    void mainItem(uint8_t tag, const RawValue& v) {
        switch (tag) {
            case 0x8:
                dataItem(HidReportType::Input, v);
                break;
            case 0x9:
                dataItem(HidReportType::Output, v);
                break;
            case 0xB:
                dataItem(HidReportType::Feature, v);
                break;
            case 0xA:
                openCollection();
                break;
            case 0xC:
                closeCollection();
                break;
            default:
                fail("reserved main item tag");
                break;
        }
        m_l.clear();
    }

    void openCollection() {
        const auto usages = resolvedUsages();
        LinkNode node;
        node.usagePage = usages.empty() ? m_g.usagePage : usages.front().page;
        node.usage = usages.empty() ? 0 : usages.front().min;
        if (m_depth == 0) {
            // Only reallocates at depth 0, where no pointer into the vector is live.
            m_tlcs.emplace_back();
            m_dataIndex.push_back({});
            m_current = &m_tlcs.back();
            m_current->info.usable = !m_poisoned;
            if (m_poisoned)
                m_current->info.error = "descriptor state spoilt before this collection";
            m_current->info.caps.usagePage = node.usagePage;
            m_current->info.caps.usage = node.usage;
            m_current->links.push_back(node);
            m_linkStack.assign(1, 0);
        } else if (m_depth >= kMaxCollectionDepth) {
            fail("collections nested too deeply");
            ++m_depth;
            m_linkStack.push_back(m_linkStack.back());
            return;
        } else {
            m_current->links.push_back(node);
            m_linkStack.push_back(static_cast<uint16_t>(m_current->links.size() - 1));
        }
        ++m_depth;
    }

    void closeCollection() {
        if (m_depth == 0) {
            fail("end collection without open collection");
            return;
        }
        --m_depth;
        m_linkStack.pop_back();
        if (m_depth == 0) m_current = nullptr;
    }

    void dataItem(HidReportType type, const RawValue& flagsRaw) {
        const size_t t = static_cast<size_t>(type);
        const uint16_t flags = static_cast<uint16_t>(flagsRaw.u() & 0x1FF);
        const uint64_t bits = static_cast<uint64_t>(m_g.reportSize) * m_g.reportCount;
        uint32_t& total = m_reportBits[t][m_g.reportId];
        if (bits > kMaxReportBits || total + bits > kMaxReportBits) {
            fail("report too large");
            return;
        }
        const uint32_t offset = 8 + total;
        total += static_cast<uint32_t>(bits);
        if (!m_current) {
            note("main item outside any collection");
            return;
        }
        HidCollectionInfo& info = m_current->info;
        info.reportIds[t].set(m_g.reportId);
        const bool constant = flags & 0x01;
        auto usages = resolvedUsages();
        if (bits == 0 || constant || usages.empty()) return;  // padding carries no capability
        if (m_g.reportSize > kMaxDataBitSize) {
            note("data field wider than 32 bits is not readable");
            return;
        }
        HidField f;
        f.type = type;
        f.reportId = m_g.reportId;
        f.flags = flags;
        f.bitOffset = offset;
        f.bitSize = static_cast<uint16_t>(m_g.reportSize);
        f.count = static_cast<uint16_t>(m_g.reportCount);
        resolveRange(m_g.logicalMin, m_g.logicalMax, f.logicalMin, f.logicalMax);
        resolveRange(m_g.physicalMin, m_g.physicalMax, f.physicalMin, f.physicalMax);
        f.unitsExp = m_g.unitsExp;
        f.units = m_g.units;
        f.linkCollection = m_linkStack.back();
        f.usages = std::move(usages);
        const uint32_t fieldIndex = static_cast<uint32_t>(info.fields.size());
        info.fields.push_back(std::move(f));
        addCaps(info, info.fields.back(), fieldIndex);
    }

    // What button and value capabilities say alike about their field and usage range.
    template <typename Caps>
    static void fillCommonCaps(Caps& c, const HidField& f, const HidUsageRange& r,
                               const LinkNode& link) {
        c.usagePage = r.page;
        c.reportId = f.reportId;
        c.bitField = f.flags;
        c.linkCollection = f.linkCollection;
        c.linkUsagePage = link.usagePage;
        c.linkUsage = link.usage;
        c.isRange = r.min != r.max;
        c.isAbsolute = !(f.flags & 0x04);
        c.usageMin = r.min;
    }

    void addCaps(HidCollectionInfo& info, const HidField& f, uint32_t fieldIndex) {
        const size_t t = static_cast<size_t>(f.type);
        const LinkNode& link = m_current->links[f.linkCollection];
        uint16_t& dataIndex = m_dataIndex[m_tlcs.size() - 1][t];
        if (f.isButton()) {
            // Arrays share their field among all capabilities; a bit field gives each usage
            // its own bit, so capabilities stop once the bits are used up.
            uint32_t slot = 0;
            for (const auto& r : f.usages) {
                if (!f.isArray() && slot >= f.count) break;
                HidButtonCaps c;
                fillCommonCaps(c, f, r, link);
                c.usageMax = f.isArray() ? r.max
                                         : static_cast<uint16_t>(std::min<uint32_t>(
                                               r.max, r.min + (f.count - slot) - 1));
                const uint32_t n = static_cast<uint32_t>(c.usageMax) - c.usageMin + 1;
                c.dataIndexMin = dataIndex;
                c.dataIndexMax = static_cast<uint16_t>(dataIndex + n - 1);
                dataIndex = static_cast<uint16_t>(dataIndex + n);
                c.field = fieldIndex;
                info.buttonCaps[t].push_back(c);
                slot += n;
            }
            return;
        }
        uint32_t slot = 0;
        for (size_t i = 0; i < f.usages.size() && slot < f.count; ++i) {
            const auto& r = f.usages[i];
            const bool last = i + 1 == f.usages.size();
            const uint32_t n = std::min<uint32_t>(r.count(), f.count - slot);
            HidValueCaps c;
            fillCommonCaps(c, f, r, link);
            c.hasNull = f.flags & 0x40;
            c.bitSize = f.bitSize;
            // The last usage of a list takes the remaining elements (a usage value array).
            c.reportCount = static_cast<uint16_t>(last && !c.isRange ? f.count - slot : 1);
            c.unitsExp = f.unitsExp;
            c.units = f.units;
            c.logicalMin = f.logicalMin;
            c.logicalMax = f.logicalMax;
            c.physicalMin = f.physicalMin;
            c.physicalMax = f.physicalMax;
            c.usageMax = static_cast<uint16_t>(r.min + n - 1);
            c.dataIndexMin = dataIndex;
            c.dataIndexMax = static_cast<uint16_t>(dataIndex + n - 1);
            dataIndex = static_cast<uint16_t>(dataIndex + n);
            c.field = fieldIndex;
            c.firstSlot = static_cast<uint16_t>(slot);
            info.valueCaps[t].push_back(c);
            slot += n;
        }
    }

    HidDescriptor finish() {
        for (size_t i = 0; i < m_tlcs.size(); ++i) {
            HidCollectionInfo& info = m_tlcs[i].info;
            HidCaps& caps = info.caps;
            caps.numberLinkCollectionNodes = static_cast<uint16_t>(m_tlcs[i].links.size());
            uint16_t lengths[kHidReportTypes] = {};
            for (size_t t = 0; t < kHidReportTypes; ++t) {
                uint32_t maxBytes = 0;
                bool any = false;
                for (size_t id = 0; id < 256; ++id) {
                    if (!info.reportIds[t].test(id)) continue;
                    any = true;
                    maxBytes = std::max(maxBytes, (m_reportBits[t][id] + 7) / 8);
                }
                lengths[t] = any ? static_cast<uint16_t>(maxBytes + 1) : 0;
            }
            caps.inputReportByteLength = lengths[0];
            caps.outputReportByteLength = lengths[1];
            caps.featureReportByteLength = lengths[2];
            caps.numberInputButtonCaps = static_cast<uint16_t>(info.buttonCaps[0].size());
            caps.numberInputValueCaps = static_cast<uint16_t>(info.valueCaps[0].size());
            caps.numberInputDataIndices = m_dataIndex[i][0];
            caps.numberOutputButtonCaps = static_cast<uint16_t>(info.buttonCaps[1].size());
            caps.numberOutputValueCaps = static_cast<uint16_t>(info.valueCaps[1].size());
            caps.numberOutputDataIndices = m_dataIndex[i][1];
            caps.numberFeatureButtonCaps = static_cast<uint16_t>(info.buttonCaps[2].size());
            caps.numberFeatureValueCaps = static_cast<uint16_t>(info.valueCaps[2].size());
            caps.numberFeatureDataIndices = m_dataIndex[i][2];
            m_result.collections.push_back(std::move(info));
        }
        return std::move(m_result);
    }

    std::span<const uint8_t> m_bytes;
    size_t m_itemOffset = 0;
    Globals m_g;
    Locals m_l;
    std::vector<Globals> m_stack;
    std::vector<Tlc> m_tlcs;
    Tlc* m_current = nullptr;
    std::vector<uint16_t> m_linkStack;
    size_t m_depth = 0;
    bool m_poisoned = false;
    uint32_t m_reportBits[kHidReportTypes][256] = {};
    std::vector<std::array<uint16_t, kHidReportTypes>> m_dataIndex;
    HidDescriptor m_result;
};

}  // namespace

size_t countTopLevelCollections(std::span<const uint8_t> bytes) {
    size_t pos = 0, depth = 0, count = 0;
    while (pos < bytes.size()) {
        const uint8_t prefix = bytes[pos];
        if (prefix == 0xFE) {
            if (pos + 1 >= bytes.size()) break;
            pos += 3 + bytes[pos + 1];
            continue;
        }
        const uint8_t size = (prefix & 3) == 3 ? 4 : (prefix & 3);
        if (pos + 1 + size > bytes.size()) break;
        if (((prefix >> 2) & 3) == kMain) {
            const uint8_t tag = prefix >> 4;
            if (tag == 0xA) {
                if (depth == 0) ++count;
                ++depth;
            } else if (tag == 0xC && depth > 0) {
                --depth;
            }
        }
        pos += 1 + size;
    }
    return count;
}

HidDescriptor parseHidDescriptor(std::span<const uint8_t> bytes) {
    return Parser(bytes).run();
}

}  // namespace md
