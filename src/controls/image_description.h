#pragma once
// Image descriptions of the layouts: either a plain file path, or attributes such as
//
//   file='power/powered.png' source='0,0,40,20' dest='2,2,42,22' fade='200'
//
// source and dest are "left,top,right,bottom" (right and bottom exclusive); dest is relative
// to the rectangle the image is drawn into. Attributes not used by the controls (corner,
// mask, hole, xtiled, ytiled, hsl, res, restype) are accepted and ignored.

#include <QColor>
#include <QRect>
#include <QString>
#include <optional>

class QPainter;

namespace md {

struct ImageDescription {
    QString file;
    std::optional<QRect> source;
    std::optional<QRect> dest;
    int fade = 255;

    static ImageDescription parse(const QString& description);
};

// "l,t,r,b" as a rectangle of width r - l and height b - t; nothing for a malformed value.
std::optional<QRect> parseEdges(const QString& value);

// Draws the described image into target; a valid tint colours the opaque parts of the image
// with tintAlpha (0..255) of that colour. False when the image cannot be loaded.
bool drawImageDescription(QPainter& painter, const QRect& target, const QString& description,
                          const QColor& tint = QColor(), int tintAlpha = 0);

}  // namespace md
