#include "devices/keyboard/keyboard_settings_block.h"

#include <algorithm>

namespace md {

KeyboardStages KeyboardStages::fromWords(const std::array<uint32_t, 3>& w) {
    KeyboardStages s;
    s.repeat = static_cast<uint16_t>(w[0]);
    s.repeatDelay = static_cast<uint16_t>(w[0] >> 16);
    s.key6Flag = static_cast<uint16_t>(w[1]);
    s.pollingRate = static_cast<uint16_t>(w[1] >> 16);
    s.wFlag = static_cast<uint16_t>(w[2]);
    s.winFlag = static_cast<uint16_t>(w[2] >> 16);
    return s;
}

std::array<uint32_t, 3> KeyboardStages::toWords() const {
    return {static_cast<uint32_t>(repeatDelay) << 16 | repeat,
            static_cast<uint32_t>(pollingRate) << 16 | key6Flag,
            static_cast<uint32_t>(winFlag) << 16 | wFlag};
}

KeyboardSettingsBlock encodeKeyboardSettingsBlock(const LightSetting& l, const KeyboardStages& s,
                                                  uint8_t firstByte) {
    KeyboardSettingsBlock b{};
    b[0] = firstByte;
    b[1] = l.mode < kKeyboardModeCount ? l.mode : 0;
    b[2] = l.brightness;
    b[3] = static_cast<uint8_t>(4 - std::min<uint8_t>(l.speed, 4));
    b[4] = l.direction;
    b[5] = l.multiColor;
    b[6] = l.red;
    b[7] = l.green;
    b[8] = l.blue;
    b[18] = l.zzccLedMode;
    b[19] = static_cast<uint8_t>(s.wFlag);
    b[20] = static_cast<uint8_t>(s.key6Flag);
    b[21] = static_cast<uint8_t>(s.winFlag);
    b[22] = static_cast<uint8_t>(s.pollingRate);
    b[25] = l.customGroup;
    return b;
}

KeyboardHardwareSettings decodeKeyboardSettingsBlock(const KeyboardSettingsBlock& b) {
    KeyboardHardwareSettings h;
    h.lighting.mode = b[1];
    h.lighting.brightness = b[2];
    h.lighting.speed = static_cast<uint8_t>(4 - std::min<uint8_t>(b[3], 4));
    h.lighting.direction = b[4];
    h.lighting.multiColor = b[5];
    h.lighting.red = b[6];
    h.lighting.green = b[7];
    h.lighting.blue = b[8];
    h.lighting.zzccLedMode = b[18];
    h.lighting.customGroup = b[25];
    h.wFlag = b[19];
    h.key6Flag = b[20];
    h.winFlag = b[21];
    h.pollingRate = b[22];
    return h;
}

}  // namespace md
