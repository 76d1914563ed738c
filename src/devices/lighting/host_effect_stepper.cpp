#include "devices/lighting/host_effect_stepper.h"

#include <algorithm>

#include "devices/lighting/base_steps.h"
#include "devices/lighting/key_glow.h"
#include "devices/lighting/lighting_tables.h"

namespace md::lighting {

HostEffectStepper::HostEffectStepper(const HostEffectKind& kind, size_t ledCount,
                                     const Clock& clock)
    : m_kind(kind), m_clock(clock), m_leds(ledCount), m_before(ledCount) {}

void HostEffectStepper::setLighting(const LightSetting& lighting) {
    if (!m_haveLighting || lighting.mode != m_lighting.mode) {
        clearGlowState(m_state);
        m_state.ring[0] = 1;
        m_state.rippleCounter = 0;
    }
    // A change shows at the next pass; the effect keeps its phase.
    if (!m_haveLighting || !(lighting == m_lighting)) m_stepped = false;
    m_lighting = lighting;
    m_haveLighting = true;
}

void HostEffectStepper::setLedSettings(std::vector<LightSetting> settings) {
    m_animatedOverrides = std::any_of(settings.begin(), settings.end(), [](const LightSetting& e) {
        return (e.present == 1 && (e.mode == 0 || e.mode == 3)) || e.mode == 2;
    });
    m_overrides.replace(std::move(settings), sharedLedOverrides(m_kind.deviceClass));
}

bool HostEffectStepper::overridesAnimate() const {
    return m_animatedOverrides;
}

void HostEffectStepper::runStep() {
    const LedList leds(m_leds);
    const LightSetting& l = m_lighting;
    switch (l.mode) {
        case 0:
            stepWave(leds, m_state, l, m_kind.wave);
            break;
        case 1:
            stepSpectrum(leds, m_state, l);
            break;
        case 2:
            stepBreathing(leds, m_state, l);
            break;
        case 3:
            stepSteady(leds, l);
            break;
        case 4:
            stepFlash(leds, m_state, l, m_clock);
            break;
        case 6:
            stepRing(leds, m_state, l);
            break;
        case 7:
            stepPairRipple(leds, m_state, l);
            break;
        default:
            stepOff(leds);
            break;
    }
}

bool HostEffectStepper::pass(uint64_t nowMs) {
    std::copy(m_leds.begin(), m_leds.end(), m_before.begin());
    if (!isStepMode(m_lighting.mode)) {
        playSharedCustomEffect(m_leds, m_steps, m_clock, m_kind.deviceClass);
        ++m_stepsRun;
    } else if (!m_stepped || nowMs >= m_nextStep) {
        runStep();
        ++m_stepsRun;
        const uint64_t period = kHostPassMs * stepInterval(m_lighting.speed);
        // Steps keep their pace; one that fell behind does not run a burst to catch up.
        m_nextStep =
            m_stepped && nowMs < m_nextStep + period ? m_nextStep + period : nowMs + period;
        m_stepped = true;
    }
    m_overrides.apply(m_leds, sharedLedOverrides(m_kind.deviceClass), nowMs);
    return !std::equal(m_leds.begin(), m_leds.end(), m_before.begin());
}

uint64_t HostEffectStepper::msUntilNextChange(uint64_t nowMs) const {
    if (!isStepMode(m_lighting.mode) || overridesAnimate()) return kHostPassMs;
    if (!m_stepped) return 0;
    // Steady and off draw the same every time: nothing changes until the settings do.
    if (m_lighting.mode == 3 || m_lighting.mode == 8) return kStill;
    return m_nextStep > nowMs ? m_nextStep - nowMs : 0;
}

}  // namespace md::lighting
