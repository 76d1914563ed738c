#pragma once
// The one table of the ranges profile values may take before they reach a device: the
// command-line verbs check their arguments against it, the device writers clamp what a profile
// holds to it, and an imported profile outside it is refused with the field named.

#include <json/value.h>

#include <cstdint>
#include <array>
#include <span>
#include <string>

namespace md {

struct ValueRange {
    int32_t min = 0;
    int32_t max = 0;
    constexpr bool contains(int64_t v) const { return v >= min && v <= max; }
    constexpr int32_t clamp(int64_t v) const {
        return static_cast<int32_t>(v < min ? min : v > max ? max : v);
    }
};

namespace ranges {
inline constexpr ValueRange kFlag{0, 1};
inline constexpr ValueRange kColourByte{0, 255};
inline constexpr ValueRange kMouseLightMode{0, 11};
inline constexpr ValueRange kBrightness{0, 4};
inline constexpr ValueRange kLightSpeed{0, 4};
inline constexpr ValueRange kDirection{0, 1};
inline constexpr ValueRange kReportRate{0, 4};
inline constexpr ValueRange kMouseStage{0, 4};
inline constexpr ValueRange kDpiPosition{0, 96};
inline constexpr ValueRange kPointerSpeed{1, 20};
inline constexpr ValueRange kWheelLines{1, 20};
inline constexpr ValueRange kDoubleClickTime{200, 900};
inline constexpr ValueRange kSensorOption{0, 255};
inline constexpr ValueRange kVoiceEffect{0, 4};
inline constexpr ValueRange kEqPreset{0, 13};
inline constexpr ValueRange kCustomEqIndex{0, 19};
inline constexpr ValueRange kAudioLevel{0, 100};
// Keyboard: its 29 lighting modes, the four-option settings and the key-repeat slider.
inline constexpr ValueRange kKeyboardLightMode{0, 28};
inline constexpr ValueRange kKeyboardOption{0, 3};
inline constexpr ValueRange kKeyRepeat{0, 31};
// Headset and mousepad: the lighting block's modes (0 wave ... 8 off).
inline constexpr ValueRange kBlockLightMode{0, 8};
// Equaliser band gains (the band sliders' range).
inline constexpr ValueRange kEqGain{-20, 20};
}  // namespace ranges

// A member of a profile's device node: "Section.Member", or "Section.Array[].Member" for every
// element of an array.
struct FieldRange {
    const char* field;
    ValueRange range;
};

// The mouse profile's fields that reach the mouse.
std::span<const FieldRange> mouseProfileRanges();
// The ranges of a profile list's device kind (empty for kinds without a table yet).
std::span<const FieldRange> profileRangesForKind(int32_t deviceKind);

// The headset stages (voice changer, equaliser, microphone, monitoring) as the headset may
// take them: levels and flags clamped; a voice, preset or custom index outside its range
// becomes 0 (none), so that a damaged profile never selects something that does not exist.
void clampHeadsetStages(std::array<int32_t, 8>& stages);

// The first field of a device node that is outside its range or not a number, as
// "\"DPIStages.StageActive\" is 99 (allowed 0 to 4)"; empty when every present field is fine.
// Missing fields are fine: they take their defaults.
std::string checkProfileRanges(const Json::Value& deviceNode, std::span<const FieldRange> table);

}  // namespace md
