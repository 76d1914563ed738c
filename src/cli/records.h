#pragma once
// One JSON record per thing the tool prints, with the same field names for every device kind;
// the text output is rendered from the same record.
//
//   lighting     {"mode", "brightness", "speed", "direction" (when the device reports it),
//                 "multicolour", "colour" "rrggbb"} and, per kind, "modeName" (lighting
//                 block), "subMode" and "customGroup" (keyboard)
//   pollingRate  {"option", "hz" (null where the device does not say)}
//   event        {"event": "arrived"|"removed", "slot", "device", "collection":
//                 "command"|"event", "path" (arrivals)}

#include <json/json.h>

#include <optional>
#include <string>

#include "profiles/profile_records.h"

namespace md::cli {

Json::Value lightingRecord(const LightSetting& l, bool withDirection);
// "mode 3 (steady), brightness 4, speed 2, multicolour 0, colour ff0000"
std::string lightingText(const Json::Value& lighting);

Json::Value pollingRecord(int option, std::optional<int> hz);
// "option 3 (1000 Hz)"
std::string pollingText(const Json::Value& polling);

Json::Value slotEventRecord(bool arrived, size_t slot, const char* device, bool command,
                            const std::string& path);
// "arrived slot 4 mouse command /dev/hidraw3"
std::string slotEventText(const Json::Value& event);

}  // namespace md::cli
