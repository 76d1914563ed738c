#include "audio/pipewire_sink.h"

#include <json/json.h>

#include <cstdlib>
#include <memory>
#include <set>

namespace md {
namespace {

const Json::Value& props(const Json::Value& object) {
    const Json::Value& info = object.isObject() ? object["info"] : Json::Value::nullSingleton();
    return info.isObject() && info["props"].isObject() ? info["props"] : Json::Value::nullSingleton();
}

// A property as text: PipeWire writes ids and numbers as strings or numbers.
std::string text(const Json::Value& p, const char* key) {
    if (!p.isObject()) return {};
    const Json::Value& v = p[key];
    if (v.isString()) return v.asString();
    if (v.isIntegral()) return std::to_string(v.asInt64());
    return {};
}

// USB ids are hexadecimal with or without "0x" ("0x0c76", "1630"); other numbers decimal.
std::optional<long> number(const std::string& s, int base = 10) {
    if (s.empty()) return std::nullopt;
    char* end = nullptr;
    const long v = std::strtol(s.c_str(), &end, base);
    if (*end != '\0') return std::nullopt;
    return v;
}

}  // namespace

std::string headsetSinkFromDump(const std::string& dumpJson, uint16_t vendor, uint16_t product,
                                std::optional<int> card) {
    Json::Value all;
    Json::CharReaderBuilder b;
    b["collectComments"] = false;
    std::string errors;
    const std::unique_ptr<Json::CharReader> reader(b.newCharReader());
    if (!reader->parse(dumpJson.data(), dumpJson.data() + dumpJson.size(), &all, &errors) ||
        !all.isArray())
        return {};
    // The headset's devices, by USB ids (hexadecimal) or by card number.
    std::set<long> devices;
    for (const Json::Value& o : all) {
        if (!o.isObject() || o["type"].asString() != "PipeWire:Interface:Device") continue;
        const Json::Value& p = props(o);
        const auto v = number(text(p, "device.vendor.id"), 16);
        const auto d = number(text(p, "device.product.id"), 16);
        const auto c = number(text(p, "api.alsa.card"));
        const bool byIds = v && d && *v == vendor && *d == product;
        const bool byCard = !(v && d) && card && c && *c == *card;
        if ((byIds || byCard) && o["id"].isIntegral()) devices.insert(o["id"].asInt64());
    }
    for (const Json::Value& o : all) {
        if (!o.isObject() || o["type"].asString() != "PipeWire:Interface:Node") continue;
        const Json::Value& p = props(o);
        if (text(p, "media.class") != "Audio/Sink") continue;
        const auto device = number(text(p, "device.id"));
        if (device && devices.count(*device)) return text(p, "node.name");
    }
    return {};
}

}  // namespace md
