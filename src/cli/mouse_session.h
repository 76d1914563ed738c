#pragma once
// The mouse opened for a verb (see verb_session.h) and what the mouse verbs share.

#include <memory>

#include "cli/verb_session.h"
#include "devices/mouse/mouse_controller.h"
#include "profiles/mouse_profiledata.h"

namespace md::cli {

// How the mouse is found and where its profiles are.
extern const VerbDeviceKind kMouseVerbKind;

using MouseSession = VerbSession<CMouseProfiledata, MouseController>;

// Opens the mouse chosen with --device (mouse or receiver; the first mouse found otherwise),
// attaches it (device information and key table) and loads its current profile. nullptr with
// exitCode set and a message printed when that fails.
std::unique_ptr<MouseSession> openMouse(CliContext& ctx, int& exitCode);

}  // namespace md::cli
