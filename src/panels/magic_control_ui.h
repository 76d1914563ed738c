#pragma once
// The headset's voice-changer page ("MagicControlItem", layout
// "XML/CustomControlXML/MagicControl.xml"): the on/off option "magic_enable_option", the
// layout "magic_option_layout" enabled while it is on, and the four voice options
// "magic_option_1" to "magic_option_4". A thin view: it shows values and reports the user's
// choices; its setters never raise notifications. Missing controls are tolerated.

#include <QWidget>

#include "audio/headset_pages.h"

class QAbstractButton;

namespace md {

class CMagicControlUI : public QWidget, public VoicePageView {
    Q_OBJECT
  public:
    explicit CMagicControlUI(QWidget* parent = nullptr);
    ~CMagicControlUI() override;

    void selectVoice(int32_t n) override;
    int32_t selectedVoice() const { return m_voice; }
    void setVoiceEnabled(bool on) override;
    bool voiceEnabled();

  private:
    QAbstractButton* button(const QString& name);

    int32_t m_voice = 0;
};

}  // namespace md
