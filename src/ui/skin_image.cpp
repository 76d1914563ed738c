#include "ui/skin_image.h"

#include <QFileInfo>

#include "ui/resource_manager.h"

namespace md {

QString resolveSkinImage(const QString& path) {
    if (path.isEmpty()) return {};
    const QString file = ResourceManager::instance().resolve(path);
    if (QFileInfo::exists(file)) return file;
    const int dot = file.lastIndexOf('.');
    if (dot > file.lastIndexOf('/')) {
        const QString svg = file.left(dot) + ".svg";
        if (QFileInfo::exists(svg)) return svg;
    }
    return {};
}

QIcon skinToggleIcon(const QString& normal, const QString& selected) {
    QIcon icon;
    const QString off = resolveSkinImage(normal);
    const QString on = resolveSkinImage(selected);
    if (!off.isEmpty()) icon.addFile(off, {}, QIcon::Normal, QIcon::Off);
    if (!on.isEmpty()) icon.addFile(on, {}, QIcon::Normal, QIcon::On);
    if (!off.isEmpty()) icon.addFile(off, {}, QIcon::Disabled, QIcon::Off);
    return icon;
}

}  // namespace md
