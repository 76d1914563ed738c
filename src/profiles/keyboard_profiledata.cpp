#include "profiles/keyboard_profiledata.h"

#include "profiles/json_fields.h"

namespace md {

using json::member;
using json::objectMember;
using json::toInt;

namespace {
uint32_t low16(const Json::Value& v) {
    return static_cast<uint32_t>(toInt(v)) & 0xFFFF;
}

void setColour(Json::Value& e, const CustomColour& c) {
    objectMember(e, "Red") = c.red;
    objectMember(e, "Green") = c.green;
    objectMember(e, "Blue") = c.blue;
    objectMember(e, "Alpha") = c.alpha;
}

bool usableGroup(int32_t group) {
    return group >= 0 && static_cast<Json::ArrayIndex>(group) <= json::kMaxGrowIndex;
}
}  // namespace

std::array<uint32_t, 3> CKeyboardProfiledata::readKeyboardStages() {
    std::array<uint32_t, 3> w{};
    const Json::Value& st = section("SystemStages");
    if (!st.isNull()) {
        w[0] = low16(member(st, "RepeatDelay")) << 16 | low16(member(st, "Repeat"));
        w[1] = low16(member(st, "PollingRate")) << 16 | low16(member(st, "Key6Flag"));
        w[2] = low16(member(st, "WinFlag")) << 16 | low16(member(st, "WFlag"));
    }
    m_stages = w;
    return w;
}

void CKeyboardProfiledata::writeKeyboardStages(uint32_t w0, uint32_t w1, uint32_t w2) {
    m_stages = {w0, w1, w2};
    Json::Value& st = objectMember(node(), "SystemStages");
    objectMember(st, "Repeat") = static_cast<Json::Int>(w0 & 0xFFFF);
    objectMember(st, "RepeatDelay") = static_cast<Json::Int>(w0 >> 16);
    objectMember(st, "Key6Flag") = static_cast<Json::Int>(w1 & 0xFFFF);
    objectMember(st, "PollingRate") = static_cast<Json::Int>(w1 >> 16);
    objectMember(st, "WFlag") = static_cast<Json::Int>(w2 & 0xFFFF);
    objectMember(st, "WinFlag") = static_cast<Json::Int>(w2 >> 16);
}

std::vector<CustomColour> CKeyboardProfiledata::readCustomColours(int32_t group, int32_t count) {
    std::vector<CustomColour> list;
    if (!usableGroup(group)) {
        m_customColours = list;
        return list;
    }
    const auto g = static_cast<Json::ArrayIndex>(group);
    for (int32_t pos = 0; pos < count; ++pos) {
        const auto p = static_cast<Json::ArrayIndex>(pos);
        const Json::Value& stored = json::element(
            json::element(member(section("CustomLightMode"), "LightColorInfo"), g), p);
        if (stored.isObject()) {
            list.push_back({static_cast<uint8_t>(toInt(member(stored, "Red"))),
                            static_cast<uint8_t>(toInt(member(stored, "Green"))),
                            static_cast<uint8_t>(toInt(member(stored, "Blue"))),
                            static_cast<uint8_t>(toInt(member(stored, "Alpha")))});
            continue;
        }
        // No colour here yet: create a zero one so that the next save stores it.
        Json::Value* groupArray = json::arrayElement(
            objectMember(objectMember(node(), "CustomLightMode"), "LightColorInfo"), g);
        Json::Value* e = groupArray ? json::arrayElement(*groupArray, p) : nullptr;
        if (!e) break;
        setColour(*e, CustomColour{});
        list.push_back(CustomColour{});
    }
    m_customColours = list;
    return list;
}

void CKeyboardProfiledata::writeCustomColours(const std::vector<CustomColour>& list,
                                              int32_t group) {
    m_customColours = list;
    if (!usableGroup(group)) return;
    Json::Value* groupArray =
        json::arrayElement(objectMember(objectMember(node(), "CustomLightMode"), "LightColorInfo"),
                           static_cast<Json::ArrayIndex>(group));
    if (!groupArray) return;
    for (size_t i = 0; i < list.size(); ++i) {
        Json::Value* e = json::arrayElement(*groupArray, static_cast<Json::ArrayIndex>(i));
        if (!e) break;
        setColour(*e, list[i]);
    }
}

int32_t CKeyboardProfiledata::getCustomGroupIndex() {
    m_customGroupIndex = toInt(member(section("CustomLightMode"), "CustomLightModeGroupIndex"));
    return m_customGroupIndex;
}

void CKeyboardProfiledata::setCustomGroupIndex(int32_t index) {
    m_customGroupIndex = index;
    objectMember(objectMember(node(), "CustomLightMode"), "CustomLightModeGroupIndex") = index;
}

}  // namespace md
