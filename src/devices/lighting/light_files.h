#pragma once
// The effect lists of a device type: the built-in effect names with their visibility from
// "default_light.json" (and the area names beside them), and the names of the user's custom
// effects from the device's light list ("zelvo_light.config"). Each list is replaced only when
// the file has the indexed array; a missing, damaged or wrong-typed file leaves it as it was.

#include <string>
#include <vector>

namespace md::lighting {

struct EffectEntry {
    std::string name;  // a language key
    bool visible = true;
    bool operator==(const EffectEntry&) const = default;
};

// "DefaultLightName"[row] into effects and "AreaLightName"[row] into areas. True when the
// effects were replaced.
bool readDefaultLightNames(const std::string& path, int row, std::vector<EffectEntry>& effects,
                           std::vector<std::string>& areas);

// The "LightName" values of "LightInfo"[row]. True when names were replaced.
bool readCustomLightNames(const std::string& path, int row, std::vector<std::string>& names);

}  // namespace md::lighting
