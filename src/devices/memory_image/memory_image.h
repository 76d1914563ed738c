#pragma once
// The memory image in which macros and recoil sequences are written to a device:
//
//   0   AA 55          signature
//   2   total length   of the whole image
//   4   N              number of entries
//   6   10 bytes 0
//   16  2 × N          offset of each entry header from the start of the image
//   ... entries without gaps: event count E, 2 bytes 0, E events of 4 bytes
//
// An event is the delay (little-endian), the type with bit 7 set for "down", and the button.
// All numbers little-endian.

#include <json/value.h>

#include <cstdint>
#include <string>
#include <vector>

namespace md::memimg {

inline constexpr size_t kHeaderSize = 16;
inline constexpr size_t kEventSize = 4;
inline constexpr size_t kRecoilEntries = 4;
// Lengths and offsets are 16-bit: a larger image cannot be described by its own header.
inline constexpr size_t kMaxImageLength = 0xFFFF;
// The most entries an image can index (each takes 6 bytes of table and count).
inline constexpr size_t kMaxEntries = (kMaxImageLength - kHeaderSize) / 6;

// The packed events of one entry (4 bytes each).
using EntryEvents = std::vector<uint8_t>;

// Packs one event of an "Events" array: low 16 bits of "Delay" (a decimal string read like
// strtol, or a number), low 8 bits of "Type" with bit 7 when "Action" is "down", low 8 bits of
// "Button". Members of the wrong kind read as 0.
void packEvent(const Json::Value& event, uint8_t out[kEventSize]);
// The packed events of an "Events" array; nothing for anything that is not an array.
EntryEvents packEvents(const Json::Value& events);
// The entry of the file at path: its "Events", or no events when the file cannot be read.
EntryEvents loadEntryFile(const std::string& path);

// 16 + 6 × N + 4 × (all events).
size_t imageLength(const std::vector<EntryEvents>& entries);
// The image; empty when it would be longer than kMaxImageLength.
std::vector<uint8_t> buildImage(const std::vector<EntryEvents>& entries);

// Entries of the macros listed in "MacroInfo" of folder + "macro.config", each from the file
// Guid + ".mac" in the folder. False when the list does not parse or lists more than
// kMaxEntries macros (entries untouched). A Guid
// that is no plain file name gives an entry without events.
bool loadMacroEntries(const std::string& folder, std::vector<EntryEvents>& entries);
// The four entries of the files "ShootData_0.Shoot" to "ShootData_3.Shoot" in the folder.
std::vector<EntryEvents> loadRecoilEntries(const std::string& folder);

// The number of macros "macro.config" in folder lists (0 when it cannot be read).
size_t macroCountOf(const std::string& folder);
// The macros' names in list order ("" for an entry without one).
std::vector<std::string> macroNamesOf(const std::string& folder);

// Checks made before an upload, so that nothing empty or half-read replaces a good table on the
// device. Each returns "" when there is something whole to write, else the reason, naming the
// file: no "macro.config" or no macros in it, no recoil file at all, or a listed file that is
// missing, damaged or has no "Events" list.
std::string macroUploadProblem(const std::string& folder);
std::string recoilUploadProblem(const std::string& folder);

}  // namespace md::memimg
