#include "controls/cloud_share_list_item_ui.h"

#include <QPainter>

namespace md {

CCloudShareListItemUI::CCloudShareListItemUI(QWidget* parent) : ListElementUI(parent) {
    setProperty("controlClass", QString::fromLatin1(kClass));
}

void CCloudShareListItemUI::setAttribute(const QString& name, const QString& value) {
    if (name.compare(QLatin1String("hotbordercolor"), Qt::CaseInsensitive) == 0) {
        if (const QColor c = QColor::fromString(value); c.isValid()) m_hotBorder = c;
        update();
        return;
    }
    ListElementUI::setAttribute(name, value);
}

void CCloudShareListItemUI::paintEvent(QPaintEvent* event) {
    ListElementUI::paintEvent(event);
    if (isSelected() || !isHot()) return;
    QPainter p(this);
    p.setPen(QPen(m_hotBorder, 1));
    p.setBrush(Qt::NoBrush);
    p.drawRect(rect().adjusted(0, 0, -1, -1));
}

}  // namespace md
