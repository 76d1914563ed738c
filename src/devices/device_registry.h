#pragma once
// The device models the program knows: one description per model, in page order: its kinds and
// identifiers, what it can do, its LEDs and keys, its data folder. The main window builds a
// tile and a page per row (its page table maps a row to the page), the command-line tool finds
// devices by the rows' connection names, and the WorkTool answer lists the rows' identifiers.

#include <array>
#include <cstdint>
#include <span>

#include "devlink/link/device_identity.h"

namespace md {

// What a model can do; pages, the command-line tool and later services ask these instead of
// comparing kinds.
enum ModelCapability : uint32_t {
    kCapSettingsBlock = 1u << 0,   // DPI stages, report rate and lighting in one settings block
    kCapKeyTable = 1u << 1,        // assignable keys or buttons
    kCapMacros = 1u << 2,          // macro memory
    kCapRecoil = 1u << 3,          // recoil tables
    kCapSameModeFrames = 1u << 4,  // takes host-computed LED frames over its command link
    kCapPowerStatus = 1u << 5,     // reports a power status (battery, or the pad's charger)
    kCapCharger = 1u << 6,         // the power status is a phone charger's
    kCapAudio = 1u << 7,           // a sound card: equaliser, microphone, voice changer
    kCapReceiverLink = 1u << 8,    // reachable through a 2.4G receiver as well as its cable
    kCapLightingBlock = 1u << 9,   // lighting in the small lighting block of the pad and headset
};

struct DeviceModelRow {
    const char* name;  // the model's name: tile text "device_name_" + folder, CLI device name
    DeviceKind kind;   // the kind of its command collection (on the cable, for two links)
    // The kind of its 2.4G receiver connection; the same kind without one.
    DeviceKind receiverKind;
    uint16_t vendorId;  // 0 and 0: taken from the device table (completed by configuration)
    uint16_t productId;
    const char* folder;  // the model's data folder under the application-data folder
    uint32_t capabilities;
    int ledCount;
    int keyCount;
    int logoLed;  // -1: none
    const char* lightList;
    int lightTable;      // the model's row in the light tables
    int lightPanelType;  // the lighting panel's device type (which options each effect has)
    int rgbType;         // its device type in the RGB SDK protocol (5 keyboard, 6 mouse, ...)

    bool has(ModelCapability c) const { return (capabilities & c) != 0; }
    // The command line's name of its receiver connection, or null without one.
    const char* receiverName() const {
        return has(kCapReceiverLink) ? connectionName(kindValue(receiverKind)) : nullptr;
    }
};

// clang-format off
inline constexpr std::array<DeviceModelRow, 4> kDeviceModels{{
    {"mouse", DeviceKind::MouseWired, DeviceKind::MouseWireless, 0x248A, 0x5B50, "mouse",
     kCapSettingsBlock | kCapKeyTable | kCapMacros | kCapRecoil | kCapPowerStatus |
         kCapReceiverLink,
     6, 11, -1, "zelvo_light", 1, 2, 6},
    {"keyboard", DeviceKind::Keyboard, DeviceKind::KeyboardOther, 0, 0, "keyboard",
     kCapSettingsBlock | kCapKeyTable | kCapMacros | kCapSameModeFrames | kCapReceiverLink,
     126, 126, -1, "zelvo_light", 0, 1, 5},
    {"mousepad", DeviceKind::MousePad, DeviceKind::MousePad, 0, 0, "MousePad",
     kCapLightingBlock | kCapSameModeFrames | kCapPowerStatus | kCapCharger,
     15, 0, -1, "zelvo_light", 2, 3, 7},
    {"headset", DeviceKind::Headset, DeviceKind::Headset, 0x0C76, 0x1630, "headset",
     kCapLightingBlock | kCapAudio,
     13, 0, -1, "zelvo_light", 3, 7, 8},
}};
// clang-format on

// The row of the model a collection of this kind belongs to (either connection), or null.
const DeviceModelRow* modelRowForKind(uint16_t deviceKind);
// The model of this kind has the capability (false for an unknown kind).
bool modelHas(uint16_t deviceKind, ModelCapability c);
}  // namespace md
