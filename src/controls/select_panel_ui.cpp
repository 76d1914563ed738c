#include "controls/select_panel_ui.h"

#include <QMouseEvent>
#include <algorithm>

#include "controls/device_key_button_ui.h"
#include "ui/notify_dispatcher.h"

namespace md {

CSelectPanelUI::CSelectPanelUI(QWidget* parent) : QFrame(parent) {
    setProperty("controlClass", QString::fromLatin1(kClass));
}

bool CSelectPanelUI::isKeyButton(const QWidget* w) {
    if (qobject_cast<const CDeviceKeyButtonUI*>(w)) return true;
    const QString declared = w->property("controlClass").toString();
    return declared == QLatin1String(CDeviceKeyButtonUI::kClass) ||
           declared == QLatin1String("CDeviceKeyButtonUI");
}

void CSelectPanelUI::mousePressEvent(QMouseEvent* event) {
    QFrame::mousePressEvent(event);
    if (event->button() != Qt::LeftButton || !isEnabled()) return;
    m_pressed = true;
    m_start = event->position().toPoint();
    event->accept();
}

void CSelectPanelUI::mouseMoveEvent(QMouseEvent* event) {
    QFrame::mouseMoveEvent(event);
    if (m_pressed) m_dragging = true;
    if (!m_dragging) return;
    m_current = event->position().toPoint();
    const int left = std::min(m_start.x(), m_current.x());
    const int right = std::max(m_start.x(), m_current.x());
    const int top = std::min(m_start.y(), m_current.y());
    const int bottom = std::max(m_start.y(), m_current.y());
    m_selection = QRect(left, top, right - left, bottom - top);
    updateGeometry();
}

void CSelectPanelUI::mouseReleaseEvent(QMouseEvent* event) {
    QFrame::mouseReleaseEvent(event);
    if (event->button() != Qt::LeftButton) return;
    m_pressed = false;
    if (!m_dragging) return;
    m_dragging = false;
    m_start = m_current;
    markKeyButtons();
    updateGeometry();
    NotifyDispatcher::emitFrom(this, QStringLiteral("click_select_end"));
}

void CSelectPanelUI::markKeyButtons() {
    for (QWidget* child : findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (!isKeyButton(child)) continue;
        // QRect::intersects() counts a rectangle of zero height as a line; the overlap must
        // have an area.
        const bool marked = !(child->geometry() & m_selection).isEmpty();
        if (auto* key = qobject_cast<CDeviceKeyButtonUI*>(child)) {
            key->setMarked(marked);
        } else {
            child->setProperty("marked", marked);
        }
    }
}

}  // namespace md
