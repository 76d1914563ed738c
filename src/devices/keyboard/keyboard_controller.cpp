#include "devices/keyboard/keyboard_controller.h"

#include <algorithm>

#include "devices/memory_image/image_writer.h"
#include "profiles/profile_ranges.h"

namespace md {

int KeyboardController::readDeviceAndKeys() {
    if (!m_link.isOpen()) return 0;
    m_problem.clear();
    m_link.beginSession();
    DeviceInfo info{};
    if (const int r = m_link.readDeviceInfo(info); r != link::kOk) return r;
    const size_t n = keyEntriesOf(info);
    if (n > kKeyboardMaxEntries) {
        // Its table would not fit the 512-byte buffer the keyboard's key table is read into.
        m_problem = "the keyboard reports " + std::to_string(n) + " keys; at most " +
                    std::to_string(kKeyboardMaxEntries) + " are supported";
        m_link.endSession();
        return kKeyTableTooLarge;
    }
    if (!m_link.setTransferLength(static_cast<uint16_t>(3 * n))) return kKeyTableTooLarge;
    std::vector<uint8_t> table(kKeyboardTableBytes, 0);
    std::vector<uint8_t> leds(kKeyboardTableBytes, 0);
    if (const int r = m_link.readKeyTable(table); r != link::kOk) return r;
    if (const int r = m_link.readKeyByteTable(leds); r != link::kOk) return r;
    m_link.endSession();
    m_deviceInfo = info;
    m_entries = n;
    m_keyTable = std::move(table);
    m_ledTable = std::move(leds);
    m_maps = buildKeyboardKeyMaps(m_keyTable, m_ledTable, n);
    return link::kOk;
}

void KeyboardController::loadFromProfile() {
    m_keyList = completeKeyboardKeyList(m_profile.readKeyList());
    m_stages = KeyboardStages::fromWords(m_profile.readKeyboardStages());
    m_lighting = m_profile.readLightInfo();
}

int KeyboardController::readSettingsBlock(KeyboardHardwareSettings& out, uint8_t& hardwareProfile) {
    if (!m_link.isOpen()) return 0;
    uint8_t active = 0;
    if (const int r = m_link.readConfig(std::span<uint8_t>(&active, 1), 1, 0); r != link::kOk)
        return r;
    KeyboardSettingsBlock block{};
    const auto base = static_cast<uint16_t>(active * kKeyboardRecordSize);
    if (const int r = m_link.readConfig(block, kKeyboardBlockSize, base); r != link::kOk) return r;
    block[16] = 0;
    hardwareProfile = active;
    out = decodeKeyboardSettingsBlock(block);
    return link::kOk;
}

int KeyboardController::readHardwareSettings() {
    m_link.setLightingSuspended(false);
    KeyboardHardwareSettings h;
    uint8_t active = 0;
    if (const int r = readSettingsBlock(h, active); r != link::kOk) return r;
    m_hardwareProfile = active;
    // The lighting takes what the keyboard reports within the profile's ranges; the fields the
    // record does not carry keep the profile's values.
    LightSetting l = m_lighting;
    l.mode = static_cast<uint8_t>(ranges::kKeyboardLightMode.clamp(h.lighting.mode));
    l.brightness = static_cast<uint8_t>(ranges::kBrightness.clamp(h.lighting.brightness));
    l.speed = h.lighting.speed;
    l.direction = static_cast<uint8_t>(ranges::kDirection.clamp(h.lighting.direction));
    l.multiColor = static_cast<uint8_t>(ranges::kFlag.clamp(h.lighting.multiColor));
    l.red = h.lighting.red;
    l.green = h.lighting.green;
    l.blue = h.lighting.blue;
    l.zzccLedMode = h.lighting.zzccLedMode;
    l.customGroup = h.lighting.customGroup;
    m_lighting = l;
    KeyboardStages s = m_stages;
    s.key6Flag = static_cast<uint16_t>(ranges::kFlag.clamp(h.key6Flag));
    s.winFlag = static_cast<uint16_t>(ranges::kFlag.clamp(h.winFlag));
    s.wFlag = static_cast<uint16_t>(ranges::kFlag.clamp(h.wFlag));
    setStages(s);
    const auto w = m_lighting.toWords();
    m_profile.writeLightInfo(w.w0, w.w1, w.w2, w.w3);
    m_profile.save();
    return link::kOk;
}

int KeyboardController::writeSettings(uint8_t profile, uint8_t firstByte) {
    KeyboardStages s = KeyboardStages::fromWords(m_profile.readKeyboardStages());
    s.pollingRate = static_cast<uint16_t>(ranges::kKeyboardOption.clamp(s.pollingRate));
    s.key6Flag = static_cast<uint16_t>(ranges::kFlag.clamp(s.key6Flag));
    s.winFlag = static_cast<uint16_t>(ranges::kFlag.clamp(s.winFlag));
    s.wFlag = static_cast<uint16_t>(ranges::kFlag.clamp(s.wFlag));
    LightSetting l = m_profile.readLightInfo();
    l.brightness = static_cast<uint8_t>(ranges::kBrightness.clamp(l.brightness));
    const KeyboardSettingsBlock block = encodeKeyboardSettingsBlock(l, s, firstByte);
    if (!m_link.isOpen()) return 0;
    if (const int r = m_link.beginSession(); r != link::kOk) return r;
    // Record p ends with its customGroup at 25p + 25, which is byte 0 of record p + 1's block:
    // only profile 0's block may carry its first byte (the active profile).
    const std::span<const uint8_t> bytes =
        profile == 0 ? std::span<const uint8_t>(block) : std::span<const uint8_t>(block).subspan(1);
    const auto base = static_cast<uint16_t>(profile * kKeyboardRecordSize + (profile == 0 ? 0 : 1));
    const int result = m_link.writeConfig(bytes, static_cast<uint16_t>(bytes.size()), base);
    const int end = m_link.endSession();
    return result != link::kOk ? result : end;
}

int KeyboardController::writeKeyTable(int page, const std::vector<KeyBinding>& keys) {
    if (!m_link.isOpen()) return 0;
    DeviceInfo info{};
    if (const int r = m_link.readDeviceInfo(info); r != link::kOk) return r;
    // Never more entries than were read at attach.
    const size_t n = std::min(m_entries, keyEntriesOf(info));
    const auto table = buildKeyboardTableForWrite(m_keyTable, n, m_maps, keys);
    if (const int r = m_link.beginSession(); r != link::kOk) return r;
    const int result = m_link.writeKeyTable(table, page);
    const int end = m_link.endSession();
    return result != link::kOk ? result : end;
}

bool KeyboardController::validateMacroKeys(size_t macroCount) {
    bool reset = false;
    for (KeyBinding& b : m_keyList) {
        const bool macro = b.assignment[0] == 0x70 || b.assignment[0] == 0x71;
        if (macro && b.assignment[1] >= macroCount) {
            b.assignment = b.defaultAssignment;
            reset = true;
        }
    }
    if (reset) m_profile.writeKeyList(m_keyList);
    return reset;
}

bool KeyboardController::setAssignment(size_t i, const KeyCode3& current) {
    if (i >= m_keyList.size()) return false;
    m_keyList[i].assignment = current;
    m_profile.writeKeyList(m_keyList);
    return true;
}

void KeyboardController::setStages(const KeyboardStages& s) {
    m_stages = s;
    const auto w = s.toWords();
    m_profile.writeKeyboardStages(w[0], w[1], w[2]);
}

KeyboardController::EventAction KeyboardController::classifyEvent(uint16_t code) {
    if (code == 0x0401) return EventAction::Synchronise;
    const uint8_t high = static_cast<uint8_t>(code >> 8);
    if (high == 0x10 || high == 0x11) return EventAction::HardwareProfile;
    return EventAction::None;
}

bool KeyboardController::onHardwareProfileEvent(uint16_t code) {
    if (!m_link.isOpen() || classifyEvent(code) != EventAction::HardwareProfile) return false;
    m_hardwareProfile = static_cast<uint8_t>(code & 0x0F);
    return true;
}

}  // namespace md
