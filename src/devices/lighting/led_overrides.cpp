#include "devices/lighting/led_overrides.h"

#include <algorithm>

namespace md::lighting {

SharedLedOverrides& sharedLedOverrides(DeviceClass cls) {
    static std::array<SharedLedOverrides, 4> states;
    return states[static_cast<size_t>(cls)];
}

void resetLedOverrides(LedOverrideState& st, std::span<const LightSetting> settings) {
    st.breathPhase.fill(0);
    st.breathColour.fill(0);
    const size_t n = std::min(settings.size(), kOverrideLeds);
    for (size_t i = 0; i < n; ++i) {
        const LightSetting& e = settings[i];
        st.flashTime[i] = 0;
        st.flashOn[i] = false;
        st.flashColour[i] = 0;
        st.flashPeriod[i] = static_cast<uint32_t>(stepInterval(e.speed)) * 200;
        if (e.present) {
            st.spectrumColour[i] = 0;
            st.spectrumCount[i] = 0;
            st.spectrumInterval[i] = stepInterval(e.speed);
        }
    }
}

void applyLedSettings(LedList leds, std::span<const LightSetting> settings, LedOverrideState& st,
                      uint64_t now) {
    const size_t n = std::min({settings.size(), leds.size(), kOverriddenLeds});
    for (size_t i = 0; i < n; ++i) {
        const LightSetting& e = settings[i];
        if (e.present == 1 && e.mode == 0) {
            auto phase = static_cast<uint8_t>(st.breathPhase[i] + e.speed + 4);
            if (phase >= 128) {
                phase = 0;
                st.breathColour[i] = static_cast<uint8_t>(st.breathColour[i] + 1);
                if (st.breathColour[i] > 192) st.breathColour[i] = 191;
            }
            st.breathPhase[i] = phase;
            const Rgb colour =
                e.multiColor ? kColourWheel[st.breathColour[i]] : Rgb{e.red, e.green, e.blue};
            setLed(leds[i], colour,
                   static_cast<uint8_t>((kBreathingCurve[phase] * brightnessLevel(e.brightness)) >>
                                        8));
        }
    }
    for (size_t i = 0; i < n; ++i) {
        const LightSetting& e = settings[i];
        if (e.mode == 1) setLed(leds[i], {e.red, e.green, e.blue}, brightnessLevel(e.brightness));
    }
    for (size_t i = 0; i < n; ++i) {
        const LightSetting& e = settings[i];
        if (e.present != 1 || e.mode != 3) continue;
        if (++st.spectrumCount[i] >= st.spectrumInterval[i]) {
            st.spectrumCount[i] = 0;
            st.spectrumColour[i] = static_cast<uint8_t>((st.spectrumColour[i] + 1) % 192);
        }
        setLed(leds[i], kColourWheel[st.spectrumColour[i]], brightnessLevel(e.brightness));
    }
    const size_t flashing = std::min(settings.size(), kOverriddenLeds);
    for (size_t i = 0; i < flashing; ++i) {
        const LightSetting& e = settings[i];
        if (now - st.flashTime[i] >= st.flashPeriod[i]) {
            st.flashOn[i] = !st.flashOn[i];
            st.flashTime[i] = now;
            st.flashColour[i] = static_cast<uint8_t>(st.flashColour[i] + 14);
            if (st.flashColour[i] > 191) st.flashColour[i] = 0;
        }
        if (e.mode != 2 || i >= leds.size()) continue;
        if (!st.flashOn[i]) {
            leds[i] = {};
            continue;
        }
        const Rgb colour =
            e.multiColor ? kColourWheel[st.flashColour[i]] : Rgb{e.red, e.green, e.blue};
        setLed(leds[i], colour, brightnessLevel(e.brightness));
    }
    for (size_t i = 0; i < n; ++i)
        if (settings[i].mode == 4) leds[i] = {};
}

void LedSettingList::replace(std::vector<LightSetting> settings, SharedLedOverrides& overrides) {
    std::scoped_lock l(m_lock, overrides.lock);
    m_settings = std::move(settings);
    resetLedOverrides(overrides.state, m_settings);
}

void LedSettingList::apply(LedList leds, SharedLedOverrides& overrides, uint64_t now) {
    std::scoped_lock l(m_lock, overrides.lock);
    applyLedSettings(leds, m_settings, overrides.state, now);
}

size_t LedSettingList::size() const {
    std::lock_guard l(m_lock);
    return m_settings.size();
}

}  // namespace md::lighting
