#pragma once
// The mouse as the target of the profile-switch sequence: its controller, its profile and its
// data folder (macro list, macro and recoil files). The page's model and the command-line tool
// both switch the mouse's profile through this class.

#include <string>

#include "devices/base/profile_switch.h"
#include "devices/mouse/mouse_controller.h"
#include "devlink/link/device_link.h"
#include "profiles/mouse_profiledata.h"

namespace md {

class MouseProfileDevice : public ProfileDevice {
  public:
    // dataFolder ends with '/'; profilePath is the profile file to make current.
    MouseProfileDevice(DeviceLink& link, MouseController& controller, CMouseProfiledata& profile,
                       std::string dataFolder, std::string profilePath)
        : m_link(link),
          m_controller(controller),
          m_profile(profile),
          m_folder(std::move(dataFolder)),
          m_path(std::move(profilePath)) {}

    bool loadProfile() override;
    void validateMacroKeys() override;
    int writeSettings() override { return m_controller.writeSettingsBlock(0); }
    int writeMacroImage() override;
    // Written only when the data folder has recoil files and they are whole.
    int writeRecoilImage() override;
    int writeKeyTable() override { return m_controller.writeKeyAssignments(0); }
    std::string problem() const override { return m_profile.problem(); }

  protected:
    CMouseProfiledata& profile() { return m_profile; }
    const std::string& folder() const { return m_folder; }

  private:
    DeviceLink& m_link;
    MouseController& m_controller;
    CMouseProfiledata& m_profile;
    std::string m_folder;
    std::string m_path;
};

}  // namespace md
