// settings and lighting for the devices whose lighting is one lighting block per hardware
// profile (--device headset, --device mousepad): the block as the device holds it, and a new
// lighting saved to the current profile and written to the device, as the device page does.
#include <json/json.h>

#include <cstdio>
#include <memory>
#include <ostream>

#include "cli/cli_context.h"
#include "cli/device_host.h"
#include "cli/device_select.h"
#include "cli/lighting_block_verbs.h"
#include "cli/records.h"
#include "cli/verb_args.h"
#include "cli/verb_session.h"
#include "devices/device_registry.h"
#include "devices/lighting/lighting_block_device.h"
#include "devlink/link/device_link.h"
#include "profiles/app_paths.h"
#include "profiles/basic_profiledata.h"
#include "profiles/profile_list.h"
#include "profiles/profile_ranges.h"

namespace md::cli {
namespace {

constexpr ValueRange kBlockLightMode{0, 8};
const char* const kModeNames[] = {"wave",   "spectrum", "breathing", "steady", "flash",
                                  "custom", "ring",     "ripple",    "off"};

const char* modeName(uint8_t mode) {
    return mode < std::size(kModeNames) ? kModeNames[mode] : "custom";
}

// The device opened for the verb: alone, the tool opens the collection and the current
// profile itself; inside the application it borrows the page's.
struct BlockSession {
    std::unique_ptr<DeviceSession> session;
    std::unique_ptr<CBasicProfiledata> profile;
    std::unique_ptr<lighting::LightingBlockDevice> own;
    lighting::LightingBlockDevice* device = nullptr;
    SelectedDevice selected;
};

bool loadCurrentProfile(CliContext& ctx, uint16_t deviceKind, CBasicProfiledata& profile) {
    const DeviceModelRow* row = modelRowForKind(deviceKind);
    const std::string folder = AppPaths::deviceDataFolder(row->folder);
    const std::string templatePath = AppPaths::defaultTemplatePath(row->folder);
    ProfileList profiles;
    profiles.setDeviceKind(deviceKind);
    profiles.setFolders(folder, templatePath);
    if (!profiles.start()) {
        *ctx.err << profiles.problem() << "\n";
        return false;
    }
    const std::string path = profiles.profilePath(profiles.currentProfileUuid());
    if (path.empty()) {
        *ctx.err << "no usable " << row->name << " profile in " << folder << "\n";
        return false;
    }
    profile.setDefaultPath(templatePath);
    profile.setProfilePath(path);
    profile.loadNode(path);
    if (profile.damaged()) {
        *ctx.err << profile.problem() << "\n";
        return false;
    }
    return true;
}

std::unique_ptr<BlockSession> openBlockDevice(CliContext& ctx, int& rc) {
    auto dev = selectDevice(ctx, rc);
    if (!dev) return nullptr;
    auto s = std::make_unique<BlockSession>();
    s->selected = *dev;
    if (ctx.host) {
        s->device = ctx.host->lightingDevice(*dev);
        if (!s->device) {
            *ctx.err << "no " << kindName(dev->identity.deviceKind) << " found\n";
            rc = kExitNoDevice;
            return nullptr;
        }
        return s;
    }
    s->session = std::make_unique<DeviceSession>(ctx.backend);
    if (!s->session->open(dev->identity.path, LinkRoute::Shared)) {
        *ctx.err << "cannot open " << dev->identity.path << " (see README: device access)\n";
        rc = kExitDeviceError;
        return nullptr;
    }
    s->profile = std::make_unique<CBasicProfiledata>();
    if (!loadCurrentProfile(ctx, dev->identity.deviceKind, *s->profile)) {
        rc = kExitDeviceError;
        return nullptr;
    }
    s->own = std::make_unique<lighting::LightingBlockDevice>(s->session->link(), *s->profile);
    s->own->loadLighting();
    s->device = s->own.get();
    return s;
}

int deviceFailure(CliContext& ctx, const char* what, int code) {
    const int rc = deviceResult(ctx, what, code);
    return rc == kExitOk ? kExitDeviceError : rc;
}

int runBlockSettings(CliContext& ctx, BlockSession& s) {
    lighting::LightingBlockDevice& d = *s.device;
    if (const int r = d.readBlock(); r != link::kOk)
        return deviceFailure(ctx, "reading the lighting block", r);
    const lighting::LightingBlock& b = d.block();
    const LightSetting l = b.lighting();
    Json::Value lighting = lightingRecord(l, false);
    lighting["modeName"] = modeName(l.mode);
    if (ctx.json) {
        Json::Value v;
        v["device"] = kindName(s.selected.identity.deviceKind);
        v["hardwareProfile"] = b.hardwareProfile();
        v["lighting"] = lighting;
        Json::Value bytes(Json::arrayValue);
        for (uint8_t x : b.bytes()) bytes.append(x);
        v["block"] = bytes;
        writeJson(ctx, v);
        return kExitOk;
    }
    *ctx.out << "hardware profile: " << int(b.hardwareProfile()) << "\n"
             << "lighting: " << lightingText(lighting) << "\n";
    return kExitOk;
}

int runBlockLighting(CliContext& ctx, BlockSession& s) {
    int mode = 0;
    if (ctx.args.size() != 1 ||
        !parseInt(ctx.args[0], kBlockLightMode.min, kBlockLightMode.max, mode))
        return badArgument(ctx, "lighting: MODE is " + rangeText(kBlockLightMode) +
                                    " (0 wave, 1 spectrum, 2 breathing, 3 steady, 4 flash, "
                                    "6 ring, 7 ripple, 8 off)");
    lighting::LightingBlockDevice& d = *s.device;
    const LightSetting before = d.lighting();
    LightSetting l = before;
    l.mode = static_cast<uint8_t>(mode);
    if (!applyLightingOptions(ctx, "lighting", l)) return kExitBadArguments;

    d.setLighting(l);
    if (!d.profile().save()) {
        d.setLighting(before);
        const std::string& why = d.profile().problem();
        *ctx.err << (why.empty()
                         ? "the profile " + d.profile().getProfilePath() + " could not be written"
                         : why)
                 << "\n";
        return kExitDeviceError;
    }
    const int r = d.writeBlock(0);
    if (ctx.host) ctx.host->changed(s.selected);
    if (r != link::kOk) {
        // The profile keeps claiming only what the device has.
        d.setLighting(before);
        d.profile().save();
        if (ctx.host) ctx.host->changed(s.selected);
        return deviceFailure(ctx, "writing the lighting block", r);
    }
    return kExitOk;
}

}  // namespace

bool isLightingBlockDevice(const std::string& deviceName) {
    return deviceName == "headset" || deviceName == "mousepad";
}

int runLightingBlockVerb(CliContext& ctx, const std::string& verb) {
    int rc = kExitOk;
    auto s = openBlockDevice(ctx, rc);
    if (!s) return rc;
    if (verb == "settings")
        return ctx.args.empty() ? runBlockSettings(ctx, *s)
                                : badArgument(ctx, "settings takes no argument");
    if (verb == "lighting") return runBlockLighting(ctx, *s);
    return badArgument(ctx,
                       verb + " is not a verb of the " + kindName(s->selected.identity.deviceKind));
}

std::string chargerText(std::span<const uint8_t> power) {
    if (power.size() < 6) return "unknown";
    const uint8_t phone = power[5];
    const char* type = phone == 1 ? "iPhone" : phone == 2 ? "Samsung" : phone == 3 ? "phone" : "";
    if (!*type) return "no phone";
    return std::string(power[1] == 1 ? "charging " : "holding ") + (phone == 1 ? "an " : "a ") +
           type;
}

}  // namespace md::cli
