#include "devlink/hid/hid_channel.h"

#include <sys/eventfd.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <climits>
#include <cstring>

#include "devlink/hid/hid_path.h"
#include "devlink/hid/hid_usages.h"

namespace md {
namespace {

int toPollTimeout(uint32_t timeout) {
    return timeout == kInfinite ? kHidWaitForever
                                : static_cast<int>(std::min<uint32_t>(timeout, INT_MAX));
}

void consumeEvent(int fd) {
    uint64_t v = 0;
    [[maybe_unused]] ssize_t n = ::read(fd, &v, sizeof v);
}

std::vector<HidDataItem> buildItems(HidReportType type, const HidCollectionInfo& info) {
    const size_t t = static_cast<size_t>(type);
    size_t values = 0;
    for (const auto& c : info.valueCaps[t])
        values += static_cast<size_t>(c.usageMax) - c.usageMin + 1;
    std::vector<HidDataItem> items;
    items.reserve(info.buttonCaps[t].size() + values);
    for (const auto& c : info.buttonCaps[t]) {
        HidDataItem item;
        item.isButtonData = true;
        item.status = hidp::kSuccess;
        item.usagePage = c.usagePage;
        item.usageMin = c.usageMin;
        item.usageMax = c.usageMax;
        item.maxUsageLength = hidMaxUsageListLength(type, c.usagePage, info);
        item.usages.assign(item.maxUsageLength, 0);
        item.reportId = c.reportId;
        items.push_back(std::move(item));
    }
    for (const auto& c : info.valueCaps[t]) {
        for (uint32_t u = c.usageMin; u <= c.usageMax; ++u) {
            HidDataItem item;
            item.status = hidp::kSuccess;
            item.usagePage = c.usagePage;
            item.usage = static_cast<uint16_t>(u);
            item.reportId = c.reportId;
            items.push_back(std::move(item));
        }
    }
    return items;
}

}  // namespace

HidChannel::HidChannel() : HidChannel(defaultHidBackend()) {}

HidChannel::HidChannel(std::shared_ptr<HidBackend> backend)
    : m_backend(std::move(backend)), m_cancelFd(::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK)) {}

HidChannel::~HidChannel() {
    closeChannel();
    freeHidPaths();
    if (m_cancelFd >= 0) ::close(m_cancelFd);
}

bool HidChannel::enumerateHidPaths() {
    m_pathCursor = 0;
    m_paths.clear();
    std::vector<HidInterfaceInfo> interfaces;
    if (!m_backend || !m_backend->listInterfaces(interfaces)) {
        freeHidPaths();
        return false;
    }
    for (const auto& itf : interfaces) {
        const size_t n = countTopLevelCollections(itf.descriptor);
        for (size_t c = 1; c <= n; ++c) {
            // The list grows by doubling, starting with room for 8 paths.
            if (m_paths.size() == m_paths.capacity())
                m_paths.reserve(std::max<size_t>(8, m_paths.capacity() * 2));
            m_paths.push_back(makeHidPath(itf.node, itf.vendorId, itf.productId,
                                          itf.interfaceNumber, itf.multiInterface, c, n));
        }
    }
    return true;
}

const char* HidChannel::nextHidPath() {
    if (m_pathCursor >= m_paths.size()) return nullptr;
    return m_paths[m_pathCursor++].c_str();
}

void HidChannel::freeHidPaths() {
    m_paths.clear();
    m_paths.shrink_to_fit();
    m_pathCursor = 0;
}

bool HidChannel::openChannel(const std::string& path, HidAccess access) {
    m_access = access;
    m_path = path;
    return reopenChannel();
}

bool HidChannel::reopenChannel() {
    std::lock_guard lock(m_openMutex);
    releaseLocked();
    if (!m_backend) return false;
    std::shared_ptr<HidNode> node =
        m_backend->open(std::string(pathNode(m_path)), true, m_access == HidAccess::ReadWrite);
    if (!node) return false;
    if (!loadCapabilities(std::move(node))) {
        releaseLocked();
        return false;
    }
    return true;
}

