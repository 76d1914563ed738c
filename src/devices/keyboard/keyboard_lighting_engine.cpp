#include "devices/keyboard/keyboard_lighting_engine.h"

#include "common/clock.h"
#include "devices/keyboard/keyboard_steps.h"
#include "devices/lighting/base_steps.h"

namespace md::kblight {

namespace {

// A clock that answers the time of the pass, for the generic flash steps.
class PassClock final : public Clock {
  public:
    explicit PassClock(uint64_t now) : m_now(now) {}
    uint64_t nowMs() const override { return m_now; }

  private:
    uint64_t m_now;
};

bool playsCustomEffect(uint8_t mode) {
    return mode == 0 || mode == 19 || mode >= 29;
}

}  // namespace

KeyboardLightingEngine::KeyboardLightingEngine(RandomSource* rng, SharedKeyboardPlayback* playback,
                                               lighting::SharedLedOverrides* overrides)
    : m_rng(rng ? rng : &m_ownRandom),
      m_playback(playback ? playback : &sharedKeyboardPlayback()),
      m_overrides(overrides ? overrides
                            : &lighting::sharedLedOverrides(lighting::DeviceClass::Keyboard)) {}

void KeyboardLightingEngine::setLighting(const LightSetting& s) {
    std::lock_guard l(m_lock);
    m_lighting = s;
}

bool KeyboardLightingEngine::setMode(uint8_t mode, uint8_t speed) {
    std::lock_guard l(m_lock);
    m_speed = speed;
    if (m_modeSet && mode == m_mode) return false;
    m_mode = mode;
    m_modeSet = true;
    setUpMode(mode);
    return true;
}

uint8_t KeyboardLightingEngine::mode() const {
    std::lock_guard l(m_lock);
    return m_mode;
}

void KeyboardLightingEngine::setUpMode(uint8_t mode) {
    resetEffectState(m_state);
    switch (mode) {
        case 13:
            seedBounceRipple(m_state);
            break;
        case 15:
            initColumnGlow(m_state);
            break;
        case 16:
            seedCornerRipple(m_state);
            break;
        case 22:
            initTwinkle(m_state);
            break;
        default:
            spreadColourIndexes(m_state);
            break;
    }
}

uint8_t KeyboardLightingEngine::interval(uint8_t mode, uint8_t speed) {
    if (mode == 7 || mode == 25 || mode == 28) {
        constexpr uint8_t slow[5] = {0, 28, 23, 18, 13};
        return slow[speed < 5 ? speed : 4];
    }
    return lighting::fastInterval(speed);
}

void KeyboardLightingEngine::startPasses(uint64_t now) {
    std::lock_guard l(m_lock);
    m_count = 0;
    m_last = now;
}

void KeyboardLightingEngine::runModeStep(uint8_t mode, uint64_t now) {
    const lighting::LedList leds(m_leds);
    const LightSetting& s = m_lighting;
    KeyboardEffectState& st = m_state;
    switch (mode) {
        case 1:
            stepColumnWave(leds, st, s);
            break;
        case 2:
            stepColumnGradient(leds, st, s);
            break;
        case 3:
            stepOrderWave(leds, st, s);
            break;
        case 4:
            lighting::stepSpectrum(leds, st.base, s);
            break;
        case 5:
            stepKeyboardBreathing(leds, st, s);
            break;
        case 6:
            stepKeyboardSteady(leds, st, s);
            break;
        case 7:
        case 25:
            stepKeyFade(leds, st, s);
            break;
        case 8:
            stepPlaneRipple(leds, st, s, *m_rng);
            break;
        case 9:
            stepPlaneSweep(leds, st, s, *m_rng);
            break;
        case 10:
            stepSparkle(leds, st, s, *m_rng);
            break;
        case 11:
            stepKeyRainbow(leds, st, s);
            break;
        case 12:
            stepRowWave(leds, st, s);
            break;
        case 13:
            stepBounceRipple(leds, st, s, *m_rng);
            break;
        case 14:
            stepFirework(leds, st, s, *m_rng);
            break;
        case 15:
            stepColumnGlow(leds, st, s, *m_rng);
            break;
        case 16:
            stepCornerRipple(leds, st, s, *m_rng);
            break;
        case 17:
            stepPresetColour(leds, st, s);
            break;
        case 18:
            stepDiagonalWave(leds, st, s);
            break;
        case 20:
            stepCustomColours(leds, s);
            break;
        case 21:
            stepSequence(leds, st, s);
            break;
        case 22:
            stepTwinkle(leds, st, s, *m_rng);
            break;
        case 23: {
            LightSetting flash = s;
            flash.speed = m_speed;  // the flash period follows the mode's speed
            lighting::stepFlash(leds, st.base, flash, PassClock(now));
            break;
        }
        case 24:
            stepPath(leds, st, s);
            break;
        case 26:
            lighting::stepBreathingFourColour(leds, st.base, s);
            break;
        case 27: {
            LightSetting flash = s;
            flash.speed = m_speed;
            lighting::stepFlashFourColour(leds, st.base, flash, PassClock(now));
            break;
        }
        case 28:
            lighting::stepOff(leds);
            break;
        default:
            break;
    }
}

void KeyboardLightingEngine::pass(uint64_t now) {
    std::lock_guard l(m_lock);
    if (now - m_last >= 2) {
        ++m_count;
        m_last = now;
    }
    if (playsCustomEffect(m_mode)) {
        std::lock_guard p(m_playback->lock);
        playKeyboardEffect(m_leds, m_playback->state, m_steps, m_speed, now);
    } else if (m_count >= interval(m_mode, m_speed)) {
        runModeStep(m_mode, now);
        m_count = 0;
    }
    m_ledSettings.apply(m_leds, *m_overrides, now);
}

void KeyboardLightingEngine::copyLeds(std::span<lighting::LedColour> out) const {
    std::lock_guard l(m_lock);
    for (size_t i = 0; i < out.size() && i < m_leds.size(); ++i) out[i] = m_leds[i];
}

}  // namespace md::kblight
