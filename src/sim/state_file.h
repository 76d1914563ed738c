#pragma once
// The JSON state file that lets separate runs continue the same device memory:
//
//   { "version": 1,
//     "devices": { "mouse": { "config": "<hex>", "keyTable": "<hex>", "keyByteTable": "<hex>",
//                             "macro": "<hex>", "recoil": "<hex>", "colour": "<hex>",
//                             "power": "<hex>", "poweredOn": true }, ... } }
//
// Saving keeps the entries of firmware models that are not part of this run. Writes are atomic
// (temporary file in the same folder, then rename). A missing or unreadable file loads nothing;
// a file that is no state file (not a regular file, larger than kMaxStateFileBytes, no JSON, no
// "version" 1 with a "devices" object) is neither loaded nor overwritten.

#include <string>
#include <vector>

#include "sim/firmware.h"

namespace md::sim {

inline constexpr size_t kMaxStateFileBytes = 16 * 1024 * 1024;

// Why path cannot serve as the state file ("" when it is one or does not exist yet).
std::string stateFileProblem(const std::string& path);

// Loads the entry named after the firmware, if the file has one. False when nothing was loaded.
bool loadFirmwareState(const std::string& path, Firmware& firmware);
bool saveFirmwareState(const std::string& path, const std::vector<const Firmware*>& firmware);

std::string toHex(const std::vector<uint8_t>& bytes);
// Hex text to bytes; false on an odd length or a character that is no hex digit.
bool fromHex(const std::string& text, std::vector<uint8_t>& out);

}  // namespace md::sim
