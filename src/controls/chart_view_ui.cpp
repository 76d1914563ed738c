#include "controls/chart_view_ui.h"

#include <QPaintEvent>
#include <QPainter>

#include "controls/control_attribute.h"
#include "controls/image_description.h"

namespace md {

CChartViewUI::CChartViewUI(QWidget* parent) : QWidget(parent) {
    setProperty("controlClass", QString::fromLatin1(kClass));
}

void CChartViewUI::setAttribute(const QString& name, const QString& value) {
    const QString key = name.toLower();
    if (key == QLatin1String("view")) {
        if (value == QLatin1String("pie")) m_view = Pie;
        if (value == QLatin1String("histpgram")) m_view = Histogram;
    } else if (key == QLatin1String("shadowimage")) {
        m_shadowImage = value;
    } else if (key == QLatin1String("shadowimageheight")) {
        m_shadowImageHeight = value.toInt();
    } else if (key == QLatin1String("pillarimage")) {
        m_pillarImage = value;
    } else if (key == QLatin1String("pillarimagewidth")) {
        m_pillarImageWidth = value.toInt();
    } else if (key == QLatin1String("showhtml")) {
        m_showHtml = attributeFlag(value);
    } else if (key == QLatin1String("showtext")) {
        m_showText = attributeFlag(value);
    } else if (key == QLatin1String("font")) {
        m_font = value.toInt();
    } else {
        return;
    }
    update();
}

QRect CChartViewUI::shadowRect() const {
    const int t = m_showText ? kTextHeight : 0;
    const int bottom = height() - t;
    return QRect(0, bottom - m_shadowImageHeight, width(), m_shadowImageHeight);
}

bool CChartViewUI::event(QEvent* e) {
    if (auto a = dynamicAttribute(this, e)) setAttribute(a->name, a->value);
    return QWidget::event(e);
}

void CChartViewUI::paintEvent(QPaintEvent* event) {
    if (m_view != Histogram || m_shadowImage.isEmpty()) return;
    const QRect strip = shadowRect();
    if (!strip.intersects(event->rect())) return;
    QPainter p(this);
    p.setClipRegion(event->region());
    if (!drawImageDescription(p, strip, m_shadowImage)) m_shadowImage.clear();
}

}  // namespace md
