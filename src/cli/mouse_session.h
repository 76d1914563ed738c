#pragma once
// A mouse opened for a verb: the command link on its cable or receiver collection, the current
// profile from the mouse's data folder and the controller the application's mouse model uses.

#include <memory>
#include <optional>

#include "cli/cli_context.h"
#include "cli/device_select.h"
#include "devices/mouse/mouse_controller.h"
#include "devlink/link/device_session.h"
#include "profiles/mouse_profiledata.h"
#include "profiles/profile_list.h"

namespace md::cli {

struct MouseSession {
    explicit MouseSession(std::shared_ptr<HidBackend> backend)
        : session(std::move(backend)), link(session.link()) {}
    SelectedDevice device;
    DeviceSession session;
    DeviceLink& link;
    ProfileList profiles;
    CMouseProfiledata profile;
    std::unique_ptr<MouseController> controller;
};

// Opens the mouse chosen with --device (mouse or receiver; the first mouse found otherwise),
// attaches it (device information and key table) and loads its current profile. nullptr with
// exitCode set and a message printed when that fails.
std::unique_ptr<MouseSession> openMouse(CliContext& ctx, int& exitCode);

// "result -102 (the device reported a failure)" for a result code of the command link.
std::string resultText(int code);

// Writes the macro (or recoil) image built from the mouse's data folder; prints the outcome.
int uploadMemoryImage(CliContext& ctx, MouseSession& s, bool macros);

// Reports a device result: 0 when it is 1, else prints "<what>: <result text>" and returns 1.
int deviceResult(CliContext& ctx, const char* what, int code);

}  // namespace md::cli
