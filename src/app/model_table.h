#pragma once
// The main window's model table: one row per device page and tile, in page order.

#include <array>
#include <cstdint>

namespace md {

struct ModelRow {
    const char* tileLayout;
    const char* tileGroup;
    const char* powerSwitch;
    const char* modelFolder;
    int32_t numbers[4];  // the fourth is the model's light table index
    uint32_t vendorId;
    uint32_t productId;
    uint32_t kind;
    uint32_t role;
};

inline constexpr const char* kDeviceOptionLayout = "XML/CustomControlXML/DeviceOption.xml";

inline constexpr std::array<ModelRow, 4> kModelTable{{
    {kDeviceOptionLayout,
     "tab_header_device",
     "device_power_switch",
     "mouse",
     {0, 0, 0, 1},
     0x248A,
     0x5B50,
     2,
     0},
    {kDeviceOptionLayout,
     "tab_header_device",
     "device_power_switch",
     "keyboard",
     {1, 1, -1, 0},
     0x0000,
     0x0000,
     1,
     0},
    {kDeviceOptionLayout,
     "tab_header_device",
     "device_power_switch",
     "MousePad",
     {2, 2, 1, 2},
     0x0000,
     0x0000,
     3,
     0},
    {kDeviceOptionLayout,
     "tab_header_device",
     "device_power_switch",
     "",
     {3, 3, -1, 3},
     0x0C76,
     0x1630,
     7,
     0},
}};

}  // namespace md
