#include "audio/sdk/sim_backend.h"

#include <cstdio>

#include "audio/audio_device_info.h"
#include "audio/card_properties.h"
#include "audio/usb_sound_card.h"

namespace md::osconf {

SimBackend::SimBackend(std::string statePath)
    : m_path(std::move(statePath)), m_state(AudioStateFile::fresh()) {}

int32_t SimBackend::get(EndpointTag ep, const std::string& name, int32_t aux, double& value) {
    return call(false, ep, name, aux, value);
}

int32_t SimBackend::set(EndpointTag ep, const std::string& name, int32_t aux, double value) {
    return call(true, ep, name, aux, value);
}

int32_t SimBackend::call(bool isSet, EndpointTag ep, const std::string& name, int32_t aux,
                         double& value) {
    if (!m_path.empty()) {
        auto loaded = AudioStateFile::load(m_path, AudioStateFile::fresh());
        if (!loaded) return kAudioFailed;
        m_state = std::move(*loaded);
    }
    std::string where;
    const int32_t rc = apply(isSet, ep, name, value, where);
    char line[200];
    if (isSet)
        std::snprintf(line, sizeof line, "set %c %s %.9g aux=%d%s -> %d", ep, name.c_str(), value,
                      aux, where.c_str(), rc);
    else
        std::snprintf(line, sizeof line, "get %c %s aux=%d%s -> %d", ep, name.c_str(), aux,
                      where.c_str(), rc);
    m_state.log.emplace_back(line);
    if (!m_path.empty() && !m_state.save(m_path)) return kAudioFailed;
    return rc;
}

int32_t SimBackend::apply(bool isSet, EndpointTag ep, const std::string& name, double& value,
                          std::string& where) {
    const auto card = ep == 'C' ? cardProperty(name) : std::nullopt;
    if (card && !m_state.asoundRoot.empty()) {
        const auto number =
            findUsbSoundCard(m_state.asoundRoot, kHeadsetVendorId, kHeadsetProductId);
        if (!number) return kAudioNoDevice;
        where = " card=" + std::to_string(*number);
    }
    if (m_state.failing.count(name)) return kAudioFailed;
    const std::string key = std::string(1, ep) + ":" + name;
    if (isSet) {
        m_state.values[key] = value;
        return kAudioOk;
    }
    if (const auto v = m_state.value(ep, name)) {
        value = *v;
        return kAudioOk;
    }
    // Decibels follow the level within the control's range, as on a real card.
    if (card && card->quantity == CardQuantity::Decibels) {
        const bool mic = card->control == CardControl::Capture;
        const auto scalar =
            m_state.value('C', mic ? "VolumeScalarControl" : "AAVolumeScalarControl");
        const auto lo = m_state.value('C', mic ? "GetMinVol" : "GetAAMinVol");
        const auto hi = m_state.value('C', mic ? "GetMaxVol" : "GetAAMaxVol");
        if (scalar && lo && hi) {
            value = *lo + *scalar * (*hi - *lo);
            return kAudioOk;
        }
    }
    return kAudioNotSet;
}

}  // namespace md::osconf
