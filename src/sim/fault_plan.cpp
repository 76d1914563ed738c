#include "sim/fault_plan.h"

namespace md::sim {

void FaultPlan::arm(const Fault& fault) {
    std::lock_guard lock(m_mutex);
    const uint64_t k = fault.atPacket == 0 ? 1 : fault.atPacket;
    m_armed.push_back({fault, m_packets + k});
}

void FaultPlan::clear() {
    std::lock_guard lock(m_mutex);
    m_armed.clear();
}

bool FaultPlan::empty() const {
    std::lock_guard lock(m_mutex);
    return m_armed.empty();
}

uint64_t FaultPlan::packetsSeen() const {
    std::lock_guard lock(m_mutex);
    return m_packets;
}

std::optional<Fault> FaultPlan::onPacket() {
    std::lock_guard lock(m_mutex);
    ++m_packets;
    for (auto it = m_armed.begin(); it != m_armed.end(); ++it) {
        const bool hits = it->fault.always ? m_packets >= it->firesAt : m_packets == it->firesAt;
        if (!hits) continue;
        Fault f = it->fault;
        if (!f.always) m_armed.erase(it);
        return f;
    }
    return std::nullopt;
}

}  // namespace md::sim
