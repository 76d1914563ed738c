#include "audio/level_scalar.h"

#include <algorithm>
#include <cmath>

namespace md {

float levelToScalar(int32_t level) {
    return static_cast<float>(std::clamp(level, 0, 100)) / 100.0f;
}

int32_t scalarToLevel(double scalar) {
    if (std::isnan(scalar)) return 0;
    return static_cast<int32_t>(std::lround(std::clamp(scalar, 0.0, 1.0) * 100.0));
}

}  // namespace md
