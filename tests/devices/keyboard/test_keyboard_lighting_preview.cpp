// The keyboard's preview worker: the passes it makes up for when it wakes, and its stop.
#include <gtest/gtest.h>

#include "devices/keyboard/keyboard_lighting_preview.h"
#include "sim/virtual_bus.h"

namespace md {
namespace {

using lighting::LedColour;

struct WaveEngine {
    WaveEngine() {
        LightSetting l;
        l.mode = 1, l.brightness = 4, l.speed = 4, l.multiColor = 1;
        engine.setLighting(l);
        engine.setMode(1, 4);
    }
    std::array<LedColour, kblight::kKeyCount> leds() {
        std::array<LedColour, kblight::kKeyCount> out{};
        engine.copyLeds(out);
        return out;
    }
    kblight::KeyboardLightingEngine engine;
};

TEST(KeyboardLightingPreview, WakesRunTheSamePassesAsA2msThread) {
    DeviceLink link(std::make_shared<sim::VirtualBus>());
    WaveEngine woken, reference;
    KeyboardLightingPreview preview(link, woken.engine);
    // Uneven wakes: the passes due since the last wake, 2 ms apart.
    bool changed = false;
    for (uint64_t now : {1000, 1016, 1040, 1041, 1100}) changed = preview.catchUp(now) || changed;
    EXPECT_TRUE(changed);
    reference.engine.startPasses(998);
    for (uint64_t t = 1000; t <= 1100; t += 2) reference.engine.pass(t);
    EXPECT_EQ(woken.leds(), reference.leds());
    // A wake before the next pass is due changes nothing.
    EXPECT_FALSE(preview.catchUp(1101));
}

TEST(KeyboardLightingPreview, AfterAPauseTheEffectGoesOnFromNow) {
    DeviceLink link(std::make_shared<sim::VirtualBus>());
    WaveEngine woken, reference;
    KeyboardLightingPreview preview(link, woken.engine);
    preview.catchUp(1000);
    // Ten seconds later: no burst of 5000 passes, the passes start again at the wake.
    preview.catchUp(11000);
    preview.catchUp(11010);
    reference.engine.startPasses(998);
    reference.engine.pass(1000);
    reference.engine.startPasses(10998);
    for (uint64_t t = 11000; t <= 11010; t += 2) reference.engine.pass(t);
    EXPECT_EQ(woken.leds(), reference.leds());
}

TEST(KeyboardLightingPreview, StopsWhileMutedOrIdle) {
    DeviceLink link(std::make_shared<sim::VirtualBus>());  // never opened: the worker idles
    WaveEngine e;
    for (bool muted : {true, false}) {
        KeyboardLightingPreview preview(link, e.engine);
        preview.setMuted(muted);
        preview.start();
        EXPECT_TRUE(preview.running());
        EXPECT_TRUE(preview.stop());
        EXPECT_FALSE(preview.running());
    }
}

}  // namespace
}  // namespace md
