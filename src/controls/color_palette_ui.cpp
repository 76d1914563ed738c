#include "controls/color_palette_ui.h"

#include <QKeyEvent>
#include <QLinearGradient>
#include <QMouseEvent>
#include <QPainter>
#include <algorithm>

#include "ui/notify_dispatcher.h"

namespace md {
namespace {

int scale(int pos, int extent, int range) {
    if (extent <= 1) return 0;
    return std::clamp(static_cast<int>(std::lround(double(pos) * range / (extent - 1))), 0, range);
}

}  // namespace

CColorPaletteUI::CColorPaletteUI(QWidget* parent) : QWidget(parent) {
    setProperty("controlClass", QString::fromLatin1(kClass));
    setCursor(Qt::CrossCursor);
    setMinimumSize(120, 80);
    setFocusPolicy(Qt::TabFocus);
    setProperty("keyboardControl", true);
}

QRect CColorPaletteUI::fieldRect() const {
    return QRect(0, 0, width(), std::max(0, height() - kStripHeight - kGap));
}

QRect CColorPaletteUI::stripRect() const {
    return QRect(0, height() - kStripHeight, width(), kStripHeight);
}

void CColorPaletteUI::setColour(const QColor& colour) {
    if (!colour.isValid()) return;
    m_colour = colour.toRgb();
    const QColor hsv = colour.toHsv();
    if (hsv.hsvHue() >= 0) m_hue = hsv.hsvHue();
    m_saturation = hsv.hsvSaturation();
    m_value = hsv.value();
    update();
}

CColorPaletteUI::Area CColorPaletteUI::areaAt(const QPoint& p) const {
    return p.y() < fieldRect().bottom() + 1 + kGap / 2 ? Area::Field : Area::Strip;
}

CColorPaletteUI::Hsv CColorPaletteUI::hsvIn(Area area, const QPoint& p) const {
    if (area == Area::Field) {
        const QRect field = fieldRect();
        const int x = std::clamp(p.x() - field.left(), 0, field.width() - 1);
        const int y = std::clamp(p.y() - field.top(), 0, field.height() - 1);
        return {std::min(scale(x, field.width(), 360), 359), 255 - scale(y, field.height(), 255),
                m_value};
    }
    const QRect strip = stripRect();
    const int x = std::clamp(p.x() - strip.left(), 0, strip.width() - 1);
    return {m_hue, m_saturation, scale(x, strip.width(), 255)};
}

QColor CColorPaletteUI::colourAt(const QPoint& p) const {
    const Hsv c = hsvIn(areaAt(p), p);
    return QColor::fromHsv(c.hue, c.saturation, c.value).toRgb();
}

void CColorPaletteUI::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const QRect field = fieldRect();
    const QRect strip = stripRect();

    // Hue runs left to right at full saturation; a vertical blend towards the grey of the
    // current brightness lowers the saturation downwards (exact for HSV, which is linear in S).
    QLinearGradient hue(field.left(), 0, field.right(), 0);
    for (int h = 0; h <= 360; h += 60)
        hue.setColorAt(h / 360.0, QColor::fromHsv(h % 360, 255, m_value));
    p.fillRect(field, hue);
    QLinearGradient sat(0, field.top(), 0, field.bottom());
    QColor grey = QColor::fromHsv(0, 0, m_value);
    sat.setColorAt(1.0, grey);
    grey.setAlpha(0);
    sat.setColorAt(0.0, grey);
    p.fillRect(field, sat);

    QLinearGradient value(strip.left(), 0, strip.right(), 0);
    value.setColorAt(0.0, Qt::black);
    value.setColorAt(1.0, QColor::fromHsv(m_hue, m_saturation, 255));
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(value);
    p.drawRoundedRect(QRectF(strip), kStripHeight / 2.0, kStripHeight / 2.0);

    // Markers: a ring on the picked hue / saturation and a knob on the brightness.
    const QPointF fieldMark(field.left() + m_hue / 359.0 * (field.width() - 1),
                            field.top() + (255 - m_saturation) / 255.0 * (field.height() - 1));
    const QPointF stripMark(strip.left() + m_value / 255.0 * (strip.width() - 1),
                            strip.center().y() + 0.5);
    p.setBrush(Qt::NoBrush);
    for (const QPointF& c : {fieldMark, stripMark}) {
        p.setPen(QPen(QColor(0, 0, 0, 120), 3));
        p.drawEllipse(c, 6, 6);
        p.setPen(QPen(Qt::white, 1.5));
        p.drawEllipse(c, 6, 6);
    }
}

void CColorPaletteUI::pick(const QPoint& point) {
    choose(hsvIn(m_dragArea, point));
}

void CColorPaletteUI::choose(const Hsv& picked) {
    m_hue = picked.hue;
    m_saturation = picked.saturation;
    m_value = picked.value;
    const QColor c = QColor::fromHsv(m_hue, m_saturation, m_value).toRgb();
    const bool changed = c.rgb() != m_colour.rgb();
    m_colour = c;
    update();
    if (changed)
        NotifyDispatcher::emitFrom(this, QStringLiteral("colorchanged"), c.rgb() & 0xFFFFFF);
}

void CColorPaletteUI::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !isEnabled()) return QWidget::mousePressEvent(event);
    const QPoint p = event->position().toPoint();
    m_dragArea = areaAt(p);
    pick(p);
    event->accept();
}

void CColorPaletteUI::mouseMoveEvent(QMouseEvent* event) {
    if (m_dragArea == Area::None) return QWidget::mouseMoveEvent(event);
    pick(event->position().toPoint());
    event->accept();
}

void CColorPaletteUI::keyPressEvent(QKeyEvent* event) {
    Hsv next{m_hue, m_saturation, m_value};
    switch (event->key()) {
        case Qt::Key_Left:
            next.hue = (m_hue + 360 - kHueStep) % 360;
            break;
        case Qt::Key_Right:
            next.hue = (m_hue + kHueStep) % 360;
            break;
        case Qt::Key_Up:
            next.saturation = std::min(255, m_saturation + kLevelStep);
            break;
        case Qt::Key_Down:
            next.saturation = std::max(0, m_saturation - kLevelStep);
            break;
        case Qt::Key_PageUp:
            next.value = std::min(255, m_value + kLevelStep);
            break;
        case Qt::Key_PageDown:
            next.value = std::max(0, m_value - kLevelStep);
            break;
        default:
            return QWidget::keyPressEvent(event);
    }
    if (!isEnabled()) return;
    choose(next);
    event->accept();
}

void CColorPaletteUI::mouseReleaseEvent(QMouseEvent* event) {
    m_dragArea = Area::None;
    QWidget::mouseReleaseEvent(event);
}

}  // namespace md
