#include "devlink/link/event_reader.h"

#include <algorithm>

#include "common/dbg_out.h"

namespace md {
namespace {
// Back-off while the channel is closed or failing, so that an unplugged device does not make
// the worker spin.
constexpr auto kIdleWait = std::chrono::milliseconds(20);
}  // namespace

EventReader::EventReader(HidChannel& channel, std::mutex& channelLock, Handler handler,
                         std::string exitText)
    : m_channel(channel),
      m_lock(channelLock),
      m_handler(std::move(handler)),
      m_exitText(std::move(exitText)) {}

EventReader::~EventReader() {
    stop(std::chrono::milliseconds(500));
}

void EventReader::start() {
    m_worker.start([this](const StopEvent& stop) { run(stop); },
                   [this] { m_channel.cancelTransfer(); });
}

bool EventReader::stop(std::chrono::milliseconds timeout) {
    return m_worker.stop(timeout, kThreadEndedText, kThreadTimedOutText);
}

void EventReader::run(const StopEvent& stop) {
    for (;;) {
        if (stop.isSet()) break;
        // The read runs without the lock (a close from another thread ends it); the report is
        // unpacked under the lock, against the collection that is open now.
        uint16_t code = 0;
        bool got = false;
        uint32_t n = 0;
        if (m_channel.isOpen() && m_channel.readReport(static_cast<uint32_t>(m_buffer.size()), &n,
                                                       m_buffer.data(), kInfinite)) {
            std::lock_guard lock(m_lock);
            auto report = m_channel.reportBuffer(HidReportType::Input);
            if (m_channel.isOpen() && n > 0 && n <= report.size()) {
                std::copy_n(m_buffer.begin(), n, report.begin());
                auto items = m_channel.items(HidReportType::Input);
                if (m_channel.unpackInput(n) && !items.empty() && !items[0].usages.empty()) {
                    code = items[0].usages[0];
                    got = true;
                }
            }
        }
        if (!got) {
            if (stop.wait(kIdleWait)) break;
            continue;
        }
        m_handler(code);
    }
    dbgOut(m_exitText);
}

}  // namespace md
