// profile dump FILE / profile apply FILE.
#include <ostream>

#include "cli/cli_context.h"
#include "cli/mouse_session.h"
#include "devices/mouse/mouse_performance.h"
#include "profiles/json_file_io.h"

namespace md::cli {
namespace {

// The profile with what the mouse reports taken over: lighting, DPI positions and colours, the
// active stage, report rate and sensor option. Stage enables, Y resolutions and the key list
// are not readable from the mouse (key-table reads give its layout), so the profile's stay.
int dump(CliContext& ctx, MouseSession& s, const std::string& file) {
    MouseHardwareSettings h;
    uint8_t hw = 0;
    if (const int rc =
            deviceResult(ctx, "reading the settings", s.controller.readSettingsBlock(h, hw)))
        return rc;
    LightSetting l = s.profile.readLightInfo();
    applyHardwareLighting(h, l);
    const auto w = l.toWords();
    s.profile.writeLightInfo(w.w0, w.w1, w.w2, w.w3);
    auto stages = s.profile.readDpiStages();
    if (stages.size() < h.stages.size()) stages.resize(h.stages.size());
    for (size_t i = 0; i < h.stages.size(); ++i) {
        stages[i].dpiX = h.stages[i].dpiX;
        stages[i].red = h.stages[i].red;
        stages[i].green = h.stages[i].green;
        stages[i].blue = h.stages[i].blue;
    }
    s.profile.writeDpiStages(stages);
    s.profile.setActiveStage(h.activeStage);
    auto words = s.profile.readMouseStages();
    putReportRate(words, h.reportRate);
    words[3] = h.sensorOption;
    s.profile.writeMouseStages(words[0], words[1], words[2], words[3]);

    Json::Value doc = JsonFileIO::loadJsonDocument(s.profile.getProfilePath());
    if (!doc.isObject()) doc = Json::Value(Json::objectValue);
    doc["Device"][s.profile.deviceIndex()] = s.profile.deviceNode();
    if (JsonFileIO::storeJsonDocument(file, doc) != 0) {
        *ctx.err << "profile dump: " << file << " could not be written\n";
        return kExitDeviceError;
    }
    *ctx.out << "written " << file << "\n";
    return kExitOk;
}

// Imports the file into the mouse's profile list, makes it current and writes it to the mouse.
// A device error takes the import back: the list and the current profile stay as they were.
int apply(CliContext& ctx, MouseSession& s, const std::string& file) {
    const std::string before = s.profiles.currentProfileUuid();
    if (!s.profiles.importProfile(file)) {
        *ctx.err << "profile apply: " << s.profiles.problem() << "\n";
        return s.profiles.damaged() ? kExitDeviceError : kExitBadArguments;
    }
    const std::string imported =
        s.profiles.itemUuid(static_cast<int32_t>(s.profiles.itemNames().size()) - 1);
    s.changed = true;
    if (!s.profiles.selectProfileByUuid(imported)) {
        *ctx.err << "profile apply: " << s.profiles.problem() << "\n";
        return kExitDeviceError;
    }
    const std::string path = s.profiles.profilePath(imported);
    s.profile.setProfilePath(path);
    s.profile.loadNode(path);
    s.profile.readKeyList();
    int rc = deviceResult(ctx, "sending the settings", s.controller.writeSettingsBlock(0));
    if (rc == kExitOk)
        rc = deviceResult(ctx, "writing the key table", s.controller.writeKeyAssignments(0));
    if (rc != kExitOk) {
        s.profiles.deleteProfile();
        s.profiles.selectProfileByUuid(before);
        const std::string old = s.profiles.profilePath(before);
        s.profile.setProfilePath(old);
        s.profile.loadNode(old);
        s.profile.readKeyList();
        // The mouse may hold part of the import; it gets the current profile back.
        s.controller.writeSettingsBlock(0);
        s.controller.writeKeyAssignments(0);
        return rc;
    }
    *ctx.out << "applied as \"" << s.profiles.profileNameText() << "\"\n";
    return kExitOk;
}

}  // namespace

int runProfileVerb(CliContext& ctx) {
    if (ctx.args.size() != 2 || (ctx.args[0] != "dump" && ctx.args[0] != "apply")) {
        *ctx.err << "profile dump FILE | profile apply FILE\n";
        return kExitBadArguments;
    }
    int rc = kExitOk;
    auto s = openMouse(ctx, rc);
    if (!s) return rc;
    return ctx.args[0] == "dump" ? dump(ctx, *s, ctx.args[1]) : apply(ctx, *s, ctx.args[1]);
}

}  // namespace md::cli
