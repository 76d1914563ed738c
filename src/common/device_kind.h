#pragma once
// Device kinds: the kind of a supported HID collection says which device it belongs to and how
// it is reached (the cable, a 2.4G receiver, or the only link of a device with one). Every
// layer names kinds through this header, never by their numbers.

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

namespace md {

enum class DeviceKind : uint16_t {
    Keyboard = 1,
    MouseWired = 2,  // the mouse on its cable
    MousePad = 3,
    MouseWireless = 6,  // the mouse through its 2.4G receiver
    Headset = 7,
    KeyboardOther = 9,  // the keyboard's other connection
};
constexpr uint16_t kindValue(DeviceKind k) {
    return static_cast<uint16_t>(k);
}

// The kinds as the raw numbers that identities and tables carry.
namespace kind {
inline constexpr uint16_t kKeyboard = kindValue(DeviceKind::Keyboard);
inline constexpr uint16_t kKeyboardOther = kindValue(DeviceKind::KeyboardOther);
inline constexpr uint16_t kMouseWired = kindValue(DeviceKind::MouseWired);
inline constexpr uint16_t kMouseWireless = kindValue(DeviceKind::MouseWireless);
inline constexpr uint16_t kMousePad = kindValue(DeviceKind::MousePad);
inline constexpr uint16_t kHeadset = kindValue(DeviceKind::Headset);
}  // namespace kind

// How a kind's collection reaches its device.
enum class KindLink : uint8_t {
    Single,    // the device's only link
    Cable,     // the cable of a device that also has a receiver
    Receiver,  // the 2.4G receiver of a device that also has a cable
};

struct KindFacts {
    DeviceKind kind;
    DeviceKind modelKind;  // the kind the device is known by (a receiver's: its cable's)
    KindLink link;
    // One collection carries commands and the LED output reports, opened shared.
    bool shared;
    const char* connectionName;  // the command line's name of this connection
};

// clang-format off
inline constexpr std::array<KindFacts, 6> kDeviceKinds{{
    {DeviceKind::MouseWired,    DeviceKind::MouseWired, KindLink::Cable,    false, "mouse"},
    {DeviceKind::MouseWireless, DeviceKind::MouseWired, KindLink::Receiver, false, "receiver"},
    {DeviceKind::Keyboard,      DeviceKind::Keyboard,   KindLink::Cable,    false, "keyboard"},
    {DeviceKind::KeyboardOther, DeviceKind::Keyboard,   KindLink::Receiver, false, "keyboard-receiver"},
    {DeviceKind::MousePad,      DeviceKind::MousePad,   KindLink::Single,   true,  "mousepad"},
    {DeviceKind::Headset,       DeviceKind::Headset,    KindLink::Single,   true,  "headset"},
}};
// clang-format on

// The facts of a kind, or null for a number that is no kind.
const KindFacts* kindFacts(uint16_t deviceKind);
// Kinds of a device with two connections: its cable, and its 2.4G receiver.
bool isCableKind(uint16_t deviceKind);
bool isReceiverKind(uint16_t deviceKind);
// The kind the device of a collection is known by (a receiver's device is its cable's kind).
uint16_t modelKindOf(uint16_t deviceKind);
bool opensShared(uint16_t deviceKind);
// Command-line connection names ("" for an unknown kind) and back.
const char* connectionName(uint16_t deviceKind);
std::optional<uint16_t> kindForConnectionName(std::string_view name);

}  // namespace md
