#include "sim/fault_plan.h"

namespace md::sim {

void FaultPlan::arm(const Fault& fault) {
    std::lock_guard lock(m_mutex);
    const uint64_t k = fault.atPacket == 0 ? 1 : fault.atPacket;
    const uint64_t seen = fault.target == Fault::Target::Commands ? m_packets : m_outputReports;
    m_armed.push_back({fault, seen + k});
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

uint64_t FaultPlan::outputReportsSeen() const {
    std::lock_guard lock(m_mutex);
    return m_outputReports;
}

std::optional<Fault> FaultPlan::onPacket() {
    return count(Fault::Target::Commands);
}

std::optional<Fault> FaultPlan::onOutputReport() {
    return count(Fault::Target::OutputReports);
}

std::optional<Fault> FaultPlan::count(Fault::Target target) {
    std::lock_guard lock(m_mutex);
    const uint64_t n = target == Fault::Target::Commands ? ++m_packets : ++m_outputReports;
    for (auto it = m_armed.begin(); it != m_armed.end(); ++it) {
        if (it->fault.target != target) continue;
        const bool hits = it->fault.always ? n >= it->firesAt : n == it->firesAt;
        if (!hits) continue;
        Fault f = it->fault;
        if (!f.always) m_armed.erase(it);
        return f;
    }
    return std::nullopt;
}

}  // namespace md::sim
