#pragma once
// What the keyboard reports, taken into a profile: the active record's lighting and switches.
// Key repeat lives in the profile only.

namespace md {

class CKeyboardProfiledata;
struct KeyboardHardwareSettings;

void takeKeyboardSettingsIntoProfile(const KeyboardHardwareSettings& h,
                                     CKeyboardProfiledata& profile);

}  // namespace md
