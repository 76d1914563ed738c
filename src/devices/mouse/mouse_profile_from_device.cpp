#include "devices/mouse/mouse_profile_from_device.h"

#include "devices/mouse/mouse_performance.h"
#include "devices/mouse/mouse_settings_block.h"
#include "profiles/mouse_profiledata.h"

namespace md {

void takeMouseSettingsIntoProfile(const MouseHardwareSettings& h, CMouseProfiledata& profile) {
    LightSetting l = profile.readLightInfo();
    applyHardwareLighting(h, l);
    const auto w = l.toWords();
    profile.writeLightInfo(w.w0, w.w1, w.w2, w.w3);
    auto stages = profile.readDpiStages();
    if (stages.size() < h.stages.size()) stages.resize(h.stages.size());
    for (size_t i = 0; i < h.stages.size(); ++i) {
        stages[i].dpiX = h.stages[i].dpiX;
        stages[i].red = h.stages[i].red;
        stages[i].green = h.stages[i].green;
        stages[i].blue = h.stages[i].blue;
    }
    profile.writeDpiStages(stages);
    profile.setActiveStage(h.activeStage);
    auto words = profile.readMouseStages();
    putReportRate(words, h.reportRate);
    words[3] = h.sensorOption;
    profile.writeMouseStages(words[0], words[1], words[2], words[3]);
}

}  // namespace md
