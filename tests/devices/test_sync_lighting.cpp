// Same mode's shared effect: the steps of each mode, the worker that paces them and sleeps
// while paused, and two virtual devices showing the same step.
#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <sstream>
#include <vector>

#include "cli/cli_context.h"
#include "cli/device_select.h"
#include "devices/lighting/led_frame.h"
#include "devices/lighting/sync_lighting.h"
#include "devlink/link/device_link.h"
#include "profiles/app_paths.h"
#include "sim/sim_devices.h"

namespace md::lighting {
namespace {

TEST(SyncStepper, SteadyOffAndSpectrum) {
    SyncSettings s;
    s.mode = SyncLightMode::Steady;
    s.light = 2;
    s.colour = {10, 20, 30};
    SyncStepper stepper(s);
    EXPECT_EQ(stepper.step(0), (SyncFrame{{10, 20, 30}, 135}));
    s.mode = SyncLightMode::Off;
    stepper.setSettings(s);
    EXPECT_EQ(stepper.step(0), SyncFrame{});
    s.mode = SyncLightMode::Spectrum;
    s.light = 9;  // out of range counts as the brightest
    stepper.setSettings(s);
    EXPECT_EQ(stepper.step(0), (SyncFrame{kColourWheel[1], 255}));
    for (int i = 2; i < 192; ++i) stepper.step(0);
    EXPECT_EQ(stepper.step(0), (SyncFrame{kColourWheel[0], 255}));  // wraps at 192
}

TEST(SyncStepper, BreathingRunsTheCurveByDirectionAndCyclesColours) {
    SyncSettings s;
    s.mode = SyncLightMode::Breathing;
    s.light = 4;
    s.fx = 1;
    s.colour = {1, 2, 3};
    SyncStepper forward(s);
    EXPECT_EQ(forward.step(0).intensity, 255 * kBreathingCurve[1] / 256);
    EXPECT_EQ(forward.step(0).intensity, 255 * kBreathingCurve[2] / 256);
    EXPECT_EQ(forward.step(0).colour, (Rgb{1, 2, 3}));

    s.fx = 0;  // backward: 0 wraps to 127
    SyncStepper backward(s);
    EXPECT_EQ(backward.step(0).intensity, 255 * kBreathingCurve[127] / 256);
    EXPECT_EQ(backward.step(0).intensity, 255 * kBreathingCurve[126] / 256);

    s.fx = 1;
    s.multiColor = 1;
    SyncStepper multi(s);
    EXPECT_EQ(multi.step(0).colour, kColourWheel[16]);  // phase 1: the colour advances
    for (int i = 0; i < 126; ++i) EXPECT_EQ(multi.step(0).colour, kColourWheel[16]);
    EXPECT_EQ(multi.step(0).colour, kColourWheel[32]);  // phase 0 again
}

TEST(SyncStepper, FlashTogglesAfterItsIntervalTimes200Ms) {
    SyncSettings s;
    s.mode = SyncLightMode::Flash;
    s.speed = 4;  // 7 ticks: toggles every 1400 ms
    s.light = 4;
    s.multiColor = 1;
    SyncStepper stepper(s);
    EXPECT_EQ(stepper.step(1000), SyncFrame{});  // starts off
    EXPECT_EQ(stepper.step(2399), SyncFrame{});
    EXPECT_EQ(stepper.step(2400), (SyncFrame{kColourWheel[14], 255}));
    EXPECT_EQ(stepper.step(3000), (SyncFrame{kColourWheel[14], 255}));
    EXPECT_EQ(stepper.step(3800), SyncFrame{});
    s.multiColor = 0;
    s.colour = {9, 9, 9};
    stepper.setSettings(s);
    EXPECT_EQ(stepper.step(5200), (SyncFrame{{9, 9, 9}, 255}));
}

TEST(SyncStepper, StepPeriodsFollowTheSpeed) {
    EXPECT_EQ(syncStepPeriod(0), std::chrono::milliseconds(56));
    EXPECT_EQ(syncStepPeriod(4), std::chrono::milliseconds(14));
    EXPECT_EQ(syncStepPeriod(200), std::chrono::milliseconds(14));
}

// Frames a sink received, with a wait for a count.
struct Frames {
    std::mutex m;
    std::condition_variable cv;
    std::vector<SyncFrame> list;
    void add(const SyncFrame& f) {
        std::lock_guard l(m);
        list.push_back(f);
        cv.notify_all();
    }
    bool waitFor(size_t n) {
        std::unique_lock l(m);
        return cv.wait_for(l, std::chrono::seconds(10), [&] { return list.size() >= n; });
    }
    size_t size() {
        std::lock_guard l(m);
        return list.size();
    }
};

TEST(SyncLighting, PlaysChangesAndPauses) {
    Frames frames;
    SyncLighting sync([&](const SyncFrame& f) { frames.add(f); });
    EXPECT_FALSE(sync.playing());
    SyncSettings s;
    s.mode = SyncLightMode::Spectrum;
    s.speed = 4;
    sync.play(s);
    ASSERT_TRUE(frames.waitFor(3));
    EXPECT_EQ(frames.list[0].colour, kColourWheel[1]);
    EXPECT_EQ(frames.list[2].colour, kColourWheel[3]);

    s.mode = SyncLightMode::Steady;
    s.colour = {7, 8, 9};
    sync.play(s);  // a change reaches the next frame at once
    ASSERT_TRUE(frames.waitFor(4));
    // A still effect is sent once: the devices keep showing it until the next change.
    std::this_thread::sleep_for(std::chrono::milliseconds(60));
    EXPECT_EQ(frames.size(), 4u);
    EXPECT_EQ(frames.list.back(), (SyncFrame{{7, 8, 9}, 255}));
    s.colour = {1, 2, 3};
    sync.play(s);
    ASSERT_TRUE(frames.waitFor(5));
    EXPECT_EQ(frames.list.back().colour, (Rgb{1, 2, 3}));

    sync.pause();
    EXPECT_FALSE(sync.playing());
    const size_t paused = frames.size();
    s.mode = SyncLightMode::Breathing;
    std::this_thread::sleep_for(std::chrono::milliseconds(60));
    EXPECT_EQ(frames.size(), paused);  // a paused worker sends nothing
    sync.play(s);
    ASSERT_TRUE(frames.waitFor(paused + 2));
    sync.pause();
    EXPECT_EQ(sync.framesSent(), frames.size());
}

TEST(SyncLighting, AFlashSendsOnlyItsToggles) {
    ManualClock clock(1000);
    Frames frames;
    SyncLighting sync([&](const SyncFrame& f) { frames.add(f); }, clock);
    SyncSettings s;
    s.mode = SyncLightMode::Flash;
    s.speed = 4;  // steps every 14 ms, toggles every 1400 ms
    s.colour = {4, 5, 6};
    sync.play(s);
    ASSERT_TRUE(frames.waitFor(1));
    std::this_thread::sleep_for(std::chrono::milliseconds(60));  // steps with the clock still
    EXPECT_EQ(frames.size(), 1u);
    EXPECT_EQ(frames.list[0], SyncFrame{});
    clock.advance(1400);
    ASSERT_TRUE(frames.waitFor(2));
    EXPECT_EQ(frames.list[1], (SyncFrame{{4, 5, 6}, 255}));
}

TEST(SyncLighting, TwoDevicesShowTheSameStep) {
    AppPaths::setApplicationFolder(MD_SOURCE_DIR);
    auto bus = sim::makeVirtualBus({"keyboard", "mousepad"}, "");
    ASSERT_TRUE(bus);
    std::vector<std::unique_ptr<DeviceLink>> links;
    for (const char* kind : {"keyboard", "mousepad"}) {
        cli::CliContext ctx;
        std::ostringstream err;
        ctx.err = &err;
        ctx.backend = bus;
        ctx.device = kind;
        int rc = 0;
        const auto dev = cli::selectDevice(ctx, rc);
        ASSERT_TRUE(dev) << kind << ": " << err.str();
        links.push_back(std::make_unique<DeviceLink>(bus));
        ASSERT_TRUE(links.back()->openLink(dev->identity.path, 1)) << kind;
    }
    // Each frame goes to both devices as the zone colour of all their LEDs.
    std::vector<LedColour> leds(15);
    LedFrame buffer{};
    Frames frames;
    SyncLighting sync([&](const SyncFrame& f) {
        fillLeds(leds, f.colour, f.intensity);
        for (auto& link : links) pushLedFrame(*link, leds, buffer);
        frames.add(f);
    });
    SyncSettings s;
    s.mode = SyncLightMode::Spectrum;
    s.speed = 4;
    sync.play(s);
    ASSERT_TRUE(frames.waitFor(5));
    sync.pause();
    const SyncFrame last = frames.list.back();
    const std::vector<uint8_t> keyboard = bus->device("keyboard")->firmware().ledFrame();
    const std::vector<uint8_t> pad = bus->device("mousepad")->firmware().ledFrame();
    ASSERT_GE(keyboard.size(), 3u);
    ASSERT_GE(pad.size(), 3u);
    const uint8_t r = scaled(last.colour.red, last.intensity);
    const uint8_t g = scaled(last.colour.green, last.intensity);
    const uint8_t b = scaled(last.colour.blue, last.intensity);
    EXPECT_EQ((std::vector<uint8_t>{keyboard[0], keyboard[1], keyboard[2]}),
              (std::vector<uint8_t>{r, g, b}));
    EXPECT_EQ((std::vector<uint8_t>{pad[0], pad[1], pad[2]}), (std::vector<uint8_t>{r, g, b}));
    EXPECT_GE(bus->device("mousepad")->firmware().ledFramesStarted(), 5u);
    AppPaths::setApplicationFolder("");
}

}  // namespace
}  // namespace md::lighting
