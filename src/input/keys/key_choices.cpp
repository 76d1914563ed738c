#include "input/keys/key_choices.h"

#include <array>

namespace md::keys {
namespace {

constexpr std::array<ChoiceRow, 5> kButtonRows = {{
    {{0x10, 0x01, 0x00}, "mouse_key_left", "left"},
    {{0x10, 0x04, 0x00}, "mouse_key_middle", "middle"},
    {{0x10, 0x02, 0x00}, "mouse_key_right", "right"},
    {{0x10, 0x10, 0x00}, "mouse_key_forward", "forward"},
    {{0x10, 0x08, 0x00}, "mouse_key_back", "back"},
}};

constexpr std::array<ChoiceRow, 4> kWheelRows = {{
    {{0x12, 0x2A, 0x01}, "mouse_key_up_Swing", "wheel-up"},
    {{0x12, 0x2A, 0xFF}, "mouse_key_down_Swing", "wheel-down"},
    {{0x11, 0x2A, 0x01}, "mouse_key_right_Swing", "wheel-right"},
    {{0x11, 0x2A, 0xFF}, "mouse_key_left_Swing", "wheel-left"},
}};

constexpr std::array<ChoiceRow, 3> kDpiRows = {{
    {{0x13, 0x01, 0x00}, "mouse_key_DPI_add", "dpi-up"},
    {{0x13, 0x02, 0x00}, "mouse_key_DPI_sub", "dpi-down"},
    {{0x13, 0x03, 0x00}, "mouse_key_DPI_loop", "dpi-cycle"},
}};

constexpr std::array<ChoiceRow, 18> kMediaRows = {{
    {{0x30, 0x83, 0x01}, "media_text", "media:player"},
    {{0x30, 0xCD, 0x00}, "media_play", "media:play"},
    {{0x30, 0xB7, 0x00}, "media_stop", "media:stop"},
    {{0x30, 0xB6, 0x00}, "media_prev", "media:previous"},
    {{0x30, 0xB5, 0x00}, "media_next", "media:next"},
    {{0x30, 0xEA, 0x00}, "media_vol_sub", "media:volume-down"},
    {{0x30, 0xE9, 0x00}, "media_vol_add", "media:volume-up"},
    {{0x30, 0xE2, 0x00}, "media_mute", "media:mute"},
    {{0x30, 0x23, 0x02}, "web_text", "media:browser-home"},
    {{0x30, 0x27, 0x02}, "web_refresh", "media:browser-refresh"},
    {{0x30, 0x26, 0x02}, "wed_stop", "media:browser-stop"},
    {{0x30, 0x24, 0x02}, "wed_back", "media:browser-back"},
    {{0x30, 0x25, 0x02}, "wed_forward", "media:browser-forward"},
    {{0x30, 0x2A, 0x02}, "wed_favorite", "media:browser-favourites"},
    {{0x30, 0x21, 0x02}, "web_search", "media:browser-search"},
    {{0x30, 0x94, 0x01}, "media_mypc", "media:computer"},
    {{0x30, 0x92, 0x01}, "media_calc", "media:calculator"},
    {{0x30, 0x8A, 0x01}, "media_mail", "media:mail"},
}};

constexpr std::array<ChoiceRow, 3> kSystemRows = {{
    {{0x40, 0x01, 0x00}, "system_power", "system:power"},
    {{0x40, 0x02, 0x00}, "system_sleep", "system:sleep"},
    {{0x40, 0x04, 0x00}, "system_wake_up", "system:wake"},
}};

// Ctrl with O, N, Z, S, C, X, V, F, A, minus and equals; the command line names them as keys.
constexpr std::array<ChoiceRow, 11> kShortcutRows = {{
    {{0x20, 0x01, 0x12}, "custem_open", "key:ctrl+o"},
    {{0x20, 0x01, 0x11}, "custem_new", "key:ctrl+n"},
    {{0x20, 0x01, 0x1D}, "custem_undo", "key:ctrl+z"},
    {{0x20, 0x01, 0x16}, "custem_save", "key:ctrl+s"},
    {{0x20, 0x01, 0x06}, "custem_copy", "key:ctrl+c"},
    {{0x20, 0x01, 0x1B}, "custem_cut", "key:ctrl+x"},
    {{0x20, 0x01, 0x19}, "custem_paste", "key:ctrl+v"},
    {{0x20, 0x01, 0x09}, "custem_find", "key:ctrl+f"},
    {{0x20, 0x01, 0x04}, "custem_select_all", "key:ctrl+a"},
    {{0x20, 0x01, 0x2D}, "custem_zoom_out", "key:ctrl+minus"},
    {{0x20, 0x01, 0x2E}, "custem_zoom_in", "key:ctrl+equal"},
}};

constexpr std::array<ChoiceRow, 9> kEditRows = {{
    {{0x22, 0, 0}, "custem_cut", "edit:cut"},
    {{0x22, 1, 0}, "custem_copy", "edit:copy"},
    {{0x22, 2, 0}, "custem_paste", "edit:paste"},
    {{0x22, 3, 0}, "custem_undo", "edit:undo"},
    {{0x22, 4, 0}, "custem_select_all", "edit:select-all"},
    {{0x22, 5, 0}, "custem_find", "edit:find"},
    {{0x22, 6, 0}, "custem_new", "edit:new"},
    {{0x22, 7, 0}, "custem_save", "edit:save"},
    {{0x22, 8, 0}, "custem_open", "edit:open"},
}};

constexpr std::array<ChoiceRow, 11> kSpecialRows = {{
    {{0x00, 0x00, 0x00}, "close_text", "disabled"},
    {{0x16, 0x00, 0x00}, "mouse_key_DPI_shift", "dpi-shift"},
    {{0x23, 0x00, 0x00}, "show_window", "show-window"},
    {{0xA0, 0x01, 0x00}, "keyboard_key_FN", "fn"},
    {{0xA0, 0x02, 0x00}, "mouse_key_smart_key", "smart-key"},
    {{0xA0, 0x1B, 0x00}, "keyboard_key_GM", "game-mode"},
    {{0xD0, 0xA2, 0x01}, "keyboard_key_M1", "m1"},
    {{0xD0, 0xA2, 0x02}, "keyboard_key_M2", "m2"},
    {{0xD0, 0xA2, 0x03}, "keyboard_key_M3", "m3"},
    {{0xD0, 0xA2, 0x04}, "keyboard_key_M4", "m4"},
    {{0xD0, 0xA2, 0x05}, "keyboard_key_M5", "m5"},
}};

}  // namespace

std::span<const ChoiceRow> buttonChoices() {
    return kButtonRows;
}
std::span<const ChoiceRow> wheelChoices() {
    return kWheelRows;
}
std::span<const ChoiceRow> dpiChoices() {
    return kDpiRows;
}
std::span<const ChoiceRow> mediaChoices() {
    return kMediaRows;
}
std::span<const ChoiceRow> systemChoices() {
    return kSystemRows;
}
std::span<const ChoiceRow> shortcutChoices() {
    return kShortcutRows;
}
std::span<const ChoiceRow> editShortcuts() {
    return kEditRows;
}
std::span<const ChoiceRow> specialKeys() {
    return kSpecialRows;
}

int choiceIndexOf(std::span<const ChoiceRow> rows, const KeyAssignment& a) {
    for (size_t i = 0; i < rows.size(); ++i)
        if (rows[i].assignment == a) return static_cast<int>(i);
    return -1;
}

}  // namespace md::keys
