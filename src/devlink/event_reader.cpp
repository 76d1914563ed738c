#include "devlink/event_reader.h"

#include <algorithm>

#include "common/dbg_out.h"

namespace md {
namespace {
// Back-off while the channel is closed or failing, so that an unplugged device does not make
// the worker spin.
constexpr auto kIdleWait = std::chrono::milliseconds(20);
}  // namespace

EventReader::EventReader(HidChannel& channel, std::recursive_mutex& channelLock, Handler handler,
                         std::string exitText)
    : m_channel(channel),
      m_lock(channelLock),
      m_handler(std::move(handler)),
      m_exitText(std::move(exitText)) {}

EventReader::~EventReader() {
    stop(std::chrono::milliseconds(500));
}

void EventReader::start() {
    if (m_thread.joinable()) stop(std::chrono::milliseconds(500));
    m_stop.reset();
    m_running = true;
    m_thread = std::thread([this] { run(); });
}

bool EventReader::stop(std::chrono::milliseconds timeout) {
    if (!m_thread.joinable()) return true;
    m_stop.set();
    m_channel.cancelTransfer();
    bool inTime;
    {
        std::unique_lock lock(m_doneMutex);
        inTime = m_done.wait_for(lock, timeout, [this] { return !m_running.load(); });
    }
    dbgOut(inTime ? kThreadEndedText : kThreadTimedOutText);
    if (!inTime) {
        // Keep cancelling until the worker notices; its reads end at every cancel.
        while (m_running) {
            m_channel.cancelTransfer();
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
    }
    m_thread.join();
    return inTime;
}

void EventReader::run() {
    for (;;) {
        if (m_stop.wait(std::chrono::milliseconds(1))) break;
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
            if (m_stop.wait(kIdleWait)) break;
            continue;
        }
        m_handler(code);
    }
    dbgOut(m_exitText);
    {
        std::lock_guard lock(m_doneMutex);
        m_running = false;
    }
    m_done.notify_all();
}

}  // namespace md
