#pragma once
// What the keyboard model does with the keyboard itself, without any UI: reading its device
// information and key tables, the key maps, the settings record of the active hardware
// profile, writing settings, key table and macros, and what its event reports mean. It is the
// keyboard's DeviceDriver: the keyboard page, the command-line tool and the services drive a
// keyboard through it.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "devices/base/device_driver.h"
#include "devices/keyboard/keyboard_key_maps.h"
#include "devices/keyboard/keyboard_settings_block.h"
#include "devlink/link/device_link.h"
#include "profiles/keyboard_profiledata.h"

namespace md {

class KeyboardController final : public DeviceDriver {
  public:
    // Attach result of a keyboard whose key table cannot be read whole.
    static constexpr int kKeyTableTooLarge = -301;

    KeyboardController(DeviceLink& link, CKeyboardProfiledata& profile)
        : m_link(link), m_profile(profile) {}

    // --- DeviceDriver ---
    const DeviceModelRow& model() const override;
    DeviceLink& link() override { return m_link; }
    CBasicProfiledata& profile() override;
    int attach() override { return readDeviceAndKeys(); }
    int readSettings() override { return readHardwareSettings(); }
    int writeSettings() override { return writeSettings(0, 0); }
    int writeKeys() override { return writeKeyAssignments(0); }
    int writeMacros(const std::string& folder) override;
    size_t macroCapacityBytes() const override { return macroCapacityOf(m_deviceInfo); }
    LightSetting lightingMode() const override { return m_lighting; }
    void setLightingMode(const LightSetting& l) override;
    LedFrameSender ledFrameSender() override;

    // Attach: device information, key table and LED table, then the key maps. 1 on success;
    // 0 when the link is closed, a failing result code otherwise; in both cases the tables and
    // maps stay as they were. A keyboard reporting more entries than the key table holds is
    // refused (problem() says so).
    int readDeviceAndKeys();
    // Why the last attach was refused ("" when it was not).
    const std::string& problem() const { return m_problem; }

    // The profile's key list (made whole: 126 positions), stages and lighting become the
    // controller's.
    void loadFromProfile();

    // Reads the active hardware profile number and its settings record. 1, or the failing result
    // code (0 when the link is closed); nothing is stored.
    int readSettingsBlock(KeyboardHardwareSettings& out, uint8_t& hardwareProfile);
    // Reads the active record and takes its lighting and switches into the profile, which is
    // saved. A read that fails or is skipped changes nothing. 1 or the failing result code.
    int readHardwareSettings();
    // Writes the profile's lighting and switches as the record of hardware profile `profile`.
    // Profile 0's block starts with the active-profile byte, which takes firstByte; the block of
    // any other profile leaves the byte before it (the previous record's last byte) alone.
    int writeSettings(uint8_t profile, uint8_t firstByte = 0);

    // The key table with the current assignment of keys[i] at the entry of every mapped
    // position; 0 when the link is closed.
    int writeKeyTable(int page, const std::vector<KeyBinding>& keys);
    int writeKeyAssignments(int page) { return writeKeyTable(page, m_keyList); }

    // Assignments naming a macro the list does not have go back to their defaults; true when
    // any did (the profile's key list is then updated, not saved).
    bool validateMacroKeys(size_t macroCount);
    // The current half of position i becomes `current`; the whole list goes into the profile.
    bool setAssignment(size_t i, const KeyCode3& current);

    // Event codes from the keyboard's event collections.
    enum class EventAction { None, Synchronise, HardwareProfile };
    static EventAction classifyEvent(uint16_t code);
    // A hardware-profile switch (0x10p / 0x11p): true when the active profile changed while the
    // link is open.
    bool onHardwareProfileEvent(uint16_t code);

    const DeviceInfo& deviceInfo() const { return m_deviceInfo; }
    size_t keyEntries() const { return m_entries; }
    const std::vector<uint8_t>& keyTable() const { return m_keyTable; }
    const std::vector<uint8_t>& ledTable() const { return m_ledTable; }
    const KeyboardKeyMaps& keyMaps() const { return m_maps; }
    const std::vector<KeyBinding>& keyList() const { return m_keyList; }
    const KeyboardStages& stages() const { return m_stages; }
    // New switch values go into the profile's "SystemStages" (not saved).
    void setStages(const KeyboardStages& s);
    const LightSetting& lighting() const { return m_lighting; }
    void setLighting(const LightSetting& l) { m_lighting = l; }
    uint8_t hardwareProfile() const { return m_hardwareProfile; }

  protected:
    std::unique_ptr<ProfileDevice> switchTarget(const std::string& folder,
                                                const std::string& path) override;

  private:
    DeviceLink& m_link;
    CKeyboardProfiledata& m_profile;
    DeviceInfo m_deviceInfo{};
    size_t m_entries = 0;
    std::vector<uint8_t> m_keyTable;
    std::vector<uint8_t> m_ledTable;
    KeyboardKeyMaps m_maps;
    std::vector<KeyBinding> m_keyList;
    KeyboardStages m_stages;
    LightSetting m_lighting;
    uint8_t m_hardwareProfile = 0;
    std::string m_problem;
};

}  // namespace md
