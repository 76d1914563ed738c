#pragma once
// The window's side of each device model: the layouts its tile and page are built from and the
// class the page is. One row per model description, in the same order.

#include <array>

#include "devices/device_registry.h"

namespace md {

struct ModelPage {
    const char* model;  // the description's name
    const char* tileLayout;
    const char* tileGroup;
    const char* powerSwitch;
    const char* pageLayout;
    const char* pageClass;  // the class the page layout's root is built as
};

inline constexpr const char* kDeviceOptionLayout = "XML/CustomControlXML/DeviceOption.xml";

// clang-format off
inline constexpr std::array<ModelPage, kDeviceModels.size()> kModelPages{{
    {"mouse", kDeviceOptionLayout, "tab_header_device", "device_power_switch",
     "XML/DeviceXml/mousedevice.xml", "OrrivaleMouseDevice"},
    {"keyboard", kDeviceOptionLayout, "tab_header_device", "device_power_switch",
     "XML/DeviceXml/keyboarddevice.xml", "OrrivaleKeyboardDevice"},
    {"mousepad", kDeviceOptionLayout, "tab_header_device", "device_power_switch",
     "XML/DeviceXml/mousepaddevice.xml", "OrrivaleMousePadDevice"},
    {"headset", kDeviceOptionLayout, "tab_header_device", "device_power_switch",
     "XML/DeviceXml/hs6533device.xml", "OrrivaleHS6533Device"},
}};
// clang-format on

// The page row of a model row (the same index).
inline const ModelPage& modelPageOf(const DeviceModelRow& row) {
    return kModelPages[static_cast<size_t>(&row - kDeviceModels.data())];
}

}  // namespace md
