#pragma once
// What the headset audio settings need of the two headset pages: the voice-changer page and the
// equaliser and microphone page. The desktop panels implement them on their widgets; the
// command-line tool and tests use the plain pages of memory_pages.h. Setters never raise
// notifications; getters answer -1 (or an empty text) when the control is missing.

#include <cstdint>
#include <string>

namespace md {

class VoicePageView {
  public:
    virtual ~VoicePageView() = default;
    // Selects voice n (1-4) and stores it; other values clear all four and store 0.
    virtual void selectVoice(int32_t n) = 0;
    virtual int32_t selectedVoice() const = 0;
    virtual void setVoiceEnabled(bool on) = 0;
    virtual bool voiceEnabled() = 0;
};

class EqPageView {
  public:
    virtual ~EqPageView() = default;
    // Selects preset n (1-13) and stores it; other values clear all thirteen and store 0.
    virtual void selectPreset(int32_t n) = 0;
    virtual int32_t selectedPreset() const = 0;
    virtual void enableCustomGroup(bool on) = 0;
    virtual void setBand(int32_t i, int32_t value) = 0;
    virtual int32_t band(int32_t i) = 0;
    virtual void setMicOn(bool on) = 0;
    virtual void setMonitorOn(bool on) = 0;
    virtual void setMicLevel(int32_t v) = 0;
    virtual int32_t micLevel() = 0;
    virtual void setMonitorLevel(int32_t v) = 0;
    virtual int32_t monitorLevel() = 0;
    virtual void addCustomName(const std::string& name) = 0;
    // Selects item i (-1 none) and clears the name edit.
    virtual void selectCustom(int32_t i) = 0;
    virtual int32_t selectedCustom() = 0;
    virtual int32_t customCount() = 0;
    virtual void removeCustom(int32_t i) = 0;
    virtual void removeAllCustom() = 0;
    virtual std::string customName(int32_t i) = 0;
    virtual void setCustomNameText(const std::string& text) = 0;
    virtual std::string customNameText() = 0;
};

}  // namespace md
