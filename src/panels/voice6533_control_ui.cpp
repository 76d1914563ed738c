#include "panels/voice6533_control_ui.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QSlider>

#include "audio/eq_presets.h"
#include "panels/quiet_check.h"

namespace md {
namespace {

constexpr int kCustomItemHeight = 30;

}  // namespace

CVoice6533ControlUI::CVoice6533ControlUI(QWidget* parent) : QWidget(parent) {}

CVoice6533ControlUI::~CVoice6533ControlUI() = default;

void CVoice6533ControlUI::selectPreset(int32_t n) {
    for (int i = 1; i <= kEqCustomPreset; ++i)
        checkQuietly(child<QAbstractButton>(QStringLiteral("6533_eq_option_%1").arg(i)), i == n);
    m_preset = (n >= 1 && n <= kEqCustomPreset) ? n : 0;
}

void CVoice6533ControlUI::enableCustomGroup(bool on) {
    if (auto* layout = child<QWidget>(QStringLiteral("custom_eq_option_layout")))
        layout->setEnabled(on);
}

QSlider* CVoice6533ControlUI::bandSlider(int32_t i) {
    if (i < 0 || i >= kEqBandCount) return nullptr;
    return child<QSlider>(QStringLiteral("6533_eq_hz_slider_%1").arg(i));
}

void CVoice6533ControlUI::setSlider(QSlider* s, int32_t v) {
    if (!s) return;
    const QSignalBlocker block(s);
    s->setValue(v);
}

void CVoice6533ControlUI::setBand(int32_t i, int32_t value) {
    setSlider(bandSlider(i), value);
}

int32_t CVoice6533ControlUI::band(int32_t i) {
    QSlider* s = bandSlider(i);
    return s ? s->value() : -1;
}

void CVoice6533ControlUI::setMicOn(bool on) {
    checkQuietly(child<QAbstractButton>(QStringLiteral("6533_MicIn_option")), on);
}

void CVoice6533ControlUI::setMonitorOn(bool on) {
    checkQuietly(child<QAbstractButton>(QStringLiteral("6533_MicMoniter_option")), on);
}

void CVoice6533ControlUI::setMicLevel(int32_t v) {
    setSlider(child<QSlider>(QStringLiteral("6533_MicIn_slider")), v);
}

int32_t CVoice6533ControlUI::micLevel() {
    QSlider* s = child<QSlider>(QStringLiteral("6533_MicIn_slider"));
    return s ? s->value() : -1;
}

void CVoice6533ControlUI::setMonitorLevel(int32_t v) {
    setSlider(child<QSlider>(QStringLiteral("6533_MicMoniter_slider")), v);
}

int32_t CVoice6533ControlUI::monitorLevel() {
    QSlider* s = child<QSlider>(QStringLiteral("6533_MicMoniter_slider"));
    return s ? s->value() : -1;
}

QComboBox* CVoice6533ControlUI::combo() {
    return child<QComboBox>(QStringLiteral("custom_eq_name_combo"));
}

QLineEdit* CVoice6533ControlUI::nameEdit() {
    return child<QLineEdit>(QStringLiteral("custom_eq_name_edit"));
}

void CVoice6533ControlUI::addCustomName(const std::string& name) {
    QComboBox* c = combo();
    if (!c) return;
    const QSignalBlocker block(c);
    const QString text = QString::fromStdString(name);
    c->addItem(text, text);
    c->setItemData(c->count() - 1, QSize(0, kCustomItemHeight), Qt::SizeHintRole);
    // Adding to an empty combo would select the item; the selection is the caller's.
    if (c->count() == 1) c->setCurrentIndex(-1);
}

void CVoice6533ControlUI::selectCustom(int32_t i) {
    if (QComboBox* c = combo()) {
        const QSignalBlocker block(c);
        c->setCurrentIndex(i >= 0 && i < c->count() ? i : -1);
    }
    if (QLineEdit* e = nameEdit()) {
        const QSignalBlocker block(e);
        e->clear();
    }
}

int32_t CVoice6533ControlUI::selectedCustom() {
    QComboBox* c = combo();
    return c ? c->currentIndex() : -1;
}

int32_t CVoice6533ControlUI::customCount() {
    QComboBox* c = combo();
    return c ? c->count() : 0;
}

void CVoice6533ControlUI::removeCustom(int32_t i) {
    QComboBox* c = combo();
    if (!c || i < 0 || i >= c->count()) return;
    const QSignalBlocker block(c);
    const bool wasSelected = c->currentIndex() == i;
    c->removeItem(i);
    // The combo would move its selection to a neighbour; a removed selection leaves none.
    if (wasSelected) c->setCurrentIndex(-1);
}

void CVoice6533ControlUI::removeAllCustom() {
    if (QComboBox* c = combo()) {
        const QSignalBlocker block(c);
        c->clear();
    }
}

std::string CVoice6533ControlUI::customName(int32_t i) {
    QComboBox* c = combo();
    if (!c || i < 0 || i >= c->count()) return {};
    return c->itemData(i).toString().toStdString();
}

void CVoice6533ControlUI::setCustomNameText(const std::string& text) {
    if (QLineEdit* e = nameEdit()) {
        const QSignalBlocker block(e);
        e->setText(QString::fromStdString(text));
    }
}

std::string CVoice6533ControlUI::customNameText() {
    QLineEdit* e = nameEdit();
    return e ? e->text().toStdString() : std::string();
}

}  // namespace md
