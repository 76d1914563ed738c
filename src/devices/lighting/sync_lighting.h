#pragma once
// Same mode: one lighting effect computed on the host and shown by several devices in step.
// SyncStepper computes the frames of the shared effect (breathing, steady, flash, spectrum,
// off); SyncLighting runs it on a worker that sleeps until the next step is due, wakes at once
// when the settings change or it is told to stop, and hands each frame to a sink (which must
// not touch widgets: the application posts frames to its UI thread).

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>

#include "common/clock.h"
#include "common/worker.h"
#include "devices/lighting/light_panel_rules.h"
#include "devices/lighting/lighting_tables.h"

namespace md::lighting {

struct SyncSettings {
    SyncLightMode mode = SyncLightMode::Steady;
    uint8_t light = 4;  // brightness step 0-4
    uint8_t speed = 2;  // speed step 0-4
    uint8_t fx = 1;     // 1 forward, 0 backward (breathing)
    uint8_t multiColor = 0;
    Rgb colour{255, 255, 255};
    bool operator==(const SyncSettings&) const = default;
};

struct SyncFrame {
    Rgb colour;
    uint8_t intensity = 0;
    // red | green << 8 | blue << 16 | intensity << 24, the zone colour of the device models.
    uint32_t packed() const {
        return uint32_t(colour.red) | uint32_t(colour.green) << 8 | uint32_t(colour.blue) << 16 |
               uint32_t(intensity) << 24;
    }
    bool operator==(const SyncFrame&) const = default;
};

// Ticks of 2 ms per step for speed 0-4 (28, 23, 18, 13, 7).
inline constexpr std::array<uint8_t, 5> kSyncIntervals = {28, 23, 18, 13, 7};
inline constexpr int kSyncTickMs = 2;
// The time between two steps at a speed (out-of-range speeds count as 4).
std::chrono::milliseconds syncStepPeriod(uint8_t speed);

class SyncStepper {
  public:
    explicit SyncStepper(const SyncSettings& settings = {}) : m_settings(settings) {}
    // New settings keep the effect's running state (phase, colour indexes).
    void setSettings(const SyncSettings& settings) { m_settings = settings; }
    const SyncSettings& settings() const { return m_settings; }
    // The next frame; nowMs paces the flash's on/off toggles.
    SyncFrame step(uint64_t nowMs);

  private:
    SyncSettings m_settings;
    uint8_t m_spectrum = 0;
    uint8_t m_phase = 0;
    uint8_t m_breathColour = 0;
    uint8_t m_flashColour = 0;
    bool m_flashOn = false;
    uint64_t m_flashStamp = 0;
    bool m_flashStarted = false;
};

class SyncLighting {
  public:
    using Sink = std::function<void(const SyncFrame& frame)>;
    static constexpr const char* kExitText = "同步灯光线程设定退出\n";

    explicit SyncLighting(Sink sink, const Clock& clock = SteadyClock::instance());
    ~SyncLighting();
    SyncLighting(const SyncLighting&) = delete;
    SyncLighting& operator=(const SyncLighting&) = delete;

    // Starts the shared effect, or changes it; the next frame follows at once.
    void play(const SyncSettings& settings);
    // No device shows the shared effect any more: the worker ends until the next play().
    void pause();
    bool playing() const { return m_worker.running(); }
    SyncSettings settings() const;
    uint64_t framesSent() const;

  private:
    void run(const StopEvent& stop);

    Sink m_sink;
    const Clock& m_clock;
    Worker m_worker;
    mutable std::mutex m_mutex;
    std::condition_variable m_wake;
    SyncSettings m_settings;  // under m_mutex; the worker steps a snapshot
    bool m_changed = false;
    bool m_quit = false;
    uint64_t m_frames = 0;
};

}  // namespace md::lighting
