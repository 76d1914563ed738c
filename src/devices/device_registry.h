#pragma once
// The device models the program knows: one named row per model, in page order. The main
// window builds a tile and a page per row, the command-line tool finds devices by the rows'
// connection names, and the WorkTool answer lists the rows' identifiers.

#include <array>
#include <cstdint>
#include <span>

#include "devlink/link/device_identity.h"

namespace md {

struct DeviceModelRow {
    const char* name;  // the model's name: tile text "device_name_" + name, CLI device name
    DeviceKind kind;   // the kind of its command collection (on the cable, for two links)
    // The kind and CLI name of its 2.4G receiver connection; kind and nullptr without one.
    DeviceKind receiverKind;
    const char* receiverName;
    uint16_t vendorId;  // 0 and 0: taken from the device table (completed by configuration)
    uint16_t productId;
    const char* folder;  // the model's data folder under the application-data folder
    const char* tileLayout;
    const char* tileGroup;
    const char* powerSwitch;
    const char* pageLayout;
    const char* pageClass;  // the class the page layout's root is built as
    int ledCount;
    int keyCount;
    bool hasPowerStatus;  // the mousepad's is its phone charger's state
    int logoLed;          // -1: none
    const char* lightList;
    int lightTable;  // the model's row in the light tables
};

inline constexpr const char* kDeviceOptionLayout = "XML/CustomControlXML/DeviceOption.xml";

// clang-format off
inline constexpr std::array<DeviceModelRow, 4> kDeviceModels{{
    {"mouse", DeviceKind::MouseWired, DeviceKind::MouseWireless, "receiver", 0x248A, 0x5B50,
     "mouse", kDeviceOptionLayout, "tab_header_device", "device_power_switch",
     "XML/DeviceXml/mousedevice.xml", "OrrivaleMouseDevice", 6, 11, true, -1, "zelvo_light", 1},
    {"keyboard", DeviceKind::Keyboard, DeviceKind::KeyboardOther, "keyboard-receiver", 0, 0,
     "keyboard", kDeviceOptionLayout, "tab_header_device", "device_power_switch",
     "XML/DeviceXml/keyboarddevice.xml", "OrrivaleKeyboardDevice", 126, 126, false, -1,
     "zelvo_light", 0},
    {"mousepad", DeviceKind::MousePad, DeviceKind::MousePad, nullptr, 0, 0,
     "MousePad", kDeviceOptionLayout, "tab_header_device", "device_power_switch",
     "XML/DeviceXml/mousepaddevice.xml", "OrrivaleMousePadDevice", 15, 0, true, -1,
     "zelvo_light", 2},
    {"headset", DeviceKind::Headset, DeviceKind::Headset, nullptr, 0x0C76, 0x1630,
     "headset", kDeviceOptionLayout, "tab_header_device", "device_power_switch",
     "XML/DeviceXml/hs6533device.xml", "OrrivaleHS6533Device", 13, 0, false, -1,
     "zelvo_light", 3},
}};
// clang-format on

// The row of the model a collection of this kind belongs to (either connection), or null.
const DeviceModelRow* modelRowForKind(uint16_t deviceKind);
}  // namespace md
