#include "controls/device_option_ui.h"

#include <QAbstractButton>
#include <QEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QTimer>

#include "common/device_kind.h"
#include "ui/notify_dispatcher.h"
#include "ui/repolish.h"
#include "ui/resource_manager.h"
#include "ui/skin_image.h"

namespace md {
namespace {

// Icon prefix of a device kind; empty for a mousepad of an unknown role.
QString iconPrefix(uint32_t kind, uint32_t role) {
    switch (kind) {
        case 1:
            return "kb";
        case 2:
            return "ms";
        case 3:
            return role == 0 ? "hard_mp" : role == 1 ? "soft_mp" : QString();
        case 4:
        case 7:
            return "hd";
        case 5:
            return "hub";
        default:
            return "unknow";
    }
}

}  // namespace

CDeviceOptionUI::CDeviceOptionUI(QWidget* parent) : QFrame(parent) {
    setProperty("controlClass", kClass);
    setProperty("deviceTile", true);
    setAttribute(Qt::WA_StyledBackground, true);
    setCursor(Qt::PointingHandCursor);
    // The tile takes the keys for its icon option (keyboard_access.h).
    setProperty("keyboardControl", true);
    setFocusPolicy(Qt::TabFocus);
    for (int id : {kFrameRefreshTimer, kLinkPollTimer, kReadAgainTimer, kPowerRefreshTimer,
                   kLinkCheckTimer}) {
        auto* t = new QTimer(this);
        t->setSingleShot(true);
        t->setProperty("interval", 0);
        connect(t, &QTimer::timeout, this, [this, id] { onTimer(id); });
        m_timers.insert(id, t);
    }
    m_shownNormal = m_normalImage;
    m_shownSelected = m_selectedImage;
}

// ---- children ----

QAbstractButton* CDeviceOptionUI::selectOption() {
    if (!m_selectOption) {
        m_selectOption = findChild<QAbstractButton*>("device_select");
        if (m_selectOption) {
            m_selectOption->setCheckable(true);
            connect(m_selectOption, &QAbstractButton::toggled, this, [this](bool on) {
                // Options of one group exclude each other: the others let go first, so that
                // whoever hears of this selection finds this tile as the selected one.
                if (on && parentWidget()) {
                    const QVariant group = m_selectOption->property("group");
                    for (auto* other :
                         parentWidget()->findChildren<CDeviceOptionUI*>(Qt::FindDirectChildrenOnly))
                        if (other != this && other->m_selectOption &&
                            other->m_selectOption->property("group") == group)
                            other->selectTile(false);
                }
                setProperty("selected", on);
                repolish(this);
            });
            connect(m_selectOption, &QAbstractButton::clicked, this, [this](bool checked) {
                // A selected tile stays selected until another one is.
                if (!checked) selectTile(true);
            });
            applyOptionImages(false);
        }
    }
    return m_selectOption;
}

QAbstractButton* CDeviceOptionUI::synchroOption() {
    if (!m_synchroOption) m_synchroOption = findChild<QAbstractButton*>("synchro_device_select");
    return m_synchroOption;
}

QLabel* CDeviceOptionUI::label(const char* name) {
    return findChild<QLabel*>(name);
}

void CDeviceOptionUI::applyOptionImages(bool synchro) {
    const QString normal = synchro ? m_synchroNormalImage : m_normalImage;
    const QString selected = synchro ? m_synchroSelectedImage : m_selectedImage;
    // A new icon object is a new set of cached pixmaps: made only when the images change.
    if (m_iconSet && normal == m_shownNormal && selected == m_shownSelected) return;
    m_shownNormal = normal;
    m_shownSelected = selected;
    if (!m_selectOption) return;
    m_selectOption->setIcon(skinToggleIcon(m_shownNormal, m_shownSelected));
    m_iconSet = true;
}

// ---- kind, synchronised lighting, selection ----

void CDeviceOptionUI::setTileKind(uint32_t kind, uint32_t role) {
    m_kind = kind;
    m_role = role;
    QAbstractButton* option = selectOption();
    if (!option) return;
    const QString p = iconPrefix(kind, role);
    if (p.isEmpty()) return;
    const QString base = "common/device_ico/" + p;
    m_normalImage = base + "_device_normal.png";
    m_selectedImage = base + "_device_selected.png";
    m_synchroNormalImage = base + "_device_synchro_normal.png";
    m_synchroSelectedImage = base + "_device_synchro_selected.png";
    option->setProperty("tipId", p + "_device_name_text");
    option->setToolTip(ResourceManager::instance().text(p + "_device_name_text"));
    applyOptionImages(false);
}

void CDeviceOptionUI::setSynchroVisible(bool flag) {
    QAbstractButton* synchro = synchroOption();
    if (!synchro) return;
    synchro->setVisible(flag);
    applyOptionImages(synchro->isChecked());
}

void CDeviceOptionUI::selectSynchro(bool flag) {
    QAbstractButton* synchro = synchroOption();
    if (!synchro) return;
    synchro->setChecked(flag);
    applyOptionImages(flag);
}

bool CDeviceOptionUI::isSynchroSelected() {
    QAbstractButton* synchro = synchroOption();
    return synchro && synchro->isChecked();
}

void CDeviceOptionUI::selectTile(bool flag) {
    if (QAbstractButton* option = selectOption()) option->setChecked(flag);
}

bool CDeviceOptionUI::isTileSelected() {
    QAbstractButton* option = selectOption();
    return option && option->isChecked();
}

void CDeviceOptionUI::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
        case Qt::Key_Space:
        case Qt::Key_Return:
        case Qt::Key_Enter:
            if (QAbstractButton* option = selectOption(); option && !option->isChecked())
                option->click();
            event->accept();
            return;
        default:
            QFrame::keyPressEvent(event);
    }
}

