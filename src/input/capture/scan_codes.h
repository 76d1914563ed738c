#pragma once
// Linux input key codes (evdev) to PC scan codes with the extended flag, as the key table
// recognises keys. Qt's native scan code is the evdev code + 8 on X11 and Wayland.

#include <cstdint>
#include <optional>

namespace md::capture {

struct ScanCode {
    uint8_t code;
    bool extended;
};

std::optional<ScanCode> scanCodeOfEvdev(uint16_t evdevCode);

// The lock keys (Caps Lock, Num Lock, Scroll Lock) keep working while capture swallows keys.
bool isLockKey(uint16_t evdevCode);

}  // namespace md::capture
