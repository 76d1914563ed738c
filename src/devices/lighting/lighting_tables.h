#pragma once
// The fixed tables of the host lighting effects: brightness, breathing curve, colour wheel, the
// four- and nine-colour tables, the short wave curve, step intervals and the mouse's ripple
// groups. All are built at compile time.

#include <array>
#include <cstddef>
#include <cstdint>

namespace md::lighting {

struct Rgb {
    uint8_t red = 0;
    uint8_t green = 0;
    uint8_t blue = 0;
    constexpr bool operator==(const Rgb&) const = default;
};

// Intensity per brightness 0-4.
inline constexpr std::array<uint8_t, 5> kBrightness = {30, 80, 135, 195, 255};

namespace detail {

constexpr std::array<uint8_t, 128> makeBreathingCurve() {
    // Rising half: runs of equal increments, then the same 64 values falling.
    struct Run {
        uint8_t from, to, by;
    };
    constexpr Run runs[] = {{0, 10, 1},   {12, 24, 2},   {27, 45, 3},  {49, 89, 4},
                            {94, 134, 5}, {140, 200, 6}, {206, 248, 7}};
    std::array<uint8_t, 128> c{};
    size_t n = 0;
    for (const Run& r : runs)
        for (unsigned v = r.from; v <= r.to; v += r.by) c[n++] = static_cast<uint8_t>(v);
    c[n++] = 255;
    for (size_t i = 0; i < 64; ++i) c[64 + i] = c[63 - i];
    return c;
}

inline constexpr std::array<uint8_t, 32> kRampUp = {
    1,  3,  5,  7,   10,  14,  18,  22,  26,  32,  38,  44,  50,  57,  65,  73,
    81, 89, 99, 109, 119, 129, 140, 152, 164, 176, 188, 200, 213, 227, 241, 255};
inline constexpr std::array<uint8_t, 32> kRampDown = {
    248, 234, 220, 206, 194, 182, 170, 158, 146, 134, 124, 114, 104, 94, 85, 77,
    69,  61,  53,  47,  41,  35,  29,  24,  20,  16,  12,  8,   6,   4,  2,  0};

constexpr std::array<Rgb, 256> makeColourWheel() {
    std::array<Rgb, 256> w{};
    for (size_t i = 0; i < 32; ++i) {
        const uint8_t u = kRampUp[i];
        const uint8_t d = kRampDown[i];
        w[i] = {255, u, 0};
        w[32 + i] = {d, 255, 0};
        w[64 + i] = {0, 255, u};
        w[96 + i] = {0, d, 255};
        w[128 + i] = {u, 0, 255};
        w[160 + i] = {255, 0, d};
    }
    // Entries 192-255 repeat 0-63 so that steps may read up to index 255.
    for (size_t i = 192; i < 256; ++i) w[i] = w[i - 192];
    return w;
}

constexpr std::array<uint8_t, 96> makeShortCurve() {
    constexpr std::array<uint8_t, 48> rising = {
        22,  24,  27,  30,  33,  36,  39,  42,  45,  49,  53,  57,  61,  65,  69,  73,
        77,  81,  85,  89,  94,  99,  104, 109, 114, 119, 124, 129, 134, 140, 146, 152,
        158, 164, 170, 176, 182, 188, 194, 200, 206, 213, 220, 227, 234, 241, 248, 255};
    std::array<uint8_t, 96> s{};
    for (size_t i = 0; i < 48; ++i) {
        s[i] = rising[i];
        s[95 - i] = rising[i];
    }
    return s;
}

}  // namespace detail

// Breathing curve, 128 entries rising from 0 to 255 and falling back.
inline constexpr std::array<uint8_t, 128> kBreathingCurve = detail::makeBreathingCurve();
// Colour wheel: 192 colours in six segments, stored with 256 entries (192-255 repeat 0-63).
inline constexpr std::array<Rgb, 256> kColourWheel = detail::makeColourWheel();
inline constexpr size_t kWheelColours = 192;
inline constexpr std::array<Rgb, 4> kFourColours = {
    {{0, 255, 180}, {0, 255, 0}, {255, 255, 255}, {255, 0, 0}}};
inline constexpr std::array<Rgb, 9> kNineColours = {{{255, 0, 0},
                                                     {0, 255, 0},
                                                     {0, 0, 255},
                                                     {0, 255, 255},
                                                     {255, 255, 0},
                                                     {255, 0, 255},
                                                     {255, 255, 255},
                                                     {0, 0, 0},
                                                     {255, 124, 74}}};
// Short wave curve, 96 entries: 48 rising values and the same values falling.
inline constexpr std::array<uint8_t, 96> kShortCurve = detail::makeShortCurve();
// Ticks between steps per speed 0-4; also the flash period in units of 200 ms.
inline constexpr std::array<uint8_t, 5> kStepInterval = {28, 23, 18, 13, 7};
// Ticks between steps of the fast custom step (mode 5) per speed 0-4.
inline constexpr std::array<uint8_t, 5> kFastInterval = {20, 12, 8, 5, 2};
inline constexpr uint8_t kNoLed = 255;
// The mouse's ripple groups: up to three LEDs per glow value, 255 = none.
inline constexpr std::array<std::array<uint8_t, 3>, 9> kMouseRippleGroups = {{{0, 18, 18},
                                                                              {1, 255, 17},
                                                                              {2, 255, 16},
                                                                              {3, 255, 15},
                                                                              {4, 255, 14},
                                                                              {5, 255, 13},
                                                                              {6, 255, 12},
                                                                              {7, 9, 11},
                                                                              {8, 9, 10}}};

// Brightness and speed outside 0-4 have no table entry; they are read as 4.
constexpr uint8_t brightnessLevel(uint8_t brightness) {
    return kBrightness[brightness < 5 ? brightness : 4];
}
constexpr uint8_t stepInterval(uint8_t speed) {
    return kStepInterval[speed < 5 ? speed : 4];
}
constexpr uint8_t fastInterval(uint8_t speed) {
    return kFastInterval[speed < 5 ? speed : 4];
}

static_assert(kBreathingCurve[63] == 255 && kBreathingCurve[64] == 255 &&
              kBreathingCurve[127] == 0);
static_assert(kBreathingCurve[11] == 12 && kBreathingCurve[56] == 206);
static_assert(kColourWheel[255] == Rgb{0, 255, 0});

}  // namespace md::lighting
