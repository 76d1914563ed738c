// The mouse model's performance page: showing the profile's DPI stages, report rate and
// pointer, wheel and double-click values, and the actions of the page's controls.
#include <QAbstractButton>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QSlider>
#include <QStackedWidget>
#include <QStyle>
#include <algorithm>

#include "common/dbg_out.h"
#include "devices/device_registry.h"
#include "devices/mouse/mouse_dpi_scale.h"
#include "devices/mouse/mouse_performance.h"
#include "pages/mouse/orrivale_mouse_device.h"
#include "profiles/app_paths.h"
#include "ui/resource_manager.h"

#include "panels/light_control_ui.h"

namespace md {
namespace {

void setChecked(QWidget* w, bool on) {
    if (auto* b = qobject_cast<QAbstractButton*>(w)) {
        const QSignalBlocker block(b);
        b->setChecked(on);
    }
}

void setSlider(QWidget* w, int value) {
    if (auto* s = qobject_cast<QSlider*>(w)) {
        const QSignalBlocker block(s);
        s->setValue(value);
    }
}

bool isChecked(QWidget* w) {
    auto* b = qobject_cast<QAbstractButton*>(w);
    return b && b->isChecked();
}

void setThumb(QWidget* slider, const char* image) {
    if (slider->property("thumbImage").toString() == QLatin1String(image)) return;
    slider->setProperty("thumbImage", QString::fromLatin1(image));
    slider->style()->unpolish(slider);
    slider->style()->polish(slider);
}

uint16_t low(uint32_t w) {
    return uint16_t(w & 0xFFFF);
}
uint16_t high(uint32_t w) {
    return uint16_t(w >> 16);
}

}  // namespace

void COrrivaleMouseDevice::showStage(int i, int position) {
    QWidget* slider = page("DPI_slider_", i);
    auto* edit = qobject_cast<QLineEdit*>(page("DPI_edit_", i));
    if (!slider || !edit) return;
    setSlider(slider, position);
    {
        const QSignalBlocker block(edit);
        edit->setText(QString::number(dpiResolutionOfPosition(position)));
    }
    setThumb(slider, i == m_profile.getActiveStage() ? kActiveThumb : kOtherThumb);
}

void COrrivaleMouseDevice::setStageEnabledOnPage(int i, bool on) {
    if (QWidget* row = page("DPI_layout_", i)) row->setEnabled(on);
    setChecked(page("DPI_enable_check_", i), on);
    if (on) {
        for (int k = 0; k < kStageRows; ++k)
            if (QWidget* c = page("DPI_enable_check_", k)) c->setEnabled(true);
        return;
    }
    QWidget* last = nullptr;
    int selected = 0;
    for (int k = 0; k < kStageRows; ++k)
        if (QWidget* c = page("DPI_enable_check_", k); isChecked(c)) ++selected, last = c;
    // The last enabled stage cannot be switched off.
    if (selected == 1) last->setEnabled(false);
}

void COrrivaleMouseDevice::selectCurrentStage(int n) {
    for (int i = 0; i < kStageRows; ++i) {
        QWidget* option = page("DPI_model_", i);
        if (!option) break;
        setChecked(option, false);
        if (i != n) continue;
        setChecked(option, true);
        mouseSetCurrentStage(m_profile, n);
        const auto& stages = m_profile.dpiStages();
        for (int j = 0; j < kStageRows && j < int(stages.size()); ++j)
            showStage(j, stages[size_t(j)].dpiX);
    }
}

void COrrivaleMouseDevice::selectPollingOption(int n) {
    if (n < 0 || n >= kPollingOptions) n = 0;
    for (int i = 0; i < kPollingOptions; ++i) setChecked(page("polling_rate_option_", i), i == n);
}

void COrrivaleMouseDevice::setScrollOnPage(bool pageMode, int lines) {
    setChecked(m_page.find("scrolls_page_check"), pageMode);
    setSlider(m_page.find("scroll_speed_slider"), lines);
}

void COrrivaleMouseDevice::selectSettingsPage(int n) {
    if (auto* stack = m_page.find<QStackedWidget>("mouse_device_seting_layout"))
        if (n >= 0 && n < stack->count()) stack->setCurrentIndex(n);
    QWidget* options = m_page.find("mouse_option_layout");
    if (!options) return;
    const QString selected = QStringLiteral("mouse_device_seting_option_%1").arg(n);
    for (QWidget* w : options->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        if (isControlClass(w, "OptionUI")) setChecked(w, w->objectName() == selected);
}

bool COrrivaleMouseDevice::stageCheck(int i) {
    return isChecked(page("DPI_enable_check_", i));
}

int COrrivaleMouseDevice::stageSliderValue(int i) {
    return m_page.value(QStringLiteral("DPI_slider_%1").arg(i));
}

int COrrivaleMouseDevice::typedResolution(int i) {
    const int t = m_page.text(QStringLiteral("DPI_edit_%1").arg(i)).trimmed().toInt();
    return std::clamp(t, kDpiTypedMin, kDpiTypedMax);
}

void COrrivaleMouseDevice::showSettings() {
    if (m_lightPanel) {
        const LightSetting::Words w = lighting().toWords();
        m_lightPanel->showLightInfo(w.w0, w.w1);
    }
    const auto& stages = m_profile.dpiStages();
    const int active = m_profile.getActiveStage();
    for (int i = 0; i < kStageRows; ++i) {
        const bool present = i < int(stages.size());
        const bool enabled = present && stages[size_t(i)].enabled != 0;
        if (QWidget* row = page("DPI_layout_", i)) row->setEnabled(enabled);
        if (QWidget* check = page("DPI_enable_check_", i)) {
            check->setEnabled(present);
            setChecked(check, enabled);
        }
        if (present) showStage(i, stages[size_t(i)].dpiX);
        setChecked(page("DPI_model_", i), present && i == active);
    }
    // As on the page itself: a single enabled stage cannot be switched off.
    int selected = 0;
    QWidget* last = nullptr;
    for (int i = 0; i < kStageRows; ++i)
        if (QWidget* c = page("DPI_enable_check_", i); isChecked(c)) ++selected, last = c;
    if (selected == 1) last->setEnabled(false);

    showDesktopSupport();
    const auto& words = m_profile.mouseStages();
    setSlider(m_page.find("pointer_speed_slider"), high(words[0]));
    setChecked(m_page.find("pointer_precision_check"), low(words[1]) != 0);
    setSlider(m_page.find("double_click_slider"), low(words[0]));
    setScrollOnPage(high(words[1]) != 0, low(words[2]));
    selectPollingOption(high(words[2]));
}

// --- actions ---

void COrrivaleMouseDevice::onStageEnabled(int n) {
    bool on = stageCheck(n);
    // The profile refuses to switch off its last enabled stage: the page shows it on again.
    if (!mouseSetStageEnabled(m_profile, n, on)) on = true;
    setStageEnabledOnPage(n, on);
    refreshStages();
    sendSettingsBlock();
}

void COrrivaleMouseDevice::onCurrentStage(int n) {
    selectCurrentStage(n);
    sendSettingsBlock();
}

void COrrivaleMouseDevice::onDpiSliderReleased(int n) {
    const int p = stageSliderValue(n);
    showStage(n, p);
    mouseSetStagePosition(m_profile, n, p);
    refreshStages();
    sendSettingsBlock();
}

void COrrivaleMouseDevice::onDpiSliderMoved(int n) {
    showStage(n, stageSliderValue(n));
}

void COrrivaleMouseDevice::onDpiEditLeft(int n) {
    const int t = typedResolution(n);
    showStage(n, dpiPositionOfResolution(t));
    if (n < 0 || n >= int(m_profile.dpiStages().size())) return;
    mouseSetStageResolution(m_profile, n, t);
    refreshStages();
    sendSettingsBlock();
}

void COrrivaleMouseDevice::onPollingRate(int n) {
    // The mouse keeps its kind also while reached through its receiver.
    if (modelKindOf(getDeviceKind()) != kind::kMouseWired) return;
    selectPollingOption(n);
    mouseSetReportRate(m_profile, n);
    refreshStages();
    sendSettingsBlock();
}

void COrrivaleMouseDevice::onPointerSpeed() {
    mouseSetPointerSpeed(m_profile, m_page.value("pointer_speed_slider"));
    refreshStages();
    applyDesktopPointer();
}

void COrrivaleMouseDevice::onPointerPrecision() {
    mouseSetPointerPrecision(m_profile, m_page.isChecked("pointer_precision_check"));
    refreshStages();
    applyDesktopPointer();
}

void COrrivaleMouseDevice::onWheelLines() {
    const int v = m_page.value("scroll_speed_slider");
    setScrollOnPage(false, v);
    mouseSetWheelLines(m_profile, v);
    refreshStages();
    applyDesktopPointer();
}

void COrrivaleMouseDevice::onScrollByPage() {
    const bool on = m_page.isChecked("scrolls_page_check");
    const int v = m_page.value("scroll_speed_slider");
    setScrollOnPage(on, v);
    mouseSetScrollByPage(m_profile, on, v);
    refreshStages();
}

void COrrivaleMouseDevice::onDoubleClickSpeed() {
    mouseSetDoubleClickTime(m_profile, m_page.value("double_click_slider"));
    refreshStages();
    applyDesktopPointer();
}

// --- the desktop's own settings ---

void COrrivaleMouseDevice::setDesktopPointer(std::unique_ptr<DesktopPointer> desktop) {
    m_desktop = std::move(desktop);
    showDesktopSupport();
}

DesktopPointer& COrrivaleMouseDevice::desktopPointer() {
    if (!m_desktop) {
        m_desktop = makeDesktopPointer(AppPaths::configHome(), [] {
            // KDE's applications and KWin read the changed files on this signal.
            QDBusMessage m = QDBusMessage::createSignal(QStringLiteral("/KGlobalSettings"),
                                                        QStringLiteral("org.kde.KGlobalSettings"),
                                                        QStringLiteral("notifyChange"));
            m << 3 << 0;  // settings changed, mouse
            QDBusConnection::sessionBus().send(m);
        });
    }
    return *m_desktop;
}

void COrrivaleMouseDevice::applyDesktopPointer() {
    const auto& words = m_profile.mouseStages();
    PointerValues v;
    v.speed = int(high(words[0]));
    v.doubleClickMs = int(low(words[0]));
    v.precision = low(words[1]) != 0;
    v.wheelLines = int(low(words[2]));
    std::string problem;
    if (!desktopPointer().apply(v, problem)) dbgOut("desktop pointer settings: " + problem);
}

void COrrivaleMouseDevice::showDesktopSupport() {
    const PointerSupport s = desktopPointer().support();
    // A desktop without the setting: the control is shown, disabled, and says why.
    const QString why =
        ResourceManager::instance().text(QStringLiteral("pointer_no_desktop_setting"));
    const std::pair<const char*, bool> controls[] = {{"pointer_speed_slider", s.speed},
                                                     {"pointer_precision_check", s.precision},
                                                     {"scroll_speed_slider", s.wheelLines},
                                                     {"double_click_slider", s.doubleClick},
                                                     {"scrolls_page_check", false}};
    for (const auto& [name, supported] : controls) {
        QWidget* w = m_page.find(name);
        if (!w) continue;
        w->setEnabled(supported);
        w->setToolTip(supported ? QString() : why);
    }
}

}  // namespace md
