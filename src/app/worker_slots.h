#pragma once
// The main window's 20 worker slots, each with its own manual-reset stop event. Slot 0 runs
// device detection and slot 8 synchronised lighting; the others stay unused. stopAll() sets
// every stop event, then waits for each started thread up to the time-out; a thread still
// running then is left to end with the process (Linux cannot end a thread safely).

#include <array>
#include <chrono>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>

#include "common/stop_event.h"

namespace md {

class WorkerSlots {
  public:
    static constexpr int kCount = 20;
    static constexpr int kDetectionSlot = 0;
    static constexpr int kLightingSlot = 8;

    WorkerSlots();
    ~WorkerSlots();
    WorkerSlots(const WorkerSlots&) = delete;
    WorkerSlots& operator=(const WorkerSlots&) = delete;

    StopEvent& stopEvent(int slot) { return *m_slots[slot].stop; }
    // Starts body(stop event) in slot; false when the slot is busy or out of range.
    bool start(int slot, std::function<void(StopEvent&)> body);
    bool started(int slot) const;
    // Answers how many threads ended in time.
    int stopAll(std::chrono::milliseconds timeoutPerThread = std::chrono::milliseconds(1000));

  private:
    struct Done {
        std::mutex mutex;
        std::condition_variable cv;
        bool finished = false;
    };
    struct Slot {
        std::shared_ptr<StopEvent> stop;  // shared with a thread left running
        std::thread thread;
        std::shared_ptr<Done> done;
    };
    std::array<Slot, kCount> m_slots;
};

}  // namespace md
