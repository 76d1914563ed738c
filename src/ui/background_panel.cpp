#include "ui/background_panel.h"

#include <QPaintEvent>
#include <QPainter>
#include <QStyleOption>

#include "ui/partial_picture.h"
#include "ui/resource_manager.h"

namespace md {

BackgroundPanel::BackgroundPanel(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_StyledBackground, true);
}

void BackgroundPanel::setBackgroundColor(const QColor& c) {
    m_color = c;
    update();
}

void BackgroundPanel::setBackgroundImage(const QString& image) {
    m_image = image;
    m_pixmap = image.isEmpty() ? QPixmap() : QPixmap(ResourceManager::instance().resolve(image));
    m_scaled = QPixmap();
    update();
}

void BackgroundPanel::paintEvent(QPaintEvent* event) {
    QPainter p(this);
    QStyleOption opt;
    opt.initFrom(this);
    style()->drawPrimitive(QStyle::PE_Widget, &opt, &p, this);
    // Only what needs repainting: a small lamp changing over the background must not redraw
    // the whole image.
    const QRegion& dirty = event->region();
    if (m_color.isValid() && m_color.alpha() > 0)
        for (const QRect& r : dirty) p.fillRect(r, m_color);
    if (m_pixmap.isNull()) return;
    const qreal dpr = devicePixelRatioF();
    const QSize scaled = m_pixmap.size().scaled(size(), Qt::KeepAspectRatioByExpanding);
    if (m_scaled.isNull() || m_scaled.deviceIndependentSize().toSize() != scaled ||
        m_scaled.devicePixelRatio() != dpr) {
        m_scaled = m_pixmap.scaled(scaled * dpr, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        m_scaled.setDevicePixelRatio(dpr);
    }
    const QPoint origin((width() - scaled.width()) / 2, (height() - scaled.height()) / 2);
    blitInParts(p, m_scaled, QRect(origin, scaled), dirty);
}

}  // namespace md
