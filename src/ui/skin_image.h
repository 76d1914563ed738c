#pragma once
// Skin images by their layout path ("common/device_ico/ms_device_normal.png"). The skin draws
// its pictures as SVG: a path whose file is missing is answered by the file of the same name
// ending in ".svg" when that exists.

#include <QIcon>
#include <QString>

namespace md {

// Absolute path of the image, or an empty string when neither file exists.
QString resolveSkinImage(const QString& path);
// An icon with the normal image for the off state and the selected image for the on state.
QIcon skinToggleIcon(const QString& normal, const QString& selected);

}  // namespace md
