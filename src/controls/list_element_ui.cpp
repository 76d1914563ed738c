#include "controls/list_element_ui.h"

#include <QMouseEvent>
#include <QPainter>

#include "controls/control_attribute.h"
#include "ui/notify_dispatcher.h"

namespace md {

ListElementUI::ListElementUI(QWidget* parent) : QFrame(parent) {
    setContextMenuPolicy(Qt::NoContextMenu);
}

void ListElementUI::setAttribute(const QString& name, const QString& value) {
    if (name.compare(QLatin1String("menu"), Qt::CaseInsensitive) == 0)
        setContextMenuEnabled(attributeFlag(value));
}

void ListElementUI::setSelected(bool on) {
    if (m_selected == on) return;
    m_selected = on;
    setProperty("selected", on);
    update();
}

void ListElementUI::setContextMenuEnabled(bool on) {
    m_menuEnabled = on;
    setContextMenuPolicy(on ? Qt::DefaultContextMenu : Qt::NoContextMenu);
}

bool ListElementUI::activate() {
    if (isHidden() || !isEnabled()) return false;
    NotifyDispatcher::emitFrom(this, QStringLiteral("itemactivate"));
    return true;
}

bool ListElementUI::event(QEvent* e) {
    if (auto a = dynamicAttribute(this, e)) setAttribute(a->name, a->value);
    if (!m_mouseEnabled) {
        switch (e->type()) {
            case QEvent::MouseMove:
            case QEvent::MouseButtonPress:
            case QEvent::MouseButtonRelease:
            case QEvent::MouseButtonDblClick:
            case QEvent::Wheel:
                e->ignore();
                return false;
            default:
                break;
        }
    }
    return QFrame::event(e);
}

void ListElementUI::select(bool toggle) {
    const bool target = toggle ? !m_selected : true;
    bool changed = target != m_selected;
    if (!toggle && parentWidget()) {
        for (auto* row : parentWidget()->findChildren<ListElementUI*>(Qt::FindDirectChildrenOnly)) {
            if (row == this || !row->isSelected()) continue;
            row->setSelected(false);
            changed = true;
        }
    }
    setSelected(target);
    if (changed) NotifyDispatcher::emitFrom(this, QStringLiteral("itemselect"));
}

void ListElementUI::mousePressEvent(QMouseEvent* event) {
    if (!isEnabled() || event->button() != Qt::LeftButton) return QFrame::mousePressEvent(event);
    select(event->modifiers().testFlag(Qt::ControlModifier));
    event->accept();
}

void ListElementUI::mouseReleaseEvent(QMouseEvent* event) {
    if (!isEnabled() || event->button() != Qt::LeftButton) return QFrame::mouseReleaseEvent(event);
    NotifyDispatcher::emitFrom(this, QStringLiteral("itemclick"));
    event->accept();
}

void ListElementUI::mouseDoubleClickEvent(QMouseEvent* event) {
    if (!isEnabled()) return QFrame::mouseDoubleClickEvent(event);
    activate();
    update();
    event->accept();
}

void ListElementUI::enterEvent(QEnterEvent* event) {
    if (isEnabled()) {
        m_hot = true;
        update();
    }
    QFrame::enterEvent(event);
}

void ListElementUI::leaveEvent(QEvent* event) {
    m_hot = false;
    update();
    QFrame::leaveEvent(event);
}

void ListElementUI::paintEvent(QPaintEvent* event) {
    QFrame::paintEvent(event);
    if (!m_selected && !m_hot) return;
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(m_selected ? QColor(0x1E, 0x90, 0xFF, 46) : QColor(255, 255, 255, 13));
    p.drawRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), 6, 6);
}

}  // namespace md
