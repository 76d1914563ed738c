#include "controls/device_key_button_ui.h"

#include <QMouseEvent>
#include <QPainter>
#include <algorithm>

#include "controls/control_attribute.h"
#include "controls/image_description.h"
#include "ui/notify_dispatcher.h"
#include "ui/partial_picture.h"

namespace md {

CDeviceKeyButtonUI::CDeviceKeyButtonUI(QWidget* parent) : QPushButton(parent) {
    setProperty("controlClass", QString::fromLatin1(kClass));
    // Transparent unless a style sheet gives the key a look (the LED preview does).
    setFlat(true);
    setFocusPolicy(Qt::NoFocus);
}

void CDeviceKeyButtonUI::setAttribute(const QString& name, const QString& value) {
    const QString key = name.toLower();
    if (key == QLatin1String("lightimage")) {
        m_lightImage = value;
        update();
    } else if (key == QLatin1String("keysetimage")) {
        m_keysetImage = value;
        update();
    }
}

void CDeviceKeyButtonUI::setLight(uint32_t colour, uint32_t alpha, bool on) {
    m_lightColour = colour;
    m_lightAlpha = alpha;
    m_lightOn = on;
}

void CDeviceKeyButtonUI::setKeysetHidden(bool hidden) {
    if (m_keysetHidden == hidden) return;
    m_keysetHidden = hidden;
    update();
}

void CDeviceKeyButtonUI::setMarked(bool marked) {
    if (m_marked != marked) m_marked = marked;
}

bool CDeviceKeyButtonUI::event(QEvent* e) {
    if (auto a = dynamicAttribute(this, e)) setAttribute(a->name, a->value);
    return QPushButton::event(e);
}

void CDeviceKeyButtonUI::paintEvent(QPaintEvent* event) {
    // The LED preview's colour ("ledColour", set by the device page): a round lamp.
    const QVariant led = property("ledColour");
    if (led.isValid()) {
        QPainter lamp(this);
        paintLamp(lamp, led.value<QColor>());
    }
    QPushButton::paintEvent(event);
    QPainter p(this);
    if (m_lightOn && !m_lightImage.isEmpty()) {
        const QColor tint(int(m_lightColour & 0xFF), int((m_lightColour >> 8) & 0xFF),
                          int((m_lightColour >> 16) & 0xFF));
        drawImageDescription(p, rect(), m_lightImage, tint,
                             int(std::min<uint32_t>(m_lightAlpha, 255)));
    }
    if (!m_keysetHidden && !m_keysetImage.isEmpty()) drawImageDescription(p, rect(), m_keysetImage);
}

void CDeviceKeyButtonUI::paintLamp(QPainter& p, const QColor& c) {
    const qreal dpr = devicePixelRatioF();
    const QSize pixels = (QSizeF(size()) * dpr).toSize();
    if (pixels.isEmpty()) return;
    if (m_lampShape.size() != pixels) {
        // Round unless the picture gives its lamps a corner radius ("lampRadius").
        const QVariant corner = property("lampRadius");
        const qreal radius = corner.isValid() ? corner.toReal() : std::min(width(), height()) / 2.0;
        const QRectF r = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
        for (QImage* img : {&m_lampShape, &m_lampRim}) {
            *img = QImage(pixels, QImage::Format_ARGB32_Premultiplied);
            img->setDevicePixelRatio(dpr);
            img->fill(Qt::transparent);
        }
        QPainter shape(&m_lampShape);
        shape.setRenderHint(QPainter::Antialiasing);
        shape.setPen(Qt::NoPen);
        shape.setBrush(Qt::white);
        shape.drawRoundedRect(r, radius, radius);
        QPainter rim(&m_lampRim);
        rim.setRenderHint(QPainter::Antialiasing);
        rim.setPen(QPen(QColor(255, 255, 255, 40), 1));
        rim.setBrush(Qt::NoBrush);
        rim.drawRoundedRect(r, radius, radius);
    }
    m_lamp = m_lampShape.copy();
    {
        QPainter tint(&m_lamp);
        tint.setCompositionMode(QPainter::CompositionMode_SourceIn);
        // In bands, as every small repaint (see ui/partial_picture.h).
        const QRect all(QPoint(), QSizeF(QSizeF(m_lamp.size()) / dpr).toSize());
        forEachBand(all, [&](const QRect& band) { tint.fillRect(band, c); });
    }
    p.drawImage(QPointF(0, 0), m_lamp);
    p.drawImage(QPointF(0, 0), m_lampRim);
}

void CDeviceKeyButtonUI::mouseDoubleClickEvent(QMouseEvent* event) {
    if (!isEnabled() || !rect().contains(event->position().toPoint())) {
        QPushButton::mouseDoubleClickEvent(event);
        return;
    }
    // Pressed and holding the mouse, as for a press.
    QPushButton::mouseDoubleClickEvent(event);
    NotifyDispatcher::emitFrom(this, QStringLiteral("dbclick"));
    update();
}

}  // namespace md
