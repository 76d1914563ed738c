#pragma once
// The main window's 20 worker slots. Slot 0 runs device detection and slot 8 synchronised
// lighting; the others stay unused. stopAll() signals every slot first, then stops each within
// the bound (Worker).

#include <array>
#include <chrono>

#include "common/worker.h"

namespace md {

class WorkerSlots {
  public:
    static constexpr int kCount = 20;
    static constexpr int kDetectionSlot = 0;
    static constexpr int kLightingSlot = 8;

    WorkerSlots() = default;
    ~WorkerSlots();
    WorkerSlots(const WorkerSlots&) = delete;
    WorkerSlots& operator=(const WorkerSlots&) = delete;

    // Starts body in slot; false when the slot is busy or out of range.
    bool start(int slot, Worker::Body body);
    bool started(int slot) const;
    // Answers how many running threads ended within the bound.
    int stopAll(std::chrono::milliseconds timeoutPerThread = Worker::kDefaultBound);

  private:
    std::array<Worker, kCount> m_slots;
};

}  // namespace md
