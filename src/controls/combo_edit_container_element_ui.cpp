#include "controls/combo_edit_container_element_ui.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>

#include "ui/layout_builder.h"
#include "ui/notify_dispatcher.h"

namespace md {

CComboEditContainerElementUI::CComboEditContainerElementUI(QWidget* parent)
    : ListElementUI(parent) {
    setProperty("controlClass", QString::fromLatin1(kClass));
    setFocusPolicy(Qt::StrongFocus);
    LayoutBuilder builder;
    builder.buildInto(QString::fromLatin1(kLayoutFile), this);
    m_text1 = findChild<QLabel*>(QStringLiteral("text1"));
    m_text2 = findChild<QLabel*>(QStringLiteral("text2"));
    m_delayEdit = findChild<QLineEdit*>(QStringLiteral("delay_edit"));
}

CComboEditContainerElementUI* CComboEditContainerElementUI::getInterface(const QString& name) {
    return name == QLatin1String(kClass) ? this : nullptr;
}

void CComboEditContainerElementUI::setAttribute(const QString& name, const QString& value) {
    const QString key = name.toLower();
    // The row draws its states itself; state images of the layouts do not apply.
    if (key == QLatin1String("normalimage") || key == QLatin1String("hotimage") ||
        key == QLatin1String("selectedimage"))
        return;
    ListElementUI::setAttribute(name, value);
}

void CComboEditContainerElementUI::keyPressEvent(QKeyEvent* event) {
    if (isEnabled() && (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)) {
        activate();
        update();
        NotifyDispatcher::emitFrom(this, QStringLiteral("return"));
        event->accept();
        return;
    }
    ListElementUI::keyPressEvent(event);
}

void CComboEditContainerElementUI::timerEvent(QTimerEvent* event) {
    NotifyDispatcher::emitFrom(this, QStringLiteral("timer"),
                               static_cast<uintptr_t>(event->timerId()));
}

}  // namespace md
