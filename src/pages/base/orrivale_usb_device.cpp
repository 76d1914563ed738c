#include "pages/base/orrivale_usb_device.h"

#include <QLabel>
#include "ui/partial_picture.h"

#include <QByteArray>
#include <QEvent>
#include <QLabel>
#include <QLayout>
#include <QStackedWidget>
#include <QTabWidget>
#include <algorithm>

#include "devices/base/device_driver.h"
#include "devices/base/working_mode.h"
#include "devices/device_registry.h"
#include "devices/lighting/light_files.h"
#include "devices/memory_image/image_writer.h"
#include "devices/memory_image/memory_image.h"
#include "pages/base/lamp_painter.h"
#include "panels/device_profile_ui.h"
#include "panels/light_control_ui.h"
#include "profiles/app_paths.h"
#include "profiles/basic_profiledata.h"
#include "profiles/profile_list.h"
#include "ui/indexed_name.h"
#include "ui/layout_builder.h"
#include "ui/led_lamp.h"
#include "ui/notify_dispatcher.h"
#include "ui/partial_picture.h"
#include "ui/resource_manager.h"

namespace md {
namespace {

void selectPage(QWidget* sw, int page) {
    if (auto* stack = qobject_cast<QStackedWidget*>(sw)) {
        if (page < stack->count()) stack->setCurrentIndex(page);
    } else if (auto* tabs = qobject_cast<QTabWidget*>(sw)) {
        if (page < tabs->count()) tabs->setCurrentIndex(page);
    }
}

}  // namespace

COrrivaleUSBDevice::COrrivaleUSBDevice(QWidget* parent)
    // The process-wide HID backend: hidraw, or the virtual bus of the demo and tests.
    : QWidget(parent), m_session(std::make_unique<DeviceSession>()) {
    m_powerTileUpdater = [](QWidget* tile, const PowerStatus& s) {
        tile->setProperty("powerStatus",
                          QByteArray(reinterpret_cast<const char*>(s.data()), int(s.size())));
    };
}

COrrivaleUSBDevice::~COrrivaleUSBDevice() {
    m_keyButtons.clear();
    m_lightButtons.clear();
    m_session.reset();  // stops its workers and closes every collection
}

void COrrivaleUSBDevice::setKeyCount(int n) {
    if (n == m_keyCount) return;
    m_keyCount = std::max(0, n);
    m_keyButtons.resize(m_keyCount);
}

void COrrivaleUSBDevice::setLedCount(int n) {
    n = std::max(0, n);
    if (n != m_ledCount) {
        m_ledCount = n;
        m_lightButtons.resize(n);
        m_ledColours.resize(size_t(n));
        std::lock_guard g(m_lightListLock);
        m_ledSettings.resize(size_t(n));
    }
    std::lock_guard g(m_lightListLock);
    for (auto& s : m_ledSettings) s = LightSetting{};
    for (auto& c : m_ledColours) c = lighting::LedColour{};
}

void COrrivaleUSBDevice::setHasPowerStatus(bool flag) {
    m_hasPowerStatus = flag;
    if (!m_powerTile) return;
    if (auto* layout = m_powerTile->findChild<QWidget*>("device_power_Layout"))
        layout->setVisible(flag);
}

void COrrivaleUSBDevice::setPowerTile(QWidget* tile) {
    m_powerTile = tile;
    setHasPowerStatus(m_hasPowerStatus);
}

void COrrivaleUSBDevice::setIdentity(const DeviceIdentity& identity) {
    m_identity = identity;
    m_deviceKind = identity.deviceKind;
    m_collectionRole = identity.collectionRole;
}

QWidget* COrrivaleUSBDevice::keyButton(int i) const {
    return i >= 0 && i < m_keyButtons.size() ? m_keyButtons[i].data() : nullptr;
}

QWidget* COrrivaleUSBDevice::lightButton(int i) const {
    return i >= 0 && i < m_lightButtons.size() ? m_lightButtons[i].data() : nullptr;
}

bool COrrivaleUSBDevice::isControlClass(const QWidget* w, const QString& name) {
    if (!w) return false;
    const QString declared = w->property("controlClass").toString();
    if (declared == name || declared == "C" + name + "UI") return true;
    const QString cls = QString::fromLatin1(w->metaObject()->className()).section("::", -1);
    return cls == name || cls == "C" + name + "UI";
}

void COrrivaleUSBDevice::bindPageControls() {
    if (m_layoutFile.isEmpty()) {
        setKeyCount(0);
        setLedCount(0);
        return;
    }
    for (QWidget* child : findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (isControlClass(child, "SelectPanel")) {
            bindSelectPanel(child);
            break;
        }
    }
}

void COrrivaleUSBDevice::bindSelectPanel(QWidget* panel) {
    m_selectPanel = panel;
    if (!panel) return;
    for (QWidget* child : panel->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (!isControlClass(child, "DeviceKeyButton")) continue;
        const IndexedName name = splitIndexedName(child->objectName());
        if (name.index < 0) continue;
        const QString prefix = name.prefix.toLower();
        if (prefix == "key_" && name.index < m_keyCount) {
            m_keyButtons[name.index] = child;
        } else if (prefix == "light_" && name.index < m_ledCount) {
            m_lightButtons[name.index] = child;
            // A picture built after frames were shown (pages are built when first shown)
            // takes the colours the LEDs have; a new one starts white.
            lighting::LedColour& c = m_ledColours[size_t(name.index)];
            if (!m_framePushed) c = lighting::LedColour{0xFF, 0xFF, 0xFF, 0xFF};
            paintButton(child, c);
        }
    }
    // The lamps repaint many times a second: the device picture under them becomes opaque, so
    // that their repaints stop there.
    for (QLabel* picture : panel->findChildren<QLabel*>(Qt::FindDirectChildrenOnly)) {
        if (picture->property("skinImage").toString().isEmpty()) continue;
        for (const auto& lamp : m_lightButtons)
            if (lamp && picture->geometry().contains(lamp->geometry())) {
                paintOverBackdrop(picture);
                break;
            }
    }
}

void COrrivaleUSBDevice::paintButton(QWidget* button, const lighting::LedColour& c) {
    if (!button) return;
    const QColor colour(c.red, c.green, c.blue, c.intensity);
    // Key buttons paint the colour themselves, other lamps through the lamp painter: a repaint
    // of what changed, not a style-sheet change, per frame.
    if (auto* key = dynamic_cast<LedLamp*>(button)) {
        key->setLedColour(colour);
        return;
    }
    if (button->property("ledColour").value<QColor>() == colour) return;
    LampPainter::instance().show(button, colour);
}

void COrrivaleUSBDevice::stepOff() {
    for (auto& c : m_ledColours) c = lighting::LedColour{};
}

void COrrivaleUSBDevice::pushLedFrame() {
    m_framePushed = true;
    paintLedButtons();
    // In same mode the host drives the LEDs of a keyboard or mousepad: they take the frame over
    // their command link (the cable only; the link drops frames while a command runs). The
    // mouse shows the effect of its own settings block.
    const bool takesFrames = modelHas(uint16_t(m_deviceKind), kCapSameModeFrames);
    if (!takesFrames || !m_sameMode || !m_hostLighting || !m_clientLighting.isEmpty() ||
        !commandLink().isOpen() || commandLink().isWireless())
        return;
    if (!m_frameSender) {
        DeviceDriver* d = driver();
        if (d) m_frameSender = d->ledFrameSender();
        if (!m_frameSender) return;
    }
    m_frameSender(m_ledColours);
}

int COrrivaleUSBDevice::transferKeysAndMacros() {
    if (writeKeyAssignments(0) != 1) return -1;
    const std::string folder = dataFolderPath();
    if (memimg::macroCountOf(folder) == 0) return 0;
    if (const std::string problem = memimg::macroUploadProblem(folder); !problem.empty()) {
        reportProblem(problem);
        return -1;
    }
    const int r = writeMacrosToDevice();
    return r == memimg::kWritten ? 0 : r;
}

QWidget* COrrivaleUSBDevice::buildLazySlot(const char* slot) {
    QWidget* container = slot ? findChild<QWidget*>(slot) : nullptr;
    if (!container) return nullptr;
    const QString layout = container->property("lazyLayout").toString();
    if (layout.isEmpty() || container->findChild<QWidget*>()) return nullptr;
    LayoutBuilder builder;
    QWidget* root = builder.build(layout, container);
    if (!root) return nullptr;
    if (container->layout()) container->layout()->addWidget(root);
    if (NotifyDispatcher* d = NotifyDispatcher::of(container)) d->attach(root);
    return container;
}

void COrrivaleUSBDevice::paintLedButtons() {
    for (int i = 0; i < m_lightButtons.size(); ++i)
        if (m_lightButtons[i] && m_previewEnabled && size_t(i) < m_ledColours.size())
            paintButton(m_lightButtons[i], m_ledColours[size_t(i)]);
}

void COrrivaleUSBDevice::setLedColour(int index, uint32_t packed) {
    if (index < 0 || size_t(index) >= m_ledColours.size()) return;
    m_ledColours[size_t(index)] = {uint8_t(packed), uint8_t(packed >> 8), uint8_t(packed >> 16),
                                   uint8_t(packed >> 24)};
}

uint32_t COrrivaleUSBDevice::getLedColour(int index) const {
    if (index < 0 || size_t(index) >= m_ledColours.size()) return 0;
    const auto& c = m_ledColours[size_t(index)];
    return uint32_t(c.red) | uint32_t(c.green) << 8 | uint32_t(c.blue) << 16 |
           uint32_t(c.intensity) << 24;
}

void COrrivaleUSBDevice::setWorkingMode(int mode) {
    m_workingMode = mode;
    if (!m_functionSwitch) m_functionSwitch = findChild<QWidget*>("device_function_switch");
    if (!m_keyFunctionSwitch)
        m_keyFunctionSwitch = findChild<QWidget*>("device_key_function_switch");
    if (!m_functionSwitch || !m_keyFunctionSwitch) return;
    const WorkingModePages pages = workingModePages(mode, m_deviceKind);
    selectPage(m_functionSwitch, pages.functionPage);
    if (pages.keyFunctionPage) selectPage(m_keyFunctionSwitch, *pages.keyFunctionPage);
}

void COrrivaleUSBDevice::setLightSetting(uint32_t w0, uint32_t w1, uint32_t w2, uint32_t w3) {
    LightSetting l;
    l.mode = uint8_t(w0), l.brightness = uint8_t(w0 >> 8), l.speed = uint8_t(w0 >> 16);
    l.direction = uint8_t(w0 >> 24);
    l.multiColor = uint8_t(w1), l.red = uint8_t(w1 >> 8), l.green = uint8_t(w1 >> 16);
    l.blue = uint8_t(w1 >> 24);
    l.reserved1 = uint8_t(w2), l.reserved2 = uint8_t(w2 >> 8), l.present = uint8_t(w2 >> 16);
    l.zzccLedMode = uint8_t(w2 >> 24);
    l.customGroup = uint8_t(w3), l.oldLedMode = uint8_t(w3 >> 8);
    m_lighting = l;
}

void COrrivaleUSBDevice::commitLighting(const LightSetting& l) {
    const LightSetting::Words w = l.toWords();
    setLightSetting(w.w0, w.w1, w.w2, w.w3);
    saveProfile();
    loadLighting();
    writeSettingsToDevice(0, 0);
}

void COrrivaleUSBDevice::setClientLighting(const QString& client) {
    if (client == m_clientLighting) return;
    m_clientLighting = client;
    const ResourceManager& res = ResourceManager::instance();
    QString title = res.text(QStringLiteral("light_effect_title"));
    if (!client.isEmpty())
        title +=
            QStringLiteral(" \u00B7 ") + res.text(QStringLiteral("light_client_owner")).arg(client);
    for (QLabel* label : findChildren<QLabel*>(QStringLiteral("light_effect_title")))
        label->setText(title);
}

void COrrivaleUSBDevice::setHostLighting(bool flag) {
    m_hostLighting = flag;
    if (flag && m_deviceKind == kind::kKeyboard) commandLink().enableHostLighting();
}

void COrrivaleUSBDevice::replaceLedSettings(std::vector<LightSetting> list) {
    std::lock_guard g(m_lightListLock);
    list.resize(size_t(m_ledCount));
    m_ledSettings = std::move(list);
}

std::string COrrivaleUSBDevice::defaultTemplatePath() const {
    return AppPaths::defaultTemplatePath(m_modelFolder);
}

std::string COrrivaleUSBDevice::dataFolderPath() const {
    return AppPaths::deviceDataFolder(m_modelFolder);
}

void COrrivaleUSBDevice::reportProblem(const std::string& text) {
    QMetaObject::invokeMethod(
        this, [this, t = QString::fromStdString(text)] { emit problemFound(t); },
        Qt::QueuedConnection);
}

void COrrivaleUSBDevice::setLightTableIndex(int index) {
    m_lightTableIndex = index;
    if (CBasicProfiledata* p = profileObject()) p->setDeviceIndex(0);
}

std::string COrrivaleUSBDevice::profileProblem() const {
    const CBasicProfiledata* p = profileObject();
    if (!p) return {};
    if (profileName().empty()) return "no usable profile list in " + dataFolderPath();
    return p->damaged() ? p->problem() : std::string();
}

void COrrivaleUSBDevice::loadProfileFiles() {
    if (CBasicProfiledata* p = profileObject()) loadProfileNode(*p);
}

std::string COrrivaleUSBDevice::getProfileFilePath() const {
    const CBasicProfiledata* p = profileObject();
    return p ? p->getProfilePath() : std::string();
}

void COrrivaleUSBDevice::saveProfile() {
    if (CBasicProfiledata* p = profileObject()) p->save();
}

EventRoute COrrivaleUSBDevice::eventRouteOf(int kind) {
    return isReceiverKind(static_cast<uint16_t>(kind)) ? EventRoute::Receiver : EventRoute::Cable;
}

void COrrivaleUSBDevice::adoptProfileList(CDeviceProfileUI* panel) {
    ProfileList own;
    ProfileList* list = &own;
    if (panel) {
        panel->start();
        list = &panel->profileList();
    } else {
        own.setDeviceKind(modelKindOf(m_deviceKind));
        own.setFolders(dataFolderPath(), defaultTemplatePath());
        own.start();
    }
    if (!list->problem().empty()) reportProblem(list->problem());
    setProfileName(list->currentProfileUuid());
}

void COrrivaleUSBDevice::loadProfileNode(CBasicProfiledata& profile) {
    profile.setDefaultPath(defaultTemplatePath());
    profile.setLightListPath(lightListFilePath());
    if (m_profileName.empty()) {
        profile.loadNode(defaultTemplatePath());
    } else {
        profile.setProfilePath(profileFilePath());
        profile.loadNode(profileFilePath());
        if (profile.damaged()) reportProblem(profile.problem());
    }
    profile.loadLightListDocument(lightListFilePath());
}

void COrrivaleUSBDevice::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::LanguageChange) onLanguageChanged();
}

