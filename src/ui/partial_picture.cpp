#include "ui/partial_picture.h"

#include <QCoreApplication>
#include <QEvent>
#include <QLabel>
#include <QPaintEvent>
#include <QPainter>
#include <QStyleOption>
#include <algorithm>

namespace md {
namespace {

class PartialPicturePainter final : public QObject {
  public:
    using QObject::QObject;

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::Paint) return false;
        auto* label = qobject_cast<QLabel*>(watched);
        if (!label) return false;
        const QPixmap pm = label->pixmap();
        if (pm.isNull()) return false;
        // The styled background was painted before this event; the picture goes on top.
        QPainter p(label);
        const QSize size = (QSizeF(pm.size()) / pm.devicePixelRatio()).toSize();
        const QRect target = QStyle::alignedRect(label->layoutDirection(), Qt::AlignCenter, size,
                                                 label->contentsRect());
        blitInParts(p, pm, target, static_cast<QPaintEvent*>(event)->region());
        return true;
    }
};

class StyledPanelPainter final : public QObject {
  public:
    using QObject::QObject;

    bool eventFilter(QObject* watched, QEvent* event) override {
        auto* panel = qobject_cast<QWidget*>(watched);
        if (!panel) return false;
        if (event->type() == QEvent::StyleChange || event->type() == QEvent::PaletteChange) {
            panel->setProperty(kCache, QVariant());
            return false;
        }
        if (event->type() != QEvent::Paint) return false;
        const qreal dpr = panel->devicePixelRatioF();
        QPixmap cache = panel->property(kCache).value<QPixmap>();
        if (cache.isNull() || cache.deviceIndependentSize().toSize() != panel->size() ||
            cache.devicePixelRatio() != dpr) {
            cache = QPixmap((QSizeF(panel->size()) * dpr).toSize());
            cache.setDevicePixelRatio(dpr);
            cache.fill(Qt::transparent);
            QPainter cp(&cache);
            QStyleOption opt;
            opt.initFrom(panel);
            panel->style()->drawPrimitive(QStyle::PE_Widget, &opt, &cp, panel);
            panel->setProperty(kCache, cache);
        }
        QPainter p(panel);
        blitInParts(p, cache, panel->rect(), static_cast<QPaintEvent*>(event)->region());
        return true;
    }

  private:
    static constexpr const char* kCache = "_md_panelCache";
};

}  // namespace

void blitInParts(QPainter& p, const QPixmap& pm, const QRect& target, const QRegion& dirty) {
    const qreal dpr = pm.devicePixelRatio();
    for (const QRect& r : dirty) {
        const QRect part = r.intersected(target);
        // Bands of at most kBandRows rows: the raster engine hands every taller operation to
        // its worker threads, which costs more than the few pixels of a small change.
        forEachBand(part, [&](const QRect& band) {
            const QRect source = band.translated(-target.topLeft());
            p.drawPixmap(band, pm,
                         QRectF(QPointF(source.topLeft()) * dpr, QSizeF(source.size()) * dpr));
        });
    }
}

void paintStyledPanelInParts(QWidget* panel) {
    static StyledPanelPainter* painter = new StyledPanelPainter(qApp);
    if (!panel) return;
    // Qt would draw the styled background itself before the paint event: the filter does.
    panel->setAttribute(Qt::WA_NoSystemBackground);
    panel->installEventFilter(painter);
}

void paintPictureInParts(QLabel* label) {
    static PartialPicturePainter* painter = new PartialPicturePainter(qApp);
    if (label) label->installEventFilter(painter);
}

}  // namespace md
