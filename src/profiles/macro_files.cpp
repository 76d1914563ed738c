#include "profiles/macro_files.h"

#include <algorithm>
#include <charconv>

#include "profiles/json_file_io.h"

namespace md {
namespace {

bool integer(const Json::Value& v, int64_t& out) {
    if (v.isIntegral()) {
        out = v.isUInt64() && !v.isInt64() ? INT64_MAX : v.asInt64();
        return true;
    }
    if (v.isString()) {
        const std::string s = v.asString();
        const auto r = std::from_chars(s.data(), s.data() + s.size(), out);
        if (r.ec == std::errc::result_out_of_range) {
            out = s.starts_with('-') ? INT64_MIN : INT64_MAX;
            return true;
        }
        return r.ec == std::errc() && r.ptr == s.data() + s.size();
    }
    return false;
}

}  // namespace

Json::Value macroEventJson(const MacroEvent& e) {
    Json::Value v(Json::objectValue);
    v["Type"] = e.type;
    v["Button"] = e.button;
    v["Action"] = e.down ? "down" : "up";
    v["Delay"] = std::to_string(e.delay);
    return v;
}

bool macroEventOf(const Json::Value& v, MacroEvent& out) {
    if (!v.isObject()) return false;
    int64_t type = 0, button = 0, delay = 0;
    if (!integer(v["Type"], type) || !integer(v["Button"], button)) return false;
    if (type != MacroEvent::kMouseButton && type != MacroEvent::kMoveX &&
        type != MacroEvent::kMoveY && type != MacroEvent::kModifier && type != MacroEvent::kKey)
        return false;
    if (button < 0 || button > 255) return false;
    const Json::Value& action = v["Action"];
    if (!action.isString() || (action.asString() != "down" && action.asString() != "up"))
        return false;
    if (!v.isMember("Delay"))
        delay = 0;
    else if (!integer(v["Delay"], delay))
        return false;
    out.type = static_cast<uint8_t>(type);
    out.button = static_cast<uint8_t>(button);
    out.down = action.asString() == "down";
    out.delay = static_cast<uint16_t>(std::clamp<int64_t>(delay, 0, 65535));
    return true;
}

MacroFile readMacroFile(const std::string& path, std::string& problem) {
    MacroFile f;
    const JsonRead r = JsonFileIO::loadChecked(path);
    if (r.status == JsonReadStatus::Missing) {
        problem = path + " does not exist";
        return f;
    }
    if (r.status == JsonReadStatus::Damaged) {
        problem = path + " " + r.problem;
        return f;
    }
    const Json::Value& doc = r.value;
    const Json::Value& events = doc.isObject() ? doc["Events"] : Json::Value::nullSingleton();
    if (!events.isArray()) {
        problem = path + " has no \"Events\" list";
        return f;
    }
    problem.clear();
    if (doc["MacroName"].isString()) f.name = doc["MacroName"].asString();
    if (doc["Guid"].isString()) f.guid = doc["Guid"].asString();
    f.eventsInFile = events.size();
    f.events.reserve(std::min<size_t>(events.size(), kMaxMacroEvents));
    for (const Json::Value& e : events) {
        if (f.events.size() == kMaxMacroEvents) break;
        MacroEvent m;
        if (macroEventOf(e, m)) f.events.push_back(m);
    }
    return f;
}

int writeMacroFile(const std::string& path, const MacroFile& file) {
    Json::Value doc(Json::objectValue);
    doc["MacroName"] = file.name;
    doc["Guid"] = file.guid;
    Json::Value& events = doc["Events"] = Json::Value(Json::arrayValue);
    const size_t n = std::min(file.events.size(), kMaxMacroEvents);
    for (size_t i = 0; i < n; ++i) events.append(macroEventJson(file.events[i]));
    doc["Version"] = kMacroFileVersion;
    return JsonFileIO::storeJsonDocument(path, doc);
}

}  // namespace md
