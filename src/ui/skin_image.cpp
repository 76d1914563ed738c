#include "ui/skin_image.h"

#include <QFileInfo>
#include <QPainter>
#include <QSvgRenderer>

#include "ui/resource_manager.h"

namespace md {

QString skinImagePath(const QString& relPath) {
    if (relPath.isEmpty()) return {};
    const QString path =
        QFileInfo(relPath).isAbsolute() ? relPath : ResourceManager::instance().resolve(relPath);
    if (QFileInfo::exists(path)) return path;
    const QFileInfo info(path);
    if (info.suffix().compare(QLatin1String("svg"), Qt::CaseInsensitive) == 0) return {};
    const QString svg = info.path() + QLatin1Char('/') + info.completeBaseName() + ".svg";
    return QFileInfo::exists(svg) ? svg : QString();
}

QImage loadSkinImage(const QString& relPath, const QSize& size) {
    const QString path = skinImagePath(relPath);
    if (path.isEmpty()) return {};
    if (path.endsWith(QLatin1String(".svg"), Qt::CaseInsensitive)) {
        QSvgRenderer svg(path);
        if (!svg.isValid()) return {};
        const QSize target = size.isValid() && !size.isEmpty() ? size : svg.defaultSize();
        if (target.isEmpty()) return {};
        QImage image(target, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter p(&image);
        svg.render(&p);
        return image;
    }
    QImage image(path);
    if (!image.isNull() && size.isValid() && !size.isEmpty() && image.size() != size)
        image = image.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    return image;
}

QIcon skinToggleIcon(const QString& normal, const QString& selected) {
    QIcon icon;
    const QString off = skinImagePath(normal);
    const QString on = skinImagePath(selected);
    if (!off.isEmpty()) icon.addFile(off, {}, QIcon::Normal, QIcon::Off);
    if (!on.isEmpty()) icon.addFile(on, {}, QIcon::Normal, QIcon::On);
    if (!off.isEmpty()) icon.addFile(off, {}, QIcon::Disabled, QIcon::Off);
    return icon;
}

}  // namespace md
