#pragma once
// The two headset pages without widgets: the values a user would have set on them. The
// command-line tool fills them and calls the same operations as the desktop pages.

#include <array>
#include <vector>

#include "audio/eq_presets.h"
#include "audio/headset_pages.h"

namespace md {

class MemoryVoicePage final : public VoicePageView {
  public:
    void selectVoice(int32_t n) override { m_voice = (n >= 1 && n <= 4) ? n : 0; }
    int32_t selectedVoice() const override { return m_voice; }
    void setVoiceEnabled(bool on) override { m_enabled = on; }
    bool voiceEnabled() override { return m_enabled; }

  private:
    int32_t m_voice = 0;
    bool m_enabled = false;
};

class MemoryEqPage final : public EqPageView {
  public:
    void selectPreset(int32_t n) override { m_preset = (n >= 1 && n <= 13) ? n : 0; }
    int32_t selectedPreset() const override { return m_preset; }
    void enableCustomGroup(bool on) override { m_customGroup = on; }
    bool customGroupEnabled() const { return m_customGroup; }
    void setBand(int32_t i, int32_t value) override;
    int32_t band(int32_t i) override;
    void setMicOn(bool on) override { m_micOn = on; }
    bool micOn() const { return m_micOn; }
    void setMonitorOn(bool on) override { m_monitorOn = on; }
    bool monitorOn() const { return m_monitorOn; }
    void setMicLevel(int32_t v) override { m_micLevel = v; }
    int32_t micLevel() override { return m_micLevel; }
    void setMonitorLevel(int32_t v) override { m_monitorLevel = v; }
    int32_t monitorLevel() override { return m_monitorLevel; }
    void addCustomName(const std::string& name) override { m_names.push_back(name); }
    void selectCustom(int32_t i) override;
    int32_t selectedCustom() override { return m_selected; }
    int32_t customCount() override { return static_cast<int32_t>(m_names.size()); }
    void removeCustom(int32_t i) override;
    void removeAllCustom() override;
    std::string customName(int32_t i) override;
    void setCustomNameText(const std::string& text) override { m_nameText = text; }
    std::string customNameText() override { return m_nameText; }

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

}  // namespace md
