#pragma once
// The slot list: one slot per supported-device row, claimed by a present collection. The
// detection thread changes connected and path; other threads read copies. Access is locked so
// that a reader never sees a half-written path.

#include <mutex>
#include <optional>
#include <vector>

#include "devlink/link/device_identity.h"

namespace md {

class SlotList {
  public:
    SlotList() = default;
    explicit SlotList(const DeviceTable& table) { assign(table); }

    // Appends a copy of every row, in table order (all free).
    void assign(const DeviceTable& table);
    const DeviceTable& table() const { return m_table; }

    size_t size() const;
    DeviceIdentity at(size_t index) const;  // a copy; empty identity outside the list
    bool anyFree() const;

    // Some table row has the same vendor, product, collection and interface, and a free slot has
    // those same four values.
    bool isCandidate(const DeviceIdentity& probed) const;

    // Finds the row for the probed collection (six values), copies its kind and role into
    // probed, claims the first free slot with those six values and returns its index.
    std::optional<size_t> claimSlot(DeviceIdentity& probed);

    // Frees a claimed slot (connected 0, empty path).
    void freeSlot(size_t index);

  private:
    mutable std::mutex m_mutex;
    DeviceTable m_table{};
    std::vector<DeviceIdentity> m_slots;
};

}  // namespace md
