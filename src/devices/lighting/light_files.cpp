#include "devices/lighting/light_files.h"

#include "profiles/json_fields.h"
#include "profiles/json_file_io.h"

namespace md::lighting {
namespace {

// Element row of the array member key of doc; null when there is none.
const Json::Value& rowOf(const Json::Value& doc, const char* key, int row) {
    if (row < 0) return Json::Value::nullSingleton();
    return json::element(json::member(doc, key), static_cast<Json::ArrayIndex>(row));
}

}  // namespace

bool readDefaultLightNames(const std::string& path, int row, std::vector<EffectEntry>& effects,
                           std::vector<std::string>& areas) {
    const Json::Value doc = JsonFileIO::loadJsonDocument(path);
    bool replaced = false;
    if (const Json::Value& list = rowOf(doc, "DefaultLightName", row); list.isArray()) {
        effects.clear();
        for (const Json::Value& e : list)
            effects.push_back({json::toString(json::member(e, "LightName")),
                               json::toBool(json::member(e, "visible"))});
        replaced = true;
    }
    if (const Json::Value& list = rowOf(doc, "AreaLightName", row); list.isArray()) {
        areas.clear();
        for (const Json::Value& e : list)
            areas.push_back(json::toString(json::member(e, "LightName")));
    }
    return replaced;
}

bool readCustomLightNames(const std::string& path, int row, std::vector<std::string>& names) {
    const Json::Value doc = JsonFileIO::loadJsonDocument(path);
    const Json::Value& list = rowOf(doc, "LightInfo", row);
    if (!list.isArray()) return false;
    names.clear();
    for (const Json::Value& e : list) names.push_back(json::toString(json::member(e, "LightName")));
    return true;
}

}  // namespace md::lighting
