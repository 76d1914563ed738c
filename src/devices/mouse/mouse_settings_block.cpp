#include "devices/mouse/mouse_settings_block.h"

#include "common/le_bytes.h"
#include "profiles/profile_ranges.h"

namespace md {

using namespace mouse_block;

void clampToProfileRanges(LightSetting& l) {
    namespace r = ranges;
    l.mode = static_cast<uint8_t>(r::kMouseLightMode.clamp(l.mode));
    l.brightness = static_cast<uint8_t>(r::kBrightness.clamp(l.brightness));
    l.speed = static_cast<uint8_t>(r::kLightSpeed.clamp(l.speed));
    l.direction = static_cast<uint8_t>(r::kDirection.clamp(l.direction));
    l.multiColor = static_cast<uint8_t>(r::kFlag.clamp(l.multiColor));
}

void clampToProfileRanges(MouseSettingsInput& in) {
    namespace r = ranges;
    clampToProfileRanges(in.lighting);
    for (DpiStage& s : in.stages) {
        s.enabled = static_cast<uint8_t>(r::kFlag.clamp(s.enabled));
        s.xySeparate = static_cast<uint8_t>(r::kFlag.clamp(s.xySeparate));
        s.dpiX = static_cast<uint16_t>(r::kDpiPosition.clamp(s.dpiX));
        s.dpiY = static_cast<uint16_t>(r::kDpiPosition.clamp(s.dpiY));
    }
    in.activeStage = r::kMouseStage.clamp(in.activeStage);
    in.reportRate = static_cast<uint8_t>(r::kReportRate.clamp(in.reportRate));
}

MouseSettingsBlock encodeMouseSettingsBlock(const MouseSettingsInput& in) {
    MouseSettingsBlock b{};
    const LightSetting& l = in.lighting;
    b[kFirstByte] = in.firstByte;
    b[kMode] = l.mode >= 5 ? 0 : l.mode;  // modes 5 and up are host-side effects
    b[kBrightness] = l.brightness;
    b[kSpeed] = l.speed;
    b[kDirection] = l.direction;
    b[kMultiColor] = l.multiColor;
    b[kRed] = l.red;
    b[kGreen] = l.green;
    b[kBlue] = l.blue;
    b[kReserved] = l.reserved1;
    b[kReportRate] = in.reportRate;
    for (size_t i = 0; i < kMouseStageCount && i < in.stages.size(); ++i) {
        const DpiStage& s = in.stages[i];
        putLe16(b, kStageDpi + 2 * i, s.dpiX);
        b[kStageColours + 3 * i] = s.red;
        b[kStageColours + 3 * i + 1] = s.green;
        b[kStageColours + 3 * i + 2] = s.blue;
    }
    b[kActiveStage] = static_cast<uint8_t>(in.activeStage);
    b[kSensorOption] = in.fwGuanggan;
    return b;
}

MouseHardwareSettings decodeMouseSettingsBlock(
    std::span<const uint8_t, kMouseBlockReadLength> block, uint8_t hardwareProfile) {
    MouseHardwareSettings h;
    for (size_t i = 0; i < h.rawBlock.size(); ++i) h.rawBlock[i] = block[i];
    h.rawBlock[kFirstByte] = hardwareProfile;
    h.mode = block[kMode];
    h.brightness = block[kBrightness];
    h.speed = static_cast<uint8_t>(4 - block[kSpeed]);
    h.multiColor = block[kMultiColor];
    h.red = block[kRed];
    h.green = block[kGreen];
    h.blue = block[kBlue];
    h.reserved = block[kReserved];
    h.reportRate = block[kReportRate];
    h.activeStage = block[kActiveStage];
    h.sensorOption = block[kSensorOption];
    for (size_t i = 0; i < kMouseStageCount; ++i) {
        h.stages[i].dpiX = getLe16(block, kStageDpi + 2 * i);
        h.stages[i].red = block[kStageColours + 3 * i];
        h.stages[i].green = block[kStageColours + 3 * i + 1];
        h.stages[i].blue = block[kStageColours + 3 * i + 2];
    }
    return h;
}

void applyHardwareLighting(const MouseHardwareSettings& h, LightSetting& l) {
    l.mode = h.mode;
    l.brightness = h.brightness;
    l.speed = h.speed;
    l.multiColor = h.multiColor;
    l.red = h.red;
    l.green = h.green;
    l.blue = h.blue;
    l.reserved1 = h.reserved;
}

}  // namespace md
