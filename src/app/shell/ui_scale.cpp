#include "app/shell/ui_scale.h"

#include "common/dbg_out.h"

namespace md {

int checkUiScale(int scale, std::string_view errorLine) {
    switch (scale) {
        case 48:
        case 72:
        case 96:
        case 120:
        case 144:
        case 168:
        case 192:
            return scale;
        default:
            dbgOut(errorLine);
            return 96;
    }
}

int monitorUiScale(int width, int height) {
    return width > 1500 && height > 960 ? 144 : 96;
}

}  // namespace md
