#include "devices/mouse/mouse_controller.h"

#include "devices/mouse/mouse_key_table.h"
#include "devices/mouse/mouse_performance.h"
#include "profiles/profile_ranges.h"

namespace md {

bool MouseController::readDeviceAndKeys() {
    if (!m_link.isOpen() || !online()) return false;
    m_link.beginSession();
    DeviceInfo info{};
    if (m_link.readDeviceInfo(info) != link::kOk) return false;
    if (!m_link.setTransferLength(static_cast<uint16_t>(keyEntriesOf(info) * 3))) return false;
    std::vector<uint8_t> table(kKeyTableBytes, 0);
    if (m_link.readKeyTable(table) != link::kOk) return false;
    m_link.endSession();
    m_deviceInfo = info;
    m_keyTable = std::move(table);
    m_keyPositionMap = buildKeyPositionMap(m_keyTable, keyEntriesOf(info));
    return true;
}

int MouseController::readSettingsBlock(MouseHardwareSettings& out, uint8_t& hardwareProfile) {
    if (!m_link.isOpen() || !online()) return 0;
    uint8_t active = 0;
    if (const int r = m_link.readConfig(std::span<uint8_t>(&active, 1), 1, 0); r != link::kOk)
        return r;
    MouseSettingsBlock block{};
    const uint16_t base = static_cast<uint16_t>(active * kMouseBlockStride);
    if (const int r = m_link.readConfig(block, kMouseBlockReadLength, base); r != link::kOk)
        return r;
    hardwareProfile = active;
    out = decodeMouseSettingsBlock(block, active);
    return link::kOk;
}

int MouseController::readHardwareSettings(uint8_t* profileOut) {
    m_link.setLightingSuspended(false);
    MouseHardwareSettings read;
    uint8_t active = 0;
    if (readSettingsBlock(read, active) != link::kOk) return 0;
    m_hardwareProfile = active;
    m_hardware = read;
    // What the mouse reports enters the profile only within the profile's ranges.
    m_hardware.activeStage = static_cast<uint8_t>(ranges::kMouseStage.clamp(read.activeStage));
    m_hardware.reportRate = static_cast<uint8_t>(ranges::kReportRate.clamp(read.reportRate));
    m_activeStage = m_hardware.activeStage;
    applyHardwareLighting(m_hardware, m_lighting);
    clampToProfileRanges(m_lighting);
    m_profile.setActiveStage(m_activeStage);
    const auto w = m_lighting.toWords();
    m_profile.writeLightInfo(w.w0, w.w1, w.w2, w.w3);
    m_profile.save();
    putReportRate(m_mouseStages, m_hardware.reportRate);
    m_mouseStages[3] = m_hardware.sensorOption;
    if (profileOut) *profileOut = active;
    return 1;
}

int MouseController::writeSettingsBlock(uint8_t profile, uint8_t firstByte) {
    MouseSettingsInput in;
    in.firstByte = firstByte;
    in.stages = m_profile.readDpiStages();
    in.activeStage = m_profile.getActiveStage();
    const auto words = m_profile.readMouseStages();
    in.reportRate = static_cast<uint8_t>(ranges::kReportRate.clamp(words[2] >> 16));
    in.fwGuanggan = static_cast<uint8_t>(words[3]);
    in.lighting = m_profile.readLightInfo();
    m_profile.readCorrectInfo();  // read with the rest; the corrections do not reach the mouse
    clampToProfileRanges(in);
    MouseSettingsBlock block = encodeMouseSettingsBlock(in);

    // A closed link or a failed write is reported, not taken for success.
    if (!m_link.isOpen() || !online()) return 0;
    if (const int r = m_link.beginSession(); r != link::kOk) return r;
    const uint16_t base = static_cast<uint16_t>(profile * kMouseBlockStride);
    int result;
    if (m_link.isWireless()) {
        block[3] = static_cast<uint8_t>(4 - block[3]);  // the receiver takes the speed reversed
        if (!online()) return 0;
        result = m_link.writeConfig(block, kMouseBlockWirelessLength, base);
    } else {
        result = m_link.writeConfig(block, kMouseBlockWiredLength, base);
    }
    if (!online()) return 0;
    const int end = m_link.endSession();
    return result != link::kOk ? result : end;
}

int MouseController::writeKeyTableToDevice(int page, const std::vector<KeyBinding>& bindings) {
    if (!m_link.isOpen() || !online()) return 0;
    DeviceInfo info{};
    if (const int r = m_link.readDeviceInfo(info); r != link::kOk) return r;
    const auto table =
        buildKeyTableForWrite(m_keyTable, keyEntriesOf(info), m_keyPositionMap, bindings);
    if (!online()) return 0;
    if (const int r = m_link.beginSession(); r != link::kOk) return r;
    const int result = m_link.writeKeyTable(table, page);
    if (!online()) return 0;
    const int end = m_link.endSession();
    return result != link::kOk ? result : end;
}

bool MouseController::validateMacroKeys(size_t macroCount) {
    auto list = m_profile.readKeyList();
    bool reset = false;
    for (auto& b : list) {
        const bool macro = b.assignment[0] == 0x70 || b.assignment[0] == 0x71;
        if (macro && b.assignment[1] >= macroCount) {
            b.assignment = b.defaultAssignment;
            reset = true;
        }
    }
    if (reset) m_profile.writeKeyList(list);
    return reset;
}

MouseController::EventAction MouseController::classifyEvent(uint16_t code) {
    if (code == 0x0401) return EventAction::Synchronise;
    // The mouse reports a profile change as 0x10pp and a profile-and-stage change as 0x11sp;
    // those come to the same handler as the 0x402-0x4FF range.
    const uint8_t high = static_cast<uint8_t>(code >> 8);
    if ((code > 0x0401 && code < 0x0500) || high == 0x10 || high == 0x11)
        return EventAction::HardwareProfile;
    if (code > 0x0500 && code < 0x0600) return EventAction::Button;
    return EventAction::None;
}

bool MouseController::onHardwareProfileEvent(uint16_t code) {
    if (!m_link.isOpen()) return false;
    const uint8_t high = static_cast<uint8_t>(code >> 8);
    if (high != 0x10 && high != 0x11) return false;
    m_hardwareProfile = code & 0x0F;
    if (high == 0x11) m_activeStage = static_cast<uint8_t>((code >> 4) & 0x0F);
    return true;
}

int MouseController::onButtonEvent(int position) const {
    const int button = buttonAtPosition(m_keyPositionMap, position);
    if (button < 0) return 0;
    const auto& list = m_profile.keyBindings();
    if (static_cast<size_t>(button) >= list.size()) return 0;
    const auto& a = list[static_cast<size_t>(button)].assignment;
    if (a[0] != 0x11) return 0;
    if (a[2] == 0x01) return kUniFuncWheelRight;
    if (a[2] == 0xFF) return kUniFuncWheelLeft;
    return 0;
}

}  // namespace md
