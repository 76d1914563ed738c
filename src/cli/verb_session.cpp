#include "cli/verb_session.h"

#include <ostream>
#include <sstream>

#include "devices/device_registry.h"
#include "profiles/app_paths.h"

namespace md::cli {

VerbDeviceKind verbKindOf(uint16_t modelKind) {
    const DeviceModelRow* row = modelRowForKind(modelKind);
    if (!row) return {"", nullptr, 0, ""};
    return {connectionName(kindValue(row->kind)), row->receiverName(), kindValue(row->kind),
            row->folder};
}

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
            meaning = "the receiver cannot reach the device";
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

VerbSessionBase::~VerbSessionBase() {
    if (host && changed) host->changed(device);
}

void VerbSessionBase::rollBack() {
    const std::string path = basicProfile.getProfilePath();
    if (savedNode.isNull() || path.empty()) return;
    basicProfile.saveNode(savedNode, path);
    basicProfile.loadNode(path);
    basicProfile.readKeyList();
    driver.setLightingMode(basicProfile.readLightInfo());
    changed = true;
}

bool saveOrRollBack(CliContext& ctx, VerbSessionBase& s) {
    s.changed = true;
    if (s.basicProfile.save()) return true;
    *ctx.err << (s.basicProfile.problem().empty()
                     ? "the profile " + s.basicProfile.getProfilePath() + " could not be written"
                     : s.basicProfile.problem())
             << "\n";
    s.rollBack();
    return false;
}

int saveAndSend(CliContext& ctx, VerbSessionBase& s) {
    if (!saveOrRollBack(ctx, s)) return kExitDeviceError;
    const int rc = deviceResult(ctx, "sending the settings", s.driver.writeSettings());
    if (rc != kExitOk) s.rollBack();
    return rc;
}

bool pickDeviceName(CliContext& ctx, const VerbDeviceKind& k, int& exitCode) {
    if (ctx.device.empty()) {
        // The first such device found, on its cable or through its receiver.
        ctx.device = k.cableName;
        if (!k.receiverName) return true;
        CliContext probe = ctx;
        std::ostringstream quiet;
        probe.err = &quiet;
        int rc = kExitOk;
        if (selectDevice(probe, rc)) return true;
        probe.device = k.receiverName;
        if (selectDevice(probe, rc)) {
            ctx.device = k.receiverName;
            return true;
        }
        if (rc != kExitNoDevice) {
            *ctx.err << quiet.str();
        } else {
            *ctx.err << "no " << k.cableName << " found, on its cable or through its receiver\n";
        }
        exitCode = rc;
        return false;
    }
    if (ctx.device == k.cableName || (k.receiverName && ctx.device == k.receiverName)) return true;
    *ctx.err << "this verb drives the " << k.cableName << ": --device " << k.cableName;
    if (k.receiverName) *ctx.err << " or --device " << k.receiverName;
    *ctx.err << "\n";
    exitCode = kExitBadArguments;
    return false;
}

bool loadCurrentProfile(CliContext& ctx, VerbSessionBase& s, const VerbDeviceKind& k,
                        int& exitCode) {
    s.what = k.cableName;
    s.folder = AppPaths::deviceDataFolder(k.folder);
    const std::string templatePath = AppPaths::defaultTemplatePath(k.folder);
    s.profiles.setDeviceKind(k.listKind);
    s.profiles.setFolders(s.folder, templatePath);
    if (!s.profiles.start()) {
        *ctx.err << s.profiles.problem() << "\n";
        exitCode = kExitDeviceError;
        return false;
    }
    const std::string path = s.profiles.profilePath(s.profiles.currentProfileUuid());
    if (path.empty()) {
        *ctx.err << "no usable profile in " << s.folder << "\n";
        exitCode = kExitDeviceError;
        return false;
    }
    // The application's model holds the current profile already; a run of its own loads it.
    if (!s.host || s.basicProfile.getProfilePath() != path) {
        s.basicProfile.setDefaultPath(templatePath);
        s.basicProfile.setProfilePath(path);
        s.basicProfile.loadNode(path);
        s.basicProfile.readKeyList();
    }
    if (s.basicProfile.damaged()) {
        *ctx.err << s.basicProfile.problem() << "\n";
        exitCode = kExitDeviceError;
        return false;
    }
    s.savedNode = s.basicProfile.deviceNode();
    return true;
}

}  // namespace md::cli
