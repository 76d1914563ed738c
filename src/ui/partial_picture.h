#pragma once
// Skin pictures (labels showing a skin image) repaint only the parts that changed: a small lamp
// changing over a large device picture must not redraw the whole picture, which costs the
// raster engine a pass over every pixel of it (and its worker threads).

#include <QRect>

class QLabel;
class QPainter;
class QPixmap;
class QRegion;
class QWidget;

namespace md {

// Rows per drawing operation when a picture is repainted in parts.
inline constexpr int kBandRows = 64;
// Calls draw(band) for the bands of at most kBandRows rows that make up rect.
template <typename Draw>
void forEachBand(const QRect& rect, Draw draw) {
    for (int top = rect.top(); top <= rect.bottom(); top += kBandRows)
        draw(QRect(rect.left(), top, rect.width(),
                   rect.bottom() + 1 - top < kBandRows ? rect.bottom() + 1 - top : kBandRows));
}
// Draws the parts of pm (placed at target) that the dirty region covers, in bands of rows.
void blitInParts(QPainter& p, const QPixmap& pm, const QRect& target, const QRegion& dirty);

// Takes over the painting of label's pixmap (centred, unscaled) for the dirty rectangles only.
void paintPictureInParts(QLabel* label);

// Makes widget opaque: it paints a snapshot of what its ancestors draw under it (taken once per
// size, position and style) before its own painting. For a picture under lamps that repaint many
// times a second, so that their repaints stop at the picture.
void paintOverBackdrop(QWidget* widget);

// A panel whose style sheet gives it a large rounded, translucent background: the background
// is rendered once per size (and style) and then repainted in parts like a picture. Drawing it
// anew would rasterise the whole rounded shape for every small change inside it.
void paintStyledPanelInParts(QWidget* panel);

}  // namespace md
