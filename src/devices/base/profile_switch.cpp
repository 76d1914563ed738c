#include "devices/base/profile_switch.h"

namespace md {

ProfileSwitchResult runProfileSwitch(ProfileDevice& device, ProfileSwitchSteps steps) {
    ProfileSwitchResult r;
    r.loaded = device.loadProfile();
    if (!r.loaded) return r;
    device.validateMacroKeys();
    device.showProfile();
    // Every write runs even when one before failed: a device that refused one part still gets
    // the others, and the caller reports each failure.
    r.settings = device.writeSettings();
    if (steps.images) {
        r.macros = device.writeMacroImage();
        r.recoil = device.writeRecoilImage();
    }
    if (steps.keyTable) r.keys = device.writeKeyTable();
    return r;
}

}  // namespace md
