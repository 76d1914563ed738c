#pragma once
// Images of the skin folder for the application's controls. A path names a file relative to
// the skin folder (or an absolute one); when a described ".png" is missing, the ".svg" of the
// same base name stands in. SVG files are rendered at the requested size, or at their own size
// when none is given.

#include <QIcon>
#include <QImage>
#include <QSize>
#include <QString>

namespace md {

// The absolute path of an existing file for relPath, or an empty string.
QString skinImagePath(const QString& relPath);
// The image, or a null image when no file can be read.
QImage loadSkinImage(const QString& relPath, const QSize& size = QSize());
// An icon with the normal image for the off state and the selected image for the on state.
QIcon skinToggleIcon(const QString& normal, const QString& selected);

}  // namespace md
