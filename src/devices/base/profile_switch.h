#pragma once
// "Make this profile current on this device": the one sequence every profile change runs (the
// profile panel's switch, delete, import and reset, and the command-line tool's profile verbs),
// so that no path writes part of a profile to a device and skips the rest.
//
//   1. load the profile into the device's state (stops here when the file is damaged);
//   2. buttons that name a macro the macro list no longer has go back to their defaults;
//   3. show it (pages);
//   4. the settings block; 5. the macro image; 6. the recoil image; 7. the key table.
//
// The image and key steps can be left out (a reset leaves the mouse's key table as it is).

#include <string>

namespace md {

class ProfileDevice {
  public:
    virtual ~ProfileDevice() = default;
    // False when the profile cannot be used; problem() tells why.
    virtual bool loadProfile() = 0;
    virtual void validateMacroKeys() = 0;
    virtual void showProfile() {}
    // Link result codes: 1 is success.
    virtual int writeSettings() = 0;
    // Memory-image results: 0 written (or nothing to write), -1 failed, n > 0 macros too long
    // by about n - 1 events.
    virtual int writeMacroImage() = 0;
    virtual int writeRecoilImage() { return 0; }
    virtual int writeKeyTable() = 0;
    virtual std::string problem() const { return {}; }
};

struct ProfileSwitchSteps {
    bool images = true;  // macro and recoil images
    bool keyTable = true;
};

struct ProfileSwitchResult {
    bool loaded = false;
    int settings = 0;
    int macros = 0;
    int recoil = 0;
    int keys = 1;
    // Every step that ran succeeded.
    bool ok() const { return loaded && settings == 1 && macros == 0 && recoil == 0 && keys == 1; }
};

ProfileSwitchResult runProfileSwitch(ProfileDevice& device, ProfileSwitchSteps steps = {});

}  // namespace md
