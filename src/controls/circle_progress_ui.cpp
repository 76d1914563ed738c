#include "controls/circle_progress_ui.h"

#include <QPainter>
#include <algorithm>

#include "controls/control_attribute.h"

namespace md {

int circleSweepDegrees(int value, int min, int max) {
    if (max <= min) return 0;
    // Measured from the minimum and kept within one turn, so that a range not starting at 0
    // or a value outside it cannot draw more than the whole ring.
    const double part = static_cast<double>(std::clamp(value, min, max) - min) / (max - min);
    return static_cast<int>(part * 360.0);
}

CCircleProgressUI::CCircleProgressUI(QWidget* parent) : QProgressBar(parent) {
    setProperty("controlClass", QString::fromLatin1(kClass));
    setTextVisible(false);
}

void CCircleProgressUI::setAttribute(const QString& name, const QString& value) {
    const QString key = name.toLower();
    if (key == QLatin1String("bkcolor")) {
        setBackgroundColour(QColor::fromString(value));
    } else if (key == QLatin1String("forecolor")) {
        setForegroundColour(QColor::fromString(value));
    } else if (key == QLatin1String("innercolor")) {
        if (const QColor c = QColor::fromString(value); c.isValid()) {
            m_inner = c;
            update();
        }
    }
}

void CCircleProgressUI::setBackgroundColour(const QColor& c) {
    if (!c.isValid()) return;
    m_background = c;
    update();
}

void CCircleProgressUI::setForegroundColour(const QColor& c) {
    if (!c.isValid()) return;
    m_foreground = c;
    update();
}

bool CCircleProgressUI::event(QEvent* e) {
    if (auto a = dynamicAttribute(this, e)) setAttribute(a->name, a->value);
    return QProgressBar::event(e);
}

void CCircleProgressUI::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    const QRectF r = QRectF(rect());
    p.setBrush(m_background);
    p.drawEllipse(r);
    // Qt counts angles counter-clockwise from 3 o'clock: the bottom is -90 degrees and a
    // clockwise sweep is negative.
    const int sweep = circleSweepDegrees(value(), minimum(), maximum());
    if (sweep != 0) {
        p.setBrush(m_foreground);
        p.drawPie(r, -90 * 16, -sweep * 16);
    }
    p.setBrush(m_inner);
    p.drawEllipse(r.adjusted(kRingWidth, kRingWidth, -kRingWidth, -kRingWidth));
}

}  // namespace md
