#include "devices/mouse/mouse_settings_block.h"

#include "common/le_bytes.h"

namespace md {

MouseSettingsBlock encodeMouseSettingsBlock(const MouseSettingsInput& in) {
    MouseSettingsBlock b{};
    const LightSetting& l = in.lighting;
    b[0] = in.firstByte;
    b[1] = l.mode >= 5 ? 0 : l.mode;  // modes 5 and up are host-side effects
    b[2] = l.brightness;
    b[3] = l.speed;
    b[4] = l.direction;
    b[5] = l.multiColor;
    b[6] = l.red;
    b[7] = l.green;
    b[8] = l.blue;
    b[9] = l.reserved1;
    b[14] = in.reportRate;
    for (size_t i = 0; i < kMouseStageCount && i < in.stages.size(); ++i) {
        const DpiStage& s = in.stages[i];
        putLe16(b, 15 + 2 * i, s.dpiX);
        b[27 + 3 * i] = s.red;
        b[28 + 3 * i] = s.green;
        b[29 + 3 * i] = s.blue;
    }
    b[25] = static_cast<uint8_t>(in.activeStage);
    b[42] = in.fwGuanggan;
    return b;
}

MouseHardwareSettings decodeMouseSettingsBlock(
    std::span<const uint8_t, kMouseBlockReadLength> block, uint8_t hardwareProfile) {
    MouseHardwareSettings h;
    for (size_t i = 0; i < h.rawBlock.size(); ++i) h.rawBlock[i] = block[i];
    h.rawBlock[0] = hardwareProfile;
    h.mode = block[1];
    h.brightness = block[2];
    h.speed = static_cast<uint8_t>(4 - block[3]);
    h.multiColor = block[5];
    h.red = block[6];
    h.green = block[7];
    h.blue = block[8];
    h.reserved = block[9];
    h.reportRate = block[14];
    h.activeStage = block[25];
    h.sensorOption = block[42];
    for (size_t i = 0; i < kMouseStageCount; ++i) {
        h.stages[i].dpiX = getLe16(block, 15 + 2 * i);
        h.stages[i].red = block[27 + 3 * i];
        h.stages[i].green = block[28 + 3 * i];
        h.stages[i].blue = block[29 + 3 * i];
    }
    return h;
}

}  // namespace md
