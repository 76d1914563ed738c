#include "devices/keyboard/custom_colours.h"

#include <algorithm>
#include <array>
#include <vector>

#include "devices/lighting/base_steps.h"

namespace md::kblight {

using lighting::LedColour;

namespace {

using ColourTable = std::array<uint8_t, kColourTableBuffer>;

// Three bytes for every LED number up to the highest one in use (LED numbers are not the
// positions: a keyboard may number them beyond 125), within one colour page.
uint32_t tableLength(const CustomColourTarget& target) {
    size_t high = 0;
    bool any = false;
    for (uint8_t d : target.keyLed) {
        if (d == 255) continue;
        high = std::max<size_t>(high, d);
        any = true;
    }
    return any ? static_cast<uint32_t>(std::min<size_t>(3 * (high + 1), kColourTablePage)) : 0;
}

template <typename Value>
void fillTable(std::span<const LedColour> leds, const CustomColourTarget& target, ColourTable& t,
               Value value) {
    t.fill(0);
    const size_t n = std::min(leds.size(), target.keyLed.size());
    for (size_t i = 0; i < n; ++i) {
        const uint8_t d = target.keyLed[i];
        if (d == 255 || 3u * d + 2 >= kColourTablePage) continue;
        t[3u * d] = value(leds[i].red, leds[i].intensity);
        t[3u * d + 1] = value(leds[i].green, leds[i].intensity);
        t[3u * d + 2] = value(leds[i].blue, leds[i].intensity);
    }
}

void storeGroup(std::span<const LedColour> leds, CKeyboardProfiledata& profile, int32_t group) {
    std::vector<CustomColour> list;
    list.reserve(leds.size());
    for (const LedColour& c : leds) list.push_back({c.red, c.green, c.blue, c.intensity});
    profile.writeCustomColours(list, group);
    profile.save();
}

}  // namespace

int sendCustomColours(std::span<const LedColour> leds, const LightSetting& light,
                      const CustomColourTarget& target) {
    if (light.mode != kCustomColourMode) return link::kOk;
    ColourTable table;
    fillTable(leds, target, table, [](uint8_t v, uint8_t i) { return lighting::scaled(v, i); });
    return target.link.writeColourTable(table, tableLength(target), light.customGroup,
                                        kColourTablePage);
}

int32_t loadCustomColours(lighting::LedList leds, CKeyboardProfiledata& profile,
                          const LightSetting& light, const CustomColourTarget& target) {
    const int32_t group = profile.getCustomGroupIndex();
    const std::vector<CustomColour> colours =
        profile.readCustomColours(group, static_cast<int32_t>(leds.size()));
    for (size_t i = 0; i < leds.size(); ++i) {
        const CustomColour c = i < colours.size() ? colours[i] : CustomColour{};
        leds[i] = {c.red, c.green, c.blue, c.alpha};
    }
    sendCustomColours(leds, light, target);
    return group;
}

void fillCustomColours(bool on, lighting::LedList leds, CKeyboardProfiledata& profile,
                       const LightSetting& light, int32_t selectedGroup,
                       const CustomColourTarget& target) {
    const lighting::Rgb colour = on ? lighting::singleColour(light) : lighting::Rgb{};
    for (LedColour& led : leds) led = {colour.red, colour.green, colour.blue, led.intensity};
    sendCustomColours(leds, light, target);
    if (selectedGroup != -1) storeGroup(leds, profile, selectedGroup);
}

bool setCustomKeyColour(size_t k, lighting::LedList leds, CKeyboardProfiledata& profile,
                        const LightSetting& light, int32_t selectedGroup,
                        const CustomColourTarget& target) {
    if (light.mode != kCustomColourMode || k >= leds.size()) return false;
    leds[k] = {light.red, light.green, light.blue, leds[k].intensity};
    if (selectedGroup == -1) return true;
    storeGroup(leds, profile, selectedGroup);
    if (target.link.isWireless()) return true;
    ColourTable table;
    fillTable(leds, target, table, [](uint8_t v, uint8_t) { return v; });
    target.link.writeColourTable(table, tableLength(target), light.customGroup, kColourTablePage);
    return true;
}

}  // namespace md::kblight
