// The mouse's lighting preview: pacing of the steps, the mode table, and the worker.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "devices/mouse/mouse_lighting_preview.h"
#include "devlink/sim_link_fixture.h"

namespace md {
namespace {

class MousePreviewTest : public test::SimMouseLinks {};

LightSetting setting(uint8_t mode, uint8_t speed, uint8_t r = 0x10, uint8_t g = 0x20,
                     uint8_t b = 0x30) {
    LightSetting l;
    l.mode = mode;
    l.speed = speed;
    l.brightness = 4;
    l.red = r;
    l.green = g;
    l.blue = b;
    return l;
}

TEST_F(MousePreviewTest, StepModesStepOnceEveryIntervalOfTwoMillisecondPasses) {
    const std::pair<uint8_t, int> speeds[] = {{0, 28}, {1, 23}, {2, 18}, {3, 13}, {4, 7}, {9, 7}};
    for (auto [speed, interval] : speeds) {
        SCOPED_TRACE(speed);
        ManualClock clock(1000);
        MouseLightingPreview p(*wired, 13, clock);
        p.setLighting(setting(2, speed));
        p.pass(clock.nowMs());  // the first pass counts one
        // Passes 1 ms apart count every second time: the step comes with the pass that
        // brings the count to the interval.
        for (int i = 0; i < 2 * (interval - 1) - 1; ++i) {
            clock.advance(1);
            p.pass(clock.nowMs());
        }
        EXPECT_EQ(p.stepsRun(), 0u) << "stepped early";
        clock.advance(1);
        p.pass(clock.nowMs());
        EXPECT_EQ(p.stepsRun(), 1u);
        // The next step needs a whole interval again.
        for (int i = 0; i < interval - 1; ++i) {
            clock.advance(2);
            p.pass(clock.nowMs());
        }
        EXPECT_EQ(p.stepsRun(), 1u);
        clock.advance(2);
        p.pass(clock.nowMs());
        EXPECT_EQ(p.stepsRun(), 2u);
    }
}

TEST_F(MousePreviewTest, ModesDrawWhatTheyShould) {
    ManualClock clock(0);
    MouseLightingPreview p(*wired, 13, clock);
    auto run = [&](const LightSetting& l) {
        p.setLighting(l);
        for (int i = 0; i < 40; ++i) {
            clock.advance(2);
            p.pass(clock.nowMs());
        }
        std::vector<lighting::LedColour> leds;
        p.copyLeds(leds);
        return leds;
    };
    const auto steady = run(setting(2, 4, 0x11, 0x22, 0x33));
    for (const auto& led : steady) {
        EXPECT_EQ(led.red, 0x11);
        EXPECT_EQ(led.blue, 0x33);
    }
    const auto off = run(setting(4, 4));
    for (const auto& led : off) EXPECT_EQ(led.intensity, 0);
    EXPECT_FALSE(MouseLightingPreview::isStepMode(5));
    EXPECT_FALSE(MouseLightingPreview::isStepMode(12));
    EXPECT_TRUE(MouseLightingPreview::isStepMode(11));
    // A custom effect plays on every pass, even 1 ms apart.
    p.setLighting(setting(12, 0));
    const uint64_t before = p.stepsRun();
    for (int i = 0; i < 5; ++i) {
        clock.advance(1);
        p.pass(clock.nowMs());
    }
    EXPECT_EQ(p.stepsRun(), before + 5);
}

TEST_F(MousePreviewTest, WorkerStepsOnlyWhileTheLinkIsOpenAndStopsInTime) {
    MouseLightingPreview p(*wired, 13);
    p.setLighting(setting(0, 4));
    p.start();
    for (int i = 0; i < 1000 && p.stepsRun() < 3; ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    EXPECT_GE(p.stepsRun(), 3u);
    wired->setLightingSuspended(true);
    std::this_thread::sleep_for(std::chrono::milliseconds(30));
    const uint64_t suspended = p.stepsRun();
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    EXPECT_EQ(p.stepsRun(), suspended);
    EXPECT_TRUE(p.stop());
    EXPECT_FALSE(p.running());
}

TEST_F(MousePreviewTest, ListenerHearsOfChangesOnlyAndNothingWhileMuted) {
    MouseLightingPreview p(*wired, 6);
    std::atomic<int> heard{0};
    p.setChangeListener([&] { ++heard; });
    auto waitHeard = [&](int n) {
        for (int i = 0; i < 2000 && heard < n; ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        return heard >= n;
    };
    p.setLighting(setting(2, 4));  // steady: one change, then none
    p.start();
    ASSERT_TRUE(waitHeard(1));
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    EXPECT_EQ(heard, 1);

    // Muted: the worker rests, a new colour is not even computed.
    p.setMuted(true);
    const uint64_t steps = p.stepsRun();
    p.setLighting(setting(2, 4, 0xFF, 0, 0));
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    EXPECT_EQ(heard, 1);
    EXPECT_EQ(p.stepsRun(), steps);
    p.setMuted(false);
    EXPECT_TRUE(waitHeard(2));
    std::vector<lighting::LedColour> leds;
    p.copyLeds(leds);
    EXPECT_EQ(leds[0].red, 0xFF);
    EXPECT_TRUE(p.stop());
}

}  // namespace
}  // namespace md
