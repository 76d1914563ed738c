#pragma once
// A mouse opened for a verb: the command link on its cable or receiver collection, the current
// profile from the mouse's data folder and the controller the application's mouse model uses.
// Run inside the application, the session borrows the model's link, profile and controller.

#include <json/value.h>

#include <memory>

#include "cli/cli_context.h"
#include "cli/device_host.h"
#include "cli/device_select.h"
#include "devices/mouse/mouse_controller.h"
#include "devlink/link/device_session.h"
#include "profiles/mouse_profiledata.h"
#include "profiles/profile_list.h"

namespace md::cli {

struct MouseSession {
    // The parts a command-line run opens on its own.
    struct Owned {
        explicit Owned(std::shared_ptr<HidBackend> backend)
            : session(std::move(backend)), controller(session.link(), profile) {}
        DeviceSession session;
        CMouseProfiledata profile;
        MouseController controller;
    };
    explicit MouseSession(std::unique_ptr<Owned> own)
        : owned(std::move(own)),
          link(owned->session.link()),
          profile(owned->profile),
          controller(owned->controller) {}
    explicit MouseSession(const HostedMouse& m)
        : link(*m.link), profile(*m.profile), controller(*m.controller) {}
    ~MouseSession();
    MouseSession(const MouseSession&) = delete;
    MouseSession& operator=(const MouseSession&) = delete;

    // Puts the profile back as it was when the session opened (after a device error).
    void rollBack();

    std::unique_ptr<Owned> owned;
    SelectedDevice device;
    DeviceLink& link;
    CMouseProfiledata& profile;
    MouseController& controller;
    ProfileList profiles;
    Json::Value savedNode;  // the profile's device node as opened
    DeviceHost* host = nullptr;
    bool changed = false;  // the verb changed the mouse or its profiles
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
