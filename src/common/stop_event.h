#pragma once
// Manual-reset event used to stop worker threads: owners set it, workers wait on it with a
// time-out instead of sleeping, so that a stop is seen at once.

#include <chrono>
#include <condition_variable>
#include <mutex>

namespace md {

class StopEvent {
public:
    void set() {
        {
            std::lock_guard lock(m_mutex);
            m_set = true;
        }
        m_cv.notify_all();
    }
    void reset() {
        std::lock_guard lock(m_mutex);
        m_set = false;
    }
    bool isSet() const {
        std::lock_guard lock(m_mutex);
        return m_set;
    }
    // True when the event is (or becomes) set within the time-out.
    bool wait(std::chrono::milliseconds timeout) const {
        std::unique_lock lock(m_mutex);
        return m_cv.wait_for(lock, timeout, [this] { return m_set; });
    }

private:
    mutable std::mutex m_mutex;
    mutable std::condition_variable m_cv;
    bool m_set = false;
};

}  // namespace md
