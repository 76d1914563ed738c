#pragma once
// How the headset audio settings show themselves on the two headset pages: the voice-changer page
// and the equaliser and microphone page. The desktop panels implement them on their widgets.
// The pages only show what HeadsetAudio holds; what the user changes reaches the model as the
// arguments of its operations, never read back from a page. Setters never raise notifications.

#include <cstdint>
#include <string>

namespace md {

class VoicePageView {
  public:
    virtual ~VoicePageView() = default;
    // Selects voice n (1-4); other values clear all four.
    virtual void selectVoice(int32_t n) = 0;
    virtual void setVoiceEnabled(bool on) = 0;
};

class EqPageView {
  public:
    virtual ~EqPageView() = default;
    // Selects preset n (1-13); other values clear all thirteen.
    virtual void selectPreset(int32_t n) = 0;
    virtual void enableCustomGroup(bool on) = 0;
    virtual void setBand(int32_t i, int32_t value) = 0;
    virtual void setMicOn(bool on) = 0;
    virtual void setMonitorOn(bool on) = 0;
    virtual void setMicLevel(int32_t v) = 0;
    virtual void setMonitorLevel(int32_t v) = 0;
    virtual void addCustomName(const std::string& name) = 0;
    // Selects item i (-1 none) and clears the name edit.
    virtual void selectCustom(int32_t i) = 0;
    virtual void removeCustom(int32_t i) = 0;
    virtual void removeAllCustom() = 0;
};

}  // namespace md
