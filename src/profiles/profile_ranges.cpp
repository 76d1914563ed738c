#include "profiles/profile_ranges.h"

#include <cmath>
#include <string_view>

#include "common/device_kind.h"
#include "profiles/json_fields.h"

namespace md {
namespace {

using namespace ranges;

constexpr FieldRange kMouseTable[] = {
    {"LightInfo.SelectItem", kMouseLightMode},
    {"LightInfo.Light", kBrightness},
    {"LightInfo.Speed", kLightSpeed},
    {"LightInfo.Fx", kDirection},
    {"LightInfo.MultiColor", kFlag},
    {"LightInfo.Red", kColourByte},
    {"LightInfo.Green", kColourByte},
    {"LightInfo.Blue", kColourByte},
    {"DPIStages.StageActive", kMouseStage},
    {"DPIStages.StageDPIs[].StageActive", kFlag},
    {"DPIStages.StageDPIs[].StageXY", kFlag},
    {"DPIStages.StageDPIs[].StageDPIX", kDpiPosition},
    {"DPIStages.StageDPIs[].StageDPIY", kDpiPosition},
    {"DPIStages.StageDPIs[].StageColorR", kColourByte},
    {"DPIStages.StageDPIs[].StageColorG", kColourByte},
    {"DPIStages.StageDPIs[].StageColorB", kColourByte},
    {"ReportStages.StageActive", kReportRate},
    {"SystemStages.MouseSpeed", kPointerSpeed},
    {"SystemStages.DoubleClickTime", kDoubleClickTime},
    {"SystemStages.WheelScorlllinse", kWheelLines},
    {"SystemStages.PointerPrecision", kFlag},
    {"SystemStages.ScorllPage", kFlag},
    {"SystemStages.FWguanggan", kSensorOption},
};

constexpr FieldRange kKeyboardTable[] = {
    {"LightInfo.SelectItem", kKeyboardLightMode},
    {"LightInfo.Light", kBrightness},
    {"LightInfo.Speed", kLightSpeed},
    {"LightInfo.Fx", kDirection},
    {"LightInfo.MultiColor", kFlag},
    {"LightInfo.Red", kColourByte},
    {"LightInfo.Green", kColourByte},
    {"LightInfo.Blue", kColourByte},
    {"SystemStages.PollingRate", kKeyboardOption},
    {"SystemStages.RepeatDelay", kKeyboardOption},
    {"SystemStages.Repeat", kKeyRepeat},
    {"SystemStages.Key6Flag", kFlag},
    {"SystemStages.WFlag", kFlag},
    {"SystemStages.WinFlag", kFlag},
};

// The headset: its lighting block first (the mousepad's table is these rows), then its audio.
constexpr size_t kBlockLightRows = 7;
constexpr FieldRange kHeadsetTable[] = {
    {"LightInfo.SelectItem", kBlockLightMode},
    {"LightInfo.Light", kBrightness},
    {"LightInfo.Speed", kLightSpeed},
    {"LightInfo.MultiColor", kFlag},
    {"LightInfo.Red", kColourByte},
    {"LightInfo.Green", kColourByte},
    {"LightInfo.Blue", kColourByte},
    {"SystemSetStages.MagicEnable", kFlag},
    {"SystemSetStages.MagicType", kVoiceEffect},
    {"SystemSetStages.EqType", kEqPreset},
    {"SystemSetStages.CustomEqSeletIndex", kCustomEqIndex},
    {"SystemSetStages.MicInSelect", kFlag},
    {"SystemSetStages.MicInValue", kAudioLevel},
    {"SystemSetStages.MicMoniterSelect", kFlag},
    {"SystemSetStages.MicMoniterValue", kAudioLevel},
};

// The value as a whole number; false for anything else (text, arrays, fractions, booleans
// count as 0/1 since the files write flags both ways).
bool wholeNumber(const Json::Value& v, int64_t& out) {
    if (v.isBool()) {
        out = v.asBool() ? 1 : 0;
        return true;
    }
    if (v.isInt64()) {
        out = v.asInt64();
        return true;
    }
    if (v.isUInt64()) {
        out = INT64_MAX;
        return true;
    }
    if (v.isDouble() && std::isfinite(v.asDouble()) && std::trunc(v.asDouble()) == v.asDouble() &&
        std::fabs(v.asDouble()) < 9.0e15) {
        out = static_cast<int64_t>(v.asDouble());
        return true;
    }
    return false;
}

std::string checkOne(const Json::Value& v, const std::string& name, ValueRange r) {
    if (v.isNull()) return {};
    int64_t n = 0;
    if (!wholeNumber(v, n)) return "\"" + name + "\" is not a whole number";
    if (r.contains(n)) return {};
    return "\"" + name + "\" is " + std::to_string(n) + " (allowed " + std::to_string(r.min) +
           " to " + std::to_string(r.max) + ")";
}

}  // namespace

std::span<const FieldRange> mouseProfileRanges() {
    return kMouseTable;
}

std::span<const FieldRange> profileRangesForKind(int32_t deviceKind) {
    // Mouse profile lists use the wired or the 2.4G mouse's kind.
    switch (modelKindOf(static_cast<uint16_t>(deviceKind))) {
        case kind::kMouseWired:
            return kMouseTable;
        case kind::kKeyboard:
            return kKeyboardTable;
        case kind::kHeadset:
            return kHeadsetTable;
        case kind::kMousePad:
            return std::span(kHeadsetTable).first(kBlockLightRows);
        default:
            return {};
    }
}

void clampHeadsetStages(std::array<int32_t, 8>& s) {
    // Order: MagicEnable, MagicType, EqType, CustomEqSeletIndex, MicInSelect, MicInValue,
    // MicMoniterSelect, MicMoniterValue.
    auto choice = [](int32_t v, ValueRange r) { return r.contains(v) ? v : 0; };
    s[0] = kFlag.clamp(s[0]);
    s[1] = choice(s[1], kVoiceEffect);
    s[2] = choice(s[2], kEqPreset);
    s[3] = choice(s[3], kCustomEqIndex);
    s[4] = kFlag.clamp(s[4]);
    s[5] = kAudioLevel.clamp(s[5]);
    s[6] = kFlag.clamp(s[6]);
    s[7] = kAudioLevel.clamp(s[7]);
}

std::string checkProfileRanges(const Json::Value& deviceNode, std::span<const FieldRange> table) {
    for (const FieldRange& f : table) {
        const std::string_view field = f.field;
        const size_t dot = field.find('.');
        const std::string section(field.substr(0, dot));
        const std::string rest(field.substr(dot + 1));
        const Json::Value& sec = json::member(deviceNode, section.c_str());
        const size_t brackets = rest.find("[].");
        if (brackets == std::string::npos) {
            if (std::string p = checkOne(json::member(sec, rest.c_str()), f.field, f.range);
                !p.empty())
                return p;
            continue;
        }
        const std::string array = rest.substr(0, brackets);
        const std::string key = rest.substr(brackets + 3);
        const Json::Value& list = json::member(sec, array.c_str());
        if (!list.isArray()) continue;
        for (Json::ArrayIndex i = 0; i < list.size(); ++i) {
            const std::string name = section + "." + array + "[" + std::to_string(i) + "]." + key;
            if (std::string p = checkOne(json::member(list[i], key.c_str()), name, f.range);
                !p.empty())
                return p;
        }
    }
    return {};
}

}  // namespace md
