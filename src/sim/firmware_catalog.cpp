#include "sim/firmware_catalog.h"

#include <algorithm>
#include <vector>

#include "common/le_bytes.h"
#include "devices/mouse/mouse_key_table.h"
#include "devlink/link/device_info.h"

namespace md::sim {

// The mouse's buttons carry the factory codes the host finds them by.
const std::array<std::array<uint8_t, 3>, 11>& kMouseButtonCodes = mouseFactoryEntries();

namespace {

constexpr std::array<uint8_t, 126> kLayoutParam2 = {
    0x29, 0x3A, 0x3B, 0x3C, 0x3D, 0x3E, 0x3F, 0x40, 0x41,  // 0-8
    0x42, 0x43, 0x44, 0x45, 0x46, 0x47, 0x48, 0x00, 0x00,  // 9-17
    0x00, 0x00, 0x00, 0x35, 0x1E, 0x1F, 0x20, 0x21, 0x22,  // 18-26
    0x23, 0x24, 0x25, 0x26, 0x27, 0x2D, 0x2E, 0x2A, 0x49,  // 27-35
    0x4A, 0x4B, 0x53, 0x54, 0x55, 0x56, 0x2B, 0x14, 0x1A,  // 36-44
    0x08, 0x15, 0x17, 0x1C, 0x18, 0x0C, 0x12, 0x13, 0x2F,  // 45-53
    0x30, 0x31, 0x4C, 0x4D, 0x4E, 0x5F, 0x60, 0x61, 0x32,  // 54-62
    0x39, 0x04, 0x16, 0x07, 0x09, 0x0A, 0x0B, 0x0D, 0x0E,  // 63-71
    0x0F, 0x33, 0x34, 0x28, 0x5C, 0x5D, 0x5E, 0x8A, 0x8B,  // 72-80
    0x90, 0x91, 0x88, 0x00, 0x1D, 0x1B, 0x06, 0x19, 0x05,  // 81-89
    0x11, 0x10, 0x36, 0x37, 0x38, 0x00, 0x52, 0x59, 0x5A,  // 90-98
    0x5B, 0x87, 0x89, 0x64, 0x85, 0x00, 0x00, 0x00, 0x00,  // 99-107
    0x2C, 0x00, 0x00, 0x65, 0x00, 0x50, 0x51, 0x4F, 0x62,  // 108-116
    0x63, 0x58, 0x57, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,  // 117-125
};

std::array<std::array<uint8_t, 3>, 126> buildKeyboardLayout() {
    std::array<std::array<uint8_t, 3>, 126> t{};
    for (size_t i = 0; i < t.size(); ++i) t[i] = {0x20, 0x00, kLayoutParam2[i]};
    // Modifiers (param1), the non-key-code entries.
    t[16] = {0xA0, 0x1B, 0x00};
    t[17] = {0xA0, 0x24, 0x00};
    t[84] = {0x20, 0x02, 0x00};
    t[95] = {0x20, 0x20, 0x00};
    t[105] = {0x20, 0x01, 0x00};
    t[106] = {0x20, 0x08, 0x00};
    t[107] = {0x20, 0x04, 0x00};
    t[109] = {0x20, 0x40, 0x00};
    t[110] = {0xA0, 0x01, 0x00};
    t[112] = {0x20, 0x10, 0x00};
    for (uint8_t m = 0; m < 5; ++m) t[120 + m] = {0xD0, 0xA2, static_cast<uint8_t>(m + 1)};
    t[125] = {0x20, 0x80, 0x00};
    return t;
}

// The keyboard's key grid, 23 columns × 6 rows of key positions by row; 126 = no key.
constexpr std::array<std::array<uint8_t, 23>, 6> kKeyGrid = {{
    {126, 126, 0, 1, 2, 3, 4, 126, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 126, 126, 126, 126},
    {120, 21, 22, 23, 24, 25, 26, 27, 28, 29, 30, 31, 32, 33, 34, 126, 35, 36, 37, 38, 39, 40, 41},
    {121, 42, 43, 44, 45, 46, 47, 48, 49, 50, 51, 52, 53, 54, 55, 126, 56, 57, 58, 59, 60, 61, 126},
    {122, 63, 64, 65,  66,  67,  68,  69, 70, 71, 72, 73,
     74,  62, 75, 126, 126, 126, 126, 76, 77, 78, 119},
    {123, 84,  102, 85, 86,  87, 88,  89, 90, 91, 92, 93,
     94,  126, 126, 95, 126, 96, 126, 97, 98, 99, 118},
    {124, 105, 106, 126, 107, 126, 108, 126, 126, 109, 126, 125,
     110, 111, 126, 112, 113, 114, 115, 116, 126, 117, 126},
}};

std::array<uint8_t, kDeviceInfoSize> makeDeviceInfo(uint16_t productId, uint8_t keyEntries,
                                                    uint8_t macroUnits, uint8_t ledCount) {
    std::array<uint8_t, kDeviceInfoSize> info{};
    putLe16(info, 0, productId);
    putLe16(info, 2, 0x0103);  // firmware 1.03
    info[device_info::kHardwareProfiles] = 8;
    info[device_info::kKeyEntries] = keyEntries;
    info[device_info::kMacroUnits] = macroUnits;
    info[device_info::kLedCount] = ledCount;
    return info;
}

}  // namespace

const std::array<std::array<uint8_t, 3>, 126> kKeyboardLayout = buildKeyboardLayout();

FirmwareDefinition mouseFirmwareDefinition(uint16_t productId) {
    FirmwareDefinition s;
    s.name = "mouse";
    // The mouse's own order of its buttons: left, middle, right, back, forward, the wheel
    // directions, DPI button, fire button; one position without a button.
    constexpr std::array<size_t, 11> order = {0, 2, 1, 4, 3, 7, 8, 9, 10, 6, 5};
    for (size_t idx : order)
        s.keyTable.insert(s.keyTable.end(), kMouseButtonCodes[idx].begin(),
                          kMouseButtonCodes[idx].end());
    s.keyTable.insert(s.keyTable.end(), {0x00, 0x00, 0x00});
    const auto n = static_cast<uint8_t>(s.keyTable.size() / 3);
    for (uint8_t i = 0; i < n; ++i) s.keyByteTable.push_back(i);
    s.deviceInfo = makeDeviceInfo(productId, n, 32, 1);
    s.layout = {128, 0, 128, 8};
    s.config.assign(9 * 128, 0);
    constexpr std::array<uint8_t, 5> dpi = {5, 26, 48, 61, 80};  // 800 1600 2400 3400 4800
    constexpr std::array<std::array<uint8_t, 3>, 5> colour = {
        {{255, 0, 0}, {0, 255, 0}, {0, 0, 255}, {255, 255, 0}, {255, 0, 255}}};
    for (size_t p = 0; p < 8; ++p) {
        std::span<uint8_t> b(s.config.data() + p * 128, 128);
        b[1] = 0;    // spectrum
        b[2] = 4;    // brightness
        b[3] = 2;    // speed byte
        b[5] = 1;    // multi-colour
        b[6] = 255;  // red
        b[14] = 3;   // report rate index
        for (size_t i = 0; i < 5; ++i) {
            putLe16(b, 15 + 2 * i, dpi[i]);
            std::copy(colour[i].begin(), colour[i].end(), b.begin() + 27 + 3 * i);
        }
        b[25] = 1;  // active stage
    }
    s.config[0] = 0;  // active hardware profile
    s.recoilSize = 4096;
    s.colourPages = 0;
    s.frameSize = 512;
    s.power = {80, 2, 0, 0, 0, 0};
    return s;
}

FirmwareDefinition keyboardFirmwareDefinition(uint16_t productId) {
    FirmwareDefinition s;
    s.name = "keyboard";
    std::vector<bool> placed(126, false);
    auto add = [&](uint8_t pos, uint8_t led) {
        if (pos >= 126 || placed[pos]) return;
        placed[pos] = true;
        if (kKeyboardLayout[pos] == std::array<uint8_t, 3>{0x20, 0x00, 0x00}) return;
        s.keyTable.insert(s.keyTable.end(), kKeyboardLayout[pos].begin(),
                          kKeyboardLayout[pos].end());
        s.keyByteTable.push_back(led);
    };
    for (uint8_t c = 0; c < 23; ++c)
        for (uint8_t r = 0; r < 6; ++r) add(kKeyGrid[r][c], static_cast<uint8_t>(6 * c + r));
    uint8_t extraLed = 140;
    for (uint8_t pos = 0; pos < 126; ++pos)
        if (!placed[pos]) add(pos, extraLed++);
    const auto n = static_cast<uint8_t>(s.keyByteTable.size());
    s.deviceInfo = makeDeviceInfo(productId, n, 32, 126);
    s.layout = {25, 0, 26, 8};
    s.config.assign(9 * 25, 0);
    for (size_t p = 0; p < 8; ++p) {
        std::span<uint8_t> b(s.config.data() + p * 25, 26);
        b[1] = 1;    // mode
        b[2] = 4;    // brightness
        b[3] = 2;    // 4 - speed
        b[5] = 1;    // multi-colour
        b[6] = 255;  // red
        b[22] = 3;   // polling rate option
    }
    s.config[0] = 0;
    s.colourPages = 16;
    s.frameSize = 512;
    s.power = {100, 0, 0, 0, 0, 0};
    return s;
}

namespace {
FirmwareDefinition lightingOnlySpec(std::string name, uint16_t productId, uint8_t ledCount) {
    FirmwareDefinition s;
    s.name = std::move(name);
    s.deviceInfo = makeDeviceInfo(productId, 0, 0, ledCount);
    // Written at 64 × p, read at 25 × p: the read window shows the first 25 bytes of each block.
    s.layout = {64, 25, 21, 8};
    s.config.assign(9 * 64, 0);
    for (size_t p = 0; p < 8; ++p) {
        std::span<uint8_t> b(s.config.data() + p * 64, 64);
        b[0] = static_cast<uint8_t>(p);
        b[1] = 1;  // spectrum
        b[2] = 4;  // brightness
        b[3] = 2;  // stored as 4 - speed
        b[4] = 0x01;
        b[5] = 1;
        b[6] = 255;
    }
    s.config[0] = 0;
    s.frameSize = 512;
    return s;
}
}  // namespace

FirmwareDefinition mousepadFirmwareDefinition(uint16_t productId) {
    FirmwareDefinition s = lightingOnlySpec("mousepad", productId, 15);
    s.power = {0, 0, 0, 0, 0, 0};
    return s;
}

FirmwareDefinition headsetFirmwareDefinition(uint16_t productId) {
    FirmwareDefinition s = lightingOnlySpec("headset", productId, 13);
    s.headsetLeds = true;
    return s;
}

}  // namespace md::sim