void HidChannel::closeChannel() {
    std::lock_guard lock(m_openMutex);
    releaseLocked();
}

bool HidChannel::isOpen() const {
    std::lock_guard lock(m_openMutex);
    return m_open != nullptr;
}

void HidChannel::releaseLocked() {
    if (m_reading || m_writing) cancelTransfer();
    if (m_open) m_open->node->shutdown();
    m_open.reset();
    m_preparsed.reset();
    m_caps = {};
    m_attributes = {};
    for (auto& r : m_reports) r = {};
    for (auto& i : m_items) i = {};
}

bool HidChannel::loadCapabilities(std::shared_ptr<HidNode> node) {
    const HidInterfaceInfo& info = node->info();
    // A path names its device: a node that now belongs to another device is not opened.
    const uint16_t vid = parseVid(m_path), pid = parsePid(m_path);
    if ((vid || pid) && (vid != info.vendorId || pid != info.productId)) return false;
    HidDescriptor desc = parseHidDescriptor(info.descriptor);
    const uint16_t col = parseCollectionNumber(m_path);
    const size_t index = col == 0 ? 0 : col - 1u;
    if (index >= desc.collections.size() || !desc.collections[index].usable) return false;
    if (col == 0 && desc.collections.size() > 1) return false;  // ambiguous path

    size_t rawSize = 2;
    for (const auto& c : desc.collections)
        rawSize = std::max<size_t>(rawSize, c.caps.inputReportByteLength);
    auto state = std::make_shared<OpenState>();
    state->node = std::move(node);
    state->usesReportIds = desc.usesReportIds;
    state->rawInput.assign(rawSize + 1, 0);
    state->preparsed =
        std::make_shared<const HidCollectionInfo>(std::move(desc.collections[index]));

    m_preparsed = state->preparsed;
    m_caps = m_preparsed->caps;
    m_attributes = {10, info.vendorId, info.productId, info.version};
    for (size_t t = 0; t < kHidReportTypes; ++t) {
        const auto type = static_cast<HidReportType>(t);
        m_reports[t].assign(m_caps.reportByteLength(type), 0);
        m_items[t] = buildItems(type, *m_preparsed);
    }
    m_interfaceNumber = parseInterfaceNumber(m_path);
    m_collectionNumber = col;
    m_open = std::move(state);
    return true;
}

std::shared_ptr<HidChannel::OpenState> HidChannel::acquire(std::atomic<bool>& busyFlag) const {
    std::lock_guard lock(m_openMutex);
    if (!m_open) return nullptr;
    busyFlag = true;
    return m_open;
}

void HidChannel::cancelTransfer() {
    if (m_cancelFd < 0) return;
    const uint64_t one = 1;
    [[maybe_unused]] ssize_t n = ::write(m_cancelFd, &one, sizeof one);
}

bool HidChannel::readReport(uint32_t length, uint32_t* bytesRead, uint8_t* buffer,
                            uint32_t timeout) {
    if (bytesRead) *bytesRead = 0;
    auto state = acquire(m_reading);
    if (!state) return false;
    struct Clear {
        std::atomic<bool>& flag;
        ~Clear() { flag = false; }
    } clear{m_reading};

    const HidCollectionInfo& info = *state->preparsed;
    const uint32_t reportLength = info.caps.inputReportByteLength;
    const bool forever = timeout == kInfinite;
    const auto deadline =
        std::chrono::steady_clock::now() + std::chrono::milliseconds(forever ? 0 : timeout);
    std::span<uint8_t> raw(state->rawInput);
    // Devices without report IDs deliver bare data; the report ID byte 0 is put in front.
    std::span<uint8_t> into = state->usesReportIds ? raw : raw.subspan(1);
    for (;;) {
        int wait = kHidWaitForever;
        if (!forever) {
            const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
                                  deadline - std::chrono::steady_clock::now())
                                  .count();
            wait = static_cast<int>(std::max<int64_t>(0, left));
        }
        size_t got = 0;
        const HidIo r = state->node->read(into, got, wait, m_cancelFd);
        if (r == HidIo::Cancelled) {
            consumeEvent(m_cancelFd);
            return false;
        }
        if (r != HidIo::Ok) return false;
        size_t total = got;
        if (!state->usesReportIds) {
            raw[0] = 0;
            total = got + 1;
        }
        if (!info.hasReportId(HidReportType::Input, raw[0])) continue;  // another collection's
        // A report shorter than the collection's longest arrives zero-padded to that length.
        const size_t n = std::min<size_t>(length, reportLength);
        const size_t copy = std::min(n, total);
        if (buffer && n) {
            std::memcpy(buffer, raw.data(), copy);
            std::memset(buffer + copy, 0, n - copy);
        }
        if (bytesRead) *bytesRead = static_cast<uint32_t>(n);
        return true;
    }
}

