#include "audio/sdk/system_backend.h"

#include "audio/audio_device_info.h"
#include "audio/card_properties.h"
#include "audio/sdk/alsa_mixer.h"
#include "audio/usb_sound_card.h"

namespace md::osconf {
namespace {

std::string key(EndpointTag ep, const std::string& name) {
    return std::string(1, ep) + ":" + name;
}

// Runs call on the mixer of the headset's card, looked up now.
template <typename Call>
int32_t onHeadsetCard(const std::string& asoundRoot, Call&& call) {
    const auto number = findUsbSoundCard(asoundRoot, kHeadsetVendorId, kHeadsetProductId);
    if (!number) return kAudioNoDevice;
    auto mixer = AlsaMixer::open(*number);
    return mixer ? call(*mixer) : kAudioNoDevice;
}

}  // namespace

SystemBackend::SystemBackend(std::string asoundRoot, std::string statePath)
    : m_asoundRoot(std::move(asoundRoot)), m_statePath(std::move(statePath)) {
    if (m_statePath.empty()) return;
    // A damaged file is started afresh (and replaced at the next change).
    if (auto state = AudioStateFile::load(m_statePath)) m_remembered = std::move(state->values);
    if (m_remembered.count("R:Enable_EQ_GFX")) applyEqualiser();
}

int32_t SystemBackend::get(EndpointTag ep, const std::string& name, int32_t, double& value) {
    if (const auto card = ep == 'C' ? cardProperty(name) : std::nullopt)
        return onHeadsetCard(m_asoundRoot, [&](AlsaMixer& m) { return m.get(*card, value); });
    const auto it = m_remembered.find(key(ep, name));
    if (it == m_remembered.end()) return kAudioNotSet;
    value = it->second;
    return kAudioOk;
}

int32_t SystemBackend::set(EndpointTag ep, const std::string& name, int32_t, double value) {
    if (const auto card = ep == 'C' ? cardProperty(name) : std::nullopt)
        return onHeadsetCard(m_asoundRoot, [&](AlsaMixer& m) { return m.set(*card, value); });
    m_remembered[key(ep, name)] = value;
    if (!m_statePath.empty()) {
        AudioStateFile state;
        state.values = m_remembered;
        state.save(m_statePath);  // a failed save only costs the value after a restart
    }
    if (ep == 'R' && isEqualiserProperty(name)) applyEqualiser();
    return kAudioOk;
}

void SystemBackend::applyEqualiser() {
    const auto on = m_remembered.find("R:Enable_EQ_GFX");
    EqBands gains{};
    for (int b = 0; b < kEqBandCount; ++b) {
        const auto it = m_remembered.find("R:EQ_Slider" + std::to_string(b + 1));
        if (it != m_remembered.end())
            gains[static_cast<size_t>(b)] = static_cast<int32_t>(it->second);
    }
    // Without PipeWire the values stay remembered only.
    m_equaliser.request(on != m_remembered.end() && on->second != 0, gains);
}

}  // namespace md::osconf
