#include "common/worker.h"

#include "common/dbg_out.h"

namespace md {

Worker::~Worker() {
    stop();
}

void Worker::start(Body body, Cancel cancel) {
    stop();
    m_stop.reset();
    m_cancel = std::move(cancel);
    {
        std::lock_guard lock(m_mutex);
        m_running = true;
    }
    m_thread = std::thread([this, body = std::move(body)] {
        body(m_stop);
        std::lock_guard lock(m_mutex);
        m_running = false;
        m_done.notify_all();
    });
}

void Worker::signal() {
    if (!m_thread.joinable()) return;
    m_stop.set();
    if (m_cancel) m_cancel();
}

bool Worker::stop(std::chrono::milliseconds timeout, const char* endedText,
                  const char* timedOutText) {
    if (!m_thread.joinable()) return true;
    const bool wasRunning = running();
    signal();
    bool inTime;
    {
        std::unique_lock lock(m_mutex);
        inTime = m_done.wait_for(lock, timeout, [this] { return !m_running; });
    }
    if (const char* text = inTime ? endedText : timedOutText; text && wasRunning) dbgOut(text);
    m_thread.join();
    m_cancel = nullptr;
    return inTime;
}

bool Worker::running() const {
    std::lock_guard lock(m_mutex);
    return m_running;
}

}  // namespace md
