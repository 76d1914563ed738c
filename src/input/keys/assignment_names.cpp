#include "input/keys/assignment_names.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <charconv>
#include <cstdio>
#include <vector>

#include "input/keys/key_choices.h"

namespace md::keys {
namespace {

// Modifier bits by name; the left ones also by their short names.
struct Modifier {
    const char* name;
    const char* alias;
    uint8_t bit;
};
constexpr std::array<Modifier, 8> kModifiers = {{{"ctrl", "lctrl", 0x01},
                                                 {"shift", "lshift", 0x02},
                                                 {"alt", "lalt", 0x04},
                                                 {"win", "lwin", 0x08},
                                                 {"rctrl", "rctrl", 0x10},
                                                 {"rshift", "rshift", 0x20},
                                                 {"ralt", "ralt", 0x40},
                                                 {"rwin", "rwin", 0x80}}};

std::span<const ChoiceRow> namedTables(size_t i) {
    switch (i) {
        case 0:
            return buttonChoices();
        case 1:
            return wheelChoices();
        case 2:
            return dpiChoices();
        case 3:
            return mediaChoices();
        case 4:
            return systemChoices();
        case 5:
            return editShortcuts();
        case 6:
            return specialKeys();
        default:
            return {};
    }
}
constexpr size_t kNamedTables = 7;

std::vector<std::string> split(const std::string& s, char sep) {
    std::vector<std::string> parts;
    size_t start = 0;
    while (true) {
        const size_t end = s.find(sep, start);
        parts.push_back(s.substr(start, end == std::string::npos ? end : end - start));
        if (end == std::string::npos) return parts;
        start = end + 1;
    }
}

bool number(const std::string& s, int max, int& out) {
    if (s.empty()) return false;
    const auto r = std::from_chars(s.data(), s.data() + s.size(), out);
    return r.ec == std::errc() && r.ptr == s.data() + s.size() && out >= 0 && out <= max;
}

// The key row (keys with a HID usage) of a name.
std::optional<size_t> keyRowOfName(const std::string& name) {
    const auto table = keyCodeTable();
    for (size_t i = kModifierRows; i < table.size(); ++i)
        if (table[i].assignment[0] == kKeyboardKey && table[i].assignment[1] == 0 &&
            name == table[i].cliName)
            return i;
    return std::nullopt;
}

ParsedAssignment fail(std::string why) {
    ParsedAssignment p;
    p.error = std::move(why);
    return p;
}

ParsedAssignment done(KeyAssignment a) {
    ParsedAssignment p;
    p.ok = true;
    p.assignment = a;
    return p;
}

ParsedAssignment parseKey(const std::string& keys) {
    uint8_t mods = 0;
    uint8_t code = 0;
    bool haveKey = false;
    for (const std::string& part : split(keys, '+')) {
        const auto mod = std::find_if(kModifiers.begin(), kModifiers.end(), [&](const Modifier& m) {
            return part == m.name || part == m.alias;
        });
        if (mod != kModifiers.end()) {
            mods |= mod->bit;
            continue;
        }
        const auto row = keyRowOfName(part);
        if (!row) return fail("unknown key \"" + part + "\"");
        if (haveKey) return fail("key: names one key besides its modifiers");
        haveKey = true;
        code = keyCodeTable()[*row].assignment[2];
    }
    if (!haveKey && mods == 0) return fail("key: needs a key name");
    return done({kKeyboardKey, mods, code});
}

ParsedAssignment parseWheel(const std::vector<std::string>& parts) {
    const auto base = std::find_if(wheelChoices().begin(), wheelChoices().end(),
                                   [&](const ChoiceRow& r) { return parts[0] == r.cliName; });
    if (base == wheelChoices().end()) return fail("unknown function \"" + parts[0] + "\"");
    if (parts.size() == 1) return done(base->assignment);
    int count = 0, delay = 0, speed = 0;
    if (parts.size() != 4 || !number(parts[1], 127, count) || !number(parts[2], 15, delay) ||
        !number(parts[3], 15, speed))
        return fail(parts[0] + ":COUNT:DELAY:SPEED needs COUNT 0-127, DELAY and SPEED 0-15");
    const bool reverse = (base->assignment[2] & 0x80) != 0;
    return done({base->assignment[0], static_cast<uint8_t>(delay << 4 | speed),
                 static_cast<uint8_t>(count | (reverse ? 0x80 : 0))});
}

}  // namespace

std::string hexCode(const KeyAssignment& a) {
    char s[8];
    std::snprintf(s, sizeof s, "%02x%02x%02x", a[0], a[1], a[2]);
    return s;
}

std::string assignmentName(const KeyAssignment& a) {
    for (size_t t = 0; t < kNamedTables; ++t)
        for (const ChoiceRow& r : namedTables(t))
            if (r.assignment == a) return r.cliName;
    switch (a[0]) {
        case kHorizontalWheel:
        case kVerticalWheel: {
            const bool reverse = (a[2] & 0x80) != 0;
            const char* base = a[0] == kVerticalWheel ? (reverse ? "wheel-down" : "wheel-up")
                                                      : (reverse ? "wheel-left" : "wheel-right");
            return std::string(base) + ":" + std::to_string(a[2] & 0x7F) + ":" +
                   std::to_string(a[1] >> 4) + ":" + std::to_string(a[1] & 0x0F);
        }
        case kFire:
            return "fire:" + std::to_string(a[1]) + ":" + std::to_string(a[2]);
        case kKeyboardKey: {
            std::string name;
            for (const Modifier& m : kModifiers)
                if (a[1] & m.bit) name += std::string(name.empty() ? "" : "+") + m.name;
            if (a[2] != 0) {
                const auto table = keyCodeTable();
                size_t i = kModifierRows;
                while (i < table.size() &&
                       !(table[i].assignment[0] == kKeyboardKey && table[i].assignment[1] == 0 &&
                         table[i].assignment[2] == a[2]))
                    ++i;
                if (i == table.size()) break;
                name += std::string(name.empty() ? "" : "+") + table[i].cliName;
            }
            if (name.empty()) break;
            return "key:" + name;
        }
        case kMacro:
            return "macro:" + std::to_string(a[1]) + (a[2] ? ":" + std::to_string(a[2]) : "");
        case kMacroRepeated:
            return "macro:" + std::to_string(a[1]) + ":x" + std::to_string(a[2]);
        case kRecoil:
            if (a[2] == 0) return "recoil:" + std::to_string(a[1]);
            break;
        default:
            break;
    }
    return hexCode(a);
}

ParsedAssignment parseAssignmentName(const std::string& input, const KeyAssignment& factory,
                                     int macroCount) {
    std::string text = input;
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    if (text.size() == 6 && std::all_of(text.begin(), text.end(),
                                        [](unsigned char c) { return std::isxdigit(c) != 0; })) {
        unsigned v = 0;
        std::from_chars(text.data(), text.data() + 6, v, 16);
        return done(
            {static_cast<uint8_t>(v >> 16), static_cast<uint8_t>(v >> 8), static_cast<uint8_t>(v)});
    }
    if (text == "default") return done(factory);
    for (size_t t = 0; t < kNamedTables; ++t)
        for (const ChoiceRow& r : namedTables(t))
            if (text == r.cliName) return done(r.assignment);
    const std::vector<std::string> parts = split(text, ':');
    const std::string& head = parts[0];
    if (head.starts_with("wheel-")) return parseWheel(parts);
    if (head == "key" && parts.size() == 2) return parseKey(parts[1]);
    if (head == "fire") {
        int interval = 0, count = 0;
        if (parts.size() != 3 || !number(parts[1], 255, interval) || !number(parts[2], 255, count))
            return fail("fire:INTERVAL:COUNT needs two numbers 0-255");
        return done({kFire, static_cast<uint8_t>(interval), static_cast<uint8_t>(count)});
    }
    if (head == "macro") {
        int m = 0;
        if (parts.size() < 2 || parts.size() > 3 || !number(parts[1], 255, m))
            return fail("macro:N, macro:N:MODE or macro:N:xCOUNT");
        if (m >= macroCount)
            return fail("there is no macro " + parts[1] + " (" + std::to_string(macroCount) +
                        " macros)");
        if (parts.size() == 2) return done({kMacro, static_cast<uint8_t>(m), 0});
        int v = 0;
        if (parts[2].starts_with('x') && number(parts[2].substr(1), 255, v))
            return done({kMacroRepeated, static_cast<uint8_t>(m), static_cast<uint8_t>(v)});
        if (number(parts[2], 3, v))
            return done({kMacro, static_cast<uint8_t>(m), static_cast<uint8_t>(v)});
        return fail("macro:N:MODE takes a mode 0-3, macro:N:xCOUNT a count 0-255");
    }
    if (head == "recoil") {
        int n = 0;
        if (parts.size() != 2 || !number(parts[1], 255, n)) return fail("recoil:N needs 0-255");
        return done({kRecoil, static_cast<uint8_t>(n), 0});
    }
    return fail("unknown function \"" + input + "\"");
}

}  // namespace md::keys
