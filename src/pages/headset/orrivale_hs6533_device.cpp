#include "pages/headset/orrivale_hs6533_device.h"

#include "audio/conf_lib_binding.h"
#include "panels/magic_control_ui.h"
#include "panels/voice6533_control_ui.h"
#include "profiles/app_paths.h"

namespace md {
namespace {
constexpr const char* kButtonPanel = "hs6533_device_key_light";
constexpr int kLightType = 7;
}  // namespace

COrrivaleHS6533Device::COrrivaleHS6533Device(QWidget* parent)
    : CHostLightingDevice(std::make_unique<CHs6533Profiledata>(), DeviceKind::Headset,
                          lighting::kHeadsetEffects, kButtonPanel, kLightType, parent),
      m_audio(profileData()),
      m_audioLibrary(ConfLibBinding::libraryPath(AppPaths::sdkFolder())) {}

COrrivaleHS6533Device::~COrrivaleHS6533Device() {
    // The pages go with the widget tree; the audio must not show on them any more.
    m_audio.setPages(nullptr, nullptr);
}

CHs6533Profiledata& COrrivaleHS6533Device::profileData() {
    return static_cast<CHs6533Profiledata&>(basicProfile());
}

void COrrivaleHS6533Device::bindPageControls() {
    buildPage();
    // The audio starts from the profile's stages.
    loadProfile();
    m_audio.setMessageHandler([this](const char* text) { reportProblem(text); });
    m_audio.startAudio(m_audioLibrary);
    m_audio.showSettings();
}

void COrrivaleHS6533Device::buildPage() {
    panelsBuilt();
    CHostLightingDevice::buildPage();
}

void COrrivaleHS6533Device::panelsBuilt() {
    m_eqPage = findChild<CVoice6533ControlUI*>();
    m_voicePage = findChild<CMagicControlUI*>();
    m_audio.setPages(m_voicePage.data(), m_eqPage.data());
}

void COrrivaleHS6533Device::onDeviceAttached() {
    loadProfile();
    m_audio.readAudioState();
    showSettings();
    startLightingThread();
}

int COrrivaleHS6533Device::loadProfile() {
    CHostLightingDevice::loadProfile();
    m_audio.loadFromProfile();
    return 1;
}

void COrrivaleHS6533Device::showSettings() {
    CHostLightingDevice::showSettings();
    m_audio.showSettings();
}

HeadsetRoute COrrivaleHS6533Device::routeAudio(const QString& type, const QString& sender,
                                               uintptr_t wParam) {
    const std::string nameText = m_eqPage ? m_eqPage->customNameText() : std::string();
    return routeHeadsetNotification(m_audio, type.toStdString(), sender.toStdString(), wParam,
                                    nameText);
}

}  // namespace md
