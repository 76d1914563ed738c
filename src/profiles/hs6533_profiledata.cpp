#include "profiles/hs6533_profiledata.h"

#include "profiles/json_fields.h"

namespace md {

using json::member;
using json::objectMember;
using json::toInt;

namespace {
constexpr const char* kStageKeys[8] = {"MagicEnable",        "MagicType",      "EqType",
                                       "CustomEqSeletIndex", "MicInSelect",    "MicInValue",
                                       "MicMoniterSelect",   "MicMoniterValue"};

bool usableIndex(int32_t index) {
    return index >= 0 && static_cast<Json::ArrayIndex>(index) <= json::kMaxGrowIndex;
}
}  // namespace

Json::ArrayIndex CHs6533Profiledata::eqRow(int32_t preset) {
    return (preset >= 1 && preset <= 12) ? static_cast<Json::ArrayIndex>(preset) : 1;
}

std::array<int32_t, 8> CHs6533Profiledata::readHeadsetStages() {
    const Json::Value& st = section("SystemSetStages");
    for (size_t i = 0; i < 8; ++i) m_stages[i] = toInt(member(st, kStageKeys[i]));
    return m_stages;
}

void CHs6533Profiledata::writeHeadsetStages(const std::array<int32_t, 8>& stages) {
    m_stages = stages;
    Json::Value& st = objectMember(node(), "SystemSetStages");
    for (size_t i = 0; i < 8; ++i) objectMember(st, kStageKeys[i]) = stages[i];
}

std::vector<int32_t> CHs6533Profiledata::readBands(const char* key, Json::ArrayIndex row) {
    std::vector<int32_t> bands;
    bands.reserve(kBandCount);
    for (Json::ArrayIndex b = 0; b < kBandCount; ++b) {
        const Json::Value& band = json::element(json::element(section(key), row), b);
        if (band.isObject()) {
            bands.push_back(toInt(member(band, "value")));
            continue;
        }
        Json::Value* rowArray = json::arrayElement(objectMember(node(), key), row);
        Json::Value* e = rowArray ? json::arrayElement(*rowArray, b) : nullptr;
        if (e) objectMember(*e, "value") = 0;
        bands.push_back(0);
    }
    return bands;
}

void CHs6533Profiledata::writeBands(const char* key, Json::ArrayIndex row,
                                    const std::vector<int32_t>& values) {
    Json::Value* rowArray = json::arrayElement(objectMember(node(), key), row);
    if (!rowArray) return;
    for (size_t b = 0; b < values.size() && b < kBandCount; ++b) {
        Json::Value* e = json::arrayElement(*rowArray, static_cast<Json::ArrayIndex>(b));
        objectMember(*e, "value") = values[b];
    }
}

std::vector<int32_t> CHs6533Profiledata::readEqBands(int32_t preset) {
    if (preset == kCustomPreset) return {};
    return readBands("EQHzValueInfo", eqRow(preset));
}

void CHs6533Profiledata::writeEqBands(int32_t preset, const std::vector<int32_t>& values) {
    if (preset == kCustomPreset) return;
    writeBands("EQHzValueInfo", eqRow(preset), values);
}

std::vector<std::string> CHs6533Profiledata::readCustomEqNames() {
    std::vector<std::string> names;
    const Json::Value& list = section("CustomEQNameInfo");
    if (list.isArray()) {
        for (const Json::Value& e : list) names.push_back(json::toString(member(e, "Name")));
    }
    return names;
}

void CHs6533Profiledata::writeCustomEqNames(const std::vector<std::string>& names) {
    Json::Value list(Json::arrayValue);
    for (const std::string& name : names) {
        Json::Value e(Json::objectValue);
        e["Name"] = name;
        list.append(std::move(e));
    }
    objectMember(node(), "CustomEQNameInfo") = std::move(list);
}

std::vector<int32_t> CHs6533Profiledata::readCustomEqBands(int32_t index) {
    if (!usableIndex(index)) return {};
    return readBands("CustomEQHzValueInfo", static_cast<Json::ArrayIndex>(index));
}

void CHs6533Profiledata::writeCustomEqBands(int32_t index, const std::vector<int32_t>& values) {
    if (!usableIndex(index)) return;
    writeBands("CustomEQHzValueInfo", static_cast<Json::ArrayIndex>(index), values);
}

void CHs6533Profiledata::removeCustomEqBands(int32_t index) {
    if (!usableIndex(index)) return;
    if (!node().isObject() || !node().isMember("CustomEQHzValueInfo")) return;
    Json::Value& list = node()["CustomEQHzValueInfo"];
    if (!list.isArray() || static_cast<Json::ArrayIndex>(index) >= list.size()) return;
    Json::Value removed;
    list.removeIndex(static_cast<Json::ArrayIndex>(index), &removed);
}

}  // namespace md
