#include "audio/headset_audio.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstring>

#include "audio/level_scalar.h"
#include "profiles/hs6533_profiledata.h"
#include "profiles/profile_ranges.h"

namespace md {
namespace {

constexpr std::array<int32_t, 1> kAuxMinus1{-1};
constexpr std::array<int32_t, 1> kAux0{0};
constexpr std::array<int32_t, 1> kAux1{1};
constexpr std::array<int32_t, 3> kSurroundAux{4, -1, 0};

std::wstring eqSliderName(int32_t i) {
    return L"EQ_Slider" + std::to_wstring(i + 1);
}

bool sameIgnoringCase(const std::string& a, const std::string& b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}

}  // namespace

HeadsetAudio::HeadsetAudio(CHs6533Profiledata& profile)
    : m_profile(profile),
      m_buffers(
          std::make_unique<std::array<std::array<uint8_t, kPropertyBufferSize>, kBufferCount>>()) {}

HeadsetAudio::~HeadsetAudio() = default;

void HeadsetAudio::setPages(VoicePageView* voice, EqPageView* eq) {
    m_voice = voice;
    m_eq = eq;
}

std::span<uint8_t> HeadsetAudio::buffer(Buffer b) {
    auto& buf = (*m_buffers)[b];
    std::fill(buf.begin(), buf.end(), uint8_t{0});
    return buf;
}

std::span<uint8_t> HeadsetAudio::auxBuffer(Buffer b, Aux aux) {
    if (aux.empty()) return {};
    std::span<uint8_t> buf = buffer(b);
    std::memcpy(buf.data(), aux.data(), aux.size_bytes());
    return buf;
}

int32_t HeadsetAudio::setInteger(const AudioEndpoint& ep, const wchar_t* name, int32_t v, Aux aux) {
    std::span<uint8_t> value = buffer(kValue);
    std::memcpy(value.data(), &v, sizeof v);
    return m_lib.propertyControl(ep.info, name, value, auxBuffer(kAux, aux), kPropertySet);
}

int32_t HeadsetAudio::setReal(const AudioEndpoint& ep, const wchar_t* name, float v, Aux aux) {
    std::span<uint8_t> value = buffer(kValue);
    std::memcpy(value.data(), &v, sizeof v);
    return m_lib.propertyControl(ep.info, name, value, auxBuffer(kAux, aux), kPropertySet);
}

int32_t HeadsetAudio::get(const AudioEndpoint& ep, const wchar_t* name, Aux aux) {
    const Buffer into = &ep == &m_lib.render() ? kRenderRead : kReadValue;
    return m_lib.propertyControl(ep.info, name, buffer(into), auxBuffer(kReadAux, aux),
                                 kPropertyGet);
}

void HeadsetAudio::startAudio(const std::string& libraryPath) {
    if (!m_lib.load(libraryPath)) return;
    if (m_lib.init() != kAudioOk && m_message) m_message("ConfLibInit called failed!");
    m_lib.createDeviceList();
    if (m_lib.deviceCount(kFlowRender) == 0) return;
    m_hasEndpoints = m_lib.selectEndpoints(m_message);
    probeAndDefault();
    readAudioState();
}

void HeadsetAudio::probe(const AudioEndpoint& ep, const wchar_t* name, Aux aux) {
    if (get(ep, name, aux) != kAudioOk) setInteger(ep, name, 0, aux);
}

void HeadsetAudio::probeAndDefault() {
    if (!m_lib.loaded()) return;
    const AudioEndpoint& c = m_lib.capture();
    const AudioEndpoint& r = m_lib.render();
    probe(r, L"VirtualSurroundEffectControl", kSurroundAux);
    probe(c, L"Enable_ENC_LFX");
    probe(c, L"VolumeControl", kAuxMinus1);
    probe(r, L"Enable_EQ_GFX");
    for (int32_t i = 0; i < kEqBandCount; ++i) probe(r, eqSliderName(i).c_str());
    for (const wchar_t* name : {L"Enable_RFX_GFX", L"RFX_ENVIRONMENT", L"RFX_ROOMSIZE"})
        probe(r, name);
    probe(c, L"MuteControl");
    probe(c, L"VolumeScalarControl", kAuxMinus1);
    probe(c, L"AAVolumeControl", kAux0);
    probe(c, L"AAMuteControl");
    probe(c, L"AAVolumeScalarControl", kAux0);
    probe(c, L"Enable_MAGICVOICE");
    probe(c, L"MagicVoice_Selection");
}

std::string HeadsetAudio::readDecibelText(const wchar_t* name, Aux aux) {
    if (get(m_lib.capture(), name, aux) != kAudioOk) return {};
    const auto db = parseRealText((*m_buffers)[kReadValue]);
    if (!db) return {};
    char text[32];
    std::snprintf(text, sizeof text, "%.2f", *db);
    return text;
}

void HeadsetAudio::readAudioState() {
    if (!m_lib.loaded()) return;
    const AudioEndpoint& c = m_lib.capture();
    const auto readInteger = [&](const wchar_t* name, Aux aux = {}) -> std::optional<long> {
        if (get(c, name, aux) != kAudioOk) return std::nullopt;
        return parseIntegerText((*m_buffers)[kReadValue]);
    };
    // Volume in decibels, mute and level of the microphone or of monitoring.
    const auto readChannel = [&](const wchar_t* volume, Aux volumeAux, std::string& volumeText,
                                 const wchar_t* mute, bool& muted, size_t selectStage,
                                 const wchar_t* scalar, Aux scalarAux, size_t valueStage) {
        if (std::string t = readDecibelText(volume, volumeAux); !t.empty())
            volumeText = std::move(t);
        if (const auto m = readInteger(mute)) {
            muted = *m != 0;
            m_stages[selectStage] = muted ? 0 : 1;
        }
        if (get(c, scalar, scalarAux) != kAudioOk) return;
        if (const auto v = parseRealText((*m_buffers)[kReadValue]))
            m_stages[valueStage] = scalarToLevel(*v);
    };
    for (const wchar_t* name : {L"GetMaxVol", L"GetMinVol", L"GetVolStep"}) get(c, name);
    readChannel(L"VolumeControl", kAuxMinus1, m_micVolumeText, L"MuteControl", m_micMuted,
                kMicInSelect, L"VolumeScalarControl", kAuxMinus1, kMicInValue);
    if (get(c, L"GetAAMaxVol") == kAudioOk) {
        for (const wchar_t* name : {L"GetAAMinVol", L"GetAAVolStep"}) get(c, name);
        readChannel(L"AAVolumeControl", kAux0, m_monitorVolumeText, L"AAMuteControl",
                    m_monitorMuted, kMicMonitorSelect, L"AAVolumeScalarControl", kAux0,
                    kMicMonitorValue);
        for (int32_t i = 0; i < kEqBandCount; ++i) get(m_lib.render(), eqSliderName(i).c_str());
    }
    if (c.features[0] & kFeatureMagicVoice) {
        if (const auto on = readInteger(L"Enable_MAGICVOICE")) m_stages[kMagicEnable] = *on ? 1 : 0;
    }
    if (const auto voice = readInteger(L"MagicVoice_Selection");
        voice && *voice >= 0 && *voice <= 3)
        m_stages[kMagicType] = static_cast<int32_t>(*voice) + 1;
}

void HeadsetAudio::loadFromProfile() {
    m_stages = m_profile.readHeadsetStages();
    clampHeadsetStages(m_stages);
    m_currentEqBands = m_stages[kEqType] == kEqCustomPreset
                           ? m_profile.readCustomEqBands(m_stages[kCustomEqSelectIndex])
                           : m_profile.readEqBands(m_stages[kEqType]);
    m_customEqNames = m_profile.readCustomEqNames();
    m_selectedCustom = m_stages[kCustomEqSelectIndex] < int32_t(m_customEqNames.size())
                           ? m_stages[kCustomEqSelectIndex]
                           : -1;
    // Until the headset is read, the profile's choices are the last known mute states.
    m_micMuted = m_stages[kMicInSelect] == 0;
    m_monitorMuted = m_stages[kMicMonitorSelect] == 0;
}

void HeadsetAudio::showBands() {
    if (!m_eq) return;
    for (size_t i = 0; i < m_currentEqBands.size() && i < kEqBandCount; ++i)
        m_eq->setBand(static_cast<int32_t>(i), m_currentEqBands[i]);
}

void HeadsetAudio::showSettings() {
    if (m_voice) {
        m_voice->setVoiceEnabled(m_stages[kMagicEnable] != 0);
        m_voice->selectVoice(m_stages[kMagicType]);
    }
    if (!m_eq) return;
    m_eq->setMicOn(m_stages[kMicInSelect] != 0);
    m_eq->setMicLevel(m_stages[kMicInValue]);
    m_eq->setMonitorOn(m_stages[kMicMonitorSelect] != 0);
    m_eq->setMonitorLevel(m_stages[kMicMonitorValue]);
    m_eq->selectPreset(m_stages[kEqType]);
    m_eq->removeAllCustom();
    for (const std::string& name : m_customEqNames) m_eq->addCustomName(name);
    m_eq->selectCustom(m_selectedCustom);
    m_eq->enableCustomGroup(m_stages[kEqType] == kEqCustomPreset);
    showBands();
}

void HeadsetAudio::store() {
    m_profile.writeHeadsetStages(m_stages);
}

void HeadsetAudio::save() {
    m_lastSaveOk = m_profile.save();
}

void HeadsetAudio::setVoiceChanger(bool on) {
    if (!m_lib.loaded()) return;
    if (m_voice) m_voice->setVoiceEnabled(on);
    setInteger(m_lib.capture(), L"Enable_MAGICVOICE", on ? 1 : 0);
    if (on) setInteger(m_lib.capture(), L"Enable_MICECHO", 0);
    m_stages[kMagicEnable] = on ? 1 : 0;
    store();
    save();
}

void HeadsetAudio::selectVoiceEffect(int32_t n) {
    if (!m_lib.loaded() || n < 1 || n > 4) return;
    setInteger(m_lib.capture(), L"MagicVoice_Selection", n - 1);
    m_stages[kMagicType] = n;
    if (m_voice) m_voice->selectVoice(n);
    store();
    save();
}

bool HeadsetAudio::toggleMute(bool& muted, const wchar_t* property, size_t stage,
                              void (EqPageView::*show)(bool)) {
    if (!m_lib.loaded()) return false;
    muted = !muted;
    if (m_eq) (m_eq->*show)(!muted);
    if (setInteger(m_lib.capture(), property, muted ? 1 : 0) != kAudioOk) {
        muted = !muted;
        if (m_eq) (m_eq->*show)(!muted);
        return false;
    }
    m_stages[stage] = muted ? 0 : 1;
    store();
    save();
    return true;
}

bool HeadsetAudio::toggleMicMute() {
    return toggleMute(m_micMuted, L"MuteControl", kMicInSelect, &EqPageView::setMicOn);
}

bool HeadsetAudio::toggleMonitorMute() {
    return toggleMute(m_monitorMuted, L"AAMuteControl", kMicMonitorSelect,
                      &EqPageView::setMonitorOn);
}

bool HeadsetAudio::setLevel(int32_t v, void (EqPageView::*show)(int32_t), const wchar_t* property,
                            Aux setAux, const wchar_t* volume, Aux readAux, std::string& volumeText,
                            size_t stage) {
    if (!m_lib.loaded() || v < 0 || v > 100) return false;
    if (setReal(m_lib.capture(), property, levelToScalar(v), setAux) != kAudioOk) {
        // The page goes back to the level the headset has.
        if (m_eq) (m_eq->*show)(m_stages[stage]);
        return false;
    }
    if (m_eq) (m_eq->*show)(v);
    if (std::string t = readDecibelText(volume, readAux); !t.empty()) volumeText = std::move(t);
    m_stages[stage] = v;
    store();
    save();
    return true;
}

bool HeadsetAudio::setMicLevel(int32_t v) {
    return setLevel(v, &EqPageView::setMicLevel, L"VolumeScalarControl", kAuxMinus1,
                    L"VolumeControl", kAuxMinus1, m_micVolumeText, kMicInValue);
}

bool HeadsetAudio::setMonitorLevel(int32_t v) {
    return setLevel(v, &EqPageView::setMonitorLevel, L"AAVolumeScalarControl", kAux0,
                    L"AAVolumeControl", kAux1, m_monitorVolumeText, kMicMonitorValue);
}

bool HeadsetAudio::setBandProperty(int32_t i, int32_t value) {
    // Bands read from a profile file are held to the sliders' range before they reach the
    // headset.
    return setInteger(m_lib.render(), eqSliderName(i).c_str(), ranges::kEqGain.clamp(value)) ==
           kAudioOk;
}

bool HeadsetAudio::setEqBand(int32_t i, int32_t value) {
    if (!m_lib.loaded() || i < 0 || i >= kEqBandCount) return false;
    if (m_stages[kEqType] != kEqCustomPreset) {
        m_stages[kEqType] = kEqCustomPreset;
        m_selectedCustom = -1;
        if (m_eq) {
            m_eq->selectPreset(kEqCustomPreset);
            m_eq->selectCustom(-1);
            m_eq->enableCustomGroup(true);
        }
    }
    value = ranges::kEqGain.clamp(value);
    if (m_currentEqBands.size() < kEqBandCount) m_currentEqBands.resize(kEqBandCount, 0);
    m_currentEqBands[static_cast<size_t>(i)] = value;
    if (m_eq) m_eq->setBand(i, value);
    return setBandProperty(i, value);
}

bool HeadsetAudio::selectEqPreset(int32_t n) {
    if (!m_lib.loaded() || n < 1 || n > kEqCustomPreset) return false;
    if (n == kEqCustomPreset) {
        m_stages[kEqType] = kEqCustomPreset;
        if (m_eq) {
            m_eq->selectPreset(kEqCustomPreset);
            m_eq->enableCustomGroup(true);
        }
        const bool taken = applyCustomEq(m_selectedCustom);
        save();
        return taken;
    }
    const EqBands gains = *builtInEqPreset(n);
    bool taken = setInteger(m_lib.render(), L"Enable_EQ_GFX", 1) == kAudioOk;
    if (m_currentEqBands.size() < kEqBandCount) m_currentEqBands.resize(kEqBandCount, 0);
    for (int32_t i = 0; i < kEqBandCount; ++i) {
        const int32_t g = gains[static_cast<size_t>(i)];
        if (m_eq) m_eq->setBand(i, g);
        m_currentEqBands[static_cast<size_t>(i)] = g;
        taken = setBandProperty(i, g) && taken;
    }
    m_stages[kEqType] = n;
    if (m_eq) {
        m_eq->selectPreset(n);
        m_eq->enableCustomGroup(false);
    }
    store();
    m_profile.writeEqBands(n, m_currentEqBands);
    save();
    return taken;
}

bool HeadsetAudio::applyCustomEq(int32_t k) {
    if (!m_lib.loaded()) return false;
    if (k < 0 || k >= int32_t(m_customEqNames.size())) return true;
    m_selectedCustom = k;
    if (m_eq) m_eq->selectCustom(k);
    m_currentEqBands = m_profile.readCustomEqBands(k);
    bool taken = setInteger(m_lib.render(), L"Enable_EQ_GFX", 1) == kAudioOk;
    showBands();
    for (size_t i = 0; i < m_currentEqBands.size() && i < kEqBandCount; ++i)
        taken = setBandProperty(static_cast<int32_t>(i), m_currentEqBands[i]) && taken;
    m_stages[kCustomEqSelectIndex] = k;
    store();
    save();
    return taken;
}

int32_t HeadsetAudio::saveCustomEq(const std::string& name) {
    if (!m_lib.loaded()) return kCustomEqRefused;
    // What is saved is the bands in force (the sliders show them).
    m_currentEqBands.resize(kEqBandCount, 0);
    if (name.empty()) {
        const int32_t k = m_selectedCustom;
        if (k < 0) return kCustomEqRefused;
        m_stages[kCustomEqSelectIndex] = k;
        store();
        m_profile.writeCustomEqBands(k, m_currentEqBands);
        save();
        return kCustomEqSaved;
    }
    if (int32_t(m_customEqNames.size()) >= kMaxCustomEqs) return kCustomEqRefused;
    for (const std::string& n : m_customEqNames)
        if (sameIgnoringCase(n, name)) return kCustomEqNameTaken;
    m_customEqNames.push_back(name);
    const int32_t k = int32_t(m_customEqNames.size()) - 1;
    m_selectedCustom = k;
    m_stages[kCustomEqSelectIndex] = k;
    if (m_eq) {
        m_eq->addCustomName(name);
        m_eq->selectCustom(k);  // clears the name field
    }
    store();
    m_profile.writeCustomEqBands(k, m_currentEqBands);
    m_profile.writeCustomEqNames(m_customEqNames);
    save();
    return kCustomEqSaved;
}

void HeadsetAudio::deleteCustomEq() {
    if (!m_lib.loaded()) return;
    const int32_t k = m_selectedCustom;
    if (k < 0 || k >= int32_t(m_customEqNames.size())) return;
    m_customEqNames.erase(m_customEqNames.begin() + k);
    if (m_eq) m_eq->removeCustom(k);
    m_profile.writeCustomEqNames(m_customEqNames);
    // The bands go with their name: later equalisers move down one place with their names.
    m_profile.removeCustomEqBands(k);
    if (m_customEqNames.empty()) {
        m_selectedCustom = -1;
        m_stages[kEqType] = 1;
        store();
        m_currentEqBands = m_profile.readEqBands(1);
        if (m_eq) {
            m_eq->selectPreset(1);
            m_eq->enableCustomGroup(false);
        }
    } else {
        m_selectedCustom = 0;
        m_stages[kCustomEqSelectIndex] = 0;
        store();
        m_currentEqBands = m_profile.readCustomEqBands(0);
        if (m_eq) m_eq->selectCustom(0);
    }
    showBands();
    save();
}

}  // namespace md
