#pragma once
// A device opened for a verb: the command link on its collection, the current profile from the
// device's data folder and the controller the application's model uses. Run inside the
// application, the session borrows the model's link, profile and controller.

#include <json/value.h>

#include <memory>
#include <string>
#include <type_traits>

#include "cli/cli_context.h"
#include "cli/device_host.h"
#include "cli/device_select.h"
#include "devlink/link/device_session.h"
#include "profiles/basic_profiledata.h"
#include "profiles/profile_list.h"

namespace md::cli {

// The parts of a session that do not depend on the device's kind.
struct VerbSessionBase {
    VerbSessionBase(DeviceLink& l, CBasicProfiledata& p, DeviceDriver& d)
        : link(l), basicProfile(p), driver(d) {}
    virtual ~VerbSessionBase();
    VerbSessionBase(const VerbSessionBase&) = delete;
    VerbSessionBase& operator=(const VerbSessionBase&) = delete;

    // Puts the profile, and the lighting the driver holds, back as they were when the session
    // opened (after a device error).
    void rollBack();

    SelectedDevice device;
    DeviceLink& link;
    CBasicProfiledata& basicProfile;
    DeviceDriver& driver;  // the controller, as the kind-independent driver
    ProfileList profiles;
    Json::Value savedNode;  // the profile's device node as opened
    std::string folder;     // the device's data folder
    std::string what;       // "mouse", "keyboard": how messages name the device
    DeviceHost* host = nullptr;
    bool changed = false;  // the verb changed the device or its profiles
};

// A kind's controller over a link and a profile; the controllers that serve several kinds
// take the kind as well.
template <typename Controller, typename Profile>
Controller makeController(DeviceLink& link, Profile& profile, DeviceKind kind) {
    if constexpr (std::is_constructible_v<Controller, DeviceLink&, Profile&, DeviceKind>)
        return Controller(link, profile, kind);
    else
        return Controller(link, profile);
}

template <typename Profile, typename Controller>
struct VerbSession : VerbSessionBase {
    using Hosted = HostedDevice<Profile, Controller>;
    // The parts a command-line run opens on its own.
    struct Owned {
        Owned(std::shared_ptr<HidBackend> backend, DeviceKind kind)
            : session(std::move(backend)),
              controller(makeController<Controller>(session.link(), profile, kind)) {}
        DeviceSession session;
        Profile profile;
        Controller controller;
    };
    explicit VerbSession(std::unique_ptr<Owned> own)
        : VerbSessionBase(own->session.link(), own->profile, own->controller),
          owned(std::move(own)),
          profile(owned->profile),
          controller(owned->controller) {}
    explicit VerbSession(const Hosted& h)
        : VerbSessionBase(*h.link, *h.profile, *h.controller),
          profile(*h.profile),
          controller(*h.controller) {}

    std::unique_ptr<Owned> owned;
    Profile& profile;
    Controller& controller;
};

// How a kind of device is opened for a verb.
struct VerbDeviceKind {
    const char* cableName;     // --device names of its connections
    const char* receiverName;  // nullptr without a receiver
    int32_t listKind;          // the kind its profile list is kept under
    const char* folder;        // its data folder and template name
};
// The verb kind of a model, from its description.
VerbDeviceKind verbKindOf(uint16_t modelKind);

// Selects the device (--device, or the kind's cable then receiver), borrows the application's
// model or opens the device, and loads the profile list's current profile. The caller attaches
// its controller. nullptr with exitCode set and the reason printed when that fails.
template <typename Session>
std::unique_ptr<Session> openVerbSession(CliContext& ctx, const VerbDeviceKind& k, int& exitCode);

// Steps of openVerbSession that do not depend on the session type.
bool pickDeviceName(CliContext& ctx, const VerbDeviceKind& k, int& exitCode);
bool loadCurrentProfile(CliContext& ctx, VerbSessionBase& s, const VerbDeviceKind& k,
                        int& exitCode);

template <typename Session>
std::unique_ptr<Session> openVerbSession(CliContext& ctx, const VerbDeviceKind& k, int& exitCode) {
    if (!pickDeviceName(ctx, k, exitCode)) return nullptr;
    auto dev = selectDevice(ctx, exitCode);
    if (!dev) return nullptr;
    std::unique_ptr<Session> s;
    if (ctx.host) {
        const auto hosted =
            hostedOf(*ctx.host, *dev, static_cast<const typename Session::Hosted*>(nullptr));
        if (!hosted) {
            *ctx.err << "no " << ctx.device << " found\n";
            exitCode = kExitNoDevice;
            return nullptr;
        }
        s = std::make_unique<Session>(*hosted);
        s->host = ctx.host;
    } else {
        s = std::make_unique<Session>(std::make_unique<typename Session::Owned>(
            ctx.backend, DeviceKind(dev->identity.deviceKind)));
        if (!s->owned->session.open(dev->identity.path, dev->route)) {
            *ctx.err << "cannot open " << dev->identity.path << " (see README: device access)\n";
            exitCode = kExitDeviceError;
            return nullptr;
        }
    }
    s->device = *dev;
    if (!loadCurrentProfile(ctx, *s, k, exitCode)) return nullptr;
    return s;
}

// Writes the macro (or recoil) image built from the session's data folder; prints the outcome.
// info is the device information read at attach (its macro capacity).
int uploadMemoryImage(CliContext& ctx, VerbSessionBase& s, DeviceInfo info, bool macros);

// Saves the changed profile; on failure prints why and puts the profile back.
bool saveOrRollBack(CliContext& ctx, VerbSessionBase& s);
// Saves the changed profile and writes the settings through the driver, as the page's "save"
// and "send" do. On a failure prints why, puts the profile back and returns the exit code.
int saveAndSend(CliContext& ctx, VerbSessionBase& s);

// "result -102 (the device reported a failure)" for a result code of the command link.
std::string resultText(int code);
// Reports a device result: 0 when it is 1, else prints "<what>: <result text>" and returns 1.
int deviceResult(CliContext& ctx, const char* what, int code);

}  // namespace md::cli
