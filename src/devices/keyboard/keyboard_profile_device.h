#pragma once
// The keyboard as the target of the profile-switch sequence: its controller, its profile and
// its data folder (macro list and macro files). The keyboard page and the command-line tool
// both switch the keyboard's profile through this class.

#include <string>

#include "devices/base/profile_switch.h"
#include "devices/keyboard/keyboard_controller.h"
#include "profiles/keyboard_profiledata.h"

namespace md {

class KeyboardProfileDevice : public ProfileDevice {
  public:
    // dataFolder ends with '/'; profilePath is the profile file to make current.
    KeyboardProfileDevice(KeyboardController& controller, CKeyboardProfiledata& profile,
                          std::string dataFolder, std::string profilePath)
        : m_controller(controller),
          m_profile(profile),
          m_folder(std::move(dataFolder)),
          m_path(std::move(profilePath)) {}

    bool loadProfile() override;
    void validateMacroKeys() override;
    int writeSettings() override { return m_controller.writeSettings(0, 0); }
    int writeMacroImage() override { return m_controller.writeMacros(m_folder); }
    int writeKeyTable() override { return m_controller.writeKeyAssignments(0); }
    std::string problem() const override { return m_profile.problem(); }

  private:
    KeyboardController& m_controller;
    CKeyboardProfiledata& m_profile;
    std::string m_folder;
    std::string m_path;
};

}  // namespace md
