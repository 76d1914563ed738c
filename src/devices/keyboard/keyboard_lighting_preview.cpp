#include "devices/keyboard/keyboard_lighting_preview.h"

#include <algorithm>

#include "common/dbg_out.h"

namespace md {

KeyboardLightingPreview::KeyboardLightingPreview(DeviceLink& link,
                                                 kblight::KeyboardLightingEngine& engine,
                                                 const Clock& clock)
    : m_link(link), m_engine(engine), m_clock(clock) {}

KeyboardLightingPreview::~KeyboardLightingPreview() {
    stop();
}

bool KeyboardLightingPreview::catchUp(uint64_t now) {
    if (!m_passing || now > m_next + kPassMs * kMaxBurst) {
        // First wake, or after a pause: the passes go on from now, and the first one counts.
        m_engine.startPasses(now >= kPassMs ? now - kPassMs : 0);
        m_next = now;
        m_passing = true;
    }
    if (now < m_next) return false;
    m_engine.copyLeds(m_before);
    for (; m_next <= now; m_next += kPassMs) m_engine.pass(m_next);
    m_engine.copyLeds(m_after);
    return m_before != m_after;
}

void KeyboardLightingPreview::setMuted(bool muted) {
    {
        std::lock_guard lock(m_mutex);
        m_muted = muted;
    }
    m_wake.notify_all();
}

void KeyboardLightingPreview::start() {
    {
        std::lock_guard lock(m_mutex);
        m_stopping = false;
    }
    m_passing = false;
    m_worker.start([this](const StopEvent&) { run(); },
                   [this] {
                       {
                           std::lock_guard lock(m_mutex);
                           m_stopping = true;
                       }
                       m_wake.notify_all();
                   });
}

bool KeyboardLightingPreview::stop(std::chrono::milliseconds timeout) {
    return m_worker.stop(timeout, kThreadEndedText, kThreadTimedOutText);
}

bool KeyboardLightingPreview::sleep(std::chrono::milliseconds wait) {
    std::unique_lock lock(m_mutex);
    if (m_muted) {
        m_wake.wait(lock, [this] { return m_stopping || !m_muted; });
        // The effect goes on from where it was, not with the passes of the pause.
        m_passing = false;
    } else {
        m_wake.wait_for(lock, wait, [this] { return m_stopping; });
    }
    return !m_stopping;
}

void KeyboardLightingPreview::run() {
    auto wait = kFrame;
    while (sleep(wait)) {
        if (!m_link.isOpen()) {
            wait = kClosedWait;
            m_passing = false;
            continue;
        }
        wait = kFrame;
        if (m_link.lightingSuspended()) {
            m_passing = false;
            continue;
        }
        if (catchUp(m_clock.nowMs()) && m_listener) m_listener();
    }
    dbgOut("KB灯光线程设定退出");
}

}  // namespace md
