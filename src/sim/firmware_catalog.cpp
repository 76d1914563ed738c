#include "sim/firmware_catalog.h"

#include <algorithm>
#include <vector>

#include "common/le_bytes.h"
#include "devlink/link/device_info.h"
#include "sim/keyboard_factory_keys.h"

namespace md::sim {

// The factory codes of the mouse's buttons: left, right, middle, forward, back, fire, DPI
// cycle, the wheel up and down, its tilt one way and the other.
const std::array<std::array<uint8_t, 3>, 11> kMouseButtonCodes{{
    {0x10, 0x01, 0x00},
    {0x10, 0x02, 0x00},
    {0x10, 0x04, 0x00},
    {0x10, 0x10, 0x00},
    {0x10, 0x08, 0x00},
    {0x13, 0x03, 0x00},
    {0xA0, 0x32, 0x00},
    {0x12, 0x00, 0x01},
    {0x12, 0x00, 0xFF},
    {0x11, 0x00, 0x01},
    {0x11, 0x00, 0xFF},
}};

namespace {

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
    for (const FactoryKey& k : kKeyboardFactoryKeys) {
        s.keyTable.insert(s.keyTable.end(), {k.code0, k.code1, k.code2});
        s.keyByteTable.push_back(k.led);
    }
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
FirmwareDefinition lightingBlockFirmware(std::string name, uint16_t productId, uint8_t ledCount) {
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
    FirmwareDefinition s = lightingBlockFirmware("mousepad", productId, 15);
    s.power = {0, 0, 0, 0, 0, 0};
    return s;
}

FirmwareDefinition headsetFirmwareDefinition(uint16_t productId) {
    FirmwareDefinition s = lightingBlockFirmware("headset", productId, 13);
    s.headsetLeds = true;
    return s;
}

}  // namespace md::sim
