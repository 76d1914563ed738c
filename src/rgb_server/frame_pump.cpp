#include "rgb_server/frame_pump.h"

namespace md::rgb {

FramePump::FramePump() {
    m_worker.start([this](const StopEvent& stop) { run(stop); },
                   [this] {
                       std::lock_guard lock(m_mutex);
                       m_stopping = true;
                       m_changed.notify_all();
                   });
}

FramePump::~FramePump() {
    m_worker.stop();
}

void FramePump::attach(const std::string& key, LedFrameSender sender) {
    detach(key);
    std::lock_guard lock(m_mutex);
    m_slots[key].sender = std::move(sender);
}

void FramePump::detach(const std::string& key) {
    std::unique_lock lock(m_mutex);
    m_changed.wait(lock, [&] { return m_sending != key; });
    m_slots.erase(key);
}

bool FramePump::post(const std::string& key, std::vector<lighting::LedColour> frame) {
    std::lock_guard lock(m_mutex);
    const auto it = m_slots.find(key);
    if (it == m_slots.end() || !it->second.sender) return false;
    if (it->second.waiting) ++m_replaced;
    it->second.frame = std::move(frame);
    it->second.waiting = true;
    m_changed.notify_all();
    return true;
}

uint64_t FramePump::sent() const {
    std::lock_guard lock(m_mutex);
    return m_sent;
}

uint64_t FramePump::replaced() const {
    std::lock_guard lock(m_mutex);
    return m_replaced;
}

void FramePump::run(const StopEvent& /*stop*/) {
    std::unique_lock lock(m_mutex);
    while (!m_stopping) {
        // The waiting frame whose device is due first.
        const auto now = std::chrono::steady_clock::now();
        std::map<std::string, Slot>::iterator next = m_slots.end();
        auto due = std::chrono::steady_clock::time_point::max();
        for (auto it = m_slots.begin(); it != m_slots.end(); ++it) {
            if (!it->second.waiting) continue;
            const auto at = it->second.last + kMinInterval;
            if (at < due) due = at, next = it;
        }
        if (next == m_slots.end()) {
            m_changed.wait(lock);
            continue;
        }
        if (due > now) {
            m_changed.wait_until(lock, due);
            continue;
        }
        Slot& slot = next->second;
        std::vector<lighting::LedColour> frame = std::move(slot.frame);
        slot.waiting = false;
        slot.last = now;
        LedFrameSender send = slot.sender;
        m_sending = next->first;
        lock.unlock();
        send(frame);
        lock.lock();
        m_sending.clear();
        ++m_sent;
        m_changed.notify_all();
    }
}

}  // namespace md::rgb
