#pragma once
// A device as a controller of the RGB SDK protocol, built from its model description: type,
// names, one zone with its LEDs (the keyboard's named after its keys, with the key grid as
// matrix map; the others by place where the model names one place per LED), and the modes:
// "Direct" first (colours from the client), then the device's own lighting modes with the
// options the lighting panel offers for each (speed, brightness, direction, colour) mapped to
// the values of the profile's lighting.

#include <string>
#include <vector>

#include "devices/lighting/light_files.h"
#include "profiles/profile_records.h"
#include "rgb_server/rgb_protocol.h"

namespace md {
struct DeviceModelRow;
}

namespace md::rgb {

// The value of the Direct mode (no device mode has it).
inline constexpr int32_t kDirectModeValue = -1;

struct DeviceFacts {
    const DeviceModelRow* model = nullptr;
    std::string connection;                      // "mouse", "receiver", ...: how it is reached
    std::string path;                            // its command collection
    std::string firmware;                        // version text, "" when unknown
    std::vector<lighting::EffectEntry> effects;  // "default_light.json" row of the model
    std::vector<std::string> areas;              // the model's place names (language keys)
    LightSetting lighting;                       // what its own lighting shows
    bool direct = false;                         // a client's colours are showing
};

Controller describeDevice(const DeviceFacts& facts);

// The lighting a mode update asks for: `mode` as sent by the client for the controller's mode
// `described`, over the device's lighting `base`. Values are held to the ranges the mode
// announces.
LightSetting lightingOfMode(const Mode& mode, const Mode& described, LightSetting base);

}  // namespace md::rgb
