#include "devices/base/working_mode.h"

#include "common/device_kind.h"

namespace md {

WorkingModePages workingModePages(int mode, uint16_t deviceKind) {
    switch (mode) {
        case 2:
        case 6:
            return {0, 1};
        case 3:
        case 8:
            return {1, std::nullopt};
        case 5:
            return {2, std::nullopt};
        case 4:
            if (deviceKind == kind::kKeyboard || deviceKind == kind::kMouseWired)
                return {3, std::nullopt};
            return {0, 2};
        case 7:
            return {0, 2};
        default:
            return {0, 0};
    }
}

}  // namespace md
