#include "app/worker_slots.h"

namespace md {

WorkerSlots::WorkerSlots() {
    for (Slot& s : m_slots) s.stop = std::make_shared<StopEvent>();
}

WorkerSlots::~WorkerSlots() {
    stopAll();
}

bool WorkerSlots::start(int slot, std::function<void(StopEvent&)> body) {
    if (slot < 0 || slot >= kCount || m_slots[slot].thread.joinable()) return false;
    Slot& s = m_slots[slot];
    s.stop->reset();
    s.done = std::make_shared<Done>();
    s.thread = std::thread([body = std::move(body), stop = s.stop, done = s.done] {
        body(*stop);
        std::lock_guard lock(done->mutex);
        done->finished = true;
        done->cv.notify_all();
    });
    return true;
}

bool WorkerSlots::started(int slot) const {
    return slot >= 0 && slot < kCount && m_slots[slot].thread.joinable();
}

int WorkerSlots::stopAll(std::chrono::milliseconds timeoutPerThread) {
    for (Slot& s : m_slots) s.stop->set();
    int ended = 0;
    for (Slot& s : m_slots) {
        if (!s.thread.joinable()) continue;
        bool finished;
        {
            std::unique_lock lock(s.done->mutex);
            finished =
                s.done->cv.wait_for(lock, timeoutPerThread, [&] { return s.done->finished; });
        }
        if (finished) {
            s.thread.join();
            ++ended;
        } else {
            s.thread.detach();
        }
    }
    return ended;
}

}  // namespace md
