#include "cli/records.h"

#include "cli/verb_args.h"

namespace md::cli {

Json::Value lightingRecord(const LightSetting& l, bool withDirection) {
    Json::Value v;
    v["mode"] = l.mode;
    v["brightness"] = l.brightness;
    v["speed"] = l.speed;
    if (withDirection) v["direction"] = l.direction;
    v["multicolour"] = l.multiColor;
    v["colour"] = hexColour(l.red, l.green, l.blue);
    return v;
}

std::string lightingText(const Json::Value& l) {
    std::string t = "mode " + std::to_string(l["mode"].asInt());
    if (l.isMember("modeName")) t += " (" + l["modeName"].asString() + ")";
    for (const char* field : {"brightness", "speed", "direction", "multicolour"})
        if (l.isMember(field))
            t += std::string(", ") + field + " " + std::to_string(l[field].asInt());
    t += ", colour " + l["colour"].asString();
    if (l.isMember("subMode")) t += ", sub-mode " + std::to_string(l["subMode"].asInt());
    if (l.isMember("customGroup"))
        t += ", custom group " + std::to_string(l["customGroup"].asInt());
    return t;
}

Json::Value pollingRecord(int option, std::optional<int> hz) {
    Json::Value v;
    v["option"] = option;
    v["hz"] = hz ? Json::Value(*hz) : Json::Value();
    return v;
}

std::string pollingText(const Json::Value& p) {
    std::string t = "option " + std::to_string(p["option"].asInt());
    if (p["hz"].isInt()) t += " (" + std::to_string(p["hz"].asInt()) + " Hz)";
    return t;
}

Json::Value slotEventRecord(bool arrived, size_t slot, const char* device, bool command,
                            const std::string& path) {
    Json::Value v;
    v["event"] = arrived ? "arrived" : "removed";
    v["slot"] = Json::UInt64(slot);
    v["device"] = device;
    v["collection"] = command ? "command" : "event";
    if (arrived) v["path"] = path;
    return v;
}

std::string slotEventText(const Json::Value& e) {
    std::string t = e["event"].asString() + " slot " + std::to_string(e["slot"].asUInt64()) + ' ' +
                    e["device"].asString() + ' ' + e["collection"].asString();
    if (e.isMember("path")) t += ' ' + e["path"].asString();
    return t;
}

}  // namespace md::cli
