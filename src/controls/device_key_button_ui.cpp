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
    // Keys take the focus from Tab (keyboard_access.h), lamps never.
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_Hover);
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

bool CDeviceKeyButtonUI::isIndicator() const {
    const QString look = property("class").toString();
    return look != QLatin1String("keycap") && look != QLatin1String("keyspot");
}

bool CDeviceKeyButtonUI::event(QEvent* e) {
    if (auto a = dynamicAttribute(this, e)) setAttribute(a->name, a->value);
    return QPushButton::event(e);
}

void CDeviceKeyButtonUI::paintEvent(QPaintEvent* event) {
    if (property("class").toString() == QLatin1String("keycap")) {
        QPainter cap(this);
        paintKeycap(cap);
        return;
    }
    if (m_ledColour.isValid()) {
        QPainter lamp(this);
        paintLamp(lamp, m_ledColour);
        // A plain lamp has nothing else to draw: the style's button would only cost time.
        if (text().isEmpty() && m_lightImage.isEmpty() && m_keysetImage.isEmpty()) return;
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

void CDeviceKeyButtonUI::setLedColour(const QColor& colour) {
    if (colour == m_ledColour) return;
    m_ledColour = colour;
    update();
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

void CDeviceKeyButtonUI::paintKeycap(QPainter& p) {
    const bool chosen = property("selected").toBool();
    const bool reassigned = property("reassigned").toBool();
    const int state =
        (isEnabled() ? 0 : 1) | (underMouse() ? 2 : 0) | (chosen ? 4 : 0) | (reassigned ? 8 : 0);
    const qreal dpr = devicePixelRatioF();
    const QSize pixels = (QSizeF(size()) * dpr).toSize();
    if (pixels.isEmpty()) return;
    if (m_cap.size() != pixels || m_capState != state || m_capText != text()) {
        m_cap = QImage(pixels, QImage::Format_ARGB32_Premultiplied);
        m_cap.setDevicePixelRatio(dpr);
        m_cap.fill(Qt::transparent);
        QPainter c(&m_cap);
        c.setRenderHint(QPainter::Antialiasing);
        // Inset by 2 px: the lamp under the cap shows as a lit rim.
        const QRectF r = QRectF(rect()).adjusted(2.5, 2.5, -2.5, -2.5);
        QColor border(255, 255, 255, 26), fill(12, 15, 22, 204), ink(0xDC, 0xE2, 0xEC);
        if (reassigned) border = QColor(76, 194, 255, 140), ink = QColor(0x4C, 0xC2, 0xFF);
        if (state & 2) border = QColor(0x00, 0x99, 0xFF), ink = Qt::white;
        if (chosen)
            fill = QColor(0, 153, 255, 97), border = QColor(0x00, 0x99, 0xFF), ink = Qt::white;
        if (!isEnabled()) ink = QColor(0x5D, 0x66, 0x79);
        c.setPen(QPen(border, chosen ? 2 : 1));
        c.setBrush(fill);
        c.drawRoundedRect(r, 5, 5);
        QFont f = font();
        f.setPixelSize(property("long").toBool() ? 7 : 9);
        c.setFont(f);
        c.setPen(ink);
        c.drawText(r, Qt::AlignCenter, text());
        m_capState = state;
        m_capText = text();
    }
    p.drawImage(QPointF(0, 0), m_cap);
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
