#include "profiles/mouse_profiledata.h"

#include "profiles/json_fields.h"

namespace md {

using json::member;
using json::objectMember;
using json::toInt;

namespace {
uint8_t u8(const Json::Value& v) {
    return static_cast<uint8_t>(toInt(v));
}
uint16_t u16(const Json::Value& v) {
    return static_cast<uint16_t>(toInt(v));
}
Json::Int low16(uint32_t w) {
    return static_cast<Json::Int>(w & 0xFFFF);
}
Json::Int high16(uint32_t w) {
    return static_cast<Json::Int>(w >> 16);
}
}  // namespace

std::vector<DpiStage> CMouseProfiledata::readDpiStages() {
    const Json::Value& dpi = section("DPIStages");
    if (!dpi.isNull()) {
        m_activeStage = toInt(member(dpi, "StageActive"));
        const Json::Value& stages = member(dpi, "StageDPIs");
        if (stages.isArray()) {
            for (Json::ArrayIndex j = 0; j < stages.size(); ++j) {
                const Json::Value& e = stages[j];
                DpiStage s;
                s.enabled = u8(member(e, "StageActive"));
                s.xySeparate = u8(member(e, "StageXY"));
                s.dpiX = u16(member(e, "StageDPIX"));
                s.dpiY = u16(member(e, "StageDPIY"));
                s.red = u8(member(e, "StageColorR"));
                s.green = u8(member(e, "StageColorG"));
                s.blue = u8(member(e, "StageColorB"));
                if (j < m_dpiStages.size())
                    m_dpiStages[j] = s;
                else
                    m_dpiStages.push_back(s);
            }
        }
    }
    return m_dpiStages;
}

void CMouseProfiledata::writeDpiStages(const std::vector<DpiStage>& list) {
    m_dpiStages = list;
    Json::Value& stages = objectMember(objectMember(node(), "DPIStages"), "StageDPIs");
    for (size_t i = 0; i < list.size(); ++i) {
        Json::Value* e = json::arrayElement(stages, static_cast<Json::ArrayIndex>(i));
        if (!e) break;
        const DpiStage& s = list[i];
        objectMember(*e, "StageActive") = s.enabled;
        objectMember(*e, "StageXY") = s.xySeparate;
        objectMember(*e, "StageDPIX") = s.dpiX;
        objectMember(*e, "StageDPIY") = s.dpiY;
        objectMember(*e, "StageColorR") = s.red;
        objectMember(*e, "StageColorG") = s.green;
        objectMember(*e, "StageColorB") = s.blue;
    }
}

void CMouseProfiledata::setActiveStage(int32_t index) {
    m_activeStage = index;
    objectMember(objectMember(node(), "DPIStages"), "StageActive") = index;
}

std::array<uint32_t, 4> CMouseProfiledata::readMouseStages() {
    std::array<uint32_t, 4> w{};
    const Json::Value& st = section("SystemStages");
    if (!st.isNull()) {
        auto half = [&](const char* key) {
            return static_cast<uint32_t>(toInt(member(st, key))) & 0xFFFF;
        };
        const Json::Value& report = section("ReportStages");
        const uint32_t rate =
            report.isNull() ? 0 : static_cast<uint32_t>(toInt(member(report, "StageActive")));
        w[0] = half("MouseSpeed") << 16 | half("DoubleClickTime");
        w[1] = half("ScorllPage") << 16 | half("PointerPrecision");
        w[2] = (rate & 0xFFFF) << 16 | half("WheelScorlllinse");
        w[3] = half("FWguanggan");
    }
    m_stages = w;
    return w;
}

void CMouseProfiledata::writeMouseStages(uint32_t w0, uint32_t w1, uint32_t w2, uint32_t w3) {
    m_stages = {w0, w1, w2, w3};
    Json::Value& st = objectMember(node(), "SystemStages");
    objectMember(st, "DoubleClickTime") = low16(w0);
    objectMember(st, "MouseSpeed") = high16(w0);
    objectMember(st, "PointerPrecision") = low16(w1);
    objectMember(st, "ScorllPage") = high16(w1);
    objectMember(st, "WheelScorlllinse") = low16(w2);
    objectMember(st, "FWguanggan") = low16(w3);
    objectMember(objectMember(node(), "ReportStages"), "StageActive") = high16(w2);
}

std::vector<CorrectionEntry> CMouseProfiledata::readCorrectInfo() {
    std::vector<CorrectionEntry> list;
    const Json::Value& info = section("CorrectInfo");
    if (info.isArray()) {
        for (const Json::Value& e : info) {
            list.push_back({u8(member(e, "CorrectPixThresh")), u8(member(e, "CorrectMinSq")),
                            u8(member(e, "CorrectSelect")),
                            json::toString(member(e, "CorrectName"))});
        }
    }
    m_corrections = list;
    return list;
}

}  // namespace md
