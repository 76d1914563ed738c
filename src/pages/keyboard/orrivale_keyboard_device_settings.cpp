// The keyboard page's settings tab: polling rate, the Windows-key lock and the two other
// switches, key repeat rate and delay.
#include <QAbstractButton>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QSlider>

#include "pages/keyboard/orrivale_keyboard_device.h"
#include "panels/quiet_check.h"
#include "profiles/profile_ranges.h"
#include "ui/resource_manager.h"

namespace md {
namespace {

void setChecked(QWidget* w, bool on) {
    checkQuietly(qobject_cast<QAbstractButton*>(w), on);
}

QString text(const char* id) {
    return ResourceManager::instance().text(QString::fromLatin1(id));
}

}  // namespace

void COrrivaleKeyboardDevice::showStages() {
    const KeyboardStages& s = m_controller->stages();
    setChecked(m_page.find("winlockflag_option"), s.winFlag != 0);
    setChecked(m_page.find("wflag_option"), s.wFlag != 0);
    setChecked(m_page.find("6flag_option"), s.key6Flag != 0);
    if (auto* slider = m_page.find<QSlider>("repeat_rate_slider")) {
        const QSignalBlocker block(slider);
        slider->setValue(s.repeat);
    }
    const int delay = ranges::kKeyboardOption.contains(s.repeatDelay) ? s.repeatDelay : 0;
    const int polling = ranges::kKeyboardOption.contains(s.pollingRate) ? s.pollingRate : 0;
    for (int i = 0; i < kOptions; ++i) {
        setChecked(m_page.find(QStringLiteral("repeat_delay_check_%1").arg(i)), i == delay);
        setChecked(m_page.find(QStringLiteral("polling_rate_option_%1").arg(i)), i == polling);
    }
    if (auto* label = m_page.find<QLabel>("repeat_delay_time_label1"))
        label->setText(
            text("Repeat_Delay_Time") +
            text("unit_ms").replace(QLatin1String("%1"), QString::number(delay * 250 + 250)));
    if (auto* edit = m_page.find<QLineEdit>("repeat_input_richedit")) {
        edit->clear();
        ResourceManager::instance().setPlaceholderId(edit, QStringLiteral("Repeat_input_text"));
        ResourceManager::instance().setTipId(edit, QStringLiteral("Repeat_input_text"));
    }
}

void COrrivaleKeyboardDevice::storeStages(const KeyboardStages& s) {
    m_controller->setStages(s);
    saveProfile();
    writeSettingsToDevice(0, 0);
    showStages();
}

void COrrivaleKeyboardDevice::onPollingRate(int n) {
    if (!ranges::kKeyboardOption.contains(n)) return;
    KeyboardStages s = m_controller->stages();
    s.pollingRate = uint16_t(n);
    storeStages(s);
}

void COrrivaleKeyboardDevice::onRepeatDelay(int n) {
    if (!ranges::kKeyboardOption.contains(n)) return;
    KeyboardStages s = m_controller->stages();
    s.repeatDelay = uint16_t(n);
    storeStages(s);
}

void COrrivaleKeyboardDevice::onSwitch(const QString& name, bool on) {
    KeyboardStages s = m_controller->stages();
    const uint16_t v = on ? 1 : 0;
    if (name == QLatin1String("winlockflag_option"))
        s.winFlag = v;
    else if (name == QLatin1String("wflag_option"))
        s.wFlag = v;
    else if (name == QLatin1String("6flag_option"))
        s.key6Flag = v;
    else
        return;
    storeStages(s);
}

void COrrivaleKeyboardDevice::onRepeatRate() {
    auto* slider = m_page.find<QSlider>("repeat_rate_slider");
    if (!slider) return;
    KeyboardStages s = m_controller->stages();
    s.repeat = uint16_t(ranges::kKeyRepeat.clamp(slider->value()));
    storeStages(s);
}

}  // namespace md
