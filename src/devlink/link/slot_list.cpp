#include "devlink/link/slot_list.h"

namespace md {
namespace {

bool sameFour(const DeviceIdentity& a, const DeviceIdentity& b) {
    return a.vendorId == b.vendorId && a.productId == b.productId &&
           a.collectionNumber == b.collectionNumber && a.interfaceNumber == b.interfaceNumber;
}

bool sameSix(const DeviceIdentity& a, const DeviceIdentity& b) {
    return sameFour(a, b) && a.usagePage == b.usagePage && a.usage == b.usage;
}

}  // namespace

void SlotList::assign(const DeviceTable& table) {
    std::lock_guard lock(m_mutex);
    m_table = table;
    m_slots.assign(table.begin(), table.end());
    for (auto& s : m_slots) {
        s.connected = 0;
        s.path.clear();
    }
}

size_t SlotList::size() const {
    std::lock_guard lock(m_mutex);
    return m_slots.size();
}

DeviceIdentity SlotList::at(size_t index) const {
    std::lock_guard lock(m_mutex);
    return index < m_slots.size() ? m_slots[index] : DeviceIdentity{};
}

bool SlotList::anyFree() const {
    std::lock_guard lock(m_mutex);
    for (const auto& s : m_slots) {
        if (s.isFree()) return true;
    }
    return false;
}

bool SlotList::isCandidate(const DeviceIdentity& probed) const {
    std::lock_guard lock(m_mutex);
    bool inTable = false;
    for (const auto& r : m_table) inTable = inTable || sameFour(r, probed);
    if (!inTable) return false;
    for (const auto& s : m_slots) {
        if (s.isFree() && sameFour(s, probed)) return true;
    }
    return false;
}

std::optional<size_t> SlotList::claimSlot(DeviceIdentity& probed) {
    std::lock_guard lock(m_mutex);
    const DeviceIdentity* row = nullptr;
    for (const auto& r : m_table) {
        if (sameSix(r, probed)) {
            row = &r;
            break;
        }
    }
    if (!row) return std::nullopt;
    probed.deviceKind = row->deviceKind;
    probed.collectionRole = row->collectionRole;
    for (size_t i = 0; i < m_slots.size(); ++i) {
        DeviceIdentity& s = m_slots[i];
        if (s.isFree() && sameSix(s, probed)) {
            s.connected = 1;
            s.path = probed.path;
            return i;
        }
    }
    return std::nullopt;
}

void SlotList::freeSlot(size_t index) {
    std::lock_guard lock(m_mutex);
    if (index >= m_slots.size()) return;
    m_slots[index].connected = 0;
    m_slots[index].path.clear();
}

}  // namespace md
