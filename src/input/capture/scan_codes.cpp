#include "input/capture/scan_codes.h"

#include <linux/input-event-codes.h>
#include <array>

namespace md::capture {
namespace {

struct Mapping {
    uint16_t evdev;
    ScanCode scan;
};

// Keys whose scan code is not their evdev code: the extended ones, and the keys of Japanese,
// Brazilian and Korean layouts.
constexpr std::array<Mapping, 30> kOthers = {{
    {KEY_RIGHTSHIFT, {0x36, true}},  // reported as extended, like the right-hand modifiers
    {KEY_NUMLOCK, {0x45, true}},
    {KEY_KPENTER, {0x1C, true}},
    {KEY_RIGHTCTRL, {0x1D, true}},
    {KEY_KPSLASH, {0x35, true}},
    {KEY_SYSRQ, {0x37, true}},
    {KEY_RIGHTALT, {0x38, true}},
    {KEY_HOME, {0x47, true}},
    {KEY_UP, {0x48, true}},
    {KEY_PAGEUP, {0x49, true}},
    {KEY_LEFT, {0x4B, true}},
    {KEY_RIGHT, {0x4D, true}},
    {KEY_END, {0x4F, true}},
    {KEY_DOWN, {0x50, true}},
    {KEY_PAGEDOWN, {0x51, true}},
    {KEY_INSERT, {0x52, true}},
    {KEY_DELETE, {0x53, true}},
    {KEY_PAUSE, {0x45, false}},
    {KEY_LEFTMETA, {0x5B, true}},
    {KEY_RIGHTMETA, {0x5C, true}},
    {KEY_COMPOSE, {0x5D, true}},
    {KEY_102ND, {0x56, false}},
    {KEY_RO, {0x73, false}},
    {KEY_YEN, {0x7D, false}},
    {KEY_KPCOMMA, {0x7E, false}},
    {KEY_MUHENKAN, {0x7B, false}},
    {KEY_HENKAN, {0x79, false}},
    {KEY_KATAKANAHIRAGANA, {0x70, false}},
    {KEY_HANJA, {0x71, false}},
    {KEY_HANGEUL, {0x72, false}},
}};

}  // namespace

std::optional<ScanCode> scanCodeOfEvdev(uint16_t evdevCode) {
    for (const Mapping& m : kOthers)
        if (m.evdev == evdevCode) return m.scan;
    // Escape to F12 carry their set-1 scan code as evdev code (84 is no key).
    if (evdevCode >= KEY_ESC && evdevCode <= KEY_F12 && evdevCode != KEY_ZENKAKUHANKAKU &&
        evdevCode != 84)
        return ScanCode{static_cast<uint8_t>(evdevCode), false};
    return std::nullopt;
}

bool isLockKey(uint16_t evdevCode) {
    return evdevCode == KEY_CAPSLOCK || evdevCode == KEY_NUMLOCK || evdevCode == KEY_SCROLLLOCK;
}

}  // namespace md::capture
