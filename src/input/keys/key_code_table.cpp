#include "input/keys/key_code_table.h"

namespace md::keys {
namespace {

// clang-format off
constexpr std::array<KeyCodeRow, kKeyCodeRows> kTable = {{
    {"keyboard_key_LCtrl", "lctrl", 162, 0x1D, false, true, {0x20, 0x01, 0x00}},  // 0
    {"keyboard_key_LShift", "lshift", 160, 0x2A, false, true, {0x20, 0x02, 0x00}},  // 1
    {"keyboard_key_LAlt", "lalt", 164, 0x38, false, true, {0x20, 0x04, 0x00}},  // 2
    {"keyboard_key_LWin", "lwin", 91, 0x5B, true, true, {0x20, 0x08, 0x00}},  // 3
    {"keyboard_key_RCtrl", "rctrl", 163, 0x1D, true, true, {0x20, 0x10, 0x00}},  // 4
    {"keyboard_key_RShift", "rshift", 161, 0x36, true, true, {0x20, 0x20, 0x00}},  // 5
    {"keyboard_key_RAlt", "ralt", 165, 0x38, true, true, {0x20, 0x40, 0x00}},  // 6
    {"keyboard_key_RWin", "rwin", 92, 0x5C, true, true, {0x20, 0x80, 0x00}},  // 7
    {"keyboard_key_A", "a", 65, 0x1E, false, true, {0x20, 0x00, 0x04}},  // 8
    {"keyboard_key_B", "b", 66, 0x30, false, true, {0x20, 0x00, 0x05}},  // 9
    {"keyboard_key_C", "c", 67, 0x2E, false, true, {0x20, 0x00, 0x06}},  // 10
    {"keyboard_key_D", "d", 68, 0x20, false, true, {0x20, 0x00, 0x07}},  // 11
    {"keyboard_key_E", "e", 69, 0x12, false, true, {0x20, 0x00, 0x08}},  // 12
    {"keyboard_key_F", "f", 70, 0x21, false, true, {0x20, 0x00, 0x09}},  // 13
    {"keyboard_key_G", "g", 71, 0x22, false, true, {0x20, 0x00, 0x0A}},  // 14
    {"keyboard_key_H", "h", 72, 0x23, false, true, {0x20, 0x00, 0x0B}},  // 15
    {"keyboard_key_I", "i", 73, 0x17, false, true, {0x20, 0x00, 0x0C}},  // 16
    {"keyboard_key_J", "j", 74, 0x24, false, true, {0x20, 0x00, 0x0D}},  // 17
    {"keyboard_key_K", "k", 75, 0x25, false, true, {0x20, 0x00, 0x0E}},  // 18
    {"keyboard_key_L", "l", 76, 0x26, false, true, {0x20, 0x00, 0x0F}},  // 19
    {"keyboard_key_M", "m", 77, 0x32, false, true, {0x20, 0x00, 0x10}},  // 20
    {"keyboard_key_N", "n", 78, 0x31, false, true, {0x20, 0x00, 0x11}},  // 21
    {"keyboard_key_O", "o", 79, 0x18, false, true, {0x20, 0x00, 0x12}},  // 22
    {"keyboard_key_P", "p", 80, 0x19, false, true, {0x20, 0x00, 0x13}},  // 23
    {"keyboard_key_Q", "q", 81, 0x10, false, true, {0x20, 0x00, 0x14}},  // 24
    {"keyboard_key_R", "r", 82, 0x13, false, true, {0x20, 0x00, 0x15}},  // 25
    {"keyboard_key_S", "s", 83, 0x1F, false, true, {0x20, 0x00, 0x16}},  // 26
    {"keyboard_key_T", "t", 84, 0x14, false, true, {0x20, 0x00, 0x17}},  // 27
    {"keyboard_key_U", "u", 85, 0x16, false, true, {0x20, 0x00, 0x18}},  // 28
    {"keyboard_key_V", "v", 86, 0x2F, false, true, {0x20, 0x00, 0x19}},  // 29
    {"keyboard_key_W", "w", 87, 0x11, false, true, {0x20, 0x00, 0x1A}},  // 30
    {"keyboard_key_X", "x", 88, 0x2D, false, true, {0x20, 0x00, 0x1B}},  // 31
    {"keyboard_key_Y", "y", 89, 0x15, false, true, {0x20, 0x00, 0x1C}},  // 32
    {"keyboard_key_Z", "z", 90, 0x2C, false, true, {0x20, 0x00, 0x1D}},  // 33
    {"keyboard_key_1", "1", 49, 0x02, false, true, {0x20, 0x00, 0x1E}},  // 34
    {"keyboard_key_2", "2", 50, 0x03, false, true, {0x20, 0x00, 0x1F}},  // 35
    {"keyboard_key_3", "3", 51, 0x04, false, true, {0x20, 0x00, 0x20}},  // 36
    {"keyboard_key_4", "4", 52, 0x05, false, true, {0x20, 0x00, 0x21}},  // 37
    {"keyboard_key_5", "5", 53, 0x06, false, true, {0x20, 0x00, 0x22}},  // 38
    {"keyboard_key_6", "6", 54, 0x07, false, true, {0x20, 0x00, 0x23}},  // 39
    {"keyboard_key_7", "7", 55, 0x08, false, true, {0x20, 0x00, 0x24}},  // 40
    {"keyboard_key_8", "8", 56, 0x09, false, true, {0x20, 0x00, 0x25}},  // 41
    {"keyboard_key_9", "9", 57, 0x0A, false, true, {0x20, 0x00, 0x26}},  // 42
    {"keyboard_key_0", "0", 48, 0x0B, false, true, {0x20, 0x00, 0x27}},  // 43
    {"keyboard_key_Enter", "enter", 13, 0x1C, false, true, {0x20, 0x00, 0x28}},  // 44
    {"keyboard_key_Esc", "esc", 27, 0x01, false, true, {0x20, 0x00, 0x29}},  // 45
    {"keyboard_key_BackSpace", "backspace", 8, 0x0E, false, true, {0x20, 0x00, 0x2A}},  // 46
    {"keyboard_key_Tab", "tab", 9, 0x0F, false, true, {0x20, 0x00, 0x2B}},  // 47
    {"keyboard_key_Space", "space", 32, 0x39, false, true, {0x20, 0x00, 0x2C}},  // 48
    {"keyboard_key_-", "minus", 189, 0x0C, false, true, {0x20, 0x00, 0x2D}},  // 49
    {"keyboard_key_=", "equal", 187, 0x0D, false, true, {0x20, 0x00, 0x2E}},  // 50
    {"keyboard_key_[", "lbracket", 219, 0x1A, false, true, {0x20, 0x00, 0x2F}},  // 51
    {"keyboard_key_]", "rbracket", 221, 0x1B, false, true, {0x20, 0x00, 0x30}},  // 52
    {"keyboard_key_xiegang", "backslash", 220, 0x2B, false, true, {0x20, 0x00, 0x31}},  // 53
    {"keyboard_key_;", "semicolon", 186, 0x27, false, true, {0x20, 0x00, 0x33}},  // 54
    {"keyboard_key_'", "quote", 222, 0x28, false, true, {0x20, 0x00, 0x34}},  // 55
    {"keyboard_key_`", "grave", 192, 0x29, false, true, {0x20, 0x00, 0x35}},  // 56
    {"keyboard_key_<", "comma", 188, 0x33, false, true, {0x20, 0x00, 0x36}},  // 57
    {"keyboard_key_.", "period", 190, 0x34, false, true, {0x20, 0x00, 0x37}},  // 58
    {"keyboard_key_/", "slash", 191, 0x35, false, true, {0x20, 0x00, 0x38}},  // 59
    {"keyboard_key_Caplk", "capslock", 20, 0x3A, false, true, {0x20, 0x00, 0x39}},  // 60
    {"keyboard_key_F1", "f1", 112, 0x3B, false, true, {0x20, 0x00, 0x3A}},  // 61
    {"keyboard_key_F2", "f2", 113, 0x3C, false, true, {0x20, 0x00, 0x3B}},  // 62
    {"keyboard_key_F3", "f3", 114, 0x3D, false, true, {0x20, 0x00, 0x3C}},  // 63
    {"keyboard_key_F4", "f4", 115, 0x3E, false, true, {0x20, 0x00, 0x3D}},  // 64
    {"keyboard_key_F5", "f5", 116, 0x3F, false, true, {0x20, 0x00, 0x3E}},  // 65
    {"keyboard_key_F6", "f6", 117, 0x40, false, true, {0x20, 0x00, 0x3F}},  // 66
    {"keyboard_key_F7", "f7", 118, 0x41, false, true, {0x20, 0x00, 0x40}},  // 67
    {"keyboard_key_F8", "f8", 119, 0x42, false, true, {0x20, 0x00, 0x41}},  // 68
    {"keyboard_key_F9", "f9", 120, 0x43, false, true, {0x20, 0x00, 0x42}},  // 69
    {"keyboard_key_F10", "f10", 121, 0x44, false, true, {0x20, 0x00, 0x43}},  // 70
    {"keyboard_key_F11", "f11", 122, 0x57, false, true, {0x20, 0x00, 0x44}},  // 71
    {"keyboard_key_F12", "f12", 123, 0x58, false, true, {0x20, 0x00, 0x45}},  // 72
    {"keyboard_key_Print Scr", "printscreen", 44, 0x37, true, true, {0x20, 0x00, 0x46}},  // 73
    {"keyboard_key_Scroll Lock", "scroll-lock", 145, 0x46, false, true, {0x20, 0x00, 0x47}},  // 74
    {"keyboard_key_Pause", "pause", 19, 0x45, false, true, {0x20, 0x00, 0x48}},  // 75
    {"keyboard_key_Insert", "insert", 45, 0x52, true, true, {0x20, 0x00, 0x49}},  // 76
    {"keyboard_key_Home", "home", 36, 0x47, true, true, {0x20, 0x00, 0x4A}},  // 77
    {"keyboard_key_Page Up", "page-up", 33, 0x49, true, true, {0x20, 0x00, 0x4B}},  // 78
    {"keyboard_key_Delete", "delete", 46, 0x53, true, true, {0x20, 0x00, 0x4C}},  // 79
    {"keyboard_key_End", "end", 35, 0x4F, true, true, {0x20, 0x00, 0x4D}},  // 80
    {"keyboard_key_Page Down", "page-down", 34, 0x51, true, true, {0x20, 0x00, 0x4E}},  // 81
    {"keyboard_key_Right", "right", 39, 0x4D, true, true, {0x20, 0x00, 0x4F}},  // 82
    {"keyboard_key_Left", "left", 37, 0x4B, true, true, {0x20, 0x00, 0x50}},  // 83
    {"keyboard_key_Down", "down", 40, 0x50, true, true, {0x20, 0x00, 0x51}},  // 84
    {"keyboard_key_Up", "up", 38, 0x48, true, true, {0x20, 0x00, 0x52}},  // 85
    {"keyboard_key_Num Lock", "numlock", 144, 0x45, true, true, {0x20, 0x00, 0x53}},  // 86
    {"keyboard_key_Num /", "num-slash", 111, 0x35, true, true, {0x20, 0x00, 0x54}},  // 87
    {"keyboard_key_Num *", "num-star", 106, 0x37, false, true, {0x20, 0x00, 0x55}},  // 88
    {"keyboard_key_Num -", "num-minus", 109, 0x4A, false, true, {0x20, 0x00, 0x56}},  // 89
    {"keyboard_key_Num +", "num-plus", 107, 0x4E, false, true, {0x20, 0x00, 0x57}},  // 90
    {"keyboard_key_Num Enter", "num-enter", 257, 0x1C, true, true, {0x20, 0x00, 0x58}},  // 91
    {"keyboard_key_Num 1", "num1", 97, 0x4F, false, true, {0x20, 0x00, 0x59}},  // 92
    {"keyboard_key_Num 2", "num2", 98, 0x50, false, true, {0x20, 0x00, 0x5A}},  // 93
    {"keyboard_key_Num 3", "num3", 99, 0x51, false, true, {0x20, 0x00, 0x5B}},  // 94
    {"keyboard_key_Num 4", "num4", 100, 0x4B, false, true, {0x20, 0x00, 0x5C}},  // 95
    {"keyboard_key_Num 5", "num5", 101, 0x4C, false, true, {0x20, 0x00, 0x5D}},  // 96
    {"keyboard_key_Num 6", "num6", 102, 0x4D, false, true, {0x20, 0x00, 0x5E}},  // 97
    {"keyboard_key_Num 7", "num7", 103, 0x47, false, true, {0x20, 0x00, 0x5F}},  // 98
    {"keyboard_key_Num 8", "num8", 104, 0x48, false, true, {0x20, 0x00, 0x60}},  // 99
    {"keyboard_key_Num 9", "num9", 105, 0x49, false, true, {0x20, 0x00, 0x61}},  // 100
    {"keyboard_key_Num 0", "num0", 96, 0x52, false, true, {0x20, 0x00, 0x62}},  // 101
    {"keyboard_key_Decimal", "num-dot", 110, 0x53, false, true, {0x20, 0x00, 0x63}},  // 102
    {"keyboard_key_App", "menu", 93, 0x5D, true, true, {0x20, 0x00, 0x65}},  // 103
    {"keyboard_key_K45", "iso-backslash", 226, 0x56, false, true, {0x20, 0x00, 0x64}},  // 104
    {"keyboard_key_K56", "ro", 193, 0x73, false, true, {0x20, 0x00, 0x87}},  // 105
    {"keyboard_key_K14", "yen", 255, 0x7D, false, true, {0x20, 0x00, 0x89}},  // 106
    {"keyboard_key_K107", "num-comma", 194, 0x7E, false, true, {0x20, 0x00, 0x85}},  // 107
    {"keyboard_key_K131", "muhenkan", 235, 0x7B, false, true, {0x20, 0x00, 0x8B}},  // 108
    {"keyboard_key_K132", "henkan", 255, 0x79, false, true, {0x20, 0x00, 0x8A}},  // 109
    {"keyboard_key_K133", "katakana", 255, 0x70, false, true, {0x20, 0x00, 0x88}},  // 110
    {"keyboard_key_K150", "hanja", 233, 0x71, false, true, {0x20, 0x00, 0x91}},  // 111
    {"keyboard_key_K151", "hangul", 255, 0x72, false, true, {0x20, 0x00, 0x90}},  // 112
    {"keyboard_key_K42", "iso-hash", 191, 0x00, false, false, {0x20, 0x00, 0x32}},  // 113
    {"keyboard_key_Launch App2", "calculator", 183, 0x00, false, false, {0x30, 0x92, 0x01}},  // 114
    {"keyboard_key_Browaer Home", "browser-home", 172, 0x00, false, false, {0x30, 0x23, 0x02}},  // 115
    {"keyboard_key_Media Play Pause", "play", 179, 0x00, false, false, {0x30, 0xCD, 0x00}},  // 116
    {"keyboard_key_Browser Search", "browser-search", 170, 0x00, false, false, {0x30, 0x21, 0x02}},  // 117
    {"keyboard_key_Launch Mail", "mail", 180, 0x00, false, false, {0x30, 0x8A, 0x01}},  // 118
    {"keyboard_key_Volume Up", "volume-up", 175, 0x00, false, false, {0x30, 0xE9, 0x00}},  // 119
    {"keyboard_key_Volume Mute", "mute", 173, 0x00, false, false, {0x30, 0xE2, 0x00}},  // 120
    {"keyboard_key_Media Stop", "stop", 178, 0x00, false, false, {0x30, 0xB7, 0x00}},  // 121
    {"keyboard_key_Volume Down", "volume-down", 174, 0x00, false, false, {0x30, 0xEA, 0x00}},  // 122
    {"keyboard_key_Browser Favorites", "browser-favourites", 171, 0x00, false, false, {0x30, 0x2A, 0x02}},  // 123
    {"keyboard_key_Browser ForWard", "browser-forward", 167, 0x00, false, false, {0x30, 0x25, 0x02}},  // 124
    {"keyboard_key_Browser Back", "browser-back", 166, 0x00, false, false, {0x30, 0x24, 0x02}},  // 125
    {"keyboard_key_Media Prev Track", "previous", 177, 0x00, false, false, {0x30, 0xB6, 0x00}},  // 126
    {"keyboard_key_Media Next Track", "next", 176, 0x00, false, false, {0x30, 0xB5, 0x00}},  // 127
    {"keyboard_key_Computer", "computer", 182, 0x00, false, false, {0x30, 0x94, 0x01}},  // 128
    {"keyboard_key_Browser Refresh", "browser-refresh", 168, 0x00, false, false, {0x30, 0x27, 0x02}},  // 129
    {"wed_stop", "browser-stop", 169, 0x00, false, false, {0x30, 0x26, 0x02}},  // 130
    {"keyboard_key_Launch Media Select", "media-player", 181, 0x00, false, false, {0x30, 0x83, 0x01}},  // 131
    {"keyboard_key_Power", "power", 259, 0x00, false, false, {0x40, 0x01, 0x00}},  // 132
    {"keyboard_key_Sleep", "sleep", 260, 0x00, false, false, {0x40, 0x02, 0x00}},  // 133
    {"keyboard_key_Wakeup", "wake", 261, 0x00, false, false, {0x40, 0x04, 0x00}},  // 134
    {"keyboard_key_M1", "m1", 0, 0x00, false, false, {0xD0, 0xA2, 0x01}},  // 135
    {"keyboard_key_M2", "m2", 0, 0x00, false, false, {0xD0, 0xA2, 0x02}},  // 136
    {"keyboard_key_M3", "m3", 0, 0x00, false, false, {0xD0, 0xA2, 0x03}},  // 137
    {"keyboard_key_M4", "m4", 0, 0x00, false, false, {0xD0, 0xA2, 0x04}},  // 138
    {"keyboard_key_M5", "m5", 0, 0x00, false, false, {0xD0, 0xA2, 0x05}},  // 139
    {"keyboard_key_FN", "fn", 0, 0x00, false, false, {0xA0, 0x01, 0x00}},  // 140
    {"keyboard_key_GM", "game-mode", 0, 0x00, false, false, {0xA0, 0x1B, 0x00}},  // 141
}};
// clang-format on

}  // namespace

std::span<const KeyCodeRow, kKeyCodeRows> keyCodeTable() {
    return kTable;
}

std::optional<size_t> rowOfScanCode(uint8_t scanCode, bool extended) {
    for (size_t i = 0; i < kTable.size(); ++i)
        if (kTable[i].hasScanCode && kTable[i].scanCode == scanCode &&
            kTable[i].extended == extended)
            return i;
    return std::nullopt;
}

std::optional<size_t> rowOfAssignment(const KeyAssignment& a) {
    for (size_t i = 0; i < kTable.size(); ++i)
        if (kTable[i].assignment == a) return i;
    return std::nullopt;
}

}  // namespace md::keys
