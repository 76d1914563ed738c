#pragma once
// Reading files that come from outside the program (profiles, lists, light, macro and recoil
// files, the virtual devices' state, the device configuration): only regular files are read,
// opened without blocking so that a FIFO or a device node never stalls the caller, and only up
// to a size limit checked before reading. JSON documents also have a nesting limit checked
// before parsing, so a hostile file can neither exhaust memory nor the stack.

#include <json/value.h>

#include <cstddef>
#include <string>

namespace md {

inline constexpr size_t kMaxJsonFileBytes = 16 * 1024 * 1024;
inline constexpr int kMaxJsonNesting = 64;

enum class FileReadStatus { Ok, Missing, NotRegular, TooLarge, Unreadable, Empty };

struct FileRead {
    FileReadStatus status = FileReadStatus::Missing;
    std::string bytes;
    int error = 0;  // errno of a failed open or read
};

// The whole file when it is a regular file of 1 to maxBytes bytes.
FileRead readRegularFile(const std::string& path, size_t maxBytes);

enum class JsonReadStatus { Ok, Missing, Damaged };

struct JsonRead {
    JsonReadStatus status = JsonReadStatus::Missing;
    Json::Value value;
    // Why a file counts as damaged, e.g. "is not valid JSON"; empty otherwise.
    std::string problem;
};

// Reads and parses a JSON document (comments allowed). Missing: no file at path, or an empty
// one. Damaged: the path exists but is no regular file, cannot be read, is too large, too deep
// or no JSON.
JsonRead readJsonFile(const std::string& path, size_t maxBytes = kMaxJsonFileBytes);

// Parses text (comments allowed); false when it is no JSON document or nests deeper than
// kMaxJsonNesting. Never throws.
bool parseJsonText(const std::string& text, Json::Value& value);

// The deepest nesting of arrays and objects in text (brackets in strings do not count).
int jsonNestingDepth(const std::string& text);

}  // namespace md
