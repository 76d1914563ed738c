#pragma once
// The worker that runs the keyboard's lighting engine for the page's key picture. The engine
// counts a pass every 2 ms; the worker does not wake that often: it wakes once per display
// frame, runs the passes due since its last wake in one go (2 ms apart on the engine's clock,
// so every effect keeps its pace), and tells a listener when colours changed. While the link
// is closed it looks again every 100 ms; while the link's lighting is suspended it runs no
// passes; while muted (nobody sees the page) it sleeps until it is unmuted or stopped.

#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>

#include "common/clock.h"
#include "common/worker.h"
#include "devices/keyboard/keyboard_lighting_engine.h"
#include "devlink/link/device_link.h"

namespace md {

class KeyboardLightingPreview {
  public:
    static constexpr uint64_t kPassMs = 2;
    static constexpr std::chrono::milliseconds kFrame{16};
    static constexpr std::chrono::milliseconds kClosedWait{100};
    // The most passes one wake makes up for; after a longer pause the effect goes on from now.
    static constexpr int kMaxBurst = 64;

    KeyboardLightingPreview(DeviceLink& link, kblight::KeyboardLightingEngine& engine,
                            const Clock& clock = SteadyClock::instance());
    ~KeyboardLightingPreview();
    KeyboardLightingPreview(const KeyboardLightingPreview&) = delete;
    KeyboardLightingPreview& operator=(const KeyboardLightingPreview&) = delete;

    // Runs the passes due up to now; true when an LED colour changed.
    bool catchUp(uint64_t nowMs);

    // Called on the worker after colours changed (set before start()).
    void setChangeListener(std::function<void()> listener) { m_listener = std::move(listener); }
    void setMuted(bool muted);
    void start();
    // Ends the worker; writes the outcome to the debugger output. True when it ended in time.
    bool stop(std::chrono::milliseconds timeout = std::chrono::milliseconds(1000));
    bool running() const { return m_worker.running(); }

  private:
    void run();
    // Waits up to `wait`, or while muted until unmuted; false when the worker is to end.
    bool sleep(std::chrono::milliseconds wait);

    DeviceLink& m_link;
    kblight::KeyboardLightingEngine& m_engine;
    const Clock& m_clock;
    std::function<void()> m_listener;
    uint64_t m_next = 0;  // engine time of the next pass
    bool m_passing = false;
    std::array<lighting::LedColour, kblight::kKeyCount> m_before{};
    std::array<lighting::LedColour, kblight::kKeyCount> m_after{};
    std::mutex m_mutex;
    std::condition_variable m_wake;
    bool m_muted = false;
    bool m_stopping = false;
    Worker m_worker;  // last: stopped before the members its body uses go
};

}  // namespace md
