#pragma once
// Which controls of the lighting panel an effect uses, per device type: the groups enabled or
// disabled, the layouts shown or hidden, the direction texts and whether the effect can be
// shared in same mode. A pure function of (device type, effect); the panel applies it.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace md::lighting {

// The panel's control groups, in the order of the rules' columns.
enum class LightGroup : uint8_t {
    Effect,       // "lighteffect_layout"
    MultiColour,  // "deng_7color_check"
    Colour,       // "deng_color_layout"
    Palette,      // "colorpallet_layout"
    Brightness,   // "deng_light_layout"
    Speed,        // "deng_speed_layout"
    Direction,    // "deng_fx_layout"
    LightColour,  // "light_color_layout"
};
inline constexpr size_t kLightGroups = 8;

struct LightPanelRules {
    // Enabled (true) or disabled (false); nullopt leaves the group as it is.
    std::array<std::optional<bool>, kLightGroups> enabled{};
    std::optional<bool> speedShown;   // "deng_speed_layout" shown or hidden
    std::optional<bool> customShown;  // "lightcustom_layout"
    std::optional<bool> zzccShown;    // "light_combo_ZZCCmodeSelectLayout"
    // The same-mode button offered (shown while several devices are active) or hidden;
    // nullopt leaves it as it is.
    std::optional<bool> sameMode;
    // Text ids of the two direction options ("deng_FXL_check", "deng_FXR_check"); null keeps.
    const char* leftText = nullptr;
    const char* rightText = nullptr;

    std::optional<bool> groupEnabled(LightGroup g) const { return enabled[size_t(g)]; }
};

// Device types: 1 keyboard, 2 mouse, 3 mousepad, 4 and 7 headset-like, 5; any other type
// changes nothing.
LightPanelRules lightPanelRules(int deviceType, int effect);

// The colour channel a colour edit's text stands for: its decimal value limited to 0-255, with
// empty text, a minus sign, other characters or an overlong number giving 0 (or 255 for a
// number too large). `text` is what the edit should show afterwards.
uint8_t colourChannelOf(std::string_view text, std::string* shown = nullptr);

// Same mode: the effects shared across devices, and each device type's effect for them.
enum class SyncLightMode : uint8_t { Breathing, Steady, Flash, Spectrum, Off };
// The mode of a device type's effect; nullopt when the effect has no shared mode.
std::optional<SyncLightMode> syncModeOf(int deviceType, int effect);
// The effect a device type shows for a mode; nullopt for types without same mode.
std::optional<int> effectOfSyncMode(int deviceType, SyncLightMode mode);

}  // namespace md::lighting
