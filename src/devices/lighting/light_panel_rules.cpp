#include "devices/lighting/light_panel_rules.h"

#include <algorithm>
#include <initializer_list>

namespace md::lighting {
namespace {

// One row: multi-colour, colour, palette, brightness, speed, direction (1 enabled, 0 disabled,
// -1 untouched).
struct Row {
    int multi, colour, palette, brightness, speed, direction;
};

void apply(LightPanelRules& r, Row row) {
    auto set = [&](LightGroup g, int v) {
        if (v >= 0) r.enabled[size_t(g)] = v != 0;
    };
    set(LightGroup::MultiColour, row.multi);
    set(LightGroup::Colour, row.colour);
    set(LightGroup::Palette, row.palette);
    set(LightGroup::Brightness, row.brightness);
    set(LightGroup::Speed, row.speed);
    set(LightGroup::Direction, row.direction);
}

bool in(int effect, std::initializer_list<int> list) {
    for (int e : list)
        if (e == effect) return true;
    return false;
}

constexpr Row kAll{1, 1, 1, 1, 1, 1};
constexpr Row kNone{0, 0, 0, 0, 0, 0};

LightPanelRules keyboard(int e) {
    LightPanelRules r;
    r.customShown = false;
    r.zzccShown = false;
    r.speedShown = true;
    r.enabled[size_t(LightGroup::Direction)] = true;
    r.enabled[size_t(LightGroup::LightColour)] = true;
    r.leftText = "light_set_right_to_left_text";
    r.rightText = "light_set_left_to_right_text";
    r.sameMode = false;
    auto lightColourOff = [&] { r.enabled[size_t(LightGroup::LightColour)] = false; };
    if (in(e, {1, 2, 14})) {
        apply(r, e == 14 ? Row{1, 1, 1, 1, 1, 0} : kAll);
    } else if (in(e, {3, 24})) {
        apply(r, kAll);
        r.leftText = "light_set_clockwise_text";
        r.rightText = "light_set_anticlockwise_text";
    } else if (in(e, {12, 21})) {
        apply(r, kAll);
        r.leftText = "light_set_up_to_down_text";
        r.rightText = "light_set_down_to_up_text";
    } else if (e == 4) {
        apply(r, {0, 0, 0, 1, 1, 0});
        lightColourOff();
        r.sameMode = true;
    } else if (in(e, {5, 23})) {
        apply(r, {1, 1, 1, 1, 1, 0});
        r.sameMode = true;
    } else if (e == 6) {
        apply(r, {1, 1, 1, 1, 0, 0});
        r.sameMode = true;
    } else if (in(e, {7, 8, 9, 10, 13, 15, 22, 25})) {
        apply(r, {1, 1, 1, 1, 1, 0});
    } else if (e == 16) {
        apply(r, {1, 1, 1, 1, 0, 0});
    } else if (e == 11) {
        apply(r, {0, 0, 0, 1, 1, 0});
        lightColourOff();
    } else if (e == 17) {
        apply(r, {0, 0, 0, 1, 1, 0});
        r.speedShown = false;
        r.zzccShown = true;
        lightColourOff();
    } else if (e == 18) {
        apply(r, {0, 0, 0, 1, 0, 1});
        lightColourOff();
        r.leftText = "light_set_inside_to_outside_text";
        r.rightText = "light_set_outside_to_inside_text";
    } else if (e == 20) {
        apply(r, {0, 1, 1, 1, 0, 0});
        r.customShown = true;
        r.speedShown = false;
    } else if (in(e, {26, 27})) {
        apply(r, {0, 0, 0, 1, 1, 0});
    } else if (e == 28) {
        apply(r, kNone);
        r.sameMode = true;
    } else {
        apply(r, kNone);
    }
    return r;
}

LightPanelRules mouse(int e) {
    LightPanelRules r;
    r.sameMode = false;
    r.enabled[size_t(LightGroup::Direction)] = true;
    r.enabled[size_t(LightGroup::LightColour)] = true;
    auto lightColourOff = [&] { r.enabled[size_t(LightGroup::LightColour)] = false; };
    switch (e) {
        case 0:
            apply(r, {0, 0, 0, 1, 1, 0});
            lightColourOff();
            r.sameMode = true;
            break;
        case 1:
            apply(r, {0, 1, 1, 1, 1, 1});
            lightColourOff();
            r.sameMode = true;
            break;
        case 2:
            apply(r, {0, 1, 1, 1, 0, 0});
            r.sameMode = true;
            break;
        case 3:
            apply(r, {0, 1, 1, 1, 1, 0});
            r.sameMode = true;
            break;
        case 4:
            apply(r, kNone);
            lightColourOff();
            r.sameMode = true;
            break;
        case 6:
            apply(r, {0, 0, 0, 1, 0, 0});
            lightColourOff();
            r.sameMode = true;
            break;
        case 7:
        case 8:
            apply(r, {0, 0, 0, 1, 1, 0});
            break;
        case 9:
        case 10:
            apply(r, kAll);
            break;
        case 11:
            apply(r, {1, 1, 1, 1, 1, 0});
            r.sameMode = true;
            break;
        default:
            apply(r, kNone);
            break;
    }
    return r;
}

LightPanelRules padOrHeadset(int e) {
    LightPanelRules r;
    r.sameMode = false;
    r.enabled[size_t(LightGroup::Direction)] = true;
    switch (e) {
        case 0:
            apply(r, kAll);
            break;
        case 1:
            apply(r, {0, 0, 0, 1, 1, 0});
            r.sameMode = true;
            break;
        case 2:
        case 4:
            apply(r, {1, 1, 1, 1, 1, 0});
            r.sameMode = true;
            break;
        case 3:
            apply(r, {0, 1, 1, 1, 0, 0});
            r.sameMode = true;
            break;
        case 8:
            apply(r, kNone);
            r.sameMode = true;
            break;
        default:
            apply(r, kNone);
            break;
    }
    return r;
}

LightPanelRules type5(int e) {
    LightPanelRules r;
    // Direction and the same-mode button stay as they are.
    if (in(e, {0, 2, 3}))
        apply(r, {1, 1, 1, 1, 1, -1});
    else if (e == 1)
        apply(r, {0, 1, 1, 1, 0, -1});
    else if (e == 4)
        apply(r, {0, 0, 0, 1, 1, -1});
    else
        apply(r, {0, 0, 0, 0, 0, -1});
    return r;
}

}  // namespace

LightPanelRules lightPanelRules(int deviceType, int effect) {
    LightPanelRules r;
    switch (deviceType) {
        case 1:
            r = keyboard(effect);
            break;
        case 2:
            r = mouse(effect);
            break;
        case 3:
        case 4:
        case 7:
            r = padOrHeadset(effect);
            break;
        case 5:
            r = type5(effect);
            break;
        default:
            return r;  // no change at all
    }
    r.enabled[size_t(LightGroup::Effect)] = true;
    return r;
}

uint8_t colourChannelOf(std::string_view text, std::string* shown) {
    unsigned value = 0;
    bool digits = !text.empty();
    for (const char c : text) {
        if (c < '0' || c > '9') {
            digits = false;
            break;
        }
        value = std::min(256u, value * 10 + unsigned(c - '0'));
    }
    const uint8_t channel = digits ? static_cast<uint8_t>(std::min(255u, value)) : 0;
    if (shown) *shown = std::to_string(channel);
    return channel;
}

namespace {
// Effect per mode (Breathing, Steady, Flash, Spectrum, Off) of keyboard, mouse, pad/headset.
constexpr int kSyncEffects[3][5] = {{5, 6, 23, 4, 28}, {1, 2, 11, 0, 4}, {2, 3, 4, 1, 8}};

int syncColumn(int deviceType) {
    switch (deviceType) {
        case 1:
            return 0;
        case 2:
            return 1;
        case 3:
        case 7:
            return 2;
        default:
            return -1;
    }
}
}  // namespace

std::optional<SyncLightMode> syncModeOf(int deviceType, int effect) {
    const int c = syncColumn(deviceType);
    if (c < 0) return std::nullopt;
    for (int m = 0; m < 5; ++m)
        if (kSyncEffects[c][m] == effect) return static_cast<SyncLightMode>(m);
    return std::nullopt;
}

std::optional<int> effectOfSyncMode(int deviceType, SyncLightMode mode) {
    const int c = syncColumn(deviceType);
    if (c < 0) return std::nullopt;
    return kSyncEffects[c][static_cast<int>(mode)];
}

}  // namespace md::lighting
