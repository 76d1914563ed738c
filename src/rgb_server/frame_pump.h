#pragma once
// Sends client colours to the devices: one slot per device holding the newest frame (a frame
// that arrives before the last one went out replaces it, so nothing queues up), sent on one
// worker thread at most once per device frame interval. The worker sleeps until a frame is
// waiting; the caller never waits on a device.

#include <chrono>
#include <condition_variable>
#include <map>
#include <mutex>
#include <string>
#include <vector>

#include "common/worker.h"
#include "devices/base/device_driver.h"

namespace md::rgb {

class FramePump {
  public:
    static constexpr std::chrono::milliseconds kMinInterval{33};

    FramePump();
    ~FramePump();
    FramePump(const FramePump&) = delete;
    FramePump& operator=(const FramePump&) = delete;

    // The device `key` takes frames through sender (replacing an earlier one).
    void attach(const std::string& key, LedFrameSender sender);
    // The device leaves: its waiting frame is dropped; returns once no frame is being sent to
    // it, so the sender's link may go away afterwards.
    void detach(const std::string& key);
    // The newest frame for the device; false when it takes none.
    bool post(const std::string& key, std::vector<lighting::LedColour> frame);
    // Frames that went out, and frames replaced before they did (for tests and the log).
    uint64_t sent() const;
    uint64_t replaced() const;

  private:
    struct Slot {
        LedFrameSender sender;
        std::vector<lighting::LedColour> frame;
        bool waiting = false;
        std::chrono::steady_clock::time_point last{};
    };
    void run(const StopEvent& stop);

    mutable std::mutex m_mutex;
    std::condition_variable m_changed;
    std::map<std::string, Slot> m_slots;
    std::string m_sending;  // the key whose frame is going out
    uint64_t m_sent = 0;
    uint64_t m_replaced = 0;
    bool m_stopping = false;
    Worker m_worker;
};

}  // namespace md::rgb
