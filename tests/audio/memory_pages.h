#pragma once
// The two headset pages without widgets, for tests: they record what the headset audio model
// shows on them, as the desktop pages would display it.

#include <array>
#include <string>
#include <vector>

#include "audio/eq_presets.h"
#include "audio/headset_pages.h"

namespace md::test {

class MemoryVoicePage final : public VoicePageView {
  public:
    void selectVoice(int32_t n) override { m_voice = (n >= 1 && n <= 4) ? n : 0; }
    int32_t selectedVoice() const { return m_voice; }
    void setVoiceEnabled(bool on) override { m_enabled = on; }
    bool voiceEnabled() const { return m_enabled; }

  private:
    int32_t m_voice = 0;
    bool m_enabled = false;
};

class MemoryEqPage final : public EqPageView {
  public:
    void selectPreset(int32_t n) override { m_preset = (n >= 1 && n <= 13) ? n : 0; }
    int32_t selectedPreset() const { return m_preset; }
    void enableCustomGroup(bool on) override { m_customGroup = on; }
    bool customGroupEnabled() const { return m_customGroup; }
    void setBand(int32_t i, int32_t value) override {
        if (i >= 0 && i < kEqBandCount) m_bands[static_cast<size_t>(i)] = value;
    }
    int32_t band(int32_t i) const {
        return (i >= 0 && i < kEqBandCount) ? m_bands[static_cast<size_t>(i)] : -1;
    }
    void setMicOn(bool on) override { m_micOn = on; }
    bool micOn() const { return m_micOn; }
    void setMonitorOn(bool on) override { m_monitorOn = on; }
    bool monitorOn() const { return m_monitorOn; }
    void setMicLevel(int32_t v) override { m_micLevel = v; }
    int32_t micLevel() const { return m_micLevel; }
    void setMonitorLevel(int32_t v) override { m_monitorLevel = v; }
    int32_t monitorLevel() const { return m_monitorLevel; }
    void addCustomName(const std::string& name) override { m_names.push_back(name); }
    void selectCustom(int32_t i) override {
        m_selected = (i >= 0 && i < customCount()) ? i : -1;
        m_nameText.clear();
    }
    int32_t selectedCustom() const { return m_selected; }
    int32_t customCount() const { return static_cast<int32_t>(m_names.size()); }
    void removeCustom(int32_t i) override {
        if (i < 0 || i >= customCount()) return;
        m_names.erase(m_names.begin() + i);
        // A combo keeps no selection once its selected item is gone.
        if (m_selected == i)
            m_selected = -1;
        else if (m_selected > i)
            --m_selected;
    }
    void removeAllCustom() override {
        m_names.clear();
        m_selected = -1;
    }
    std::string customName(int32_t i) const {
        return (i >= 0 && i < customCount()) ? m_names[static_cast<size_t>(i)] : std::string();
    }
    // The name field the user types into.
    void setCustomNameText(const std::string& text) { m_nameText = text; }
    const std::string& customNameText() const { return m_nameText; }

  private:
    int32_t m_preset = 0;
    bool m_customGroup = false;
    EqBands m_bands{};
    bool m_micOn = false;
    bool m_monitorOn = false;
    int32_t m_micLevel = 0;
    int32_t m_monitorLevel = 0;
    std::vector<std::string> m_names;
    int32_t m_selected = -1;
    std::string m_nameText;
};

}  // namespace md::test
