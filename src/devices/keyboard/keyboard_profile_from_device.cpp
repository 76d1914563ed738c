#include "devices/keyboard/keyboard_profile_from_device.h"

#include "devices/keyboard/keyboard_settings_block.h"
#include "profiles/keyboard_profiledata.h"

namespace md {

void takeKeyboardSettingsIntoProfile(const KeyboardHardwareSettings& h,
                                     CKeyboardProfiledata& profile) {
    LightSetting l = profile.readLightInfo();
    const LightSetting& r = h.lighting;
    l.mode = r.mode, l.brightness = r.brightness, l.speed = r.speed, l.direction = r.direction;
    l.multiColor = r.multiColor, l.red = r.red, l.green = r.green, l.blue = r.blue;
    l.zzccLedMode = r.zzccLedMode, l.customGroup = r.customGroup;
    KeyboardStages st = KeyboardStages::fromWords(profile.readKeyboardStages());
    st.pollingRate = h.pollingRate, st.winFlag = h.winFlag, st.wFlag = h.wFlag;
    st.key6Flag = h.key6Flag;
    const auto w = l.toWords();
    profile.writeLightInfo(w.w0, w.w1, w.w2, w.w3);
    const auto sw = st.toWords();
    profile.writeKeyboardStages(sw[0], sw[1], sw[2]);
}

}  // namespace md
