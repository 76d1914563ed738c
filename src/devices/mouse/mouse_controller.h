#pragma once
// What the mouse model does with the mouse itself, without any UI: reading its device
// information, key table and settings, writing the settings block and the key table, and
// deciding what the mouse's event reports mean. It is the mouse's DeviceDriver: the
// application's mouse model, the command-line tool and the services drive a mouse through it.

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

#include "devices/base/device_driver.h"
#include "devices/mouse/mouse_settings_block.h"
#include "devlink/link/device_link.h"
#include "profiles/mouse_profiledata.h"

namespace md {

// Input-synthesis codes that the horizontal-wheel buttons ask for: 0xBC for a step with
// param2 1 (to the right), 0xBD for param2 0xFF (bit 7 set: to the left).
inline constexpr int kUniFuncWheelRight = 0xBC;
inline constexpr int kUniFuncWheelLeft = 0xBD;

class MouseController final : public DeviceDriver {
  public:
    MouseController(DeviceLink& link, CMouseProfiledata& profile)
        : m_link(link), m_profile(profile) {}

    // --- DeviceDriver ---
    const DeviceModelRow& model() const override;
    DeviceLink& link() override { return m_link; }
    CBasicProfiledata& profile() override;
    bool reachable() override { return online(); }
    int attach() override { return readDeviceAndKeys() ? link::kOk : 0; }
    int readSettings() override { return readHardwareSettings(); }
    int writeSettings() override { return writeSettingsBlock(0); }
    int writeKeys() override { return writeKeyAssignments(0); }
    int writeMacros(const std::string& folder) override;
    // Written only when the data folder has recoil files and they are whole.
    int writeRecoil(const std::string& folder) override;
    LightSetting lightingMode() const override { return m_lighting; }
    void setLightingMode(const LightSetting& l) override;
    LedFrameSender ledFrameSender() override;

    // Attach: device information and key table, then the key-position map. False when the link
    // is closed, the 2.4G mouse is off or a read failed (the state is then unchanged).
    bool readDeviceAndKeys();

    // Reads the active hardware profile and its settings block; 1 on success (profileOut gets
    // the hardware profile), 0 otherwise. On success the profile's active stage and lighting
    // follow the mouse and the profile is saved.
    int readHardwareSettings(uint8_t* profileOut = nullptr);
    // Only reads and decodes the active hardware profile's block; nothing is stored. Returns 1
    // or the failing result code (0 when the link is closed or the 2.4G mouse is off).
    int readSettingsBlock(MouseHardwareSettings& out, uint8_t& hardwareProfile);

    // Writes the profile's settings as the settings block of hardware profile `profile`.
    // Returns 1, or the first failing result code (0 when the link is closed or the 2.4G mouse
    // is off).
    int writeSettingsBlock(uint8_t profile, uint8_t firstByte = 0);

    // Writes the key table with the bindings placed at their buttons' entries.
    int writeKeyTableToDevice(int page, const std::vector<KeyBinding>& bindings);
    int writeKeyAssignments(int page) {
        return writeKeyTableToDevice(page, m_profile.readKeyList());
    }

    // Macro assignments that name a macro the list does not have (number >= macroCount) go back
    // to their default assignment; true when any did (the profile's key list is then updated).
    bool validateMacroKeys(size_t macroCount);

    // Event codes from the mouse's event collection.
    enum class EventAction { None, Synchronise, HardwareProfile, Button };
    static EventAction classifyEvent(uint16_t code);
    // Hardware-profile or DPI-stage change on the mouse: true when the state changed and the
    // page should show the settings again.
    bool onHardwareProfileEvent(uint16_t code);
    // A button event for key-table position p: the input-synthesis code to emit, or 0.
    int onButtonEvent(int position) const;

    const DeviceInfo& deviceInfo() const { return m_deviceInfo; }
    size_t keyEntries() const { return keyEntriesOf(m_deviceInfo); }
    size_t macroCapacityBytes() const override { return macroCapacityOf(m_deviceInfo); }
    const std::vector<uint8_t>& keyTable() const { return m_keyTable; }
    const std::vector<int>& keyPositionMap() const { return m_keyPositionMap; }
    uint8_t hardwareProfile() const { return m_hardwareProfile; }
    const MouseHardwareSettings& hardware() const { return m_hardware; }
    uint8_t activeStage() const { return m_activeStage; }
    // The lighting the model shows (the profile's, or the mouse's after a read).
    const LightSetting& lighting() const { return m_lighting; }
    void setLighting(const LightSetting& l) { m_lighting = l; }
    const std::array<uint32_t, 4>& mouseStages() const { return m_mouseStages; }
    void setMouseStages(const std::array<uint32_t, 4>& s) { m_mouseStages = s; }

  protected:
    std::unique_ptr<ProfileDevice> switchTarget(const std::string& folder,
                                                const std::string& path) override;

  private:
    // In 2.4G mode a step runs only while the mouse answers.
    bool online() { return !m_link.isWireless() || m_link.checkWirelessOnline(); }

    DeviceLink& m_link;
    CMouseProfiledata& m_profile;
    DeviceInfo m_deviceInfo{};
    std::vector<uint8_t> m_keyTable;
    std::vector<int> m_keyPositionMap;
    uint8_t m_hardwareProfile = 0;
    uint8_t m_activeStage = 0;
    MouseHardwareSettings m_hardware;
    LightSetting m_lighting;
    std::array<uint32_t, 4> m_mouseStages{};
};

}  // namespace md
