#pragma once
// The properties the headset's sound card carries itself: microphone level, decibels, range and
// mute on the card's capture control, and monitoring (sidetone) on its playback control for
// the microphone. Get and set of one property always go to the same control.

#include <optional>
#include <string_view>

namespace md {

enum class CardControl { Capture, Monitor };
enum class CardQuantity { Scalar, Decibels, Mute, MaxDecibels, MinDecibels, StepDecibels };

struct CardProperty {
    CardControl control;
    CardQuantity quantity;
};

// The card property of a capture-endpoint property name; nothing for the others.
std::optional<CardProperty> cardProperty(std::string_view name);
// Whether the property's value travels as a 32-bit real (levels and decibels) rather than a
// 32-bit integer.
bool isRealProperty(std::string_view name);
// Properties of the render endpoint that the equaliser carries.
bool isEqualiserProperty(std::string_view name);
// Band index (0-9) of "EQ_Slider1" ... "EQ_Slider10"; nothing for other names.
std::optional<int> eqSliderIndex(std::string_view name);

}  // namespace md
