#include "panels/device_profile_ui.h"

#include <QAbstractButton>
#include <QComboBox>
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

void CDeviceProfileUI::start() {
    m_list.start();
    if (!m_combo) m_combo = findChild<QComboBox*>("device_profile_combo");
    if (m_combo) {
        const QSignalBlocker block(m_combo);
        m_combo->clear();
        for (const std::string& name : m_list.itemNames()) {
            const QString text = QString::fromStdString(name);
            m_combo->addItem(text, text);
        }
    }
    selectProfile(m_list.currentSelection(), false);

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
}

int CDeviceProfileUI::currentSelection() const {
    return m_combo ? m_combo->currentIndex() : m_list.currentSelection();
}

void CDeviceProfileUI::selectProfile(int i, bool notify) {
    if (m_combo && i >= 0 && i < m_combo->count()) {
        const QSignalBlocker block(notify ? nullptr : m_combo.data());
        m_combo->setCurrentIndex(i);
        m_combo->setFocus();
    }
    if (!m_list.selectProfile(i)) return;
    if (auto* edit = findChild<QLineEdit*>("device_profile_name_edit"))
        edit->setText(QString::fromStdString(m_list.itemNames()[size_t(i)]));
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
