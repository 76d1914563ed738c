#pragma once
// The keyboard opened for a verb (see verb_session.h).

#include <memory>

#include "cli/verb_session.h"
#include "devices/keyboard/keyboard_controller.h"
#include "profiles/keyboard_profiledata.h"

namespace md::cli {

// How the keyboard is found and where its profiles are.
extern const VerbDeviceKind kKeyboardVerbKind;

using KeyboardSession = VerbSession<CKeyboardProfiledata, KeyboardController>;

// True for the --device names of the keyboard (its cable and its receiver).
bool isKeyboardName(const std::string& device);

// Opens the keyboard chosen with --device (keyboard or keyboard-receiver; the first found
// otherwise), attaches it (device information, key tables and maps) and loads its current
// profile. nullptr with exitCode set and a message printed when that fails.
std::unique_ptr<KeyboardSession> openKeyboard(CliContext& ctx, int& exitCode);

// settings [set NAME VALUE], lighting, keys [set KEY FUNCTION] on the keyboard.
int runKeyboardVerb(CliContext& ctx, const std::string& verb);

}  // namespace md::cli
