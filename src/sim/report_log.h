#pragma once
// Log of every report that went between the host and one virtual device, both ways, with time
// stamps, so that tests can assert on the exact bytes on the wire.

#include <cstdint>
#include <deque>
#include <mutex>
#include <vector>

namespace md::sim {

enum class ReportDirection : uint8_t {
    ToDevice,    // written by the host (interrupt OUT or set-output-report)
    FromDevice,  // input report queued for the host
};

struct LoggedReport {
    uint64_t timeUs = 0;  // steady-clock microseconds since the log was created
    ReportDirection direction = ReportDirection::ToDevice;
    int interfaceNumber = -1;
    bool control = false;        // sent with set-output-report
    bool failed = false;         // a write that the device refused (injected write failure, unplug)
    std::vector<uint8_t> bytes;  // byte 0 = report ID for numbered reports

    uint8_t reportId() const { return bytes.empty() ? 0 : bytes[0]; }
};

class ReportLog {
  public:
    ReportLog();

    void add(ReportDirection direction, int interfaceNumber, std::vector<uint8_t> bytes,
             bool control = false, bool failed = false);
    std::vector<LoggedReport> entries() const;
    // Only the reports of one direction carrying a given report ID.
    std::vector<LoggedReport> entries(ReportDirection direction, uint8_t reportId) const;
    size_t size() const;
    void clear();
    // At most this many entries are kept; the oldest go first (default 100000).
    void setCapacity(size_t entries);

  private:
    uint64_t nowUs() const;

    mutable std::mutex m_mutex;
    uint64_t m_startUs = 0;
    size_t m_capacity = 100000;
    std::deque<LoggedReport> m_entries;
};

}  // namespace md::sim
