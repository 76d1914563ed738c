// headset [eq [set PRESET|BANDS] | mic LEVEL|mute|unmute | monitor LEVEL|mute|unmute]: the
// headset's audio settings through the configuration library, as the headset pages change them,
// on the headset's current profile.
#include <json/json.h>

#include <charconv>
#include <cstdlib>
#include <ostream>

#include "audio/audio_state_file.h"
#include "audio/conf_lib_binding.h"
#include "audio/headset_audio.h"
#include "cli/cli_context.h"
#include "devices/device_registry.h"
#include "profiles/app_paths.h"
#include "profiles/hs6533_profiledata.h"
#include "profiles/profile_list.h"
#include "profiles/profile_ranges.h"

namespace md::cli {
namespace {

std::optional<int32_t> parseInt(const std::string& s, int32_t lo, int32_t hi) {
    int32_t v = 0;
    const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), v);
    if (ec != std::errc() || end != s.data() + s.size() || v < lo || v > hi) return std::nullopt;
    return v;
}

// "3,-2,0,..." with exactly ten gains.
std::optional<EqBands> parseBands(const std::string& s) {
    EqBands bands{};
    size_t start = 0;
    for (int i = 0; i < kEqBandCount; ++i) {
        const size_t comma = s.find(',', start);
        if ((comma == std::string::npos) != (i == kEqBandCount - 1)) return std::nullopt;
        const auto v =
            parseInt(s.substr(start, comma - start), ranges::kEqGain.min, ranges::kEqGain.max);
        if (!v) return std::nullopt;
        bands[static_cast<size_t>(i)] = *v;
        start = comma + 1;
    }
    return bands;
}

struct HeadsetRun {
    CHs6533Profiledata profile;
    ProfileList profiles;
    HeadsetAudio audio{profile};
};

// Loads the headset's current profile and starts the audio as the headset page does.
bool open(CliContext& ctx, HeadsetRun& r) {
    const DeviceModelRow* row = modelRowForKind(kind::kHeadset);
    const std::string folder = AppPaths::deviceDataFolder(row->folder);
    const std::string templatePath = AppPaths::defaultTemplatePath(row->folder);
    r.profiles.setDeviceKind(kind::kHeadset);
    r.profiles.setFolders(folder, templatePath);
    if (!r.profiles.start()) {
        *ctx.err << r.profiles.problem() << "\n";
        return false;
    }
    const std::string path = r.profiles.profilePath(r.profiles.currentProfileUuid());
    if (path.empty()) {
        *ctx.err << "no usable headset profile in " << folder << "\n";
        return false;
    }
    r.profile.setDefaultPath(templatePath);
    r.profile.setProfilePath(path);
    r.profile.loadNode(path);
    if (r.profile.damaged()) {
        *ctx.err << r.profile.problem() << "\n";
        return false;
    }
    r.audio.setMessageHandler([&ctx](const char* m) { *ctx.err << m << "\n"; });
    r.audio.loadFromProfile();
    const std::string library = ConfLibBinding::libraryPath(AppPaths::sdkFolder());
    r.audio.startAudio(library);
    if (!r.audio.libraryLoaded()) {
        *ctx.err << "the audio library " << library << " could not be loaded\n";
        return false;
    }
    return true;
}

void print(CliContext& ctx, HeadsetRun& r, const std::string& what) {
    const auto& st = r.audio.stages();
    if (ctx.json) {
        Json::Value v(Json::objectValue);
        Json::Value bands(Json::arrayValue);
        for (const int32_t b : r.audio.currentEqBands()) bands.append(b);
        Json::Value names(Json::arrayValue);
        for (const std::string& n : r.audio.customEqNames()) names.append(n);
        v["preset"] = st[kEqType];
        v["bands"] = bands;
        v["customNames"] = names;
        v["customSelected"] = st[kCustomEqSelectIndex];
        v["micOn"] = st[kMicInSelect] != 0;
        v["micLevel"] = st[kMicInValue];
        v["micVolumeDb"] = r.audio.micVolumeText();
        v["monitorOn"] = st[kMicMonitorSelect] != 0;
        v["monitorLevel"] = st[kMicMonitorValue];
        v["monitorVolumeDb"] = r.audio.monitorVolumeText();
        v["voiceChanger"] = st[kMagicEnable] != 0;
        v["voice"] = st[kMagicType];
        writeJson(ctx, v);
        return;
    }
    std::ostream& out = *ctx.out;
    if (what != "mic" && what != "monitor") {
        out << "equaliser: "
            << (st[kEqType] == kEqCustomPreset ? std::string("custom")
                                               : "preset " + std::to_string(st[kEqType]))
            << "\nbands:";
        for (const int32_t b : r.audio.currentEqBands()) out << ' ' << b;
        out << "\ncustom equalisers:";
        const auto& names = r.audio.customEqNames();
        if (names.empty()) out << " none";
        for (size_t k = 0; k < names.size(); ++k)
            out << (k ? ", " : " ") << names[k]
                << (static_cast<int32_t>(k) == st[kCustomEqSelectIndex] ? " (selected)" : "");
        out << "\n";
    }
    // The decibels only when the headset told them.
    const auto channel = [&](const char* name, size_t on, size_t level, const std::string& db) {
        out << name << ": " << (st[on] ? "on" : "muted") << ", level " << st[level];
        if (!db.empty()) out << " (" << db << " dB)";
        out << "\n";
    };
    if (what != "eq" && what != "monitor")
        channel("microphone", kMicInSelect, kMicInValue, r.audio.micVolumeText());
    if (what != "eq" && what != "mic")
        channel("monitoring", kMicMonitorSelect, kMicMonitorValue, r.audio.monitorVolumeText());
}

