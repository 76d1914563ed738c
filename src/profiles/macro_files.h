#pragma once
// Macro files of a device's data folder: the list "macro.config" ("MacroInfo": name and Guid
// per macro) and one "<Guid>.mac" per macro ("MacroName", "Guid", "Events", "Version" 64).
// Events read from a file are validated and normalised: known types only, buttons and
// distances within a byte, delays within 0-65535, at most 4000 events.

#include <json/value.h>

#include <cstdint>
#include <string>
#include <vector>

namespace md {

struct MacroEvent {
    enum Type : uint8_t { kMouseButton = 1, kMoveX = 4, kMoveY = 5, kModifier = 9, kKey = 10 };
    uint8_t type = kKey;
    uint8_t button = 0;  // usage, modifier bit, button bit or distance
    bool down = true;    // moves: down = left / up
    uint16_t delay = 0;  // pause after the event, ms

    bool operator==(const MacroEvent&) const = default;
};

inline constexpr size_t kMaxMacros = 50;
inline constexpr size_t kMaxMacroEvents = 4000;
inline constexpr int kMacroFileVersion = 64;

// One event as the file holds it ("Delay" as decimal text).
Json::Value macroEventJson(const MacroEvent& e);
// An event of a file; false for one that is no event of a known type.
bool macroEventOf(const Json::Value& v, MacroEvent& out);

struct MacroFile {
    std::string name;
    std::string guid;
    std::vector<MacroEvent> events;
    size_t eventsInFile = 0;  // entries of the file's "Events" list, the ones left out included
};

// Reads a ".mac" file; problem says why it cannot be used ("" when it can). Events beyond
// 4000 and entries of unknown types are left out.
MacroFile readMacroFile(const std::string& path, std::string& problem);
// Writes a ".mac" file atomically; 0 or -1.
int writeMacroFile(const std::string& path, const MacroFile& file);

}  // namespace md
