#include "cli/mouse_session.h"

#include <ostream>
#include <sstream>

#include "profiles/app_paths.h"

namespace md::cli {

std::string resultText(int code) {
    const char* meaning = "unknown";
    switch (code) {
        case link::kOk:
            meaning = "success";
            break;
        case link::kNoReply:
            meaning = "link not open or no reply";
            break;
        case link::kWriteFailed:
            meaning = "writing the command failed";
            break;
        case link::kUnreachable:
            meaning = "the receiver cannot reach the mouse";
            break;
        case link::kStatusFailed:
            meaning = "the device reported a failure";
            break;
        case link::kStatusBusy:
            meaning = "the device refused the command";
            break;
        case link::kBadKeyPage:
            meaning = "bad key-table page";
            break;
        default:
            break;
    }
    return "result " + std::to_string(code) + " (" + meaning + ")";
}

int deviceResult(CliContext& ctx, const char* what, int code) {
    if (code == link::kOk) return kExitOk;
    *ctx.err << what << ": " << resultText(code) << "\n";
    return kExitDeviceError;
}

MouseSession::~MouseSession() {
    if (host && changed) host->changed(device);
}

void MouseSession::rollBack() {
    const std::string path = profile.getProfilePath();
    if (savedNode.isNull() || path.empty()) return;
    profile.saveNode(savedNode, path);
    profile.loadNode(path);
    profile.readKeyList();
    changed = true;
}

std::unique_ptr<MouseSession> openMouse(CliContext& ctx, int& exitCode) {
    if (ctx.device.empty()) {
        // The first mouse found, on its cable or through its receiver.
        CliContext probe = ctx;
        std::ostringstream quiet;
        probe.err = &quiet;
        probe.device = "mouse";
        int rc = kExitOk;
        ctx.device = selectDevice(probe, rc) ? "mouse" : "receiver";
    } else if (ctx.device != "mouse" && ctx.device != "receiver") {
        *ctx.err << "this verb drives the mouse: --device mouse or --device receiver\n";
        exitCode = kExitBadArguments;
        return nullptr;
    }
    auto dev = selectDevice(ctx, exitCode);
    if (!dev) return nullptr;
    std::unique_ptr<MouseSession> s;
    if (ctx.host) {
        const auto hosted = ctx.host->mouse(*dev);
        if (!hosted) {
            *ctx.err << "no " << ctx.device << " found\n";
            exitCode = kExitNoDevice;
            return nullptr;
        }
        s = std::make_unique<MouseSession>(*hosted);
        s->host = ctx.host;
    } else {
        s = std::make_unique<MouseSession>(std::make_unique<MouseSession::Owned>(ctx.backend));
        if (!s->owned->session.open(dev->identity.path, dev->route)) {
            *ctx.err << "cannot open " << dev->identity.path << " (see README: device access)\n";
            exitCode = kExitDeviceError;
            return nullptr;
        }
    }
    s->device = *dev;
    const std::string folder = AppPaths::deviceDataFolder("mouse");
    const std::string templatePath = AppPaths::defaultTemplatePath("mouse");
    s->profiles.setDeviceKind(kind::kMouseWired);
    s->profiles.setFolders(folder, templatePath);
    if (!s->profiles.start()) {
        *ctx.err << s->profiles.problem() << "\n";
        exitCode = kExitDeviceError;
        return nullptr;
    }
    const std::string path = s->profiles.profilePath(s->profiles.currentProfileUuid());
    if (path.empty()) {
        *ctx.err << "no usable profile in " << folder << "\n";
        exitCode = kExitDeviceError;
        return nullptr;
    }
    // The application's model holds the current profile already; a run of its own loads it.
    if (!s->host || s->profile.getProfilePath() != path) {
        s->profile.setDefaultPath(templatePath);
        s->profile.setProfilePath(path);
        s->profile.loadNode(path);
        s->profile.readKeyList();
    }
    if (s->profile.damaged()) {
        *ctx.err << s->profile.problem() << "\n";
        exitCode = kExitDeviceError;
        return nullptr;
    }
    s->savedNode = s->profile.deviceNode();
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
