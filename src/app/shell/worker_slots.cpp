#include "app/shell/worker_slots.h"

namespace md {

WorkerSlots::~WorkerSlots() {
    stopAll();
}

bool WorkerSlots::start(int slot, Worker::Body body) {
    if (slot < 0 || slot >= kCount || m_slots[slot].running()) return false;
    m_slots[slot].start(std::move(body));
    return true;
}

bool WorkerSlots::started(int slot) const {
    return slot >= 0 && slot < kCount && m_slots[slot].running();
}

int WorkerSlots::stopAll(std::chrono::milliseconds timeoutPerThread) {
    for (Worker& w : m_slots) w.signal();
    int ended = 0;
    for (Worker& w : m_slots) {
        if (!w.running()) {
            w.stop();  // joins a body that returned on its own
            continue;
        }
        if (w.stop(timeoutPerThread)) ++ended;
    }
    return ended;
}

}  // namespace md
