// The host-computed lighting of the headset and the mousepad: the effect's pacing and mode
// dispatch on a manual clock, the ring and ripple starting from a lit ring, and the worker
// sending its frames to the virtual devices byte for byte, surviving failed reports and
// stopping within its bound.
#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "device_link_helper.h"
#include "devices/headset/headset_reports.h"
#include "devices/lighting/frame_senders.h"
#include "devices/lighting/host_effect_stepper.h"
#include "devices/lighting/host_lighting_worker.h"
#include "sim/sim_devices.h"

namespace md::lighting {
namespace {

LightSetting setting(uint8_t mode, uint8_t speed, uint8_t multi = 0, Rgb c = {255, 128, 0}) {
    LightSetting s;
    s.mode = mode, s.brightness = 4, s.speed = speed, s.multiColor = multi;
    s.red = c.red, s.green = c.green, s.blue = c.blue;
    return s;
}

bool lit(std::span<const LedColour> leds) {
    return std::any_of(leds.begin(), leds.end(),
                       [](const LedColour& c) { return c.intensity != 0; });
}

TEST(HostEffectStepper, StepsOncePerIntervalOfTwoMillisecondPasses) {
    for (uint8_t speed = 0; speed < 5; ++speed) {
        ManualClock clock(1000);
        HostEffectStepper st(kHeadsetEffects, 13, clock);
        st.setLighting(setting(1, speed));    // spectrum: every step changes the colours
        EXPECT_TRUE(st.pass(clock.nowMs()));  // a new setting shows at once
        const uint64_t period = 2u * stepInterval(speed);
        EXPECT_EQ(st.msUntilNextChange(clock.nowMs()), period);
        clock.advance(period - 1);
        EXPECT_FALSE(st.pass(clock.nowMs())) << int(speed);
        clock.advance(1);
        EXPECT_TRUE(st.pass(clock.nowMs())) << int(speed);
        EXPECT_EQ(st.stepsRun(), 2u);
        // Far behind: one step, no burst, and the pace starts again from now.
        clock.advance(10 * period);
        EXPECT_TRUE(st.pass(clock.nowMs()));
        EXPECT_EQ(st.stepsRun(), 3u);
        EXPECT_EQ(st.msUntilNextChange(clock.nowMs()), period);
    }
}

TEST(HostEffectStepper, ModesDrawTheirEffectAndStillOnesRest) {
    struct Case {
        uint8_t mode;
        bool lights;
        uint64_t next;  // after the first pass
    };
    const Case cases[] = {{0, true, 14},           {1, true, 14},
                          {2, true, 14},           {3, true, HostEffectStepper::kStill},
                          {4, true, 14},           {8, false, HostEffectStepper::kStill},
                          {5, false, kHostPassMs},  // custom effect without steps: off
                          {42, false, kHostPassMs}};
    for (const Case& c : cases) {
        ManualClock clock(5000);
        HostEffectStepper st(kMousepadEffects, 15, clock);
        st.setLighting(setting(c.mode, 4));
        st.pass(clock.nowMs());
        // Breathing starts dark: a few steps in it glows.
        for (int i = 0; c.mode == 2 && i < 40; ++i) st.pass(clock.nowMs() + 14 * (i + 1));
        if (c.mode == 2) clock.advance(14 * 40);
        EXPECT_EQ(lit(st.leds()), c.lights) << int(c.mode);
        EXPECT_EQ(st.msUntilNextChange(clock.nowMs()), c.next) << int(c.mode);
    }
}

TEST(HostEffectStepper, RingAndRippleMoveALightFromTheFirstRingByte) {
    for (const HostEffectKind& kind : {kHeadsetEffects, kMousepadEffects}) {
        for (uint8_t mode : {uint8_t{6}, uint8_t{7}}) {
            ManualClock clock(0);
            HostEffectStepper st(kind, kind.deviceClass == DeviceClass::Headset ? 13 : 15, clock);
            st.setLighting(setting(mode, 4));
            std::vector<size_t> litLeds;
            for (int i = 0; i < 60; ++i, clock.advance(14)) {
                st.pass(clock.nowMs());
                for (size_t k = 0; k < st.leds().size(); ++k)
                    if (st.leds()[k].intensity != 0 &&
                        std::find(litLeds.begin(), litLeds.end(), k) == litLeds.end())
                        litLeds.push_back(k);
            }
            // The light travels: several LEDs light up in turn.
            EXPECT_GE(litLeds.size(), 4u) << int(mode);
            // A new mode starts again from a clear glow state with the first ring byte lit.
            st.setLighting(setting(mode == 6 ? 7 : 6, 4));
            EXPECT_EQ(st.state().ring[0], 1);
            EXPECT_EQ(st.state().glow[3], 0);
        }
    }
}

TEST(HostEffectStepper, AnimatedOverridesRunOnEveryPass) {
    ManualClock clock(0);
    HostEffectStepper st(kHeadsetEffects, 13, clock);
    st.setLighting(setting(3, 0));
    st.pass(0);
    EXPECT_EQ(st.msUntilNextChange(0), HostEffectStepper::kStill);
    std::vector<LightSetting> overrides(13);
    overrides[2].present = 1, overrides[2].mode = 0;  // LED 2 breathes on its own
    st.setLedSettings(overrides);
    EXPECT_EQ(st.msUntilNextChange(0), kHostPassMs);
    st.setLedSettings({});
}

// The worker on a virtual device, as the page runs it.
class HostWorkerTest : public ::testing::TestWithParam<const char*> {
  protected:
    void SetUp() override {
        ASSERT_TRUE(bus);
        device = bus->device(GetParam());
        ASSERT_TRUE(test::openCommandLink(bus, *device, link));
    }
    bool headset() const { return std::string(GetParam()) == "headset"; }
    std::unique_ptr<HostLightingWorker> makeWorker() {
        return std::make_unique<HostLightingWorker>(
            link, headset() ? kHeadsetEffects : kMousepadEffects, headset() ? 13 : 15,
            headset() ? headsetFrameSender(link) : ledFrameSender(link));
    }
    // What the device shows for LED i.
    sim::Rgb shown(size_t i) {
        if (headset()) return device->firmware().headsetLeds(0x44)[i];
        const auto f = device->firmware().ledFrame();
        return {f[3 * i], f[3 * i + 1], f[3 * i + 2]};
    }
    static bool eventually(const std::function<bool()>& pred) {
        for (int i = 0; i < 1000 && !pred(); ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        return pred();
    }

    std::shared_ptr<sim::VirtualBus> bus = sim::makeVirtualBus({GetParam()}, "");
    std::shared_ptr<sim::VirtualDevice> device;
    DeviceLink link{bus};
};

TEST_P(HostWorkerTest, SendsTheFramesAndStopsInTime) {
    auto worker = makeWorker();
    worker->setLighting(setting(3, 2, 0, {255, 128, 0}));  // steady orange at full brightness
    worker->start();
    // Headset values are capped at 247; the mousepad's frame is (c × 255) >> 8.
    const sim::Rgb expected = headset() ? sim::Rgb{247, 127, 0} : sim::Rgb{254, 127, 0};
    ASSERT_TRUE(eventually([&] { return shown(0) == expected; }));
    for (size_t i = 0; i < (headset() ? 13u : 15u); ++i) EXPECT_EQ(shown(i), expected) << i;
    if (headset()) {
        // The last twelve reports are the frame, byte for byte (carry rule included).
        std::vector<LedColour> leds(13, LedColour{255, 128, 0, 255});
        HeadsetReports reports;
        buildHeadsetReports(leds, reports);
        // The first LEDs show before the frame's last reports arrive: wait for all twelve.
        const auto lastTwelveAreTheFrame = [&] {
            const auto got = device->firmware().headsetLedReports();
            if (got.size() < 12) return false;
            for (size_t r = 0; r < 12; ++r)
                if (got[got.size() - 12 + r] !=
                    std::vector<uint8_t>(reports[r].begin(), reports[r].end()))
                    return false;
            return true;
        };
        EXPECT_TRUE(eventually(lastTwelveAreTheFrame));
        const auto got = device->firmware().headsetLedReports();
        ASSERT_GE(got.size(), 12u);
        for (size_t r = 0; r < 12; ++r)
            EXPECT_EQ(got[got.size() - 12 + r],
                      std::vector<uint8_t>(reports[r].begin(), reports[r].end()))
                << r;
    }
    // A new setting reaches the device without waiting for a step.
    worker->setLighting(setting(3, 2, 0, {0, 0, 255}));
    ASSERT_TRUE(eventually([&] { return shown(5).b > 200 && shown(5).r == 0; }));
    EXPECT_TRUE(worker->stop(std::chrono::milliseconds(1000)));
    EXPECT_FALSE(worker->running());
}

TEST_P(HostWorkerTest, FailedFramesPauseAndTheNextOneGoesOut) {
    auto worker = makeWorker();
    worker->setLighting(setting(1, 4));  // spectrum: a new frame every step
    if (headset())
        device->injectFault(sim::Fault::writeFailure(3).onOutputReports());
    else
        device->injectFault(sim::Fault::statusAt(1, 0xFE));  // the first frame packet refused
    worker->start();
    const uint64_t before = worker->framesSent();
    ASSERT_TRUE(eventually([&] { return worker->framesSent() >= before + 5; }));
    EXPECT_TRUE(worker->stop());
    if (headset()) EXPECT_GE(device->firmware().headsetLedReportCount(), 4u * 12u);
}

TEST_P(HostWorkerTest, IdlesWhileTheLinkIsClosedAndSharedColoursGoOut) {
    auto worker = makeWorker();
    worker->setLighting(setting(3, 2, 0, {10, 20, 30}));
    link.closeLink();
    worker->start();
    std::this_thread::sleep_for(std::chrono::milliseconds(30));
    EXPECT_EQ(worker->framesSent(), 0u);
    ASSERT_TRUE(test::openCommandLink(bus, *device, link));
    // Colours of the lighting shared by several devices replace the effect's.
    std::vector<LedColour> shared(headset() ? 13 : 15, LedColour{0, 255, 0, 255});
    worker->showColours(shared);
    ASSERT_TRUE(eventually([&] { return shown(1).g >= 247 && shown(1).b == 0; }));
    worker->useOwnEffect();
    ASSERT_TRUE(eventually([&] { return shown(1).b > 0; }));
}

INSTANTIATE_TEST_SUITE_P(Devices, HostWorkerTest, ::testing::Values("headset", "mousepad"));

}  // namespace
}  // namespace md::lighting
