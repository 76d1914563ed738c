#pragma once
// The JSON state file that lets separate runs continue the same device memory:
//
//   { "version": 1,
//     "devices": { "mouse": { "config": "<hex>", "keyTable": "<hex>", "keyByteTable": "<hex>",
//                             "macro": "<hex>", "recoil": "<hex>", "colour": "<hex>",
//                             "power": "<hex>", "poweredOn": true }, ... } }
//
// Saving keeps the entries of firmware models that are not part of this run. Writes are atomic
// (temporary file in the same folder, then rename). A missing or unreadable file loads nothing.

#include <string>
#include <vector>

#include "sim/firmware.h"

namespace md::sim {

// Loads the entry named after the firmware, if the file has one. False when nothing was loaded.
bool loadFirmwareState(const std::string& path, Firmware& firmware);
bool saveFirmwareState(const std::string& path, const std::vector<const Firmware*>& firmware);

std::string toHex(const std::vector<uint8_t>& bytes);
// Hex text to bytes; false on an odd length or a character that is no hex digit.
bool fromHex(const std::string& text, std::vector<uint8_t>& out);

}  // namespace md::sim
