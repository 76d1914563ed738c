#pragma once
// The mouse's lighting preview: the effect of the current lighting mode computed on the host
// into the LED colour list that the page paints. pass() is what one pass of the preview thread
// does; start() runs passes on a worker that sleeps until the next step is due. The worker tells
// a listener when the colours changed, at most once per kMinFrameMs and never while muted, so
// that the page repaints only what changed and not at all while nobody looks.

#include <atomic>
#include <chrono>
#include <functional>
#include <mutex>
#include <vector>

#include "common/clock.h"
#include "common/worker.h"
#include "devices/lighting/effect_state.h"
#include "devices/lighting/effect_step_list.h"
#include "devices/lighting/led_colour.h"
#include "devlink/link/device_link.h"
#include "profiles/profile_records.h"

namespace md {

class MouseLightingPreview {
  public:
    MouseLightingPreview(DeviceLink& link, size_t ledCount,
                         const Clock& clock = SteadyClock::instance());
    ~MouseLightingPreview();
    MouseLightingPreview(const MouseLightingPreview&) = delete;
    MouseLightingPreview& operator=(const MouseLightingPreview&) = delete;

    // A new mode clears the glow state and lights the first ring byte.
    void setLighting(const LightSetting& lighting);
    LightSetting lighting() const;
    lighting::EffectStepList& effectSteps() { return m_steps; }

    // Passes between two steps at a speed: 28, 23, 18, 13, 7 (speeds above 4 as 4).
    static int interval(uint8_t speed);
    // True for the modes that are computed step by step (0-4, 6-11); the others play the
    // custom effect on every pass.
    static bool isStepMode(uint8_t mode);
    // Counts a pass when the clock moved on by 2 ms or more; runs the mode's step when its
    // interval is reached, or one step of the custom effect. True when a colour changed.
    bool pass(uint64_t nowMs);
    void copyLeds(std::vector<lighting::LedColour>& out) const;
    uint64_t stepsRun() const { return m_stepsRun.load(); }

    // Called on the worker after colours changed (set before start()).
    static constexpr uint64_t kMinFrameMs = 16;
    // While muted the worker does not step; it looks again after this.
    static constexpr std::chrono::milliseconds kMutedWait{250};
    void setChangeListener(std::function<void()> listener) { m_listener = std::move(listener); }
    void setMuted(bool muted) { m_muted.store(muted); }

    void start();
    // Ends the worker; writes the outcome to the debugger output. True when it ended in time.
    bool stop(std::chrono::milliseconds timeout = std::chrono::milliseconds(1000));
    bool running() const { return m_worker.running(); }

  private:
    void runStep(uint8_t mode);
    void run(const StopEvent& stop);
    std::chrono::milliseconds nextWait() const;

    DeviceLink& m_link;
    const Clock& m_clock;
    mutable std::mutex m_lock;
    std::vector<lighting::LedColour> m_leds;
    lighting::EffectState m_state;
    lighting::EffectStepList m_steps;
    LightSetting m_lighting;
    bool m_haveLighting = false;
    uint64_t m_last = 0;
    int m_count = 0;
    std::vector<lighting::LedColour> m_before;  // the colours before a pass, to see a change
    std::atomic<uint64_t> m_stepsRun{0};
    std::function<void()> m_listener;
    std::atomic<bool> m_muted{false};
    Worker m_worker;  // last: stopped before the members its body uses go
};

}  // namespace md
