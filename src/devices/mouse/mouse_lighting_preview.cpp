#include "devices/mouse/mouse_lighting_preview.h"

#include "common/dbg_out.h"
#include "devices/lighting/base_steps.h"
#include "devices/lighting/custom_playback.h"
#include "devices/lighting/key_glow.h"
#include "devices/lighting/lighting_tables.h"
#include "devices/lighting/wave_steps.h"

namespace md {

MouseLightingPreview::MouseLightingPreview(DeviceLink& link, size_t ledCount, const Clock& clock)
    : m_link(link), m_clock(clock), m_leds(ledCount), m_before(ledCount) {}

MouseLightingPreview::~MouseLightingPreview() {
    stop();
}

void MouseLightingPreview::setLighting(const LightSetting& lighting) {
    std::lock_guard lock(m_lock);
    if (!m_haveLighting || lighting.mode != m_lighting.mode) {
        lighting::clearGlowState(m_state);
        m_state.ring[0] = 1;
    }
    m_lighting = lighting;
    m_haveLighting = true;
}

LightSetting MouseLightingPreview::lighting() const {
    std::lock_guard lock(m_lock);
    return m_lighting;
}

int MouseLightingPreview::interval(uint8_t speed) {
    return lighting::stepInterval(speed);
}

bool MouseLightingPreview::isStepMode(uint8_t mode) {
    return mode <= 11 && mode != 5;
}

void MouseLightingPreview::runStep(uint8_t mode) {
    using namespace lighting;
    const LedList leds(m_leds);
    switch (mode) {
        case 0:
            stepSpectrum(leds, m_state, m_lighting);
            break;
        case 1:
            stepMouseBreathing(leds, m_state, m_lighting);
            break;
        case 2:
            stepSteady(leds, m_lighting);
            break;
        case 3:
            stepSingleColourBreathing(leds, m_state, m_lighting);
            break;
        case 4:
            stepOff(leds);
            break;
        case 6:
            stepFixedPattern(leds, m_lighting);
            break;
        case 7:
            stepFlashFourColour(leds, m_state, m_lighting, m_clock);
            break;
        case 8:
            stepBreathingFourColour(leds, m_state, m_lighting);
            break;
        case 9:
            stepWave(leds, m_state, m_lighting, kMouseWave);
            break;
        case 10:
            stepMouseRipple(leds, m_state, m_lighting);
            break;
        case 11:
            stepFlash(leds, m_state, m_lighting, m_clock);
            break;
        default:
            break;
    }
}

bool MouseLightingPreview::pass(uint64_t nowMs) {
    std::lock_guard lock(m_lock);
    std::copy(m_leds.begin(), m_leds.end(), m_before.begin());
    if (nowMs - m_last >= 2) {
        ++m_count;
        m_last = nowMs;
    }
    const uint8_t mode = m_lighting.mode;
    if (!isStepMode(mode)) {
        lighting::playSharedCustomEffect(m_leds, m_steps, m_clock, lighting::DeviceClass::Mouse);
        ++m_stepsRun;
    } else if (m_count >= interval(m_lighting.speed)) {
        runStep(mode);
        m_count = 0;
        ++m_stepsRun;
    }
    return !std::equal(m_leds.begin(), m_leds.end(), m_before.begin());
}

void MouseLightingPreview::copyLeds(std::vector<lighting::LedColour>& out) const {
    std::lock_guard lock(m_lock);
    out = m_leds;
}

std::chrono::milliseconds MouseLightingPreview::nextWait() const {
    std::lock_guard lock(m_lock);
    // The custom effect paces itself on every pass; the step modes sleep until their next step
    // (a pass counts every 2 ms).
    if (!isStepMode(m_lighting.mode)) return std::chrono::milliseconds(1);
    const int left = interval(m_lighting.speed) - m_count;
    return std::chrono::milliseconds(left > 0 ? 2 * left : 2);
}

void MouseLightingPreview::start() {
    m_worker.start([this](const StopEvent& stop) { run(stop); });
}

bool MouseLightingPreview::stop(std::chrono::milliseconds timeout) {
    return m_worker.stop(timeout, kThreadEndedText, kThreadTimedOutText);
}

void MouseLightingPreview::run(const StopEvent& stop) {
    auto wait = std::chrono::milliseconds(1);
    bool unsent = false;  // a change the listener has not heard of yet
    uint64_t lastNotify = 0;
    while (!stop.wait(wait)) {
        if (!m_link.isOpen()) {
            wait = std::chrono::milliseconds(100);
            continue;
        }
        if (m_link.lightingSuspended()) {
            wait = std::chrono::milliseconds(20);
            continue;
        }
        // Nobody sees the preview: it rests (and goes on where it was when it is seen again).
        if (m_muted) {
            wait = kMutedWait;
            continue;
        }
        const uint64_t now = m_clock.nowMs();
        if (pass(now)) unsent = true;
        if (unsent && !m_muted && now - lastNotify >= kMinFrameMs) {
            if (m_listener) m_listener();
            lastNotify = now;
            unsent = false;
        }
        wait = nextWait();
        // A change held back by the frame rate goes out as soon as the rate allows.
        if (unsent && !m_muted) {
            const auto due = std::chrono::milliseconds(kMinFrameMs - (now - lastNotify));
            wait = std::max(std::chrono::milliseconds(1), std::min(wait, due));
        }
        if (wait > std::chrono::milliseconds(2)) {
            // The sleep stands for the passes it skips: count them now, the pass after it
            // counts the last one and steps.
            std::lock_guard lock(m_lock);
            m_count += static_cast<int>(wait.count() / 2) - 1;
        }
    }
    dbgOut("MS灯光线程设定退出");
}

}  // namespace md
