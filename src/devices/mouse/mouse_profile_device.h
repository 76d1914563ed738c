#pragma once
// The mouse as the target of the profile-switch sequence: its controller, its profile and its
// data folder (macro list, macro and recoil files). The page's model and the command-line tool
// both switch the mouse's profile through this class.

#include <string>

#include "devices/base/profile_switch.h"
#include "devices/mouse/mouse_controller.h"
#include "profiles/mouse_profiledata.h"

namespace md {

class MouseProfileDevice : public ProfileDevice {
  public:
    // dataFolder ends with '/'; profilePath is the profile file to make current.
    MouseProfileDevice(MouseController& controller, CMouseProfiledata& profile,
                       std::string dataFolder, std::string profilePath)
        : m_controller(controller),
          m_profile(profile),
          m_folder(std::move(dataFolder)),
          m_path(std::move(profilePath)) {}

    bool loadProfile() override;
    void validateMacroKeys() override;
    int writeSettings() override { return m_controller.writeSettingsBlock(0); }
    int writeMacroImage() override { return m_controller.writeMacros(m_folder); }
    int writeRecoilImage() override { return m_controller.writeRecoil(m_folder); }
    int writeKeyTable() override { return m_controller.writeKeyAssignments(0); }
    std::string problem() const override { return m_profile.problem(); }

  protected:
    CMouseProfiledata& profile() { return m_profile; }
    const std::string& folder() const { return m_folder; }

  private:
    MouseController& m_controller;
    CMouseProfiledata& m_profile;
    std::string m_folder;
    std::string m_path;
};

}  // namespace md