int usageError(CliContext& ctx) {
    *ctx.err << "usage: headset [eq [set PRESET|BANDS] | mic LEVEL|mute|unmute | monitor "
                "LEVEL|mute|unmute]\n"
                "  PRESET 1-12, or 13 for the selected custom equaliser; BANDS ten gains "
                "-20..20 separated by commas\n";
    return kExitBadArguments;
}

int refused(CliContext& ctx, const char* what) {
    *ctx.err << what << ": the headset refused the change (is it plugged in?)\n";
    return kExitDeviceError;
}

// mic / monitor: a level 0-100, mute or unmute.
int level(CliContext& ctx, HeadsetRun& r, bool mic, const std::string& arg) {
    const char* what = mic ? "microphone" : "monitoring";
    if (arg == "mute" || arg == "unmute") {
        const bool muted = mic ? r.audio.micMuted() : r.audio.monitorMuted();
        if (muted != (arg == "mute")) {
            const bool ok = mic ? r.audio.toggleMicMute() : r.audio.toggleMonitorMute();
            if (!ok) return refused(ctx, what);
        }
        return kExitOk;
    }
    const auto v = parseInt(arg, ranges::kAudioLevel.min, ranges::kAudioLevel.max);
    if (!v) return usageError(ctx);
    const bool ok = mic ? r.audio.setMicLevel(*v) : r.audio.setMonitorLevel(*v);
    return ok ? kExitOk : refused(ctx, what);
}

int setEqualiser(CliContext& ctx, HeadsetRun& r, const std::string& arg) {
    if (const auto n = parseInt(arg, 1, kEqCustomPreset)) {
        if (*n == kEqCustomPreset && r.audio.selectedCustom() < 0) {
            *ctx.err << "no custom equaliser is selected: save one in the application first\n";
            return kExitBadArguments;
        }
        return r.audio.selectEqPreset(*n) ? kExitOk : refused(ctx, "equaliser");
    }
    const auto bands = parseBands(arg);
    if (!bands) return usageError(ctx);
    // As moving the ten sliders: the headset takes the bands; the profile keeps its preset.
    bool taken = true;
    for (int32_t i = 0; i < kEqBandCount; ++i) {
        taken = r.audio.setEqBand(i, (*bands)[static_cast<size_t>(i)]) && taken;
    }
    return taken ? kExitOk : refused(ctx, "equaliser");
}

}  // namespace

int runHeadsetVerb(CliContext& ctx) {
    const auto& a = ctx.args;
    const std::string what = a.empty() ? std::string() : a[0];
    const bool shows = a.empty() || (a.size() == 1 && what == "eq");
    const bool sets = a.size() == 3 && what == "eq" && a[1] == "set";
    const bool levels = a.size() == 2 && (what == "mic" || what == "monitor");
    if (!shows && !sets && !levels) return usageError(ctx);
    HeadsetRun r;
    if (!open(ctx, r)) return kExitDeviceError;
    int rc = kExitOk;
    if (sets) rc = setEqualiser(ctx, r, a[2]);
    // The equaliser of the sound system lives in the program that loaded the audio library.
    if (sets && rc == kExitOk && !ctx.host && !std::getenv(kAudioSimVariable))
        *ctx.err << "note: mouse-driver is not running: the equaliser is kept and applied "
                    "whenever mouse-driver runs; until then the headset plays without it\n";
    if (levels) rc = level(ctx, r, what == "mic", a[1]);
    if (rc == kExitOk && !r.audio.lastSaveOk()) {
        *ctx.err << r.profile.problem() << "\n";
        rc = kExitDeviceError;
    }
    if (rc == kExitOk) print(ctx, r, what);
    return rc;
}

}  // namespace md::cli
