#include "devices/mouse/mouse_dpi_scale.h"

#include <algorithm>

namespace md {

int dpiResolutionOfPosition(int p) {
    p = std::clamp(p, 0, kDpiPositionMax);
    const int r = p <= 48 ? 38 * p + 608 : p <= 80 ? 76 * p - 1216 : 152 * p - 7296;
    return r / 100 * 100;
}

int dpiPositionOfResolution(int t) {
    const int v = std::clamp(t, kDpiTypedMin, kDpiTypedMax) + 99;
    if (v <= 2432) return (v - 608) / 38;
    if (v <= 4864) return 48 + (v - 2432) / 76;
    if (v <= 7296) return 80 + (v - 4864) / 152;
    return kDpiPositionMax;
}

}  // namespace md
