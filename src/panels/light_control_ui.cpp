#include "panels/light_control_ui.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLineEdit>
#include <QListView>
#include <QSignalBlocker>
#include <QSlider>
#include <QVariant>

#include "devices/lighting/light_panel_rules.h"
#include "ui/resource_manager.h"

namespace md {
namespace {

QColor colourOf(uint32_t argb) {
    return QColor::fromRgb(QRgb(argb | 0xFF000000u));
}

// The background colour a swatch shows: its "swatch" property, else its palette.
QColor swatchColour(const QWidget* w) {
    const QVariant v = w->property("swatch");
    if (v.isValid()) return QColor(v.toString());
    return w->palette().color(QPalette::Button);
}

const char* const kChannels[] = {"deng_edit_R", "deng_edit_G", "deng_edit_B"};

}  // namespace

CLightControlUI::CLightControlUI(QWidget* parent) : QWidget(parent) {}

template <typename T>
T* CLightControlUI::child(const char* name) {
    return findChild<T*>(QLatin1String(name));
}

void CLightControlUI::fillEffectList(const QStringList& names, const QVector<int>& visible,
                                     int brightnessMax, int speedMax) {
    if (auto* combo = child<QComboBox>("light_combo_modeSelect")) {
        const QSignalBlocker block(combo);
        combo->clear();
        for (const QString& name : names) ResourceManager::instance().addTextItem(combo, name, name);
        if (auto* view = qobject_cast<QListView*>(combo->view()))
            for (int i = 0; i < names.size(); ++i)
                view->setRowHidden(i, i < visible.size() && visible[i] == 0);
    }
    if (auto* s = child<QSlider>("deng_light_slider")) s->setMaximum(brightnessMax);
    if (auto* s = child<QSlider>("deng_speed_slider")) s->setMaximum(speedMax);
}

void CLightControlUI::showLightInfo(uint32_t word0, uint32_t word1) {
    const int effect = int(word0 & 0xFF);
    const int light = int(word0 >> 8 & 0xFF), speed = int(word0 >> 16 & 0xFF);
    const bool fx = (word0 >> 24 & 0xFF) != 0;
    const bool multi = (word1 & 0xFF) != 0;
    const int r = int(word1 >> 8 & 0xFF), g = int(word1 >> 16 & 0xFF), b = int(word1 >> 24 & 0xFF);
    if (auto* combo = child<QComboBox>("light_combo_modeSelect")) {
        const QSignalBlocker block(combo);
        combo->setCurrentIndex(effect < combo->count() ? effect : -1);
    }
    setBrightness(light);
    setSpeed(speed);
    setChannelText(0, QString::number(r));
    setChannelText(1, QString::number(g));
    setChannelText(2, QString::number(b));
    setPaletteColour(0xFF000000u | uint32_t(r) << 16 | uint32_t(g) << 8 | uint32_t(b));
    // Shown, not chosen: no notification, so nothing reads it as the user's click.
    setMultiColour(multi);
    setDirection(fx);
    applyRules(effect);
}

void CLightControlUI::selectEffect(int index) {
    if (auto* combo = child<QComboBox>("light_combo_modeSelect")) {
        const QSignalBlocker block(combo);
        combo->setCurrentIndex(index);
    }
    applyRules(index);
}

int CLightControlUI::selectedEffect() {
    auto* combo = child<QComboBox>("light_combo_modeSelect");
    return combo ? combo->currentIndex() : -1;
}

void CLightControlUI::setBrightness(int v) {
    if (auto* s = child<QSlider>("deng_light_slider")) {
        const QSignalBlocker block(s);
        s->setValue(v);
    }
}

int CLightControlUI::brightness() {
    auto* s = child<QSlider>("deng_light_slider");
    return s ? s->value() : 0;
}

void CLightControlUI::setSpeed(int v) {
    if (auto* s = child<QSlider>("deng_speed_slider")) {
        const QSignalBlocker block(s);
        s->setValue(v);
    }
}

int CLightControlUI::speed() {
    auto* s = child<QSlider>("deng_speed_slider");
    return s ? s->value() : 0;
}

void CLightControlUI::setChannelText(int channel, const QString& text) {
    if (channel < 0 || channel > 2) return;
    if (auto* e = child<QLineEdit>(kChannels[channel])) {
        const QSignalBlocker block(e);
        e->setText(text);
    }
}

QString CLightControlUI::channelText(int channel) {
    if (channel < 0 || channel > 2) return {};
    auto* e = child<QLineEdit>(kChannels[channel]);
    return e ? e->text() : QString();
}

void CLightControlUI::setPaletteColour(uint32_t argb) {
    if (QWidget* p = child("deng_Color_Pallet")) {
        const QSignalBlocker block(p);
        p->setProperty("colour", colourOf(argb));
    }
    setColourDisplay(argb);
}

uint32_t CLightControlUI::paletteColour() {
    QWidget* p = child("deng_Color_Pallet");
    if (!p) return 0xFF000000u;
    return uint32_t(p->property("colour").value<QColor>().rgb()) | 0xFF000000u;
}

void CLightControlUI::setColourDisplay(uint32_t argb) {
    if (QWidget* b = child("deng_colordp_btn"))
        b->setStyleSheet(QStringLiteral("background: %1;").arg(colourOf(argb).name()));
}

uint32_t CLightControlUI::colourOptionColour(int n) {
    const QByteArray name = "color_option_" + QByteArray::number(n);
    const QWidget* w = child(name.constData());
    return w ? uint32_t(swatchColour(w).rgb()) | 0xFF000000u : 0;
}

namespace {
void selectQuietly(QComboBox* combo, int index) {
    if (!combo) return;
    const QSignalBlocker block(combo);
    combo->setCurrentIndex(index);
}
}  // namespace

void CLightControlUI::selectZzccMode(int index) {
    selectQuietly(child<QComboBox>("light_combo_ZZCCmodeSelect"), index);
}

int CLightControlUI::selectedZzccMode() {
    auto* c = child<QComboBox>("light_combo_ZZCCmodeSelect");
    return c ? c->currentIndex() : -1;
}

void CLightControlUI::selectCustomMode(int index) {
    selectQuietly(child<QComboBox>("light_combo_custommodeSelect"), index);
}

int CLightControlUI::selectedCustomMode() {
    auto* c = child<QComboBox>("light_combo_custommodeSelect");
    return c ? c->currentIndex() : -1;
}

void CLightControlUI::setMultiColour(bool on) {
    if (auto* c = child<QAbstractButton>("deng_7color_check")) {
        const QSignalBlocker block(c);
        c->setChecked(on);
    }
}

bool CLightControlUI::multiColour() {
    auto* c = child<QAbstractButton>("deng_7color_check");
    return c && c->isChecked();
}

void CLightControlUI::setDirection(bool left) {
    auto* l = child<QAbstractButton>("deng_FXL_check");
    auto* r = child<QAbstractButton>("deng_FXR_check");
    for (auto [button, on] : {std::pair{l, left}, std::pair{r, !left}}) {
        if (!button) continue;
        const QSignalBlocker block(button);
        button->setChecked(on);
    }
}

void CLightControlUI::setMultiDevice(bool flag) {
    m_multiDevice = flag;
    applyRules(selectedEffect());
}

void CLightControlUI::showSameModeButton(bool offered) {
    if (QWidget* b = child("deng_same_mode")) b->setVisible(offered && m_multiDevice);
}

void CLightControlUI::setGroupEnabled(const char* name, bool on) {
    if (QWidget* w = child(name)) w->setEnabled(on);
}

void CLightControlUI::setShown(const char* name, bool on) {
    if (QWidget* w = child(name)) w->setVisible(on);
}

void CLightControlUI::applyRules(int effect) {
    using lighting::LightGroup;
    const lighting::LightPanelRules r = lighting::lightPanelRules(m_deviceType, effect);
    const std::pair<LightGroup, const char*> groups[] = {
        {LightGroup::Effect, "lighteffect_layout"},
        {LightGroup::MultiColour, "deng_7color_check"},
        {LightGroup::Colour, "deng_color_layout"},
        {LightGroup::Palette, "colorpallet_layout"},
        {LightGroup::Brightness, "deng_light_layout"},
        {LightGroup::Speed, "deng_speed_layout"},
        {LightGroup::Direction, "deng_fx_layout"},
        {LightGroup::LightColour, "light_color_layout"}};
    for (const auto& [group, name] : groups)
        if (const auto on = r.groupEnabled(group)) setGroupEnabled(name, *on);
    if (r.speedShown) setShown("deng_speed_layout", *r.speedShown);
    if (r.customShown) setShown("lightcustom_layout", *r.customShown);
    if (r.zzccShown) setShown("light_combo_ZZCCmodeSelectLayout", *r.zzccShown);
    if (r.sameMode) showSameModeButton(*r.sameMode);
    auto& res = ResourceManager::instance();
    if (r.leftText)
        if (auto* b = child<QAbstractButton>("deng_FXL_check")) b->setText(res.text(r.leftText));
    if (r.rightText)
        if (auto* b = child<QAbstractButton>("deng_FXR_check")) b->setText(res.text(r.rightText));
}

}  // namespace md
