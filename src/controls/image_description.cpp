#include "controls/image_description.h"

#include <QPainter>
#include <QRegularExpression>
#include <QStringList>
#include <algorithm>

#include "ui/skin_image.h"

namespace md {

std::optional<QRect> parseEdges(const QString& value) {
    const QStringList parts = value.split(QLatin1Char(','));
    if (parts.size() != 4) return std::nullopt;
    int e[4] = {};
    for (int i = 0; i < 4; ++i) {
        bool ok = false;
        e[i] = parts[i].trimmed().toInt(&ok);
        if (!ok) return std::nullopt;
    }
    return QRect(e[0], e[1], e[2] - e[0], e[3] - e[1]);
}

ImageDescription ImageDescription::parse(const QString& description) {
    ImageDescription d;
    if (!description.contains(QLatin1Char('='))) {
        d.file = description.trimmed();
        return d;
    }
    static const QRegularExpression attr(QStringLiteral(R"((\w+)\s*=\s*'([^']*)')"));
    for (auto it = attr.globalMatch(description); it.hasNext();) {
        const auto m = it.next();
        const QString name = m.captured(1).toLower();
        const QString value = m.captured(2);
        if (name == QLatin1String("file")) {
            d.file = value;
        } else if (name == QLatin1String("source")) {
            d.source = parseEdges(value);
        } else if (name == QLatin1String("dest")) {
            d.dest = parseEdges(value);
        } else if (name == QLatin1String("fade")) {
            d.fade = std::clamp(value.toInt(), 0, 255);
        }
    }
    return d;
}

bool drawImageDescription(QPainter& painter, const QRect& target, const QString& description,
                          const QColor& tint, int tintAlpha) {
    const ImageDescription d = ImageDescription::parse(description);
    if (d.file.isEmpty() || target.isEmpty()) return false;
    const QRect dest = d.dest ? d.dest->translated(target.topLeft()) : target;
    if (dest.isEmpty()) return false;
    // Without a source rectangle a vector image is rendered at the size it is shown at.
    QImage image = loadSkinImage(d.file, d.source ? QSize() : dest.size());
    if (image.isNull()) return false;
    QRect source = d.source ? d.source->intersected(image.rect()) : image.rect();
    if (source.isEmpty()) return false;
    image = image.copy(source).convertToFormat(QImage::Format_ARGB32_Premultiplied);
    if (tint.isValid() && tintAlpha > 0) {
        QPainter tp(&image);
        tp.setCompositionMode(QPainter::CompositionMode_SourceAtop);
        QColor c = tint;
        c.setAlpha(std::clamp(tintAlpha, 0, 255));
        tp.fillRect(image.rect(), c);
    }
    painter.save();
    painter.setOpacity(painter.opacity() * d.fade / 255.0);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(dest, image);
    painter.restore();
    return true;
}

}  // namespace md
