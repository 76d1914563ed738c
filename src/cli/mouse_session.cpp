#include "cli/mouse_session.h"

#include <ostream>

namespace md::cli {

const VerbDeviceKind kMouseVerbKind = verbKindOf(kind::kMouseWired);

std::unique_ptr<MouseSession> openMouse(CliContext& ctx, int& exitCode) {
    auto s = openVerbSession<MouseSession>(ctx, kMouseVerbKind, exitCode);
    if (!s) return nullptr;
    if (!s->controller.readDeviceAndKeys()) {
        *ctx.err << (s->link.isWireless()
                         ? "the mouse does not answer through its receiver (switched off?)\n"
                         : "the mouse's device information could not be read\n");
        exitCode = kExitDeviceError;
        return nullptr;
    }
    return s;
}

}  // namespace md::cli
