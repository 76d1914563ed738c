#include "panels/magic_control_ui.h"

#include <QAbstractButton>
#include <QSignalBlocker>

#include "panels/quiet_check.h"

namespace md {

CMagicControlUI::CMagicControlUI(QWidget* parent) : QWidget(parent) {}

CMagicControlUI::~CMagicControlUI() = default;

QAbstractButton* CMagicControlUI::button(const QString& name) {
    return findChild<QAbstractButton*>(name);
}

void CMagicControlUI::selectVoice(int32_t n) {
    for (int i = 1; i <= 4; ++i)
        checkQuietly(button(QStringLiteral("magic_option_%1").arg(i)), i == n);
    m_voice = (n >= 1 && n <= 4) ? n : 0;
}

void CMagicControlUI::setVoiceEnabled(bool on) {
    checkQuietly(button(QStringLiteral("magic_enable_option")), on);
    if (auto* layout = findChild<QWidget*>(QStringLiteral("magic_option_layout")))
        layout->setEnabled(on);
}

bool CMagicControlUI::voiceEnabled() {
    QAbstractButton* b = button(QStringLiteral("magic_enable_option"));
    return b && b->isChecked();
}

}  // namespace md
