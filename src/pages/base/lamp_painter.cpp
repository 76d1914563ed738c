#include "pages/base/lamp_painter.h"

#include <QEvent>
#include <QPainter>
#include <QWidget>

namespace md {
namespace {
constexpr const char* kPaintedProperty = "md_lamp_painted";
}

LampPainter& LampPainter::instance() {
    static LampPainter* painter = new LampPainter();  // lives as long as the application
    return *painter;
}

void LampPainter::show(QWidget* lamp, const QColor& colour) {
    if (!lamp) return;
    if (!lamp->property(kPaintedProperty).toBool()) {
        lamp->setProperty(kPaintedProperty, true);
        lamp->installEventFilter(this);
    }
    lamp->setProperty("ledColour", colour);
    lamp->update();
}

bool LampPainter::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::Paint) return false;
    auto* lamp = qobject_cast<QWidget*>(watched);
    if (!lamp) return false;
    const QColor colour = lamp->property("ledColour").value<QColor>();
    QPainter p(lamp);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF r = QRectF(lamp->rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    const qreal radius = std::min(r.width(), r.height()) / 2;
    p.setPen(QColor(255, 255, 255, 40));
    p.setBrush(colour);
    p.drawRoundedRect(r, radius, radius);
    return true;
}

}  // namespace md
