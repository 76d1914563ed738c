// profile list | select | add | delete | export | dump | apply.
#include <json/json.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <ostream>
#include <sstream>

#include "cli/block_session.h"
#include "cli/cli_context.h"
#include "cli/device_select.h"
#include "cli/keyboard_session.h"
#include "cli/lighting_block_verbs.h"
#include "cli/mouse_session.h"
#include "common/bounded_file.h"
#include "devices/base/profile_switch.h"
#include "devices/keyboard/keyboard_profile_from_device.h"
#include "devices/mouse/mouse_performance.h"
#include "devices/mouse/mouse_profile_from_device.h"
#include "profiles/app_paths.h"
#include "profiles/json_file_io.h"

namespace md::cli {
namespace {

// The profile file with the profile's device node, as changed for the dump, written to file;
// the profile is read from its own file again, so that the dump changes no profile.
int writeDump(CliContext& ctx, CBasicProfiledata& profile, const std::string& file) {
    Json::Value doc = JsonFileIO::loadJsonDocument(profile.getProfilePath());
    if (!doc.isObject()) doc = Json::Value(Json::objectValue);
    doc["Device"][profile.deviceIndex()] = profile.deviceNode();
    profile.loadNode(profile.getProfilePath());
    if (JsonFileIO::storeJsonDocument(file, doc) != 0) {
        *ctx.err << "profile dump: " << file << " could not be written\n";
        return kExitDeviceError;
    }
    *ctx.out << "written " << file << "\n";
    return kExitOk;
}

// The profile with what the mouse reports taken over.
int dump(CliContext& ctx, MouseSession& s, const std::string& file) {
    MouseHardwareSettings h;
    uint8_t hw = 0;
    if (const int rc =
            deviceResult(ctx, "reading the settings", s.controller.readSettingsBlock(h, hw)))
        return rc;
    takeMouseSettingsIntoProfile(h, s.profile);
    return writeDump(ctx, s.profile, file);
}

// The profile with what the keyboard reports taken over.
int dump(CliContext& ctx, KeyboardSession& s, const std::string& file) {
    KeyboardHardwareSettings h;
    uint8_t hw = 0;
    if (const int rc =
            deviceResult(ctx, "reading the settings", s.controller.readSettingsBlock(h, hw)))
        return rc;
    takeKeyboardSettingsIntoProfile(h, s.profile);
    return writeDump(ctx, s.profile, file);
}

// The profile with the lighting the device's active block holds.
int dump(CliContext& ctx, BlockSession& s, const std::string& file) {
    if (const int rc = deviceResult(ctx, "reading the lighting block", s.controller.readBlock()))
        return rc;
    const auto w = s.controller.effectLighting().toWords();
    s.profile.writeLightInfo(w.w0, w.w1, w.w2, w.w3);
    return writeDump(ctx, s.profile, file);
}

// Makes the profile list's current profile current on the device: the one profile-switch
// sequence (settings, macro and recoil images, key table with dangling macro keys reset).
int switchToCurrent(CliContext& ctx, VerbSessionBase& s) {
    const std::string path = s.profiles.profilePath(s.profiles.currentProfileUuid());
    s.changed = true;
    const ProfileSwitchResult r = s.driver.commitProfile(s.folder, path);
    if (!r.loaded) {
        *ctx.err << s.basicProfile.problem() << "\n";
        return kExitDeviceError;
    }
    int rc = deviceResult(ctx, "sending the settings", r.settings);
    if (r.macros > 0) {
        *ctx.err << "the macros do not fit into the " << s.what << "'s "
                 << s.driver.macroCapacityBytes() << " bytes: remove " << r.macros
                 << " events and try again\n";
        rc = kExitDeviceError;
    } else if (r.macros < 0) {
        *ctx.err << "writing the macros failed: the " << s.what
                 << " is not reachable or refused the data\n";
        rc = kExitDeviceError;
    }
    if (r.recoil != 0) {
        *ctx.err << "writing the recoil tables failed\n";
        rc = kExitDeviceError;
    }
    if (const int k = deviceResult(ctx, "writing the key table", r.keys); k != kExitOk) rc = k;
    return rc;
}

// After a failed switch: the profile before it is current again in the list and, as far as
// the device can still be reached, on the device. Returns rc.
int rollBack(CliContext& ctx, VerbSessionBase& s, const std::string& before, int rc) {
    s.profiles.selectProfileByUuid(before);
    std::ostringstream quiet;
    CliContext silent = ctx;
    silent.err = &quiet;
    switchToCurrent(silent, s);
    return rc;
}

// Imports the file into the mouse's profile list, makes it current and writes it to the mouse.
// A device error takes the import back: the list and the current profile stay as they were,
// and the mouse gets the current profile again.
template <typename Session>
int apply(CliContext& ctx, Session& s, const std::string& file) {
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
    if (const int rc = switchToCurrent(ctx, s); rc != kExitOk) {
        s.profiles.deleteProfile();
        return rollBack(ctx, s, before, rc);
    }
    *ctx.out << "applied as \"" << s.profiles.profileNameText() << "\"\n";
    return kExitOk;
}

// The item a NAME or INDEX argument means: a name first (case ignored), then an index.
int32_t itemOf(const ProfileList& list, const std::string& arg) {
    const auto& names = list.itemNames();
    for (size_t i = 0; i < names.size(); ++i)
        if (sameProfileName(names[i], arg)) return static_cast<int32_t>(i);
    char* end = nullptr;
    const long v = std::strtol(arg.c_str(), &end, 10);
    if (!arg.empty() && *end == '\0' && v >= 0 && static_cast<size_t>(v) < names.size())
        return static_cast<int32_t>(v);
    return -1;
}

template <typename Session>
int select(CliContext& ctx, Session& s, const std::string& arg) {
    const int32_t i = itemOf(s.profiles, arg);
    if (i < 0) {
        *ctx.err << "profile select: no profile \"" << arg << "\" (see profile list)\n";
        return kExitBadArguments;
    }
    const std::string before = s.profiles.currentProfileUuid();
    if (!s.profiles.selectProfile(i)) {
        *ctx.err << "profile select: " << s.profiles.problem() << "\n";
        return kExitDeviceError;
    }
    const int rc = switchToCurrent(ctx, s);
    // A device lost half-way gets the profile it had; the list keeps it as current.
    if (rc != kExitOk) return rollBack(ctx, s, before, rc);
    *ctx.out << "current profile: \"" << s.profiles.profileNameText() << "\"\n";
    return rc;
}

// Deletes the current profile; the mouse switches to the profile selected after it.
template <typename Session>
int remove(CliContext& ctx, Session& s) {
    if (s.profiles.itemNames().size() < 2) {
        *ctx.err << "profile delete: the last profile stays\n";
        return kExitBadArguments;
    }
    const std::string name = s.profiles.profileNameText();
    if (!s.profiles.deleteProfile()) {
        *ctx.err << "profile delete: " << s.profiles.problem() << "\n";
        return kExitDeviceError;
    }
    *ctx.out << "deleted \"" << name << "\"\n";
    return switchToCurrent(ctx, s);
}

// --- verbs on the profile files alone; the mouse need not be there ---

// The mouse's or the keyboard's verbs, by --device.
const VerbDeviceKind& deviceKindOf(const CliContext& ctx) {
    if (isKeyboardName(ctx.device)) return kKeyboardVerbKind;
    if (ctx.device == "headset") return kHeadsetVerbKind;
    if (ctx.device == "mousepad") return kMousepadVerbKind;
    return kMouseVerbKind;
}

// The device's profile list, started; false (with the message printed) when it is damaged.
bool openList(CliContext& ctx, ProfileList& list) {
    const VerbDeviceKind& k = deviceKindOf(ctx);
    list.setDeviceKind(k.listKind);
    list.setFolders(AppPaths::deviceDataFolder(k.folder), AppPaths::defaultTemplatePath(k.folder));
    if (list.start()) return true;
    *ctx.err << list.problem() << "\n";
    return false;
}

// Inside the application its page shows the change.
void tellHost(CliContext& ctx) {
    if (!ctx.host) return;
    std::ostringstream quiet;
    CliContext probe = ctx;
    probe.err = &quiet;
    const VerbDeviceKind& k = deviceKindOf(ctx);
    probe.device = ctx.device.empty() ? k.cableName : ctx.device;
    int rc = kExitOk;
    auto dev = selectDevice(probe, rc);
    if (!dev && ctx.device.empty() && k.receiverName) {
        probe.device = k.receiverName;
        dev = selectDevice(probe, rc);
    }
    if (dev) ctx.host->changed(*dev);
}

int list(CliContext& ctx) {
    ProfileList list;
    if (!openList(ctx, list)) return kExitDeviceError;
    const auto& names = list.itemNames();
    if (ctx.json) {
        Json::Value arr(Json::arrayValue);
        for (size_t i = 0; i < names.size(); ++i) {
            Json::Value v;
            v["index"] = static_cast<Json::UInt>(i);
            v["name"] = names[i];
            v["current"] = static_cast<int32_t>(i) == list.currentSelection();
            v["file"] = list.profilePath(list.itemUuid(static_cast<int32_t>(i)));
            arr.append(v);
        }
        Json::StreamWriterBuilder w;
        w["indentation"] = "  ";
        *ctx.out << Json::writeString(w, arr) << '\n';
        return kExitOk;
    }
    for (size_t i = 0; i < names.size(); ++i)
        *ctx.out << (static_cast<int32_t>(i) == list.currentSelection() ? "* " : "  ") << i << "  "
                 << names[i] << "\n";
    return kExitOk;
}

int add(CliContext& ctx, const std::string& name) {
    ProfileList list;
    if (!openList(ctx, list)) return kExitDeviceError;
    if (name.find_first_not_of(" \t\r\n\v\f") == std::string::npos) {
        *ctx.err << "profile add: the name is blank\n";
        return kExitBadArguments;
    }
    if (profileNameChars(name) > ProfileList::kMaxNameChars) {
        *ctx.err << "profile add: the name is longer than " << ProfileList::kMaxNameChars
                 << " characters\n";
        return kExitBadArguments;
    }
    for (const std::string& n : list.itemNames())
        if (sameProfileName(n, name)) {
            *ctx.err << "profile add: a profile named \"" << n << "\" exists already\n";
            return kExitBadArguments;
        }
    const std::string current = list.currentProfileUuid();
    if (!list.addProfile()) {
        *ctx.err << "profile add: "
                 << (list.problem().empty()
                         ? "the list holds " + std::to_string(ProfileList::kMaxAddCount) +
                               " profiles already"
                         : list.problem())
                 << "\n";
        return list.problem().empty() ? kExitBadArguments : kExitDeviceError;
    }
    // The new profile gets its name; the current profile stays current.
    list.setCurrentSelection(static_cast<int32_t>(list.itemNames().size()) - 1);
    const int renamed = list.renameProfile(name);
    if (renamed != ProfileList::kRenamed) {
        // The entry that could not get its name goes again: no stray "profileN" is left.
        const std::string problem = list.problem();
        list.deleteProfile();
        list.selectProfileByUuid(current);
        *ctx.err << "profile add: " << (problem.empty() ? "the name was not taken" : problem)
                 << "\n";
        return kExitDeviceError;
    }
    list.selectProfileByUuid(current);
    tellHost(ctx);
    *ctx.out << "added \"" << name << "\"\n";
    return kExitOk;
}

// The current profile's file as it is, byte for byte.
int exportCurrent(CliContext& ctx, const std::string& file) {
    ProfileList list;
    if (!openList(ctx, list)) return kExitDeviceError;
    const std::string source = list.profilePath(list.currentProfileUuid());
    const FileRead r = readRegularFile(source, JsonFileIO::kMaxFileBytes);
    if (r.status != FileReadStatus::Ok) {
        *ctx.err << "profile export: " << source << " cannot be read\n";
        return kExitDeviceError;
    }
    if (JsonFileIO::storeBytes(file, r.bytes) != 0) {
        *ctx.err << "profile export: " << file << " could not be written (" << std::strerror(errno)
                 << ")\n";
        return kExitDeviceError;
    }
    *ctx.out << "written " << file << "\n";
    return kExitOk;
}

// The verbs that write the device: dump, apply, select, delete.
template <typename Session>
int runOnDevice(CliContext& ctx, Session& s) {
    const auto& a = ctx.args;
    if (a[0] == "dump") return dump(ctx, s, a[1]);
    if (a[0] == "apply") return apply(ctx, s, a[1]);
    if (a[0] == "select") return select(ctx, s, a[1]);
    return remove(ctx, s);
}

}  // namespace

int runProfileVerb(CliContext& ctx) {
    const auto& a = ctx.args;
    const std::string sub = a.empty() ? std::string() : a[0];
    const bool fileVerb = (sub == "dump" || sub == "apply" || sub == "export") && a.size() == 2;
    if (sub == "list" && a.size() == 1) return list(ctx);
    if (sub == "add" && a.size() == 2) return add(ctx, a[1]);
    if (sub == "export" && fileVerb) return exportCurrent(ctx, a[1]);
    const bool deviceVerb =
        fileVerb || (sub == "select" && a.size() == 2) || (sub == "delete" && a.size() == 1);
    if (!deviceVerb) {
        *ctx.err << "profile list | select NAME|INDEX | add NAME | delete | export FILE | "
                    "dump FILE | apply FILE\n";
        return kExitBadArguments;
    }
    int rc = kExitOk;
    if (isKeyboardName(ctx.device)) {
        auto s = openKeyboard(ctx, rc);
        return s ? runOnDevice(ctx, *s) : rc;
    }
    if (isLightingBlockDevice(ctx.device)) {
        auto s = openBlockSession(ctx, rc);
        return s ? runOnDevice(ctx, *s) : rc;
    }
    auto s = openMouse(ctx, rc);
    return s ? runOnDevice(ctx, *s) : rc;
}

}  // namespace md::cli