bool HidChannel::writeReport(uint32_t length, uint32_t* bytesWritten, const uint8_t* buffer,
                             uint32_t timeout) {
    if (bytesWritten) *bytesWritten = 0;
    if (!buffer || length == 0) return false;
    auto state = acquire(m_writing);
    if (!state) return false;
    struct Clear {
        std::atomic<bool>& flag;
        ~Clear() { flag = false; }
    } clear{m_writing};
    const HidIo r = state->node->write(std::span<const uint8_t>(buffer, length),
                                       toPollTimeout(timeout), m_cancelFd);
    if (r == HidIo::Cancelled) {
        consumeEvent(m_cancelFd);
        return false;
    }
    if (r != HidIo::Ok) return false;
    if (bytesWritten) *bytesWritten = length;
    return true;
}

bool HidChannel::setOutputReport(std::span<const uint8_t> report) {
    auto state = acquire(m_writing);
    if (!state) return false;
    const bool ok = !report.empty() && state->node->setOutputReport(report);
    m_writing = false;
    return ok;
}

std::span<const HidButtonCaps> HidChannel::buttonCaps(HidReportType t) const {
    if (!m_preparsed) return {};
    return m_preparsed->buttonCaps[static_cast<size_t>(t)];
}

std::span<const HidValueCaps> HidChannel::valueCaps(HidReportType t) const {
    if (!m_preparsed) return {};
    return m_preparsed->valueCaps[static_cast<size_t>(t)];
}

bool HidChannel::unpackInput(uint32_t length) {
    if (!m_preparsed) return false;
    auto& report = m_reports[static_cast<size_t>(HidReportType::Input)];
    return unpackInputReport(
        m_items[0], HidReportType::Input,
        std::span<const uint8_t>(report).first(std::min<size_t>(length, report.size())),
        *m_preparsed);
}

bool unpackInputReport(std::span<HidDataItem> items, HidReportType type,
                       std::span<const uint8_t> report, const HidCollectionInfo& preparsed) {
    if (report.empty()) return true;
    const uint8_t reportId = report[0];
    for (auto& item : items) {
        if (item.reportId != reportId) continue;
        if (item.isButtonData) {
            uint32_t n = item.maxUsageLength;
            item.status = hidGetUsages(type, item.usagePage, 0, item.usages, n, preparsed, report);
            // Keep, in order, only the usages inside this item's range.
            uint32_t kept = 0;
            for (uint32_t i = 0; i < n; ++i) {
                const uint16_t u = item.usages[i];
                if (u >= item.usageMin && u <= item.usageMax) item.usages[kept++] = u;
            }
            if (kept < item.maxUsageLength) item.usages[kept] = 0;
        } else {
            item.status = hidGetUsageValue(type, item.usagePage, 0, item.usage, item.value,
                                           preparsed, report);
            if (item.status != hidp::kSuccess) return false;
            item.status = hidGetScaledUsageValue(type, item.usagePage, 0, item.usage,
                                                 item.scaledValue, preparsed, report);
        }
        item.isDataSet = true;
    }
    return true;
}

}  // namespace md
