#include "audio/card_properties.h"

#include <array>

namespace md {
namespace {

struct Row {
    std::string_view name;
    CardProperty property;
};

using C = CardControl;
using Q = CardQuantity;

constexpr std::array<Row, 12> kRows{{
    {"VolumeScalarControl", {C::Capture, Q::Scalar}},
    {"VolumeControl", {C::Capture, Q::Decibels}},
    {"MuteControl", {C::Capture, Q::Mute}},
    {"GetMaxVol", {C::Capture, Q::MaxDecibels}},
    {"GetMinVol", {C::Capture, Q::MinDecibels}},
    {"GetVolStep", {C::Capture, Q::StepDecibels}},
    {"AAVolumeScalarControl", {C::Monitor, Q::Scalar}},
    {"AAVolumeControl", {C::Monitor, Q::Decibels}},
    {"AAMuteControl", {C::Monitor, Q::Mute}},
    {"GetAAMaxVol", {C::Monitor, Q::MaxDecibels}},
    {"GetAAMinVol", {C::Monitor, Q::MinDecibels}},
    {"GetAAVolStep", {C::Monitor, Q::StepDecibels}},
}};

}  // namespace

std::optional<CardProperty> cardProperty(std::string_view name) {
    for (const Row& r : kRows)
        if (r.name == name) return r.property;
    return std::nullopt;
}

bool isRealProperty(std::string_view name) {
    const auto p = cardProperty(name);
    return p && p->quantity != CardQuantity::Mute;
}

std::optional<int> eqSliderIndex(std::string_view name) {
    constexpr std::string_view prefix = "EQ_Slider";
    if (name.substr(0, prefix.size()) != prefix) return std::nullopt;
    const std::string_view n = name.substr(prefix.size());
    if (n.empty() || n.size() > 2 || n.front() == '0') return std::nullopt;
    int v = 0;
    for (char c : n) {
        if (c < '0' || c > '9') return std::nullopt;
        v = v * 10 + (c - '0');
    }
    if (v < 1 || v > 10) return std::nullopt;
    return v - 1;
}

bool isEqualiserProperty(std::string_view name) {
    return name == "Enable_EQ_GFX" || eqSliderIndex(name).has_value();
}

}  // namespace md
