#include "pages/mouse/orrivale_mouse_device.h"

#include <cstdio>

#include <QLabel>
#include <QLayout>
#include <QSlider>

#include "common/dbg_out.h"
#include "devices/memory_image/image_writer.h"
#include "devices/memory_image/memory_image.h"
#include "devices/mouse/mouse_dpi_scale.h"
#include "devices/mouse/mouse_performance.h"
#include "devices/mouse/mouse_profile_device.h"
#include "devices/mouse/mouse_profile_from_device.h"
#include "panels/device_profile_ui.h"
#include "panels/light_control_ui.h"
#include "profiles/app_paths.h"
#include "profiles/json_fields.h"
#include "profiles/json_file_io.h"
#include "ui/layout_builder.h"
#include "ui/notify_dispatcher.h"
#include "ui/resource_manager.h"

namespace md {
namespace {
constexpr const char* kEventExitText = "MS 设备同步线程设定退出";
const char* const kPanelSlots[] = {"DeviceProfileItem", "LightControlItem", "MacroControlItem",
                                   "KeySetControlItem", "ShootControlItem"};
}  // namespace

COrrivaleMouseDevice::COrrivaleMouseDevice(QWidget* parent)
    : COrrivaleUSBDevice(parent),
      m_controller(std::make_unique<MouseController>(commandLink(), m_profile)),
      m_sdkFolder(AppPaths::sdkFolder()),
      m_page(this) {}

COrrivaleMouseDevice::~COrrivaleMouseDevice() {
    stopLightingPreview();
    closeEventChannel(kWiredEvents);
    closeEventChannel(kWirelessEvents);
}

void COrrivaleMouseDevice::bindPageControls() {
    buildPage();
    m_synthesis.bind(m_sdkFolder);
    using Problem = InputSynthesisBinding::Problem;
    switch (m_synthesis.problem()) {
        case Problem::None:
            dbgOut("input synthesis plugins bound from " + m_sdkFolder);
            break;
        case Problem::PluginMissing:
            std::fprintf(stderr,
                         "mouse-driver: the input-synthesis plugins are missing from %s: mouse "
                         "buttons cannot scroll sideways\n",
                         m_sdkFolder.c_str());
            break;
        case Problem::NoUinputAccess:
        case Problem::UinputRefused:
            std::fprintf(stderr,
                         "mouse-driver: no virtual input device (%s %s): mouse buttons cannot "
                         "scroll sideways; see the README's notes on access\n",
                         InputSynthesisBinding::kUinputNode,
                         m_synthesis.problem() == Problem::NoUinputAccess
                             ? "is not writable for this user"
                             : "refused the device");
            break;
    }
}

void COrrivaleMouseDevice::buildPage() {
    if (layoutFile().isEmpty()) {
        setKeyCount(0);
        setLedCount(0);
        return;
    }
    m_page.clearCache();
    QWidget* panel = nullptr;
    if (QWidget* settings = findChild<QWidget*>("mouse_device_seting_layout"))
        for (QWidget* w : settings->findChildren<QWidget*>())
            if (isControlClass(w, "SelectPanel")) {
                panel = w;
                break;
            }
    if (!panel)
        for (QWidget* w : findChildren<QWidget*>())
            if (isControlClass(w, "SelectPanel")) {
                panel = w;
                break;
            }
    bindSelectPanel(panel);
    for (int i = 0; i < getKeyCount(); ++i)
        if (QWidget* b = keyButton(i)) b->setVisible(getWorkingMode() == kKeyPage);
    if (panel) m_logo = panel->findChild<QWidget*>("logo", Qt::FindDirectChildrenOnly);
    m_profilePanel = nullptr;
    // The panels of the page sit in their slots; a slot without its panel stays empty.
    for (const char* slot : kPanelSlots) {
        QWidget* container = findChild<QWidget*>(slot);
        if (!container) continue;
        if (auto* profiles = container->findChild<CDeviceProfileUI*>()) {
            profiles->setDeviceKind(kind::kMouseWired);
            profiles->setFolders(dataFolderPath(), defaultTemplatePath());
            profiles->selectTab(1);
            m_profilePanel = profiles;
        }
        if (auto* light = container->findChild<CLightControlUI*>()) {
            m_lightPanel = light;
            loadEffectLists();
        }
        initFeaturePanels(container);
    }
    // A name given before the page was built stays, unless the page's panel names one.
    if (m_profilePanel || profileName().empty()) adoptCurrentProfile();
    showTabsOfPresentPages();
    selectKey(-1);  // the key panel waits for a button of the picture
}

void COrrivaleMouseDevice::initFeaturePanels(QWidget* container) {
    if (auto* shoot = container->findChild<CShootControlUI*>())
        shoot->setFolders(dataFolderPath(), AppPaths::defaultDataFolder());
    if (auto* macros = container->findChild<CMacroControlUI*>()) {
        m_macroPanel = macros;
        macros->setDataFolder(dataFolderPath());
        if (!macros->problem().empty()) reportProblem(macros->problem());
    }
    if (auto* keys = container->findChild<CKeySetControlUI*>()) {
        m_keyPanel = keys;
        keys->setDeviceKind(2);
        keys->setMacroFunctionVisible(true);
        keys->setEditButtonsEnabled(false);
        loadKeyPanelLists();
        // Host actions of the buttons (sideways scrolling) need the virtual input device.
        if (QWidget* hint = keys->findChild<QWidget*>("keyset_synthesis_hint"))
            hint->setVisible(!m_synthesis.usable());
    }
}

void COrrivaleMouseDevice::buildLazyPanel(int mode) {
    const char* slot = mode == kKeyPage      ? "KeySetControlItem"
                       : mode == kMacroPage  ? "MacroControlItem"
                       : mode == kRecoilPage ? "ShootControlItem"
                                             : nullptr;
    QWidget* container = buildLazySlot(slot);
    if (!container) return;
    initFeaturePanels(container);
    if (mode == kKeyPage) selectKey(selectedKey());
}

void COrrivaleMouseDevice::showTabsOfPresentPages() {
    if (!m_profilePanel) return;
    // Each tab with the page (or panel slot holding its panel) it opens.
    const char* const tabs[][2] = {{"deng_Op_tab", "LightControlItem"},
                                   {"key_Op_tab", "KeySetControlItem"},
                                   {"macro_Op_tab", "MacroControlItem"},
                                   {"system_Op_tab", "mouse_performance_page"},
                                   {"cursor_Op_tab", "ShootControlItem"}};
    int shown = 0;
    for (const auto& t : tabs) {
        QWidget* tab = m_profilePanel->findChild<QWidget*>(t[0]);
        const QWidget* page = findChild<QWidget*>(t[1]);
        const bool present =
            page && (page->objectName().endsWith(QLatin1String("_page")) ||
                     page->property("lazyLayout").isValid() ||
                     page->findChild<QWidget*>(QString(), Qt::FindDirectChildrenOnly));
        if (tab) tab->setVisible(present);
        shown += present ? 1 : 0;
    }
    for (const char* other : {"6533_voice_Op_tab", "magic_Op_tab", "Virtual7.1_Op_tab"})
        if (QWidget* tab = m_profilePanel->findChild<QWidget*>(other)) tab->hide();
    // One page needs no tabs.
    if (QWidget* row = m_profilePanel->findChild<QWidget*>("profile_tab_layout"))
        row->setVisible(shown > 1);
}

void COrrivaleMouseDevice::loadEffectLists() {
    if (!m_lightPanel) return;
    std::vector<std::string> areas, custom;
    fillEffectList(*m_lightPanel, 2, &areas, &custom);
    m_areaNames = std::move(areas);
    m_customEffectNames = std::move(custom);
}

void COrrivaleMouseDevice::adoptCurrentProfile() {
    adoptProfileList(m_profilePanel);
}

void COrrivaleMouseDevice::reloadAfterOutsideChange() {
    adoptCurrentProfile();
    loadProfile();
    showSettings();
}

void COrrivaleMouseDevice::onDeviceAttached() {
    if (m_controller->readDeviceAndKeys())
        for (int i = 0; i < kStageRows; ++i)
            if (auto* s = qobject_cast<QSlider*>(page("DPI_slider_", i)))
                s->setRange(0, kDpiPositionMax);
    loadProfile();
    agreeWithDevice();
    showSettings();
    startLightingPreview();
}

bool COrrivaleMouseDevice::takeDeviceSettings() {
    MouseHardwareSettings h;
    uint8_t hardwareProfile = 0;
    if (m_controller->readSettingsBlock(h, hardwareProfile) != link::kOk) return false;
    takeMouseSettingsIntoProfile(h, m_profile);
    return true;
}

void COrrivaleMouseDevice::readDeviceSettings() {
    readHardwareSettings();
    showSettings();
}

int COrrivaleMouseDevice::readHardwareSettings() {
    const int r = m_controller->readHardwareSettings();
    if (r != 1) return r;
    setLightingValue(m_controller->lighting());
    if (auto* p = m_preview.get()) p->setLighting(m_controller->lighting());
    refreshStages();
    return r;
}

int COrrivaleMouseDevice::loadProfile() {
    loadProfileFiles();
    m_keyBindings = m_profile.readKeyList();
    refreshKeyLabels();
    if (m_keyPanel && selectedKey() >= 0) selectKey(selectedKey());
    loadLighting();
    m_dpiStages = m_profile.readDpiStages();
    m_mouseStages = m_profile.readMouseStages();
    m_controller->setMouseStages(m_mouseStages);
    return 1;
}

int COrrivaleMouseDevice::loadLighting() {
    const LightSetting l = m_profile.readLightInfo();
    setLightingValue(l);
    m_controller->setLighting(l);
    if (auto* p = m_preview.get()) p->setLighting(l);
    replaceLedSettings(m_profile.readLightList());
    m_effectSteps = m_profile.readLightEffectSteps();
    if (auto* p = m_preview.get()) p->effectSteps().replace(m_effectSteps);
    return 1;
}

void COrrivaleMouseDevice::refreshStages() {
    m_dpiStages = m_profile.dpiStages();
    m_mouseStages = m_profile.mouseStages();
}

void COrrivaleMouseDevice::resetToDefaults() {
    if (!replaceProfileWithTemplate(m_profile)) return;
    loadProfile();
    saveProfile();
    showSettings();
}

int COrrivaleMouseDevice::writeSettingsToDevice(int profile, int value) {
    return m_controller->writeSettingsBlock(uint8_t(profile), uint8_t(value));
}

int COrrivaleMouseDevice::writeKeyTableToDevice(int keyPage, const std::vector<KeyBinding>& keys) {
    return m_controller->writeKeyTableToDevice(keyPage, keys);
}

int COrrivaleMouseDevice::writeKeyAssignments(int keyPage) {
    return writeKeyTableToDevice(keyPage, m_keyBindings);
}

int COrrivaleMouseDevice::writeMacrosToDevice() {
    return m_controller->writeMacros(dataFolderPath());
}

int COrrivaleMouseDevice::writeRecoilToDevice() {
    return m_controller->writeRecoil(dataFolderPath());
}

int COrrivaleMouseDevice::macroCount() const {
    return static_cast<int>(memimg::macroCountOf(dataFolderPath()));
}

void COrrivaleMouseDevice::validateMacroKeys() {
    if (!m_controller->validateMacroKeys(size_t(macroCount()))) return;
    m_keyBindings = m_profile.keyBindings();
    // The profile file follows, so that it never names a macro the list does not have.
    saveProfile();
}

void COrrivaleMouseDevice::setWorkingMode(int mode) {
    buildLazyPanel(mode);
    COrrivaleUSBDevice::setWorkingMode(mode);
    if (QWidget* hint = m_page.find("device_tishi_info")) hint->hide();
    // The picture's buttons are chosen on the key page only; its title says what it shows.
    for (int i = 0; i < getKeyCount(); ++i)
        if (QWidget* b = keyButton(i)) b->setVisible(mode == kKeyPage);
    if (QWidget* title = m_page.find("mouse_picture_title")) {
        const QString id = mode == kKeyPage ? "mouse_keys_title" : "mouse_preview_title";
        title->setProperty("textId", id);
        if (auto* label = qobject_cast<QLabel*>(title))
            label->setText(ResourceManager::instance().text(id));
    }
}

void COrrivaleMouseDevice::setLightSetting(uint32_t w0, uint32_t w1, uint32_t w2, uint32_t w3) {
    COrrivaleUSBDevice::setLightSetting(w0, w1, w2, w3);
    m_controller->setLightingMode(lighting());
    if (auto* p = m_preview.get()) p->setLighting(lighting());
}

// --- lighting preview ---

void COrrivaleMouseDevice::startLightingPreview() {
    m_preview.start(
        [this](MouseLightingPreview& p) {
            p.setLighting(lighting());
            p.effectSteps().replace(m_effectSteps);
        },
        commandLink(), size_t(getLedCount()));
}

void COrrivaleMouseDevice::stopLightingPreview() {
    m_preview.stop();
}

void COrrivaleMouseDevice::setPreviewEnabled(bool flag) {
    const bool was = previewEnabled();
    COrrivaleUSBDevice::setPreviewEnabled(flag);
    if (flag && !was)
        m_preview.catchUp();  // what was missed
    else
        m_preview.updateMute();
}

void COrrivaleMouseDevice::showEvent(QShowEvent* event) {
    COrrivaleUSBDevice::showEvent(event);
    m_preview.catchUp();
}

void COrrivaleMouseDevice::hideEvent(QHideEvent* event) {
    COrrivaleUSBDevice::hideEvent(event);
    m_preview.updateMute();
}

void COrrivaleMouseDevice::setSameMode(bool flag) {
    if (flag == sameMode()) return;
    COrrivaleUSBDevice::setSameMode(flag);
    if (flag)
        stopLightingPreview();
    else if (commandLink().isOpen())
        startLightingPreview();
}

void COrrivaleMouseDevice::pushLedFrame() {
    if (auto* p = m_preview.get()) p->copyLeds(ledColours());
    ledColours().resize(size_t(getLedCount()));
    paintLedButtons();  // the mouse runs the effect of its settings block: the picture only
    if (m_logo && previewEnabled() && m_logoLed >= 0 && m_logoLed < getLedCount())
        paintButton(m_logo, ledColours()[size_t(m_logoLed)]);
}

// --- event channels ---

bool COrrivaleMouseDevice::openEventChannel(const std::string& path, int kind) {
    if (kind != kWiredEvents && kind != kWirelessEvents) return false;
    return session().openEvents(
        eventRouteOf(kind), path, [this](uint16_t code) { handleEvent(code); }, kEventExitText);
}

bool COrrivaleMouseDevice::reopenEventChannel(const std::string& path, int kind) {
    closeEventChannel(kind);
    return openEventChannel(path, kind);
}

void COrrivaleMouseDevice::handleEvent(uint16_t code) {
    dbgOut("接收到自动添加设备的同步信息要求  TEST");
    switch (MouseController::classifyEvent(code)) {
        case MouseController::EventAction::Synchronise:
            dbgOut("接收到自动添加设备的同步信息要求");
            QMetaObject::invokeMethod(
                this, [this] { emit tileTimerRequested(kSyncTimerId, kSyncTimerMs); },
                Qt::QueuedConnection);
            break;
        case MouseController::EventAction::HardwareProfile:
            QMetaObject::invokeMethod(
                this, [this, code] { onHardwareProfileCode(code); }, Qt::QueuedConnection);
            break;
        case MouseController::EventAction::Button:
            QMetaObject::invokeMethod(
                this, [this, code] { onButtonCode(code - 0x500); }, Qt::QueuedConnection);
            break;
        case MouseController::EventAction::None:
            break;
    }
}

void COrrivaleMouseDevice::onHardwareProfileCode(uint16_t code) {
    if (!m_controller->onHardwareProfileEvent(code)) return;
    // A stage change on the mouse becomes the profile's current stage, so that the page, the
    // profile and the next settings block agree with the mouse.
    if ((code >> 8) == 0x11) mouseSetCurrentStage(m_profile, m_controller->activeStage());
    showSettings();
}

void COrrivaleMouseDevice::onButtonCode(int position) {
    if (const int code = m_controller->onButtonEvent(position)) m_synthesis.uniFunc(code);
}

void COrrivaleMouseDevice::sendSettingsBlock() {
    writeSettingsToDevice(0, 0);
}

}  // namespace md
