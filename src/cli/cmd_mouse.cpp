// Verbs that configure the mouse: settings, dpi, polling, lighting, keys.
#include <json/json.h>

#include <cstdio>
#include <ostream>

#include "cli/cli_context.h"
#include "cli/mouse_session.h"
#include "cli/records.h"
#include "cli/verb_args.h"
#include "devices/memory_image/memory_image.h"
#include "devices/mouse/mouse_dpi_scale.h"
#include "devices/mouse/mouse_key_table.h"
#include "devices/mouse/mouse_performance.h"
#include "input/keys/assignment_names.h"
#include "profiles/app_paths.h"
#include "profiles/profile_ranges.h"

namespace md::cli {
namespace {

// The outcome of a device write after the profile changed: on a device error the profile goes
// back to what it was, so that it never claims what the mouse does not have.
int keepOrRollBack(CliContext& ctx, MouseSession& s, const char* what, int code) {
    s.changed = true;
    const int rc = deviceResult(ctx, what, code);
    if (rc != kExitOk) s.rollBack();
    return rc;
}

const char* kButtonNames[kMouseButtonCount] = {
    "left button", "right button", "middle button", "forward",     "back",      "DPI switch",
    "fire",        "wheel up",     "wheel down",    "wheel right", "wheel left"};

int runSettings(CliContext& ctx, MouseSession& s) {
    MouseHardwareSettings h;
    uint8_t hw = 0;
    if (const int rc =
            deviceResult(ctx, "reading the settings", s.controller.readSettingsBlock(h, hw)))
        return rc;
    // The mouse does not report its direction; what its report-rate options mean in Hz it does
    // not say either.
    LightSetting light;
    applyHardwareLighting(h, light);
    const Json::Value lighting = lightingRecord(light, false);
    const Json::Value polling = pollingRecord(h.reportRate, std::nullopt);
    if (ctx.json) {
        Json::Value v;
        v["hardwareProfile"] = hw;
        v["lighting"] = lighting;
        v["pollingRate"] = polling;
        v["activeStage"] = h.activeStage;
        v["sensorOption"] = h.sensorOption;
        Json::Value stages(Json::arrayValue);
        for (const auto& st : h.stages) {
            Json::Value j;
            j["position"] = st.dpiX;
            j["resolution"] = dpiResolutionOfPosition(st.dpiX);
            j["colour"] = hexColour(st.red, st.green, st.blue);
            stages.append(j);
        }
        v["stages"] = stages;
        writeJson(ctx, v);
        return kExitOk;
    }
    *ctx.out << "hardware profile: " << int(hw) << "\n"
             << "lighting: " << lightingText(lighting) << "\n"
             << "polling rate: " << pollingText(polling) << "\n"
             << "active stage: " << int(h.activeStage) << "\n";
    for (size_t i = 0; i < h.stages.size(); ++i) {
        const auto& st = h.stages[i];
        *ctx.out << "stage " << i << ": position " << st.dpiX << " ("
                 << dpiResolutionOfPosition(st.dpiX) << " DPI), colour "
                 << hexColour(st.red, st.green, st.blue) << "\n";
    }
    *ctx.out << "sensor option: " << int(h.sensorOption) << "\n";
    return kExitOk;
}

int runDpi(CliContext& ctx, MouseSession& s) {
    const auto& a = ctx.args;
    if (a.size() < 2)
        return badArgument(
            ctx, "dpi: set STAGE RESOLUTION | active STAGE | enable STAGE | disable STAGE");
    int stage = 0;
    if (!parseInt(a[1], ranges::kMouseStage.min, ranges::kMouseStage.max, stage)) {
        return badArgument(ctx, "dpi: STAGE is " + rangeText(ranges::kMouseStage));
    }
    const auto stages = s.profile.readDpiStages();
    if (a[0] == "set" && a.size() == 3) {
        int resolution = 0;
        if (!parseInt(a[2], 1, 100000, resolution))
            return badArgument(ctx, "dpi set: RESOLUTION is a number of DPI");
        const int p = dpiPositionOfResolution(resolution);
        mouseSetStagePosition(s.profile, stage, p);
        *ctx.out << "stage " << stage << ": " << dpiResolutionOfPosition(p) << " DPI (position "
                 << p << ")\n";
    } else if (a[0] == "active" && a.size() == 2) {
        if (static_cast<size_t>(stage) >= stages.size())
            return badArgument(ctx, "dpi active: the profile has no such stage");
        mouseSetCurrentStage(s.profile, stage);
    } else if ((a[0] == "enable" || a[0] == "disable") && a.size() == 2) {
        if (static_cast<size_t>(stage) >= stages.size())
            return badArgument(ctx, "dpi: the profile has no such stage");
        if (!mouseSetStageEnabled(s.profile, stage, a[0] == "enable"))
            return badArgument(ctx, "dpi disable: the last enabled stage stays enabled");
    } else {
        return badArgument(
            ctx, "dpi: set STAGE RESOLUTION | active STAGE | enable STAGE | disable STAGE");
    }
    return saveAndSend(ctx, s);
}

int runPolling(CliContext& ctx, MouseSession& s) {
    int index = 0;
    if (ctx.args.size() != 1 ||
        !parseInt(ctx.args[0], ranges::kReportRate.min, ranges::kReportRate.max, index))
        return badArgument(ctx, "polling: INDEX is " + rangeText(ranges::kReportRate));
    mouseSetReportRate(s.profile, index);
    return saveAndSend(ctx, s);
}

int runLighting(CliContext& ctx, MouseSession& s) {
    int mode = 0;
    if (ctx.args.size() != 1 ||
        !parseInt(ctx.args[0], ranges::kMouseLightMode.min, ranges::kMouseLightMode.max, mode))
        return badArgument(ctx, "lighting: MODE is " + rangeText(ranges::kMouseLightMode));
    LightSetting l = s.profile.readLightInfo();
    l.mode = static_cast<uint8_t>(mode);
    if (!applyLightingOptions(ctx, "lighting", l)) return kExitBadArguments;
    const auto w = l.toWords();
    s.profile.writeLightInfo(w.w0, w.w1, w.w2, w.w3);
    return saveAndSend(ctx, s);
}

int runKeys(CliContext& ctx, MouseSession& s) {
    auto bindings = s.profile.readKeyList();
    const auto& map = s.controller.keyPositionMap();
    const int macros = static_cast<int>(memimg::macroCountOf(AppPaths::deviceDataFolder("mouse")));
    if (ctx.args.empty()) {
        // Key-table reads give the mouse's layout; the assignments are the profile's, which
        // are what was written to the mouse.
        Json::Value arr(Json::arrayValue);
        for (size_t b = 0; b < kMouseButtonCount && b < map.size(); ++b) {
            const int pos = map[b];
            const keys::KeyAssignment a =
                b < bindings.size() ? bindings[b].assignment : keys::KeyAssignment{};
            const bool factory = b < bindings.size() && a == bindings[b].defaultAssignment;
            const std::string name = keys::assignmentName(a);
            if (ctx.json) {
                Json::Value v;
                v["button"] = static_cast<Json::UInt>(b);
                v["name"] = kButtonNames[b];
                v["position"] = pos == kUnmappedKey ? Json::Value() : Json::Value(pos);
                v["assignment"] = keys::hexCode(a);
                v["function"] = name;
                v["factory"] = factory;
                arr.append(v);
                continue;
            }
            char line[160];
            std::snprintf(
                line, sizeof line, "%2zu %-14s %-12s %s%s", b, kButtonNames[b],
                pos == kUnmappedKey ? "not mapped" : ("entry " + std::to_string(pos)).c_str(),
                name.c_str(), factory ? " (factory)" : "");
            *ctx.out << line << "\n";
        }
        if (ctx.json) writeJson(ctx, arr);
        return kExitOk;
    }
    static const char* const kUsage =
        "keys set BUTTON FUNCTION: BUTTON 0 to 10; FUNCTION a name such as left, dpi-up, "
        "key:ctrl+c, macro:2, wheel-up, disabled, default, or six hexadecimal digits";
    int button = 0;
    if (ctx.args.size() != 3 || ctx.args[0] != "set" ||
        !parseInt(ctx.args[1], 0, static_cast<int>(kMouseButtonCount) - 1, button))
        return badArgument(ctx, kUsage);
    if (static_cast<size_t>(button) >= bindings.size())
        return badArgument(ctx, "keys set: the profile has no such button");
    KeyBinding& binding = bindings[static_cast<size_t>(button)];
    const keys::ParsedAssignment p =
        keys::parseAssignmentName(ctx.args[2], binding.defaultAssignment, macros);
    if (!p.ok) return badArgument(ctx, "keys set: " + p.error + "\n" + kUsage);
    binding.assignment = p.assignment;
    s.profile.writeKeyList(bindings);
    if (!saveOrRollBack(ctx, s)) return kExitDeviceError;
    return keepOrRollBack(ctx, s, "writing the key table", s.controller.writeKeyAssignments(0));
}

}  // namespace

void writeJson(CliContext& ctx, const Json::Value& v) {
    Json::StreamWriterBuilder w;
    w["indentation"] = "  ";
    *ctx.out << Json::writeString(w, v) << '\n';
}

int runMouseVerb(CliContext& ctx, const std::string& verb) {
    int rc = kExitOk;
    auto s = openMouse(ctx, rc);
    if (!s) return rc;
    if (verb == "settings")
        return ctx.args.empty() ? runSettings(ctx, *s)
                                : badArgument(ctx, "settings takes no argument");
    if (verb == "dpi") return runDpi(ctx, *s);
    if (verb == "polling") return runPolling(ctx, *s);
    if (verb == "lighting") return runLighting(ctx, *s);
    if (verb == "keys") return runKeys(ctx, *s);
    return badArgument(ctx, "unknown verb " + verb);
}

}  // namespace md::cli
