// Verbs that configure the keyboard: settings [set NAME VALUE], lighting, keys [set KEY
// FUNCTION]. They run the keyboard's controller, as its page does.
#include <json/json.h>

#include <cstdio>
#include <cstdlib>
#include <ostream>

#include "cli/keyboard_session.h"
#include "cli/records.h"
#include "cli/verb_args.h"
#include "devices/keyboard/custom_colours.h"
#include "devices/keyboard/keyboard_layout.h"
#include "devices/memory_image/memory_image.h"
#include "input/keys/assignment_names.h"
#include "profiles/profile_ranges.h"

namespace md::cli {
namespace {

constexpr int kPollingHz[] = {125, 250, 500, 1000};

int showSettings(CliContext& ctx, KeyboardSession& s) {
    KeyboardHardwareSettings h;
    uint8_t hw = 0;
    if (const int rc =
            deviceResult(ctx, "reading the settings", s.controller.readSettingsBlock(h, hw)))
        return rc;
    const KeyboardStages& st = s.controller.stages();
    const LightSetting& l = h.lighting;
    Json::Value lighting = lightingRecord(l, true);
    lighting["subMode"] = l.zzccLedMode;
    lighting["customGroup"] = l.customGroup;
    const Json::Value polling = pollingRecord(
        h.pollingRate,
        h.pollingRate < 4 ? std::optional<int>(kPollingHz[h.pollingRate]) : std::nullopt);
    if (ctx.json) {
        Json::Value v;
        v["hardwareProfile"] = hw;
        v["lighting"] = lighting;
        v["pollingRate"] = polling;
        v["winLock"] = h.winFlag != 0;
        v["wasdSwap"] = h.wFlag != 0;
        v["sixKeys"] = h.key6Flag != 0;
        v["repeat"] = st.repeat;
        v["repeatDelayMs"] = st.repeatDelay * 250 + 250;
        writeJson(ctx, v);
        return kExitOk;
    }
    *ctx.out << "hardware profile: " << int(hw) << "\n"
             << "lighting: " << lightingText(lighting) << "\n"
             << "polling rate: " << pollingText(polling) << "\n"
             << "windows keys locked: " << (h.winFlag ? "yes" : "no") << "\n"
             << "wasd and arrows swapped: " << (h.wFlag ? "yes" : "no") << "\n"
             << "six-key rollover: " << (h.key6Flag ? "yes" : "no") << "\n"
             << "key repeat (profile): rate " << st.repeat << ", delay "
             << st.repeatDelay * 250 + 250 << " ms\n";
    return kExitOk;
}

int setSetting(CliContext& ctx, KeyboardSession& s) {
    static const char* const kUsage =
        "settings set NAME VALUE: polling 0-3 (125, 250, 500, 1000 Hz), winlock|wasd|sixkeys "
        "on|off, repeat 0-31, delay 0-3 (250-1000 ms)";
    if (ctx.args.size() != 3) return badArgument(ctx, kUsage);
    const std::string& name = ctx.args[1];
    const std::string& text = ctx.args[2];
    KeyboardStages st = s.controller.stages();
    int v = 0;
    const bool on = text == "on" || text == "1";
    const bool flag = on || text == "off" || text == "0";
    if (name == "polling" && parseInt(text, ranges::kKeyboardOption, v)) {
        st.pollingRate = uint16_t(v);
    } else if (name == "delay" && parseInt(text, ranges::kKeyboardOption, v)) {
        st.repeatDelay = uint16_t(v);
    } else if (name == "repeat" && parseInt(text, ranges::kKeyRepeat, v)) {
        st.repeat = uint16_t(v);
    } else if (name == "winlock" && flag) {
        st.winFlag = on;
    } else if (name == "wasd" && flag) {
        st.wFlag = on;
    } else if (name == "sixkeys" && flag) {
        st.key6Flag = on;
    } else {
        return badArgument(ctx, kUsage);
    }
    s.controller.setStages(st);
    return saveAndSend(ctx, s);
}

// The colours of the profile's custom group, by key position ("Alpha" as the intensity).
std::vector<lighting::LedColour> customGroupColours(KeyboardSession& s) {
    std::vector<lighting::LedColour> leds(kKeyboardKeys);
    const auto stored =
        s.profile.readCustomColours(s.profile.getCustomGroupIndex(), int32_t(leds.size()));
    for (size_t i = 0; i < leds.size() && i < stored.size(); ++i)
        leds[i] = {stored[i].red, stored[i].green, stored[i].blue, stored[i].alpha};
    return leds;
}

// Mode 20 shows the colours of a custom group: they go into the keyboard's colour table, as
// the page writes them when the mode is chosen.
int sendCustomGroup(CliContext& ctx, KeyboardSession& s,
                    std::span<const lighting::LedColour> leds) {
    const kblight::CustomColourTarget target{s.link, s.controller.keyMaps().led};
    return deviceResult(ctx, "writing the custom colours",
                        kblight::sendCustomColours(leds, s.controller.lighting(), target));
}

// lighting MODE [--group 1-3] [options]
int runLighting(CliContext& ctx, KeyboardSession& s) {
    int mode = 0;
    if (ctx.args.size() != 1 || !parseInt(ctx.args[0], ranges::kKeyboardLightMode, mode))
        return badArgument(ctx, "lighting: MODE is 0 to 28");
    LightSetting l = s.profile.readLightInfo();
    l.mode = uint8_t(mode);
    if (!applyLightingOptions(ctx, "lighting", l)) return kExitBadArguments;
    if (const auto g = ctx.named.find("group"); g != ctx.named.end()) {
        int group = 0;
        if (mode != kblight::kCustomColourMode ||
            !parseInt(g->second, ValueRange{1, kblight::kKeyboardCustomGroups}, group))
            return badArgument(ctx, "lighting: --group 1 to " +
                                        std::to_string(kblight::kKeyboardCustomGroups) +
                                        " goes with mode 20 (custom colours)");
        s.profile.setCustomGroupIndex(group - 1);
    }
    const auto w = l.toWords();
    s.profile.writeLightInfo(w.w0, w.w1, w.w2, w.w3);
    s.controller.setLighting(l);
    if (const int rc = saveAndSend(ctx, s); rc != kExitOk) return rc;
    if (mode != kblight::kCustomColourMode) return kExitOk;
    return sendCustomGroup(ctx, s, customGroupColours(s));
}

// lighting key KEY RRGGBB: one key's colour in the current custom group (mode 20).
int runKeyColour(CliContext& ctx, KeyboardSession& s);

// A key by its position (0-125) or by the name of its factory function ("key:a", "m1").
int keyOf(const std::string& text) {
    int v = 0;
    if (parseInt(text, ValueRange{0, int(kKeyboardKeys) - 1}, v)) return v;
    for (size_t i = 0; i < kKeyboardKeys; ++i)
        if (keys::assignmentName(kKeyboardLayout[i]) == text) return int(i);
    return -1;
}

int runKeyColour(CliContext& ctx, KeyboardSession& s) {
    static const char* const kUsage =
        "lighting key KEY RRGGBB: KEY 0 to 125 or its name (see keys); the keyboard must show "
        "its custom colours (lighting 20)";
    unsigned rgb = 0;
    char tail = 0;
    if (ctx.args.size() != 3 || ctx.args[2].size() != 6 ||
        std::sscanf(ctx.args[2].c_str(), "%6x%c", &rgb, &tail) != 1)
        return badArgument(ctx, kUsage);
    const int key = keyOf(ctx.args[1]);
    if (key < 0 || s.controller.keyMaps().led[size_t(key)] == kNoEntry)
        return badArgument(ctx, "lighting key: the keyboard has no lit key " + ctx.args[1]);
    if (s.controller.lighting().mode != kblight::kCustomColourMode)
        return badArgument(ctx,
                           "lighting key: the keyboard is not showing its custom colours; "
                           "choose them first with lighting 20");
    std::vector<lighting::LedColour> leds = customGroupColours(s);
    lighting::LedColour& led = leds[size_t(key)];
    led = {uint8_t(rgb >> 16), uint8_t(rgb >> 8), uint8_t(rgb),
           led.intensity ? led.intensity : uint8_t(255)};
    std::vector<CustomColour> stored;
    for (const lighting::LedColour& c : leds)
        stored.push_back({c.red, c.green, c.blue, c.intensity});
    s.profile.writeCustomColours(stored, s.profile.getCustomGroupIndex());
    s.changed = true;
    if (!s.profile.save()) {
        *ctx.err << "the profile " << s.profile.getProfilePath() << " could not be written\n";
        s.rollBack();
        return kExitDeviceError;
    }
    const int rc = sendCustomGroup(ctx, s, leds);
    if (rc != kExitOk) s.rollBack();
    return rc;
}

int runKeys(CliContext& ctx, KeyboardSession& s) {
    std::vector<KeyBinding> list = s.controller.keyList();
    const KeyboardKeyMaps& maps = s.controller.keyMaps();
    if (ctx.args.empty()) {
        Json::Value arr(Json::arrayValue);
        for (size_t i = 0; i < kKeyboardKeys; ++i) {
            if (maps.position[i] == kNoEntry) continue;  // not a key of this keyboard
            const KeyBinding& b = list[i];
            const bool factory = b.assignment == b.defaultAssignment;
            const std::string key = keys::assignmentName(kKeyboardLayout[i]);
            const std::string function = keys::assignmentName(b.assignment);
            if (ctx.json) {
                Json::Value v;
                v["key"] = Json::UInt(i);
                v["name"] = key;
                v["entry"] = maps.position[i];
                v["led"] = maps.led[i] == kNoEntry ? Json::Value() : Json::Value(maps.led[i]);
                v["assignment"] = keys::hexCode(b.assignment);
                v["function"] = function;
                v["factory"] = factory;
                arr.append(v);
                continue;
            }
            char line[160];
            std::snprintf(line, sizeof line, "%3zu %-16s entry %-3d %s%s", i, key.c_str(),
                          int(maps.position[i]), function.c_str(), factory ? "" : "  (changed)");
            *ctx.out << line << "\n";
        }
        if (ctx.json) writeJson(ctx, arr);
        return kExitOk;
    }
    static const char* const kUsage =
        "keys set KEY FUNCTION: KEY 0 to 125 or its name (see keys, e.g. key:capslock); "
        "FUNCTION a name such as key:ctrl+c, media:play, macro:2, disabled, default, or six "
        "hexadecimal digits";
    if (ctx.args.size() != 3 || ctx.args[0] != "set") return badArgument(ctx, kUsage);
    const int key = keyOf(ctx.args[1]);
    if (key < 0 || maps.position[size_t(key)] == kNoEntry)
        return badArgument(ctx, "keys set: the keyboard has no key " + ctx.args[1]);
    if (key == kKeyboardFnKey) return badArgument(ctx, "keys set: the Fn key keeps its function");
    const int macros = int(memimg::macroCountOf(s.folder));
    const keys::ParsedAssignment p =
        keys::parseAssignmentName(ctx.args[2], list[size_t(key)].defaultAssignment, macros);
    if (!p.ok) return badArgument(ctx, "keys set: " + p.error + "\n" + kUsage);
    s.controller.setAssignment(size_t(key), p.assignment);
    s.changed = true;
    if (!s.profile.save()) {
        *ctx.err << "the profile " << s.profile.getProfilePath() << " could not be written\n";
        s.rollBack();
        return kExitDeviceError;
    }
    const int rc = deviceResult(ctx, "writing the key table", s.controller.writeKeyAssignments(0));
    if (rc != kExitOk) s.rollBack();
    return rc;
}

}  // namespace

int runKeyboardVerb(CliContext& ctx, const std::string& verb) {
    int rc = kExitOk;
    auto s = openKeyboard(ctx, rc);
    if (!s) return rc;
    if (verb == "settings") {
        if (ctx.args.empty()) return showSettings(ctx, *s);
        if (ctx.args[0] == "set") return setSetting(ctx, *s);
        return badArgument(ctx, "settings [set NAME VALUE]");
    }
    if (verb == "lighting")
        return !ctx.args.empty() && ctx.args[0] == "key" ? runKeyColour(ctx, *s)
                                                         : runLighting(ctx, *s);
    if (verb == "keys") return runKeys(ctx, *s);
    if (verb == "polling") {
        // The keyboard's polling rate is one of its settings.
        ctx.args.insert(ctx.args.begin(), {"set", "polling"});
        return setSetting(ctx, *s);
    }
    return badArgument(ctx, verb + " is a mouse verb; the keyboard has settings, lighting, keys");
}

}  // namespace md::cli
