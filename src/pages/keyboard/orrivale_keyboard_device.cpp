#include "pages/keyboard/orrivale_keyboard_device.h"

#include <json/json.h>

#include <QComboBox>
#include <QLayout>

#include "common/dbg_out.h"
#include "devices/keyboard/custom_colours.h"
#include "devices/keyboard/keyboard_profile_from_device.h"
#include "devices/lighting/light_files.h"
#include "devices/memory_image/memory_image.h"
#include "profiles/app_paths.h"
#include "profiles/profile_list.h"
#include "ui/layout_builder.h"
#include "ui/notify_dispatcher.h"
#include "ui/resource_manager.h"

namespace md {
namespace {
constexpr const char* kEventExitText = "MS 设备同步线程设定退出";
const char* const kPanelSlots[] = {"DeviceProfileItem", "LightControlItem", "MacroControlItem",
                                   "KeySetControlItem"};
// The custom colour groups the lighting panel offers.
// The preset-colour effect's four colours.
const char* const kPresetColourIds[] = {"light_preset_pink", "light_preset_amber",
                                        "light_preset_green", "light_preset_cyan"};
}  // namespace

COrrivaleKeyboardDevice::COrrivaleKeyboardDevice(QWidget* parent)
    : COrrivaleUSBDevice(parent),
      m_controller(std::make_unique<KeyboardController>(commandLink(), m_profile)),
      m_page(this) {}

COrrivaleKeyboardDevice::~COrrivaleKeyboardDevice() {
    stopLightingPreview();
    closeEventChannel(kCableEvents);
    closeEventChannel(kReceiverEvents);
}

void COrrivaleKeyboardDevice::buildPage() {
    if (layoutFile().isEmpty()) {
        setKeyCount(0);
        setLedCount(0);
        return;
    }
    m_page.clearCache();
    m_profilePanel = nullptr;
    for (const char* slot : kPanelSlots)
        if (QWidget* container = findChild<QWidget*>(slot)) initPanels(container);
    setUpProfileTabs();
    if (m_profilePanel || profileName().empty()) adoptCurrentProfile();
    selectKey(-1);
}

void COrrivaleKeyboardDevice::initPanels(QWidget* container) {
    if (auto* profiles = container->findChild<CDeviceProfileUI*>()) {
        profiles->setDeviceKind(kind::kKeyboard);
        profiles->setFolders(dataFolderPath(), defaultTemplatePath());
        profiles->selectTab(1);
        m_profilePanel = profiles;
    }
    if (auto* light = container->findChild<CLightControlUI*>()) {
        m_lightPanel = light;
        loadEffectLists();
    }
    if (auto* macros = container->findChild<CMacroControlUI*>()) {
        m_macroPanel = macros;
        macros->setDataFolder(dataFolderPath());
        if (!macros->problem().empty()) reportProblem(macros->problem());
    }
    if (auto* keys = container->findChild<CKeySetControlUI*>()) {
        m_keyPanel = keys;
        keys->setDeviceKind(kind::kKeyboard);
        keys->setMacroFunctionVisible(true);
        keys->setEditButtonsEnabled(false);
        loadKeyPanelLists();
    }
}

void COrrivaleKeyboardDevice::setUpProfileTabs() {
    if (!m_profilePanel) return;
    // The keyboard's tabs: lighting, keys, macros and its settings.
    for (const char* other :
         {"cursor_Op_tab", "6533_voice_Op_tab", "magic_Op_tab", "Virtual7.1_Op_tab"})
        if (QWidget* tab = m_profilePanel->findChild<QWidget*>(other)) tab->hide();
    if (QWidget* tab = m_profilePanel->findChild<QWidget*>("system_Op_tab"))
        ResourceManager::instance().setTextId(tab, QStringLiteral("keyboard_tab_settings"));
}

void COrrivaleKeyboardDevice::loadEffectLists() {
    if (!m_lightPanel) return;
    fillEffectList(*m_lightPanel, 1, nullptr, nullptr);
    if (auto* groups = m_lightPanel->findChild<QComboBox*>("light_combo_custommodeSelect")) {
        const QSignalBlocker block(groups);
        groups->clear();
        for (int g = 1; g <= kblight::kKeyboardCustomGroups; ++g)
            groups->addItem(QString::number(g));
    }
    if (auto* presets = m_lightPanel->findChild<QComboBox*>("light_combo_ZZCCmodeSelect")) {
        const QSignalBlocker block(presets);
        presets->clear();
        for (const char* id : kPresetColourIds)
            ResourceManager::instance().addTextItem(presets, QString::fromLatin1(id));
    }
}

void COrrivaleKeyboardDevice::adoptCurrentProfile() {
    adoptProfileList(m_profilePanel);
}

void COrrivaleKeyboardDevice::reloadAfterOutsideChange() {
    adoptCurrentProfile();
    loadProfile();
    showSettings();
}

void COrrivaleKeyboardDevice::onDeviceAttached() {
    if (commandLink().isOpen()) {
        m_controller->readDeviceAndKeys();
        if (!m_controller->problem().empty()) reportProblem(m_controller->problem());
        showPresentKeys();
    }
    loadProfile();
    agreeWithDevice();
    showSettings();
    startLightingPreview();
}

bool COrrivaleKeyboardDevice::takeDeviceSettings() {
    KeyboardHardwareSettings h;
    uint8_t hardwareProfile = 0;
    if (m_controller->readSettingsBlock(h, hardwareProfile) != link::kOk) return false;
    takeKeyboardSettingsIntoProfile(h, m_profile);
    return true;
}

void COrrivaleKeyboardDevice::showPresentKeys() {
    // Until the keyboard reported its keys every key is drawn.
    const bool known = m_controller->keyEntries() > 0;
    for (int i = 0; i < getKeyCount(); ++i) {
        const bool present = !known || m_controller->keyMaps().position[size_t(i)] != kNoEntry;
        if (QWidget* b = keyButton(i)) b->setVisible(present);
        if (QWidget* b = lightButton(i)) b->setVisible(present);
    }
}

void COrrivaleKeyboardDevice::ensurePicture() {
    if (QWidget* built = buildLazySlot("DeviceProfileItem")) {
        initPanels(built);
        setUpProfileTabs();
        adoptCurrentProfile();  // the panel's list: the same current profile
        m_profilePanel->selectTab(getWorkingMode());
    }
    if (QWidget* built = buildLazySlot("LightControlItem")) {
        initPanels(built);
        showSettings();
    }
    if (selectPanel()) return;
    QWidget* slot = buildLazySlot("keyboard_device_key_light");
    if (!slot) return;
    bindSelectPanel(slot->findChild<QWidget*>("keyboard_keys"));
    showPresentKeys();
    refreshKeyLabels();
    selectKey(selectedKey());
    if (QWidget* fn = keyButton(kKeyboardFnKey)) fn->setEnabled(getWorkingMode() != kKeyPage);
}

void COrrivaleKeyboardDevice::readDeviceSettings() {
    if (m_controller->readHardwareSettings() == link::kOk) {
        setLightingValue(m_controller->lighting());
        applyLightingToEngine();
    }
    showSettings();
}

int COrrivaleKeyboardDevice::loadProfile() {
    loadProfileFiles();
    m_controller->loadFromProfile();
    refreshKeyLabels();
    if (m_keyPanel && selectedKey() >= 0) selectKey(selectedKey());
    loadLighting();
    return 1;
}

int COrrivaleKeyboardDevice::loadLighting() {
    const LightSetting l = m_profile.readLightInfo();
    setLightingValue(l);
    m_controller->setLighting(l);
    std::vector<LightSetting> ledList = m_profile.readLightList();
    m_engine.ledSettings().replace(ledList, m_engine.overrides());
    replaceLedSettings(std::move(ledList));
    m_engine.effectSteps().replace(m_profile.readLightEffectSteps());
    applyLightingToEngine();
    return 1;
}

void COrrivaleKeyboardDevice::applyLightingToEngine() {
    const LightSetting& l = lighting();
    m_engine.setLighting(l);
    if (m_engine.setMode(l.mode, l.speed) && l.mode == kblight::kCustomColourMode)
        loadCustomColours();
}

void COrrivaleKeyboardDevice::showSettings() {
    refreshKeyLabels();
    if (m_lightPanel) {
        const LightSetting::Words w = lighting().toWords();
        m_lightPanel->showLightInfo(w.w0, w.w1);
        m_lightPanel->selectZzccMode(lighting().zzccLedMode);
        m_lightPanel->selectCustomMode(m_profile.getCustomGroupIndex());
    }
    showStages();
}

void COrrivaleKeyboardDevice::resetToDefaults() {
    if (!replaceProfileWithTemplate(m_profile)) return;
    loadProfile();
    saveProfile();
    showSettings();
}

int COrrivaleKeyboardDevice::writeSettingsToDevice(int profile, int value) {
    return m_controller->writeSettings(uint8_t(profile), uint8_t(value));
}

int COrrivaleKeyboardDevice::writeKeyTableToDevice(int keyPage,
                                                   const std::vector<KeyBinding>& keys) {
    return m_controller->writeKeyTable(keyPage, keys);
}

int COrrivaleKeyboardDevice::writeKeyAssignments(int keyPage) {
    return m_controller->writeKeyAssignments(keyPage);
}

int COrrivaleKeyboardDevice::writeMacrosToDevice() {
    return m_controller->writeMacros(dataFolderPath());
}

int COrrivaleKeyboardDevice::macroCount() const {
    return static_cast<int>(memimg::macroCountOf(dataFolderPath()));
}

void COrrivaleKeyboardDevice::validateMacroKeys() {
    if (!m_controller->validateMacroKeys(size_t(macroCount()))) return;
    // The profile file follows, so that it never names a macro the list does not have.
    saveProfile();
    refreshKeyLabels();
}

void COrrivaleKeyboardDevice::setWorkingMode(int mode) {
    const char* slot = mode == kKeyPage     ? "KeySetControlItem"
                       : mode == kMacroPage ? "MacroControlItem"
                                            : nullptr;
    if (QWidget* built = buildLazySlot(slot)) initPanels(built);
    if (mode == working_mode::kSettings && buildLazySlot("keyboard_settings_page")) showStages();
    COrrivaleUSBDevice::setWorkingMode(mode);
    // The Fn key cannot be reassigned: on the key page it is not offered.
    if (QWidget* fn = keyButton(kKeyboardFnKey)) fn->setEnabled(mode != kKeyPage);
    if (mode != kKeyPage) selectKey(-1);
}

void COrrivaleKeyboardDevice::setLightSetting(uint32_t w0, uint32_t w1, uint32_t w2, uint32_t w3) {
    COrrivaleUSBDevice::setLightSetting(w0, w1, w2, w3);
    m_controller->setLightingMode(lighting());
}

// --- custom colours ---

kblight::CustomColourTarget COrrivaleKeyboardDevice::colourTarget() {
    return {commandLink(), m_controller->keyMaps().led};
}

int32_t COrrivaleKeyboardDevice::selectedCustomGroup() {
    return m_lightPanel ? m_lightPanel->selectedCustomMode() : m_profile.getCustomGroupIndex();
}

void COrrivaleKeyboardDevice::setCustomGroup(int group) {
    if (m_lightPanel) m_lightPanel->selectCustomMode(group);
    m_profile.setCustomGroupIndex(group);
}

void COrrivaleKeyboardDevice::loadCustomColours() {
    const auto target = colourTarget();
    const int32_t group = m_engine.withLeds([&](lighting::LedList leds) {
        return kblight::loadCustomColours(leds, m_profile, lighting(), target);
    });
    if (m_lightPanel) m_lightPanel->selectCustomMode(group);
    pushLedFrame();
}

void COrrivaleKeyboardDevice::fillCustomColours(bool on) {
    const auto target = colourTarget();
    const int32_t group = selectedCustomGroup();
    m_engine.withLeds([&](lighting::LedList leds) {
        kblight::fillCustomColours(on, leds, m_profile, lighting(), group, target);
    });
    pushLedFrame();
}

bool COrrivaleKeyboardDevice::setCustomKeyColour(int k) {
    if (k < 0) return false;
    const auto target = colourTarget();
    const int32_t group = selectedCustomGroup();
    const bool changed = m_engine.withLeds([&](lighting::LedList leds) {
        return kblight::setCustomKeyColour(size_t(k), leds, m_profile, lighting(), group, target);
    });
    if (changed) pushLedFrame();
    return changed;
}

// --- lighting preview ---

void COrrivaleKeyboardDevice::startLightingPreview() {
    m_preview.start(nullptr, commandLink(), m_engine);
}

void COrrivaleKeyboardDevice::stopLightingPreview() {
    m_preview.stop();
}

void COrrivaleKeyboardDevice::setPreviewEnabled(bool flag) {
    const bool was = previewEnabled();
    COrrivaleUSBDevice::setPreviewEnabled(flag);
    m_preview.updateMute();
    if (flag && !was) pushLedFrame();  // the picture shows the engine's colours at once
}

void COrrivaleKeyboardDevice::setSameMode(bool flag) {
    if (flag == sameMode()) return;
    COrrivaleUSBDevice::setSameMode(flag);
    m_preview.updateMute();
}

void COrrivaleKeyboardDevice::showEvent(QShowEvent* event) {
    COrrivaleUSBDevice::showEvent(event);
    ensurePicture();
    m_preview.updateMute();
    pushLedFrame();
}

void COrrivaleKeyboardDevice::hideEvent(QHideEvent* event) {
    COrrivaleUSBDevice::hideEvent(event);
    m_preview.updateMute();
}

void COrrivaleKeyboardDevice::pushLedFrame() {
    // In same mode the shared lighting owns the colours (and the base sends them as frames).
    if (!sameMode()) {
        auto& leds = ledColours();
        leds.resize(size_t(getLedCount()));
        m_engine.copyLeds(std::span<lighting::LedColour>(leds).first(
            std::min(leds.size(), size_t(kblight::kKeyCount))));
    }
    COrrivaleUSBDevice::pushLedFrame();
}

// --- event channels ---

bool COrrivaleKeyboardDevice::openEventChannel(const std::string& path, int kind) {
    if (kind != kCableEvents && kind != kReceiverEvents) return false;
    return session().openEvents(
        eventRouteOf(kind), path, [this](uint16_t code) { handleEvent(code); }, kEventExitText);
}

void COrrivaleKeyboardDevice::handleEvent(uint16_t code) {
    switch (KeyboardController::classifyEvent(code)) {
        case KeyboardController::EventAction::Synchronise:
            QMetaObject::invokeMethod(
                this, [this] { emit tileTimerRequested(kSyncTimerId, kSyncTimerMs); },
                Qt::QueuedConnection);
            break;
        case KeyboardController::EventAction::HardwareProfile:
            QMetaObject::invokeMethod(
                this,
                [this, code] {
                    if (m_controller->onHardwareProfileEvent(code)) showSettings();
                },
                Qt::QueuedConnection);
            break;
        case KeyboardController::EventAction::None:
            break;
    }
}

}  // namespace md
