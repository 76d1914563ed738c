#include "devices/lighting/host_lighting_worker.h"

#include <algorithm>

#include "common/dbg_out.h"
#include "devlink/link/device_link.h"

namespace md::lighting {

HostLightingWorker::HostLightingWorker(DeviceLink& link, const HostEffectKind& kind,
                                       size_t ledCount, FrameSender sender, const Clock& clock)
    : m_link(link),
      m_clock(clock),
      m_sender(std::move(sender)),
      m_stepper(kind, ledCount, clock),
      m_frame(ledCount) {}

HostLightingWorker::~HostLightingWorker() {
    stop();
}

void HostLightingWorker::wake() {
    m_changed = true;
    m_wake.notify_all();
}

void HostLightingWorker::setLighting(const LightSetting& lighting) {
    std::lock_guard lock(m_mutex);
    m_stepper.setLighting(lighting);
    wake();
}

LightSetting HostLightingWorker::lighting() const {
    std::lock_guard lock(m_mutex);
    return m_stepper.lighting();
}

void HostLightingWorker::setLedSettings(std::vector<LightSetting> settings) {
    std::lock_guard lock(m_mutex);
    m_stepper.setLedSettings(std::move(settings));
    wake();
}

void HostLightingWorker::setEffectSteps(std::vector<LightEffectStep> steps) {
    std::lock_guard lock(m_mutex);
    m_stepper.effectSteps().replace(std::move(steps));
    wake();
}

void HostLightingWorker::setSending(bool on) {
    std::lock_guard lock(m_mutex);
    if (m_sending == on) return;
    m_sending = on;
    wake();
}

void HostLightingWorker::setMuted(bool muted) {
    std::lock_guard lock(m_mutex);
    if (m_muted == muted) return;
    m_muted = muted;
    wake();
}

void HostLightingWorker::showColours(std::span<const LedColour> leds) {
    std::lock_guard lock(m_mutex);
    if (m_external &&
        std::equal(leds.begin(), leds.end(), m_externalLeds.begin(), m_externalLeds.end()))
        return;
    m_external = true;
    m_externalLeds.assign(leds.begin(), leds.end());
    wake();
}

void HostLightingWorker::useOwnEffect() {
    std::lock_guard lock(m_mutex);
    if (!m_external) return;
    m_external = false;
    wake();
}

void HostLightingWorker::copyLeds(std::vector<LedColour>& out) const {
    std::lock_guard lock(m_mutex);
    const auto leds = m_stepper.leds();
    out.assign(leds.begin(), leds.end());
}

uint64_t HostLightingWorker::framesSent() const {
    std::lock_guard lock(m_mutex);
    return m_frames;
}

uint64_t HostLightingWorker::stepsRun() const {
    std::lock_guard lock(m_mutex);
    return m_stepper.stepsRun();
}

void HostLightingWorker::start() {
    {
        std::lock_guard lock(m_mutex);
        m_quit = false;
        m_changed = true;
    }
    m_worker.start([this](const StopEvent& stop) { run(stop); },
                   [this] {
                       std::lock_guard lock(m_mutex);
                       m_quit = true;
                       m_wake.notify_all();
                   });
}

bool HostLightingWorker::stop(std::chrono::milliseconds timeout) {
    return m_worker.stop(timeout, kThreadEndedText, kThreadTimedOutText);
}

void HostLightingWorker::run(const StopEvent& stop) {
    RunState st;
    st.due = Steady::now();
    std::unique_lock lock(m_mutex);
    while (!m_quit && !stop.isSet()) {
        const auto woken = [&] { return m_quit || m_changed; };
        if (st.due == Steady::time_point::max())
            m_wake.wait(lock, woken);
        else
            m_wake.wait_until(lock, st.due, woken);
        if (m_quit) break;
        if (m_changed) {
            m_changed = false;
            st.unsent = true;
        }
        const auto now = Steady::now();
        if (!m_link.isOpen()) {
            st.due = now + kClosedWait;
            continue;
        }
        if (m_link.lightingSuspended()) {
            st.due = now + kSuspendedWait;
            continue;
        }
        if (now < st.due && !st.unsent) continue;
        // Still colours go out again now and then.
        if (m_sending && now - st.lastSent >= kStillResend) st.unsent = true;
        if (m_external) {
            // Another effect owns the colours: they go out when they change.
            st.due = now + kStillResend;
            if (!st.unsent || !m_sending) continue;
            m_frame = m_externalLeds;
        } else {
            stepOwnEffect(now, st);
            if (!st.unsent || !m_sending) continue;
            const auto leds = m_stepper.leds();
            m_frame.assign(leds.begin(), leds.end());
        }
        st.unsent = false;
        ++m_frames;
        lock.unlock();
        const bool sent = m_sender && m_sender(m_frame);
        lock.lock();
        st.lastSent = Steady::now();
        if (!sent) st.due = std::max(st.due, st.lastSent + kFailurePause);
    }
    dbgOut(kExitText);
}

void HostLightingWorker::stepOwnEffect(Steady::time_point now, RunState& st) {
    using std::chrono::milliseconds;
    const uint64_t ms = m_clock.nowMs();
    if (m_stepper.pass(ms)) st.unsent = st.unheard = true;
    const uint64_t next = m_stepper.msUntilNextChange(ms);
    st.due = next == HostEffectStepper::kStill ? now + kStillResend
                                               : now + milliseconds(std::max<uint64_t>(next, 1));
    if (!st.unheard || m_muted) return;
    if (ms - st.lastNotify >= kMinNotifyMs) {
        st.unheard = false;
        st.lastNotify = ms;
        if (m_listener) m_listener();
    } else {
        // Told as soon as the rate allows.
        st.due = std::min(st.due, now + milliseconds(kMinNotifyMs - (ms - st.lastNotify)));
    }
}

}  // namespace md::lighting