void CDeviceOptionUI::mouseReleaseEvent(QMouseEvent* event) {
    // A click anywhere on the tile is a click on its option.
    QFrame::mouseReleaseEvent(event);
    if (event->button() != Qt::LeftButton || !rect().contains(event->position().toPoint())) return;
    if (QAbstractButton* option = selectOption(); option && !option->isChecked()) option->click();
}

// ---- bindings ----

void CDeviceOptionUI::bindPage(const QString& tabLayout, int index) {
    m_pageName = tabLayout;
    m_pageIndex = index;
}

int CDeviceOptionUI::boundPageIndex() {
    return selectOption() ? m_pageIndex : -1;
}

QString CDeviceOptionUI::boundPageName() {
    return selectOption() ? m_pageName : QString();
}

void CDeviceOptionUI::bindPowerTile(const QString& switchName, int index) {
    if (switchName.isNull()) return;
    m_powerSwitch = switchName;
    if (index >= 0) m_powerIndex = index;
}

void CDeviceOptionUI::setTileGroup(const QString& group) {
    if (QAbstractButton* option = selectOption()) option->setProperty("group", group);
}

void CDeviceOptionUI::setTileName(const QString& text) {
    if (QLabel* name = label("device_select_name")) name->setText(text);
}

QString CDeviceOptionUI::tileName() {
    QLabel* name = label("device_select_name");
    return name ? name->text() : QString();
}

void CDeviceOptionUI::setModel(TileDevice* model) {
    m_model = model;
    m_modelGuard = dynamic_cast<QObject*>(model);
    if (model) model->setDeviceTile(this);
}

bool CDeviceOptionUI::windowShown() const {
    return window() && window()->isVisible();
}

bool CDeviceOptionUI::activate() {
    if (!m_shown || !isEnabled()) return false;
    NotifyDispatcher::emitFrom(this, QStringLiteral("selectchanged"));
    return true;
}

TileDevice* CDeviceOptionUI::model() const {
    return m_modelGuard ? m_model : nullptr;
}

void CDeviceOptionUI::setVisible(bool visible) {
    m_shown = visible;
    QFrame::setVisible(visible);
}

// ---- text ----

QString CDeviceOptionUI::linkText() const {
    const auto* l = findChild<QLabel*>("device_link");
    return l ? l->text() : QString();
}

QString CDeviceOptionUI::batteryText() const {
    const auto* l = findChild<QLabel*>("device_battery");
    return l ? l->text() : QString();
}

void CDeviceOptionUI::showPowerStatus(const PowerStatus& status) {
    m_power = status;
    if (QLabel* battery = label("device_battery")) {
        QString text;
        if (m_kind == kind::kMousePad) {
            // The mousepad's phone charger: the phone on it, a flash while it charges.
            static const char* const kPhones[] = {"charger_no_phone", "charger_iphone",
                                                  "charger_samsung", "charger_other_phone"};
            const int phone = status[5] >= 1 && status[5] <= 3 ? status[5] : 0;
            text = ResourceManager::instance().text(QString::fromLatin1(kPhones[phone]));
            if (phone != 0 && status[1] == 1) text += QStringLiteral(" ⚡");
        } else {
            text = QString("%1%").arg(status[0]);
            if (status[1] == 1) text += QStringLiteral(" ⚡");
        }
        battery->setText(text);
    }
    refreshLinkText();
}

