#pragma once
// The headset's equaliser and microphone page ("Voice6533ControlItem", layout
// "XML/CustomControlXML/Voice6533Control.xml"): preset options "6533_eq_option_1" to "_13"
// (13 = the user's own), band sliders "6533_eq_hz_slider_0" to "_9", the custom equaliser
// combo, name edit, save and delete buttons inside "custom_eq_option_layout", and the
// microphone and monitoring options and sliders. A thin view: it shows values and reports the
// user's choices; its setters never raise notifications. Missing controls are tolerated
// (setters do nothing, getters answer -1 or an empty text).

#include <QWidget>

#include "audio/headset_pages.h"

class QAbstractButton;
class QComboBox;
class QLineEdit;
class QSlider;

namespace md {

class CVoice6533ControlUI : public QWidget, public EqPageView {
    Q_OBJECT
  public:
    explicit CVoice6533ControlUI(QWidget* parent = nullptr);
    ~CVoice6533ControlUI() override;

    void selectPreset(int32_t n) override;
    int32_t selectedPreset() const { return m_preset; }
    void enableCustomGroup(bool on) override;
    void setBand(int32_t i, int32_t value) override;
    int32_t band(int32_t i);
    void setMicOn(bool on) override;
    void setMonitorOn(bool on) override;
    void setMicLevel(int32_t v) override;
    int32_t micLevel();
    void setMonitorLevel(int32_t v) override;
    int32_t monitorLevel();
    void addCustomName(const std::string& name) override;
    void selectCustom(int32_t i) override;
    int32_t selectedCustom();
    int32_t customCount();
    void removeCustom(int32_t i) override;
    void removeAllCustom() override;
    std::string customName(int32_t i);
    void setCustomNameText(const std::string& text);
    std::string customNameText();

  private:
    template <typename T>
    T* child(const QString& name) {
        return findChild<T*>(name);
    }
    QSlider* bandSlider(int32_t i);
    void setSlider(QSlider* s, int32_t v);
    QComboBox* combo();
    QLineEdit* nameEdit();

    int32_t m_preset = 0;
};

}  // namespace md
