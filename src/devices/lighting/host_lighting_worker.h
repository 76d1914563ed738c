#pragma once
// The lighting thread of a device whose host computes the frames (headset, mousepad): it runs
// the effect (HostEffectStepper), sends each new frame to the device itself and tells the page
// when the colours changed. It sleeps until the next step is due, wakes at once when the
// settings change or it is stopped, idles while the command link is closed or lighting is
// suspended, and never blocks the UI thread: the UI thread only copies the colours.
//
// Frames go out on the worker as soon as they are computed; a send that takes longer than a
// step period delays the next step, which then runs once on the newest state, so frames never
// queue up (the latest frame wins). After a frame that did not go out completely the worker
// pauses kFailurePause before the next one. A still effect (steady, off) is sent again every
// kStillResend, so that a device that lost its lights gets them back.

#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <span>
#include <vector>

#include "common/clock.h"
#include "common/worker.h"
#include "devices/lighting/host_effect_stepper.h"

namespace md {
class DeviceLink;
}

namespace md::lighting {

class HostLightingWorker {
  public:
    // Sends one frame to the device on the worker; answers whether it went out completely.
    using FrameSender = std::function<bool(std::span<const LedColour> leds)>;
    static constexpr std::chrono::milliseconds kFailurePause{200};
    static constexpr std::chrono::milliseconds kClosedWait{100};
    static constexpr std::chrono::milliseconds kSuspendedWait{20};
    static constexpr std::chrono::milliseconds kStillResend{1000};
    // The page hears of changes at most once per this many milliseconds.
    static constexpr uint64_t kMinNotifyMs = 16;
    static constexpr const char* kExitText = "MS灯光线程设定退出";

    HostLightingWorker(DeviceLink& link, const HostEffectKind& kind, size_t ledCount,
                       FrameSender sender, const Clock& clock = SteadyClock::instance());
    ~HostLightingWorker();
    HostLightingWorker(const HostLightingWorker&) = delete;
    HostLightingWorker& operator=(const HostLightingWorker&) = delete;

    void setLighting(const LightSetting& lighting);
    LightSetting lighting() const;
    void setLedSettings(std::vector<LightSetting> settings);
    void setEffectSteps(std::vector<LightEffectStep> steps);
    // Whether frames go to the device (host lighting on); the effect runs either way.
    void setSending(bool on);
    // Called on the worker after the colours changed (set before start()).
    void setChangeListener(std::function<void()> listener) { m_listener = std::move(listener); }
    // While muted the page is not told of changes (nobody sees it); frames still go out.
    void setMuted(bool muted);
    // Colours computed elsewhere (the lighting shared by several devices) replace the effect's:
    // the worker sends them instead, until useOwnEffect().
    void showColours(std::span<const LedColour> leds);
    void useOwnEffect();

    void copyLeds(std::vector<LedColour>& out) const;
    uint64_t framesSent() const;
    uint64_t stepsRun() const;

    void start();
    // Ends the worker within timeout; writes the outcome to the debugger output.
    bool stop(std::chrono::milliseconds timeout = std::chrono::milliseconds(1000));
    bool running() const { return m_worker.running(); }

  private:
    using Steady = std::chrono::steady_clock;
    struct RunState {
        Steady::time_point due;
        Steady::time_point lastSent;
        uint64_t lastNotify = 0;
        bool unsent = false;   // colours the device has not been sent
        bool unheard = false;  // colours the page has not been told of
    };
    void run(const StopEvent& stop);
    // One pass of the effect under the lock: steps, plans the next wake-up, tells the page.
    void stepOwnEffect(Steady::time_point now, RunState& st);
    void wake();

    DeviceLink& m_link;
    const Clock& m_clock;
    FrameSender m_sender;
    std::function<void()> m_listener;
    mutable std::mutex m_mutex;
    std::condition_variable m_wake;
    HostEffectStepper m_stepper;  // under m_mutex
    bool m_changed = false;
    bool m_quit = false;
    bool m_sending = true;
    bool m_muted = false;
    uint64_t m_frames = 0;
    bool m_external = false;
    std::vector<LedColour> m_externalLeds;
    std::vector<LedColour> m_frame;  // the worker's copy being sent
    Worker m_worker;                 // last: stopped before the members its body uses go
};

}  // namespace md::lighting
