#pragma once
// A device model as the target of the profile-switch sequence: each step is the model's own
// operation (load, validate macro keys, show, settings, macro and recoil images, key table), so
// every device page switches profiles the same way.

#include "devices/base/profile_switch.h"
#include "pages/base/orrivale_usb_device.h"

namespace md {

class ModelProfileDevice final : public ProfileDevice {
  public:
    explicit ModelProfileDevice(COrrivaleUSBDevice& model) : m_model(model) {}

    bool loadProfile() override {
        m_model.loadProfile();
        return m_model.profileProblem().empty();
    }
    void validateMacroKeys() override { m_model.validateMacroKeys(); }
    void showProfile() override { m_model.showSettings(); }
    int writeSettings() override { return m_model.writeSettingsToDevice(0, 0); }
    int writeMacroImage() override { return m_model.writeMacrosToDevice(); }
    int writeRecoilImage() override { return m_model.writeRecoilToDevice(); }
    int writeKeyTable() override { return m_model.writeKeyAssignments(0); }
    std::string problem() const override { return m_model.profileProblem(); }

  private:
    COrrivaleUSBDevice& m_model;
};

}  // namespace md
