#include "ui/partial_picture.h"

#include <QCoreApplication>
#include <QEvent>
#include <QLabel>
#include <QPaintEvent>
#include <QPainter>
#include <QStyleOption>
#include <QTimer>
#include <algorithm>
#include <vector>

namespace md {
namespace {

// A transparent pixmap of the widget's size at its device pixel ratio.
QPixmap transparentPixmapOf(const QWidget* widget) {
    const qreal dpr = widget->devicePixelRatioF();
    QPixmap pm((QSizeF(widget->size()) * dpr).toSize());
    pm.setDevicePixelRatio(dpr);
    pm.fill(Qt::transparent);
    return pm;
}

// What the style sheet draws as the widget's own background.
void drawStyledBackground(QWidget* widget, QPainter& p) {
    QStyleOption opt;
    opt.initFrom(widget);
    widget->style()->drawPrimitive(QStyle::PE_Widget, &opt, &p, widget);
}

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
        QPixmap cache = panel->property(kCache).value<QPixmap>();
        if (cache.isNull() || cache.deviceIndependentSize().toSize() != panel->size() ||
            cache.devicePixelRatio() != panel->devicePixelRatioF()) {
            cache = transparentPixmapOf(panel);
            QPainter cp(&cache);
            drawStyledBackground(panel, cp);
            panel->setProperty(kCache, cache);
        }
        QPainter p(panel);
        blitInParts(p, cache, panel->rect(), static_cast<QPaintEvent*>(event)->region());
        return true;
    }

  private:
    static constexpr const char* kCache = "_md_panelCache";
};

// The backdrop of an opaque picture under lamps: what its ancestors draw under it, from a
// snapshot taken once per size, position and style. The picture being opaque, a lamp's repaint
// stops at the picture instead of repainting every styled panel and the window beneath it.
constexpr const char* kBackdropCache = "_md_backdropCache";
constexpr const char* kHasBackdrop = "_md_hasBackdrop";
constexpr const char* kPaintedInParts = "_md_paintedInParts";

QPixmap backdropSnapshot(QWidget* widget) {
    QPixmap cache = transparentPixmapOf(widget);
    std::vector<QWidget*> chain;
    for (QWidget* a = widget->parentWidget(); a; a = a->isWindow() ? nullptr : a->parentWidget())
        chain.push_back(a);
    // The window first, then each ancestor over it: their own painting (styled backgrounds
    // included), not their children. Only the window fills its background regardless.
    for (auto it = chain.rbegin(); it != chain.rend(); ++it) {
        const QPoint at = widget->mapTo(*it, QPoint(0, 0));
        (*it)->render(&cache, QPoint(0, 0), QRegion(QRect(at, widget->size())),
                      (*it)->isWindow() ? QWidget::DrawWindowBackground : QWidget::RenderFlags());
    }
    QPainter p(&cache);
    // The widget's own styled background, which Qt skips for an opaque widget.
    drawStyledBackground(widget, p);
    return cache;
}

// Paints the backdrop when the widget has one; false while it has none (not opaque then).
bool paintBackdrop(QWidget* widget, QPainter& p, const QRegion& dirty) {
    const QPixmap cache = widget->property(kBackdropCache).value<QPixmap>();
    if (cache.isNull()) return false;
    blitInParts(p, cache, widget->rect(), dirty);
    return true;
}

// The snapshot is taken outside painting, once the widget's place settled: until then the
// widget is painted over its ancestors as usual.
class BackdropPainter final : public QObject {
  public:
    using QObject::QObject;

    bool eventFilter(QObject* watched, QEvent* event) override {
        auto* widget = qobject_cast<QWidget*>(watched);
        if (!widget) return false;
        switch (event->type()) {
            case QEvent::Resize:
            case QEvent::Move:
            case QEvent::Show:
            case QEvent::StyleChange:
            case QEvent::PaletteChange:
            case QEvent::ParentChange:
                forget(widget);
                return false;
            case QEvent::Paint:
                // A picture painted in parts draws its backdrop itself (filters run in either
                // order); anything else gets it here and paints itself over it.
                if (!widget->property(kPaintedInParts).toBool()) {
                    QPainter p(widget);
                    paintBackdrop(widget, p, static_cast<QPaintEvent*>(event)->region());
                }
                return false;
            default:
                return false;
        }
    }

  private:
    static void forget(QWidget* widget) {
        widget->setAttribute(Qt::WA_OpaquePaintEvent, false);
        widget->setProperty(kBackdropCache, QVariant());
        QTimer::singleShot(kSettleMs, widget, [widget] {
            if (!widget->isVisible() || widget->testAttribute(Qt::WA_OpaquePaintEvent)) return;
            widget->setProperty(kBackdropCache, backdropSnapshot(widget));
            widget->setAttribute(Qt::WA_OpaquePaintEvent);
        });
    }
    static constexpr int kSettleMs = 200;
};

class PartialPicturePainter final : public QObject {
  public:
    using QObject::QObject;

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::Paint) return false;
        auto* label = qobject_cast<QLabel*>(watched);
        if (!label) return false;
        const QPixmap pm = label->pixmap();
        if (pm.isNull()) return false;
        // The styled background was painted before this event (or is part of the backdrop);
        // the picture goes on top.
        QPainter p(label);
        const QRegion& dirty = static_cast<QPaintEvent*>(event)->region();
        paintBackdrop(label, p, dirty);
        const QSize size = (QSizeF(pm.size()) / pm.devicePixelRatio()).toSize();
        const QRect target = QStyle::alignedRect(label->layoutDirection(), Qt::AlignCenter, size,
                                                 label->contentsRect());
        blitInParts(p, pm, target, dirty);
        return true;
    }
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

void paintOverBackdrop(QWidget* widget) {
    static BackdropPainter* painter = new BackdropPainter(qApp);
    if (!widget || widget->property(kHasBackdrop).toBool()) return;
    widget->setProperty(kHasBackdrop, true);
    widget->installEventFilter(painter);
}

void paintPictureInParts(QLabel* label) {
    static PartialPicturePainter* painter = new PartialPicturePainter(qApp);
    if (!label) return;
    label->setProperty(kPaintedInParts, true);
    label->installEventFilter(painter);
}

}  // namespace md
