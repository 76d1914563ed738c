#include "cli/keyboard_session.h"

#include <ostream>

namespace md::cli {

bool isKeyboardName(const std::string& device) {
    return device == "keyboard" || device == "keyboard-receiver";
}

const VerbDeviceKind kKeyboardVerbKind = verbKindOf(kind::kKeyboard);

std::unique_ptr<KeyboardSession> openKeyboard(CliContext& ctx, int& exitCode) {
    auto s = openVerbSession<KeyboardSession>(ctx, kKeyboardVerbKind, exitCode);
    if (!s) return nullptr;
    s->controller.loadFromProfile();
    // Inside the application the page read the keyboard's tables when it attached.
    if (s->host && s->controller.keyEntries() > 0) return s;
    if (const int r = s->controller.readDeviceAndKeys(); r != link::kOk) {
        *ctx.err << (s->controller.problem().empty()
                         ? "the keyboard's key tables could not be read: " + resultText(r)
                         : s->controller.problem())
                 << "\n";
        exitCode = kExitDeviceError;
        return nullptr;
    }
    return s;
}

}  // namespace md::cli
