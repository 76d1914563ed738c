#pragma once
// The audio half of the headset model: microphone and monitoring level and mute, the ten-band
// equaliser with its built-in presets and up to 20 named custom equalisers, and the voice
// changer, as properties of the headset's two audio endpoints reached through the
// configuration library. Values live in the profile's "SystemSetStages" and equaliser sections;
// every operation that changes one stores the stages and saves the profile (band moves excepted).
// The model owns the values: operations take them as arguments and show the outcome on the
// pages, which never serve as a data source. Runs on one thread (the UI thread, or the
// command-line verb's).

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "audio/conf_lib_binding.h"
#include "audio/eq_presets.h"
#include "audio/headset_pages.h"

namespace md {

class CHs6533Profiledata;

// Indexes of the eight headset stages ("SystemSetStages" order).
enum HeadsetStage : size_t {
    kMagicEnable,
    kMagicType,
    kEqType,
    kCustomEqSelectIndex,
    kMicInSelect,
    kMicInValue,
    kMicMonitorSelect,
    kMicMonitorValue,
};

// saveCustomEq results.
inline constexpr int32_t kCustomEqRefused = -1;
inline constexpr int32_t kCustomEqNameTaken = 0;
inline constexpr int32_t kCustomEqSaved = 1;

class HeadsetAudio {
  public:
    using Stages = std::array<int32_t, 8>;
    using MessageFn = std::function<void(const char*)>;

    explicit HeadsetAudio(CHs6533Profiledata& profile);
    ~HeadsetAudio();
    HeadsetAudio(const HeadsetAudio&) = delete;
    HeadsetAudio& operator=(const HeadsetAudio&) = delete;

    // Either page may be null (nothing is shown then; the operations work the same).
    void setPages(VoicePageView* voice, EqPageView* eq);
    // Receives "ConfLibInit called failed!" and "UpdateAPOAvailable failed!".
    void setMessageHandler(MessageFn handler) { m_message = std::move(handler); }

    // Library start-up, endpoint selection, probeAndDefault, readAudioState. Without the
    // library every audio operation does nothing.
    void startAudio(const std::string& libraryPath);
    bool libraryLoaded() const { return m_lib.loaded(); }
    bool hasEndpoints() const { return m_hasEndpoints; }
    void probeAndDefault();
    // Reads the headset's properties into the stages; a failed read leaves its stage.
    void readAudioState();

    // The audio part of loading a profile: stages, the bands in force and the custom names.
    void loadFromProfile();
    // Fills both pages from the stages, bands and names.
    void showSettings();

    void setVoiceChanger(bool on);
    void selectVoiceEffect(int32_t n);
    // The toggles and levels answer whether the headset took the change; a refused change is
    // undone on the page as well, so the page never shows a state the headset does not have.
    // Levels are 0-100.
    bool toggleMicMute();
    bool setMicLevel(int32_t v);
    bool toggleMonitorMute();
    bool setMonitorLevel(int32_t v);
    // The equaliser operations answer whether the headset took every property they set (the
    // profile keeps the choice either way). A band move makes the equaliser custom with no
    // named custom equaliser selected; it is not saved.
    bool setEqBand(int32_t i, int32_t value);
    bool selectEqPreset(int32_t n);
    // Custom equaliser k (an index into customEqNames()) becomes the selected one and its bands
    // the headset's; an index outside the list changes nothing.
    bool applyCustomEq(int32_t k);
    // The bands in force are saved under a new name, or, with an empty name, over the selected
    // custom equaliser.
    int32_t saveCustomEq(const std::string& name);
    // Deletes the selected custom equaliser.
    void deleteCustomEq();

    const Stages& stages() const { return m_stages; }
    bool micMuted() const { return m_micMuted; }
    bool monitorMuted() const { return m_monitorMuted; }
    const std::vector<int32_t>& currentEqBands() const { return m_currentEqBands; }
    const std::vector<std::string>& customEqNames() const { return m_customEqNames; }
    // The selected custom equaliser, -1 for none.
    int32_t selectedCustom() const { return m_selectedCustom; }
    // Decibel texts ("%.2f") for display: microphone and monitoring volume, empty until read.
    const std::string& micVolumeText() const { return m_micVolumeText; }
    const std::string& monitorVolumeText() const { return m_monitorVolumeText; }
    // False when the last save of the profile failed.
    bool lastSaveOk() const { return m_lastSaveOk; }
    ConfLibBinding& binding() { return m_lib; }

  private:
    enum Buffer : size_t { kValue, kAux, kReadValue, kReadAux, kRenderRead, kBufferCount };
    using Aux = std::span<const int32_t>;

    int32_t setInteger(const AudioEndpoint& ep, const wchar_t* name, int32_t v, Aux aux = {});
    int32_t setReal(const AudioEndpoint& ep, const wchar_t* name, float v, Aux aux = {});
    int32_t get(const AudioEndpoint& ep, const wchar_t* name, Aux aux = {});
    std::span<uint8_t> buffer(Buffer b);
    std::span<uint8_t> auxBuffer(Buffer b, Aux aux);
    // Reads name; on failure writes 0 with the same auxiliary record.
    void probe(const AudioEndpoint& ep, const wchar_t* name, Aux aux = {});
    std::string readDecibelText(const wchar_t* name, Aux aux);
    bool toggleMute(bool& muted, const wchar_t* property, size_t stage,
                    void (EqPageView::*show)(bool));
    bool setLevel(int32_t v, void (EqPageView::*show)(int32_t), const wchar_t* property, Aux setAux,
                  const wchar_t* volume, Aux readAux, std::string& volumeText, size_t stage);
    bool setBandProperty(int32_t i, int32_t value);
    void showBands();
    void store();
    void save();

    CHs6533Profiledata& m_profile;
    ConfLibBinding m_lib;
    VoicePageView* m_voice = nullptr;
    EqPageView* m_eq = nullptr;
    MessageFn m_message;
    Stages m_stages{};
    int32_t m_selectedCustom = -1;
    bool m_micMuted = false;
    bool m_monitorMuted = false;
    bool m_hasEndpoints = false;
    bool m_lastSaveOk = true;
    std::unique_ptr<std::array<std::array<uint8_t, kPropertyBufferSize>, kBufferCount>> m_buffers;
    std::vector<int32_t> m_currentEqBands;
    std::vector<std::string> m_customEqNames;
    std::string m_micVolumeText;
    std::string m_monitorVolumeText;
};

}  // namespace md
