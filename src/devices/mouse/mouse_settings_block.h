#pragma once
// The mouse's settings block: one per hardware profile at configuration offset profile × 128.
//   0 first data argument | 1 lighting mode (0 when 5 or more) | 2 brightness | 3 speed |
//   4 direction | 5 multiColor | 6-8 red, green, blue | 9 reserved byte of the lighting |
//   14 report-rate index | 15-24 DPI positions of stages 0-4 (16-bit LE) | 25 active stage |
//   27-41 stage colours (RGB) | 42 FWguanggan
// Sent as 56 bytes over the cable and 69 through the receiver; read as 74 bytes.

#include <array>
#include <cstdint>
#include <span>
#include <vector>

#include "profiles/profile_records.h"

namespace md {

// Byte offsets in the block.
namespace mouse_block {
inline constexpr size_t kFirstByte = 0;
inline constexpr size_t kMode = 1;
inline constexpr size_t kBrightness = 2;
inline constexpr size_t kSpeed = 3;
inline constexpr size_t kDirection = 4;
inline constexpr size_t kMultiColor = 5;
inline constexpr size_t kRed = 6;
inline constexpr size_t kGreen = 7;
inline constexpr size_t kBlue = 8;
inline constexpr size_t kReserved = 9;
inline constexpr size_t kReportRate = 14;
inline constexpr size_t kStageDpi = 15;  // 16-bit LE per stage
inline constexpr size_t kActiveStage = 25;
inline constexpr size_t kStageColours = 27;  // RGB per stage
inline constexpr size_t kSensorOption = 42;
}  // namespace mouse_block

inline constexpr size_t kMouseBlockStride = 128;
inline constexpr size_t kMouseBlockWiredLength = 56;
inline constexpr size_t kMouseBlockWirelessLength = 69;
inline constexpr size_t kMouseBlockReadLength = 74;
inline constexpr size_t kMouseStageCount = 5;
using MouseSettingsBlock = std::array<uint8_t, kMouseBlockReadLength>;

struct MouseSettingsInput {
    uint8_t firstByte = 0;
    LightSetting lighting;
    std::vector<DpiStage> stages;  // stages beyond the list are written as 0
    int32_t activeStage = 0;
    uint8_t reportRate = 0;  // high half of mouse-stage word 2
    uint8_t fwGuanggan = 0;  // mouse-stage word 3
};

// Brings every value of in into the profile ranges (mode, brightness, speed, direction, stage
// positions, active stage, report rate), so that a damaged or hand-edited profile never sends
// the mouse a value its own controls would refuse.
void clampToProfileRanges(MouseSettingsInput& in);
// The lighting part of that (also for what the mouse reports before it enters a profile).
void clampToProfileRanges(LightSetting& lighting);

// The block as written over the cable (speed as is); the 2.4G sender reverses byte 3.
MouseSettingsBlock encodeMouseSettingsBlock(const MouseSettingsInput& in);

struct MouseStageRecord {
    uint8_t enabled = 0;
    uint8_t xy = 0;
    uint16_t dpiX = 0;
    uint16_t dpiY = 0;
    uint8_t red = 0, green = 0, blue = 0;
};

// What a block read back from the mouse says.
struct MouseHardwareSettings {
    std::array<uint8_t, 10> rawBlock{};
    uint8_t mode = 0, brightness = 0, speed = 0, multiColor = 0;
    uint8_t red = 0, green = 0, blue = 0, reserved = 0;
    uint8_t reportRate = 0;
    uint8_t activeStage = 0;
    uint8_t sensorOption = 0;
    std::array<MouseStageRecord, kMouseStageCount> stages{};
};

// Decodes a read block; byte 0 is taken as the hardware profile. Speed reads as 4 - byte 3.
MouseHardwareSettings decodeMouseSettingsBlock(
    std::span<const uint8_t, kMouseBlockReadLength> block, uint8_t hardwareProfile);

// The lighting as the mouse reports it, over l: everything but the direction, which the mouse
// does not report.
void applyHardwareLighting(const MouseHardwareSettings& h, LightSetting& l);

}  // namespace md
