#pragma once
// What the mouse reports, taken into a profile: its lighting, DPI positions and colours, the
// active stage, report rate and sensor option. Stage enables, Y resolutions and the key list
// are not readable from the mouse (key-table reads give its layout), so the profile's stay.

namespace md {

class CMouseProfiledata;
struct MouseHardwareSettings;

void takeMouseSettingsIntoProfile(const MouseHardwareSettings& h, CMouseProfiledata& profile);

}  // namespace md
