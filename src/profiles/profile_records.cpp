#include "profiles/profile_records.h"

namespace md {

namespace {
constexpr uint32_t pack(uint8_t b0, uint8_t b1, uint8_t b2, uint8_t b3) {
    return static_cast<uint32_t>(b0) | static_cast<uint32_t>(b1) << 8 |
           static_cast<uint32_t>(b2) << 16 | static_cast<uint32_t>(b3) << 24;
}
constexpr uint8_t byteOf(uint32_t word, int index) {
    return static_cast<uint8_t>(word >> (8 * index));
}
}  // namespace

LightSetting::Words LightSetting::toWords() const {
    Words w;
    w.w0 = pack(mode, brightness, speed, direction);
    w.w1 = pack(multiColor, red, green, blue);
    w.w2 = pack(reserved1, reserved2, present, zzccLedMode);
    w.w3 = static_cast<uint16_t>(customGroup | oldLedMode << 8);
    return w;
}

LightSetting LightSetting::fromWords(uint32_t w0, uint32_t w1, uint32_t w2, uint16_t w3) {
    LightSetting s;
    s.mode = byteOf(w0, 0);
    s.brightness = byteOf(w0, 1);
    s.speed = byteOf(w0, 2);
    s.direction = byteOf(w0, 3);
    s.multiColor = byteOf(w1, 0);
    s.red = byteOf(w1, 1);
    s.green = byteOf(w1, 2);
    s.blue = byteOf(w1, 3);
    s.reserved1 = byteOf(w2, 0);
    s.reserved2 = byteOf(w2, 1);
    s.present = byteOf(w2, 2);
    s.zzccLedMode = byteOf(w2, 3);
    s.customGroup = byteOf(w3, 0);
    s.oldLedMode = byteOf(w3, 1);
    return s;
}

}  // namespace md
