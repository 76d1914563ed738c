#pragma once
// Key assignments: the three-byte code every key of a keyboard and every mouse button carries
// (type, param1, param2), and the table of keyboard keys shared by the key panel, the macro
// editor and the command-line tool.

#include <array>
#include <cstdint>
#include <optional>
#include <span>

namespace md::keys {

using KeyAssignment = std::array<uint8_t, 3>;

// Assignment types.
enum : uint8_t {
    kDisabled = 0x00,
    kMouseButton = 0x10,
    kHorizontalWheel = 0x11,
    kVerticalWheel = 0x12,
    kDpiKey = 0x13,
    kFire = 0x14,
    kDpiShift = 0x16,
    kKeyboardKey = 0x20,
    kEditShortcut = 0x22,
    kShowWindow = 0x23,
    kConsumer = 0x30,
    kSystem = 0x40,
    kMacro = 0x70,
    kMacroRepeated = 0x71,
    kRecoil = 0x72,
    kSpecialKey = 0xA0,
    kCombination = 0xB0,
    kKeyboardMacroKey = 0xD0,
};

struct KeyCodeRow {
    const char* nameId;   // language text id
    const char* cliName;  // the command line's name of the key
    uint16_t virtualKey;  // 255 none, 257 keypad Enter, 259-261 power, sleep, wake, 0 device-only
    uint8_t scanCode;     // PC scan code by which a pressed key is recognised
    bool extended;        // with the extended flag
    bool hasScanCode;     // rows 0-112
    KeyAssignment assignment;
};

inline constexpr size_t kKeyCodeRows = 142;
inline constexpr size_t kModifierRows =
    8;  // rows 0-7: LCtrl LShift LAlt LWin RCtrl RShift RAlt RWin

std::span<const KeyCodeRow, kKeyCodeRows> keyCodeTable();

// The first row with a scan code that matches, or none.
std::optional<size_t> rowOfScanCode(uint8_t scanCode, bool extended);
// The first row whose assignment equals a, or none.
std::optional<size_t> rowOfAssignment(const KeyAssignment& a);

}  // namespace md::keys
