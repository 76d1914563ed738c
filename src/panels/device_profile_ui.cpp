#include "panels/device_profile_ui.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QEvent>
#include <QLayout>
#include <QLineEdit>
#include <QSignalBlocker>

namespace md {

const std::array<const char*, CDeviceProfileUI::kTabCount>& CDeviceProfileUI::tabNames() {
    static const std::array<const char*, kTabCount> names = {
        "deng_Op_tab",   "key_Op_tab",        "macro_Op_tab", "system_Op_tab",
        "cursor_Op_tab", "6533_voice_Op_tab", "magic_Op_tab", "Virtual7.1_Op_tab"};
    return names;
}

CDeviceProfileUI::CDeviceProfileUI(QWidget* parent) : QWidget(parent) {}

QWidget* CDeviceProfileUI::tab(int i) {
    return findChild<QWidget*>(tabNames()[size_t(i)]);
}

QComboBox* CDeviceProfileUI::combo() {
    if (!m_combo) m_combo = findChild<QComboBox*>("device_profile_combo");
    return m_combo;
}

void CDeviceProfileUI::refresh() {
    if (QComboBox* c = combo()) {
        const QSignalBlocker block(c);
        c->clear();
        for (const std::string& name : m_list.itemNames()) {
            const QString text = QString::fromStdString(name);
            c->addItem(text, text);
        }
        c->setCurrentIndex(m_list.currentSelection());
    }
    const int32_t s = m_list.currentSelection();
    setProfileNameText(s >= 0 ? m_list.itemNames()[size_t(s)] : std::string());
}

bool CDeviceProfileUI::start() {
    menu();  // the menu becomes its popup now, so that its controls never move later
    const bool ok = m_list.start();
    refresh();
    if (ok) selectProfile(m_list.currentSelection(), false);

    std::vector<const char*> hidden, shown;
    switch (m_list.deviceKind()) {
        case 1:
            hidden = {"cursor_Op_tab"};
            break;
        case 3:
            hidden = {"cursor_Op_tab", "macro_Op_tab", "system_Op_tab", "key_Op_tab"};
            break;
        case 7:
            hidden = {"cursor_Op_tab", "macro_Op_tab", "system_Op_tab", "key_Op_tab"};
            shown = {"6533_voice_Op_tab", "magic_Op_tab", "Virtual7.1_Op_tab"};
            break;
        default:
            break;
    }
    for (const char* name : hidden)
        if (QWidget* w = findChild<QWidget*>(name)) w->hide();
    for (const char* name : shown)
        if (QWidget* w = findChild<QWidget*>(name)) w->show();
    return ok;
}

int CDeviceProfileUI::itemCount() const {
    return static_cast<int>(m_list.itemNames().size());
}

bool CDeviceProfileUI::addProfile() {
    // The combo's selection and the device's profile stay; the list names the new one.
    const bool ok = m_list.addProfile();
    refresh();
    return ok;
}

bool CDeviceProfileUI::deleteProfile() {
    m_list.setCurrentSelection(currentSelection());
    const bool ok = m_list.deleteProfile();
    refresh();
    return ok;
}

bool CDeviceProfileUI::copyProfile() {
    m_list.setCurrentSelection(currentSelection());
    const bool ok = m_list.copyProfile();
    refresh();
    return ok;
}

int CDeviceProfileUI::renameProfile(const std::string& name) {
    m_list.setCurrentSelection(currentSelection());
    const int r = m_list.renameProfile(name);
    refresh();
    return r;
}

bool CDeviceProfileUI::importProfile(const std::string& path) {
    m_list.setCurrentSelection(currentSelection());
    if (!m_list.importProfile(path)) {
        refresh();
        return false;
    }
    const std::string uuid = m_list.itemUuid(itemCount() - 1);
    const bool ok = m_list.selectProfileByUuid(uuid);
    refresh();
    return ok;
}

bool CDeviceProfileUI::exportProfile(const std::string& path) {
    m_list.setCurrentSelection(currentSelection());
    return m_list.exportProfile(path);
}

bool CDeviceProfileUI::resetProfile() {
    m_list.setCurrentSelection(currentSelection());
    return m_list.resetProfile();
}

std::string CDeviceProfileUI::profileNameText() const {
    auto* edit = findChild<QLineEdit*>("device_profile_name_edit");
    return edit ? edit->text().toStdString() : m_list.profileNameText();
}

void CDeviceProfileUI::setProfileNameText(const std::string& text) {
    m_list.setProfileNameText(text);
    if (auto* edit = findChild<QLineEdit*>("device_profile_name_edit")) {
        const QSignalBlocker block(edit);
        edit->setText(QString::fromStdString(text));
    }
}

QWidget* CDeviceProfileUI::menu() {
    if (m_menu) return m_menu;
    m_menu = findChild<QWidget*>("profile_menu_layout");
    if (!m_menu) return nullptr;
    // The menu drops down over the page like a combo's list: a popup that closes on a click
    // elsewhere (that click does not also reach the button it landed on).
    if (QLayout* l = layout()) l->removeWidget(m_menu);
    // A window does not inherit its parents' style sheets: it gets them, outermost first.
    QString sheets;
    for (const QWidget* w = this; w; w = w->parentWidget()) sheets.prepend(w->styleSheet() + '\n');
    m_menu->setParent(this, Qt::Popup | Qt::FramelessWindowHint);
    m_menu->setStyleSheet(sheets);
    m_menu->setAttribute(Qt::WA_NoMouseReplay);
    m_menu->setAttribute(Qt::WA_StyledBackground);
    m_menu->installEventFilter(this);
    return m_menu;
}

void CDeviceProfileUI::setMenuVisible(bool visible) {
    QWidget* m = menu();
    if (m && visible) {
        const QWidget* anchor = combo() ? static_cast<QWidget*>(combo()) : this;
        m->setFixedWidth(width());
        m->adjustSize();
        m->move(anchor->mapToGlobal(QPoint(0, anchor->height() + 4)) - QPoint(anchor->x(), 0));
        m->show();
    } else if (m) {
        m->hide();
    }
    setSpreadChecked(visible && m);
}

bool CDeviceProfileUI::isMenuVisible() const {
    return m_menu && m_menu->isVisible();
}

QWidget* CDeviceProfileUI::menuWidget() {
    return menu();
}

void CDeviceProfileUI::setSpreadChecked(bool on) {
    if (auto* b = findChild<QAbstractButton*>("profile_fun_spread_btn")) {
        const QSignalBlocker block(b);
        b->setChecked(on);
    }
}

bool CDeviceProfileUI::eventFilter(QObject* watched, QEvent* event) {
    // Closed by a click elsewhere or Escape: the button shows it.
    if (watched == m_menu && event->type() == QEvent::Hide) setSpreadChecked(false);
    return QWidget::eventFilter(watched, event);
}

void CDeviceProfileUI::hideEvent(QHideEvent* event) {
    if (m_menu) m_menu->hide();
    QWidget::hideEvent(event);
}

int CDeviceProfileUI::currentSelection() const {
    return m_combo ? m_combo->currentIndex() : m_list.currentSelection();
}

void CDeviceProfileUI::selectProfile(int i, bool notify) {
    if (QComboBox* c = combo(); c && i >= 0 && i < c->count()) {
        const QSignalBlocker block(notify ? nullptr : c);
        c->setCurrentIndex(i);
        c->setFocus();
    }
    if (!m_list.selectProfile(i)) return;
    setProfileNameText(m_list.itemNames()[size_t(i)]);
}

void CDeviceProfileUI::selectTab(int n) {
    std::array<QAbstractButton*, kTabCount> tabs{};
    for (int i = 0; i < kTabCount; ++i)
        if (!(tabs[size_t(i)] = qobject_cast<QAbstractButton*>(tab(i)))) return;
    for (int i = 0; i < kTabCount; ++i) {
        const QSignalBlocker block(tabs[size_t(i)]);
        tabs[size_t(i)]->setChecked(i + 1 == n);
    }
}

}  // namespace md