void CDeviceOptionUI::refreshLinkText() {
    QLabel* link = label("device_link");
    if (!link) return;
    if (!model() || !model()->commandLink().isOpen()) {
        link->clear();
        m_power.reset();
        if (QLabel* battery = label("device_battery")) battery->clear();
        return;
    }
    link->setText(model()->commandLink().isWireless()
                      ? QStringLiteral("2.4G")
                      : ResourceManager::instance().text(QStringLiteral("device_link_cable")));
}

void CDeviceOptionUI::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() != QEvent::LanguageChange) return;
    refreshLinkText();
    if (m_power) showPowerStatus(*m_power);
}

// ---- timers ----

void CDeviceOptionUI::startTimer(int id, int ms) {
    QTimer* t = m_timers.value(id);
    t->setProperty("interval", ms);
    t->start(ms);
}

void CDeviceOptionUI::stopTimer(int id) {
    m_timers.value(id)->stop();
}

bool CDeviceOptionUI::timerActive(int id) const {
    const QTimer* t = m_timers.value(id);
    return t && t->isActive();
}

int CDeviceOptionUI::timerInterval(int id) const {
    const QTimer* t = m_timers.value(id);
    return t ? t->property("interval").toInt() : 0;
}

void CDeviceOptionUI::startLinkPoll() {
    startTimer(kLinkPollTimer, 500);
}

void CDeviceOptionUI::startLinkCheck(int periodMs) {
    if (model() && model()->commandLink().isOpen()) startTimer(kLinkCheckTimer, periodMs);
}

void CDeviceOptionUI::requestReadAgain(int ms) {
    startTimer(kReadAgainTimer, ms);
}

void CDeviceOptionUI::stopTimers() {
    for (QTimer* t : m_timers) t->stop();
}

void CDeviceOptionUI::onTimer(int id) {
    stopTimer(id);
    if (!model()) return;
    switch (id) {
        case kLinkPollTimer:
            return onLinkPoll();
        case kFrameRefreshTimer:
            return onFrameRefresh();
        case kPowerRefreshTimer:
            return onPowerRefresh();
        case kReadAgainTimer:
            return model()->readDeviceSettings();
        case kLinkCheckTimer:
            return onLinkCheck();
        default:
            return;
    }
}

void CDeviceOptionUI::send(intptr_t visible) {
    if (m_sink && model())
        m_sink(kVisibilityMessage, static_cast<uintptr_t>(model()->tableIndex()), visible);
}

void CDeviceOptionUI::onLinkPoll() {
    DeviceLink& link = model()->commandLink();
    // A closed link means the device went away: the chain ends here.
    if (!link.isOpen()) return;
    if (link.isWireless() && !model()->isReachable()) {
        if (m_shown) {
            setVisible(false);
            send(0);
        }
        startTimer(kLinkPollTimer, 3000);
        return;
    }
    send(1);
    model()->onDeviceAttached();
    ++m_attachCount;
    refreshLinkText();
    startTimer(kFrameRefreshTimer, 5);
    if (model()->hasPowerStatus() && link.isOpen()) startTimer(kPowerRefreshTimer, 50);
    if (link.isWireless()) startLinkCheck(2000);
}

void CDeviceOptionUI::onFrameRefresh() {
    // The first frame after an attach. Later frames come from the model itself: its LED
    // buttons repaint when their colour changes, so nothing polls the picture.
    model()->pushLedFrame();
    if (m_previewPanel && isTileSelected() && model()->previewEnabled()) m_previewPanel->update();
}

void CDeviceOptionUI::onPowerRefresh() {
    model()->refreshPowerStatus();
    // Nobody sees the battery while the window is hidden: ask less often then.
    if (model()->hasPowerStatus())
        startTimer(kPowerRefreshTimer, windowShown() ? 5000 : kHiddenPowerRefreshMs);
}

void CDeviceOptionUI::onLinkCheck() {
    DeviceLink& link = model()->commandLink();
    if (!link.isWireless()) return;
    if (model()->isReachable()) {
        if (!m_shown) {
            send(1);
            if (model()->hasPowerStatus()) model()->refreshPowerStatus();
        }
    } else if (m_shown) {
        send(0);
    }
    startLinkCheck(windowShown() ? 3000 : kHiddenLinkCheckMs);
}

}  // namespace md