bool COrrivaleUSBDevice::profileIsTemplate() const {
    const CBasicProfiledata* profile = profileObject();
    if (!profile || profile->damaged()) return false;
    CBasicProfiledata factory;
    factory.setDefaultPath(defaultTemplatePath());
    const Json::Value node = factory.loadNode(defaultTemplatePath());
    return node.isObject() && node == profile->deviceNode();
}

void COrrivaleUSBDevice::agreeWithDevice() {
    if (!commandLink().isOpen()) return;
    if (!profileIsTemplate()) {
        writeSettingsToDevice(0, 0);
        return;
    }
    if (!takeDeviceSettings()) return;
    saveProfile();
    loadProfile();
}

bool COrrivaleUSBDevice::replaceProfileWithTemplate(CBasicProfiledata& profile) {
    CBasicProfiledata factory;
    factory.setDefaultPath(defaultTemplatePath());
    const Json::Value node = factory.loadNode(defaultTemplatePath());
    if (node.isNull()) return false;
    profile.saveNode(node, profileFilePath());
    return true;
}

void COrrivaleUSBDevice::fillEffectList(CLightControlUI& panel, int deviceType,
                                        std::vector<std::string>* areas,
                                        std::vector<std::string>* customNames) {
    std::vector<lighting::EffectEntry> effects;
    std::vector<std::string> areaNames;
    lighting::readDefaultLightNames(AppPaths::defaultDataFolder() + "default_light.json",
                                    m_lightTableIndex, effects, areaNames);
    if (customNames)
        lighting::readCustomLightNames(lightListFilePath(), m_lightTableIndex, *customNames);
    if (areas) *areas = std::move(areaNames);
    QStringList names;
    QVector<int> visible;
    for (const auto& e : effects) {
        names << QString::fromStdString(e.name);
        visible << (e.visible ? 1 : 0);
    }
    panel.setDeviceType(deviceType);
    panel.fillEffectList(names, visible, 4, 4);
}

void COrrivaleUSBDevice::refreshPowerStatusShared() {
    const std::optional<PowerStatus> status = readPowerStatus(commandLink());
    if (!status) return;
    if (m_powerTile && m_powerTileUpdater) m_powerTileUpdater(m_powerTile, *status);
    if (m_ownerWindow) emit ownerMessage(kPowerStatusMessage, (*status)[4], 0);
}

}  // namespace md
