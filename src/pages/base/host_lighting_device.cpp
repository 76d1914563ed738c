#include "pages/base/host_lighting_device.h"

#include "common/dbg_out.h"
#include "panels/device_profile_ui.h"
#include "panels/light_control_ui.h"

namespace md {
namespace {
constexpr const char* kEventExitText = "MS设备同步线程设定退出";
constexpr auto kStopTimeout = std::chrono::milliseconds(1000);
}  // namespace

CHostLightingDevice::CHostLightingDevice(std::unique_ptr<CBasicProfiledata> profile,
                                         DeviceKind deviceKind,
                                         const lighting::HostEffectKind& kind,
                                         const char* container, int lightType, QWidget* parent)
    : COrrivaleUSBDevice(parent),
      m_profile(std::move(profile)),
      m_block(commandLink(), *m_profile, deviceKind),
      m_kind(kind),
      m_container(container),
      m_lightType(lightType) {}

CHostLightingDevice::~CHostLightingDevice() {
    stopLightingThread();
    closeEventChannel(getDeviceKind());
}

QWidget* CHostLightingDevice::container() const {
    return findChild<QWidget*>(QString::fromLatin1(m_container));
}

void CHostLightingDevice::bindPageControls() {
    buildPage();
    loadProfile();
    showSettings();
}

void CHostLightingDevice::buildPage() {
    if (layoutFile().isEmpty()) {
        setKeyCount(0);
        setLedCount(0);
        return;
    }
    QWidget* panel = container();
    if (!panel) return;
    if (!selectPanel()) bindSelectPanel(panel);
    setUpProfilePanel();
    m_lightPanel = findChild<CLightControlUI*>();
    loadEffectLists();
    if (m_profilePanel || profileName().empty()) adoptCurrentProfile();
    showTabsOfPresentPages();
}

void CHostLightingDevice::setUpProfilePanel() {
    m_profilePanel = findChild<CDeviceProfileUI*>();
    if (!m_profilePanel) return;
    m_profilePanel->setDeviceKind(getDeviceKind());
    m_profilePanel->setFolders(dataFolderPath(), defaultTemplatePath());
    m_profilePanel->selectTab(1);
}

void CHostLightingDevice::showTabsOfPresentPages() {
    if (!m_profilePanel) return;
    // Each tab with the panel slot holding its page.
    const char* const tabs[][2] = {{"deng_Op_tab", "LightControlItem"},
                                   {"6533_voice_Op_tab", "Voice6533ControlItem"},
                                   {"magic_Op_tab", "MagicControlItem"},
                                   {"Virtual7.1_Op_tab", "Virtual71ControlItem"}};
    int shown = 0;
    for (const auto& t : tabs) {
        QWidget* tab = m_profilePanel->findChild<QWidget*>(t[0]);
        const QWidget* slot = findChild<QWidget*>(t[1]);
        const bool present =
            slot && (slot->findChild<QWidget*>() || slot->property("lazyLayout").isValid());
        if (tab) tab->setVisible(present);
        shown += present ? 1 : 0;
    }
    for (const char* other : {"key_Op_tab", "macro_Op_tab", "system_Op_tab", "cursor_Op_tab"})
        if (QWidget* tab = m_profilePanel->findChild<QWidget*>(other)) tab->hide();
    if (QWidget* row = m_profilePanel->findChild<QWidget*>("profile_tab_layout"))
        row->setVisible(shown > 1);
}

void CHostLightingDevice::loadEffectLists() {
    if (m_lightPanel) fillEffectList(*m_lightPanel, m_lightType, nullptr, nullptr);
}

void CHostLightingDevice::adoptCurrentProfile() {
    adoptProfileList(m_profilePanel);
}

void CHostLightingDevice::reloadAfterOutsideChange() {
    adoptCurrentProfile();
    loadProfile();
    showSettings();
}

int CHostLightingDevice::loadProfile() {
    loadProfileFiles();
    loadLighting();
    return 1;
}

int CHostLightingDevice::loadLighting() {
    setLightingValue(m_block.loadLighting());
    replaceLedSettings(m_profile->readLightList());
    m_effectSteps = m_profile->readLightEffectSteps();
    if (m_worker) {
        m_worker->setLighting(m_block.effectLighting());
        m_worker->setLedSettings(ledSettings());
        m_worker->setEffectSteps(m_effectSteps);
    }
    return 1;
}

void CHostLightingDevice::showSettings() {
    loadMacroAndLightLists();
    if (m_lightPanel) {
        const LightSetting::Words w = lighting().toWords();
        m_lightPanel->showLightInfo(w.w0, w.w1);
    }
}

void CHostLightingDevice::resetToDefaults() {
    if (!replaceProfileWithTemplate(*m_profile)) return;
    loadProfile();
    saveProfile();
    showSettings();
}

int CHostLightingDevice::writeSettingsToDevice(int profile, int) {
    return m_block.writeBlock(static_cast<uint8_t>(profile));
}

void CHostLightingDevice::setLightSetting(uint32_t w0, uint32_t w1, uint32_t w2, uint32_t w3) {
    COrrivaleUSBDevice::setLightSetting(w0, w1, w2, w3);
    m_block.setLighting(lighting());
    if (m_worker) m_worker->setLighting(m_block.effectLighting());
}

void CHostLightingDevice::onDeviceAttached() {
    loadProfile();
    agreeWithDevice();
    showSettings();
    startLightingThread();
}

bool CHostLightingDevice::takeDeviceSettings() {
    if (m_block.readBlock() != link::kOk) return false;
    const LightSetting::Words w = m_block.effectLighting().toWords();
    setLightSetting(w.w0, w.w1, w.w2, w.w3);
    return true;
}

void CHostLightingDevice::readDeviceSettings() {
    // A failed read leaves the host's block as it was.
    m_block.readBlock();
    if (m_worker) m_worker->setLighting(m_block.effectLighting());
    if (ownerWindow())
        emit ownerMessage(kHardwareProfileMessage, m_block.block().hardwareProfile(), 0);
}

// --- lighting worker ---

void CHostLightingDevice::startLightingThread() {
    stopLightingThread();
    m_worker = std::make_unique<lighting::HostLightingWorker>(
        commandLink(), m_kind, size_t(getLedCount()), m_block.ledFrameSender());
    m_worker->setLighting(m_block.effectLighting());
    m_worker->setLedSettings(ledSettings());
    m_worker->setEffectSteps(m_effectSteps);
    m_worker->setSending(ownFramesGo());
    if (sameMode()) m_worker->showColours(ledColours());
    m_worker->setChangeListener([this] { m_framePacer->changed(); });
    updateMute();
    m_worker->start();
}

bool CHostLightingDevice::stopLightingThread() {
    if (!m_worker) return true;
    const bool inTime = m_worker->stop(kStopTimeout);
    m_worker.reset();
    return inTime;
}

void CHostLightingDevice::onColoursChanged() {
    pushLedFrame();
}

void CHostLightingDevice::pushLedFrame() {
    if (m_worker) {
        // In same mode the shared effect has set the colours: the worker sends them.
        if (sameMode())
            m_worker->showColours(ledColours());
        else
            m_worker->copyLeds(ledColours());
    }
    ledColours().resize(size_t(getLedCount()));
    paintLedButtons();
}

void CHostLightingDevice::updateMute() {
    if (m_worker) m_worker->setMuted(!previewEnabled() || !isVisible());
}

void CHostLightingDevice::setPreviewEnabled(bool flag) {
    const bool was = previewEnabled();
    COrrivaleUSBDevice::setPreviewEnabled(flag);
    updateMute();
    if (flag && !was) pushLedFrame();  // catch up with what was missed
}

void CHostLightingDevice::setHostLighting(bool flag) {
    COrrivaleUSBDevice::setHostLighting(flag);
    if (m_worker) m_worker->setSending(ownFramesGo());
}

void CHostLightingDevice::setClientLighting(const QString& client) {
    COrrivaleUSBDevice::setClientLighting(client);
    if (m_worker) m_worker->setSending(ownFramesGo());
}

void CHostLightingDevice::setSameMode(bool flag) {
    if (flag == sameMode()) return;
    COrrivaleUSBDevice::setSameMode(flag);
    if (!m_worker) return;
    if (flag)
        m_worker->showColours(ledColours());
    else
        m_worker->useOwnEffect();
}

void CHostLightingDevice::ensurePanels() {
    if (buildLazySlot("DeviceProfileItem")) {
        setUpProfilePanel();
        adoptCurrentProfile();  // the panel's list: the same current profile
        showTabsOfPresentPages();
        if (m_profilePanel) m_profilePanel->selectTab(getWorkingMode());
    }
    bool built = false;
    for (const char* slot : {"LightControlItem", "Voice6533ControlItem", "MagicControlItem"})
        built = buildLazySlot(slot) || built;
    if (!built) return;
    m_lightPanel = findChild<CLightControlUI*>();
    loadEffectLists();
    panelsBuilt();
    showSettings();
}

void CHostLightingDevice::showEvent(QShowEvent* event) {
    COrrivaleUSBDevice::showEvent(event);
    ensurePanels();
    updateMute();
    pushLedFrame();
}

void CHostLightingDevice::hideEvent(QHideEvent* event) {
    COrrivaleUSBDevice::hideEvent(event);
    updateMute();
}

// --- event channel ---

bool CHostLightingDevice::eventChannelOpen(int kind) const {
    return kind == getDeviceKind() && session().eventsOpen(EventRoute::Cable);
}

bool CHostLightingDevice::openEventChannel(const std::string& path, int kind) {
    if (kind != getDeviceKind() || eventChannelOpen(kind)) return false;
    return session().openEvents(
        EventRoute::Cable, path, [this](uint16_t code) { handleEvent(code); }, kEventExitText);
}

void CHostLightingDevice::closeEventChannel(int kind) {
    if (kind == getDeviceKind()) session().closeEvents(EventRoute::Cable);
}

void CHostLightingDevice::handleEvent(uint16_t code) {
    if (code == kSyncEvent) {
        dbgOut("接收到自动添加设备的同步信息要求");
        QMetaObject::invokeMethod(
            this, [this] { emit tileTimerRequested(kSyncTimerId, kSyncTimerMs); },
            Qt::QueuedConnection);
    } else if (code == kCountEvent) {
        m_eventCount = (m_eventCount + 1) % 4;
    }
}

}  // namespace md
