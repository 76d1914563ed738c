#pragma once
// What input capture delivers while it is installed: key events as the key panel and the
// macro recorder read them (virtual key, PC scan code with its extended flag, down or up) and
// mouse button events (button message, screen position, extra button), each with the time it
// happened on the monotonic millisecond clock.

#include <cstdint>

namespace md::capture {

// Capture modes: one key for an assignment, or recording (append, insert before or after the
// selected action, replace it). Other values are accepted and deliver nothing.
enum Mode : int {
    kSingleKey = 1,
    kHitKey = 2,
    kRecordAppend = 4,
    kRecordBefore = 8,
    kRecordAfter = 16,
    kRecordReplace = 32,
};

inline bool isRecordingMode(int mode) {
    return mode == kRecordAppend || mode == kRecordBefore || mode == kRecordAfter ||
           mode == kRecordReplace;
}
inline bool deliversKeys(int mode) {
    return mode == kSingleKey || mode == kHitKey || isRecordingMode(mode);
}

struct KeyRecord {
    uint16_t virtualKey = 0;
    uint8_t scanCode = 0;
    bool extended = false;
    bool down = false;
    uint64_t timeMs = 0;
};

// Mouse button messages.
enum MouseMessage : uint16_t {
    kLeftDown = 513,
    kLeftUp = 514,
    kRightDown = 516,
    kRightUp = 517,
    kMiddleDown = 519,
    kMiddleUp = 520,
    kExtraDown = 523,
    kExtraUp = 524,
};

struct MouseRecord {
    uint16_t message = 0;
    int32_t x = 0;
    int32_t y = 0;
    uint16_t extraButton = 0;  // 1 or 2 for the extra buttons
    uint64_t timeMs = 0;
};

}  // namespace md::capture
