#include "controls/hand_img_button_ui.h"

#include <QPainter>

#include "controls/control_attribute.h"
#include "controls/image_description.h"
#include "ui/notify_dispatcher.h"

namespace md {

CHandImgButtonUI::CHandImgButtonUI(QWidget* parent) : QPushButton(parent) {
    setProperty("controlClass", QString::fromLatin1(kClass));
}

void CHandImgButtonUI::setAttribute(const QString& name, const QString& value) {
    if (name.compare(QLatin1String("handimage"), Qt::CaseInsensitive) != 0) return;
    m_handImage = value;
    update();
}

bool CHandImgButtonUI::event(QEvent* e) {
    if (auto a = dynamicAttribute(this, e)) setAttribute(a->name, a->value);
    return QPushButton::event(e);
}

void CHandImgButtonUI::paintEvent(QPaintEvent* event) {
    QPushButton::paintEvent(event);
    if (m_handImage.isEmpty()) return;
    QPainter p(this);
    drawImageDescription(p, rect(), m_handImage);
}

void CHandImgButtonUI::enterEvent(QEnterEvent* event) {
    if (isEnabled()) {
        m_hot = true;
        NotifyDispatcher::emitFrom(this, QStringLiteral("msenter"));
        update();
    }
    QPushButton::enterEvent(event);
}

void CHandImgButtonUI::leaveEvent(QEvent* event) {
    if (isEnabled()) {
        m_hot = false;
        NotifyDispatcher::emitFrom(this, QStringLiteral("msleave"));
        update();
    }
    QPushButton::leaveEvent(event);
}

}  // namespace md
