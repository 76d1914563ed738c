#include "rgb_server/device_description.h"

#include <algorithm>
#include <cctype>

#include "devices/device_registry.h"
#include "devices/keyboard/keyboard_layout.h"
#include "devices/lighting/light_panel_rules.h"
#include "input/keys/assignment_names.h"
#include "profiles/profile_ranges.h"

namespace md::rgb {
namespace {

// "light_mode_breathing_single" -> "Breathing single".
std::string readable(const std::string& key, const char* prefix) {
    std::string s =
        key.rfind(prefix, 0) == 0 ? key.substr(std::char_traits<char>::length(prefix)) : key;
    std::replace(s.begin(), s.end(), '_', ' ');
    if (!s.empty()) s[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(s[0])));
    return s;
}

ValueRange modeRangeOf(const DeviceModelRow& row) {
    if (row.has(kCapLightingBlock)) return ranges::kBlockLightMode;
    return row.kind == DeviceKind::Keyboard ? ranges::kKeyboardLightMode : ranges::kMouseLightMode;
}

std::vector<std::string> ledNames(const DeviceFacts& f) {
    const DeviceModelRow& row = *f.model;
    std::vector<std::string> names;
    for (int i = 0; i < row.ledCount; ++i) {
        if (row.kind == DeviceKind::Keyboard && size_t(i) < kKeyboardKeys) {
            std::string n = keys::assignmentName(kKeyboardLayout[size_t(i)]);
            if (n.rfind("key:", 0) == 0) n = n.substr(4);
            names.push_back("Key: " + readable(n, ""));
        } else if (f.areas.size() == size_t(row.ledCount)) {
            names.push_back(readable(f.areas[size_t(i)], "light_area_"));
        } else {
            names.push_back("LED " + std::to_string(i + 1));
        }
    }
    return names;
}

Zone zoneOf(const DeviceModelRow& row) {
    Zone z;
    z.name = readable(row.name, "");
    z.ledCount = uint32_t(row.ledCount);
    if (row.kind == DeviceKind::Keyboard) {
        z.type = kZoneMatrix;
        z.matrixHeight = kKeyboardGridRows;
        z.matrixWidth = kKeyboardGridColumns;
        for (const auto& line : kKeyboardKeyGrid)
            for (uint8_t key : line)
                z.matrix.push_back(key < kKeyboardKeys && key < row.ledCount ? key : kNoLed);
    }
    return z;
}

Mode directMode() {
    Mode m;
    m.name = "Direct";
    m.value = kDirectModeValue;
    m.flags = kHasPerLedColour;
    m.colourMode = kColourPerLed;
    return m;
}

// One of the device's own modes with the options the lighting panel offers for it.
Mode ownMode(const DeviceModelRow& row, int effect, const std::string& key, const LightSetting& l) {
    Mode m;
    m.name = readable(key, "light_mode_");
    m.value = effect;
    const lighting::LightPanelRules r = lighting::lightPanelRules(row.lightPanelType, effect);
    const auto on = [&](lighting::LightGroup g) { return r.groupEnabled(g).value_or(false); };
    if (on(lighting::LightGroup::Speed) && r.speedShown.value_or(true)) {
        m.flags |= kHasSpeed;
        m.speedMin = uint32_t(ranges::kLightSpeed.min);
        m.speedMax = uint32_t(ranges::kLightSpeed.max);
        m.speed = uint32_t(ranges::kLightSpeed.clamp(l.speed));
    }
    if (on(lighting::LightGroup::Brightness)) {
        m.flags |= kHasBrightness;
        m.brightnessMin = uint32_t(ranges::kBrightness.min);
        m.brightnessMax = uint32_t(ranges::kBrightness.max);
        m.brightness = uint32_t(ranges::kBrightness.clamp(l.brightness));
    }
    if (on(lighting::LightGroup::Direction)) {
        m.flags |= kHasDirectionLR;
        m.direction = uint32_t(ranges::kDirection.clamp(l.direction));
    }
    const bool colour = on(lighting::LightGroup::Colour);
    const bool random = on(lighting::LightGroup::MultiColour);
    if (colour) {
        m.flags |= kHasModeSpecificColour;
        m.coloursMin = 1;
        m.coloursMax = 1;
        m.colours = {packColour({l.red, l.green, l.blue, 0xFF})};
    }
    if (random) m.flags |= kHasRandomColour;
    if (random && (l.multiColor || !colour))
        m.colourMode = kColourRandom;
    else if (colour)
        m.colourMode = kColourModeSpecific;
    return m;
}

}  // namespace

Controller describeDevice(const DeviceFacts& f) {
    const DeviceModelRow& row = *f.model;
    Controller c;
    c.type = row.rgbType;
    c.name = readable(row.name, "");
    c.vendor = "Mouse Driver";
    c.description = c.name + " (" + f.connection + ")";
    c.version = f.firmware;
    c.location = f.path;
    c.modes.push_back(directMode());
    const ValueRange range = modeRangeOf(row);
    for (size_t i = 0; i < f.effects.size(); ++i) {
        const int effect = int(i);
        if (!f.effects[i].visible || effect < range.min || effect > range.max) continue;
        if (!f.direct && effect == f.lighting.mode) c.activeMode = int32_t(c.modes.size());
        c.modes.push_back(ownMode(row, effect, f.effects[i].name, f.lighting));
    }
    c.zones.push_back(zoneOf(row));
    c.leds = ledNames(f);
    c.colours.assign(c.leds.size(), 0);  // the server shows a client's colours over these
    return c;
}

LightSetting lightingOfMode(const Mode& mode, const Mode& described, LightSetting l) {
    l.mode = static_cast<uint8_t>(described.value);
    if (described.flags & kHasSpeed)
        l.speed =
            static_cast<uint8_t>(std::clamp(mode.speed, described.speedMin, described.speedMax));
    if (described.flags & kHasBrightness)
        l.brightness = static_cast<uint8_t>(
            std::clamp(mode.brightness, described.brightnessMin, described.brightnessMax));
    if (described.flags & kHasDirectionLR) l.direction = mode.direction ? 1 : 0;
    if ((described.flags & kHasModeSpecificColour) && !mode.colours.empty()) {
        const lighting::LedColour c = unpackColour(mode.colours.front());
        l.red = c.red, l.green = c.green, l.blue = c.blue;
    }
    if (described.flags & kHasRandomColour) l.multiColor = mode.colourMode == kColourRandom ? 1 : 0;
    return l;
}

}  // namespace md::rgb
