#pragma once
// The headset's device model ("XML/DeviceXml/hs6533device.xml"): the lighting of the
// host-lit devices (thirteen LEDs, each frame as twelve output reports) and the audio half
// (HeadsetAudio) on its two pages, the equaliser and microphone page and the voice changer.
// The audio starts when the page is built, whether or not a headset is present; the main
// window routes the two pages' notifications to routeAudio().

#include <QPointer>

#include "audio/headset_audio.h"
#include "audio/headset_audio_routes.h"
#include "pages/base/host_lighting_device.h"
#include "panels/magic_control_ui.h"
#include "panels/voice6533_control_ui.h"
#include "profiles/hs6533_profiledata.h"

namespace md {

class COrrivaleHS6533Device : public CHostLightingDevice {
    Q_OBJECT
  public:
    explicit COrrivaleHS6533Device(QWidget* parent = nullptr);
    ~COrrivaleHS6533Device() override;

    QString controlClass() const override { return QStringLiteral("OrrivaleHS6533Device"); }
    CHs6533Profiledata& profileData();
    HeadsetAudio& audio() { return m_audio; }
    CVoice6533ControlUI* eqPage() const { return m_eqPage; }
    CMagicControlUI* voicePage() const { return m_voicePage; }
    // The configuration library's path (default: the one in the program's SDK folder); set
    // before bindPageControls.
    void setAudioLibrary(const std::string& path) { m_audioLibrary = path; }

    // buildPage, then the audio start-up.
    void bindPageControls() override;
    void buildPage() override;
    void panelsBuilt() override;
    void onDeviceAttached() override;
    int loadProfile() override;
    void showSettings() override;
    // A notification of one of the two audio pages (only those inside this page).
    HeadsetRoute routeAudio(const QString& type, const QString& sender, uintptr_t wParam);

  protected:
  private:
    HeadsetAudio m_audio;
    std::string m_audioLibrary;
    QPointer<CVoice6533ControlUI> m_eqPage;
    QPointer<CMagicControlUI> m_voicePage;
};

}  // namespace md
