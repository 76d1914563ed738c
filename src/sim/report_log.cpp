#include "sim/report_log.h"

#include <chrono>

namespace md::sim {

namespace {
uint64_t steadyUs() {
    using namespace std::chrono;
    return static_cast<uint64_t>(
        duration_cast<microseconds>(steady_clock::now().time_since_epoch()).count());
}
}  // namespace

ReportLog::ReportLog() : m_startUs(steadyUs()) {}

uint64_t ReportLog::nowUs() const {
    return steadyUs() - m_startUs;
}

void ReportLog::add(ReportDirection direction, int interfaceNumber, std::vector<uint8_t> bytes,
                    bool control, bool failed) {
    LoggedReport e;
    e.timeUs = nowUs();
    e.direction = direction;
    e.interfaceNumber = interfaceNumber;
    e.control = control;
    e.failed = failed;
    e.bytes = std::move(bytes);
    std::lock_guard lock(m_mutex);
    if (m_capacity == 0) return;
    while (m_entries.size() >= m_capacity) m_entries.pop_front();
    m_entries.push_back(std::move(e));
}

std::vector<LoggedReport> ReportLog::entries() const {
    std::lock_guard lock(m_mutex);
    return {m_entries.begin(), m_entries.end()};
}

std::vector<LoggedReport> ReportLog::entries(ReportDirection direction, uint8_t reportId) const {
    std::lock_guard lock(m_mutex);
    std::vector<LoggedReport> out;
    for (const auto& e : m_entries)
        if (e.direction == direction && e.reportId() == reportId) out.push_back(e);
    return out;
}

size_t ReportLog::size() const {
    std::lock_guard lock(m_mutex);
    return m_entries.size();
}

void ReportLog::clear() {
    std::lock_guard lock(m_mutex);
    m_entries.clear();
}

void ReportLog::setCapacity(size_t entries) {
    std::lock_guard lock(m_mutex);
    m_capacity = entries;
    while (m_entries.size() > m_capacity) m_entries.pop_front();
}

}  // namespace md::sim
