// settings and lighting for the devices whose lighting is one lighting block per hardware
// profile (--device headset, --device mousepad): the block as the device holds it, and a new
// lighting saved to the current profile and written to the device, as the device page does.
#include <json/json.h>

#include <cstdio>
#include <memory>
#include <ostream>

#include "cli/block_session.h"
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
#include "profiles/basic_profiledata.h"
#include "profiles/profile_ranges.h"

namespace md::cli {
namespace {

constexpr ValueRange kBlockLightMode{0, 8};
const char* const kModeNames[] = {"wave",   "spectrum", "breathing", "steady", "flash",
                                  "custom", "ring",     "ripple",    "off"};

const char* modeName(uint8_t mode) {
    return mode < std::size(kModeNames) ? kModeNames[mode] : "custom";
}

int deviceFailure(CliContext& ctx, const char* what, int code) {
    const int rc = deviceResult(ctx, what, code);
    return rc == kExitOk ? kExitDeviceError : rc;
}

int runBlockSettings(CliContext& ctx, BlockSession& s) {
    lighting::LightingBlockDevice& d = s.controller;
    if (const int r = d.readBlock(); r != link::kOk)
        return deviceFailure(ctx, "reading the lighting block", r);
    const lighting::LightingBlock& b = d.block();
    const LightSetting l = b.lighting();
    Json::Value lighting = lightingRecord(l, false);
    lighting["modeName"] = modeName(l.mode);
    if (ctx.json) {
        Json::Value v;
        v["device"] = kindName(s.device.identity.deviceKind);
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
    LightSetting l = s.controller.lighting();
    l.mode = static_cast<uint8_t>(mode);
    if (!applyLightingOptions(ctx, "lighting", l)) return kExitBadArguments;
    s.controller.setLightingMode(l);
    return saveAndSend(ctx, s);
}

}  // namespace

bool isLightingBlockDevice(const std::string& deviceName) {
    return deviceName == "headset" || deviceName == "mousepad";
}

int runLightingBlockVerb(CliContext& ctx, const std::string& verb) {
    int rc = kExitOk;
    auto s = openBlockSession(ctx, rc);
    if (!s) return rc;
    if (verb == "settings")
        return ctx.args.empty() ? runBlockSettings(ctx, *s)
                                : badArgument(ctx, "settings takes no argument");
    if (verb == "lighting") return runBlockLighting(ctx, *s);
    return badArgument(ctx,
                       verb + " is not a verb of the " + kindName(s->device.identity.deviceKind));
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
