#include "devices/lighting/sync_lighting.h"

#include <algorithm>
#include <optional>

namespace md::lighting {
namespace {

uint8_t brightnessOf(uint8_t light) {
    return kBrightness[std::min<size_t>(light, kBrightness.size() - 1)];
}

uint8_t intervalOf(uint8_t speed) {
    return kSyncIntervals[std::min<size_t>(speed, kSyncIntervals.size() - 1)];
}

}  // namespace

std::chrono::milliseconds syncStepPeriod(uint8_t speed) {
    return std::chrono::milliseconds(intervalOf(speed) * kSyncTickMs);
}

SyncFrame SyncStepper::step(uint64_t nowMs) {
    const SyncSettings& s = m_settings;
    const uint8_t bright = brightnessOf(s.light);
    switch (s.mode) {
        case SyncLightMode::Steady:
            return {s.colour, bright};
        case SyncLightMode::Off:
            return {};
        case SyncLightMode::Spectrum:
            m_spectrum = static_cast<uint8_t>((m_spectrum + 1) % kWheelColours);
            return {kColourWheel[m_spectrum], bright};
        case SyncLightMode::Breathing: {
            if (s.fx)
                m_phase = static_cast<uint8_t>((m_phase + 1) % 128);
            else
                m_phase = static_cast<uint8_t>(m_phase == 0 ? 127 : m_phase - 1);
            Rgb colour = s.colour;
            if (s.multiColor) {
                if (m_phase <= 1)
                    m_breathColour = static_cast<uint8_t>((m_breathColour + 16) % kWheelColours);
                colour = kColourWheel[m_breathColour];
            }
            return {colour, static_cast<uint8_t>(bright * kBreathingCurve[m_phase] / 256)};
        }
        case SyncLightMode::Flash: {
            const uint64_t toggleMs = uint64_t(intervalOf(s.speed)) * 200;
            if (!m_flashStarted) {
                m_flashStarted = true;
                m_flashStamp = nowMs;
            } else if (nowMs - m_flashStamp >= toggleMs) {
                m_flashOn = !m_flashOn;
                m_flashColour = static_cast<uint8_t>(m_flashColour + 14);
                if (m_flashColour >= kWheelColours) m_flashColour = 0;
                m_flashStamp = nowMs;
            }
            if (!m_flashOn) return {};
            return {s.multiColor ? kColourWheel[m_flashColour] : s.colour, bright};
        }
    }
    return {};
}

SyncLighting::SyncLighting(Sink sink, const Clock& clock)
    : m_sink(std::move(sink)), m_clock(clock) {}

SyncLighting::~SyncLighting() {
    pause();
}

void SyncLighting::play(const SyncSettings& settings) {
    {
        std::lock_guard lock(m_mutex);
        m_settings = settings;
        m_changed = true;
        m_quit = false;
    }
    if (m_worker.running()) {
        m_wake.notify_all();
        return;
    }
    m_worker.start([this](const StopEvent& stop) { run(stop); },
                   [this] {
                       {
                           std::lock_guard lock(m_mutex);
                           m_quit = true;
                       }
                       m_wake.notify_all();
                   });
}

void SyncLighting::pause() {
    m_worker.stop(Worker::kDefaultBound, kExitText);
}

SyncSettings SyncLighting::settings() const {
    std::lock_guard lock(m_mutex);
    return m_settings;
}

uint64_t SyncLighting::framesSent() const {
    std::lock_guard lock(m_mutex);
    return m_frames;
}

void SyncLighting::run(const StopEvent& stop) {
    using Steady = std::chrono::steady_clock;
    SyncStepper stepper;
    auto due = Steady::now();
    std::optional<SyncFrame> shown;  // the frame the devices show; none after a change
    std::unique_lock lock(m_mutex);
    while (!m_quit && !stop.isSet()) {
        // Sleep until the step is due, unless the settings change or the worker is stopped.
        const auto woken = [&] { return m_quit || m_changed; };
        if (due == Steady::time_point::max())
            m_wake.wait(lock, woken);
        else
            m_wake.wait_until(lock, due, woken);
        if (m_quit) break;
        if (m_changed) {
            // A snapshot taken under the lock: the step never reads settings being written.
            stepper.setSettings(m_settings);
            m_changed = false;
            shown.reset();
            due = Steady::now();
        }
        const auto now = Steady::now();
        if (now < due) continue;
        const SyncFrame frame = stepper.step(m_clock.nowMs());
        const SyncLightMode mode = stepper.settings().mode;
        if (mode == SyncLightMode::Steady || mode == SyncLightMode::Off) {
            // A still effect: one frame, then nothing to do until the settings change.
            due = Steady::time_point::max();
        } else {
            const auto period = syncStepPeriod(stepper.settings().speed);
            // Steps keep their pace; one that fell far behind does not run a burst to catch up.
            due += period;
            if (due < now) due = now + period;
        }
        // The devices keep showing the last frame: an equal one (a flash between its toggles)
        // is not sent again.
        if (shown == frame) continue;
        shown = frame;
        ++m_frames;
        lock.unlock();
        m_sink(frame);
        lock.lock();
    }
}

}  // namespace md::lighting
