// The host-computed lighting of the headset and the mousepad. Step + frame build: one pass of
// the effect with the frame it produces (twelve headset reports, or the mousepad's LED frame);
// goal 50 µs. Frames per second: the lighting worker on the virtual headset under the usb-fs
// timing (one output report per 1 ms frame) at the fastest speed for two seconds; goal 60.
#include <benchmark/benchmark.h>

#include <chrono>
#include <thread>

#include "devices/headset/headset_reports.h"
#include "devices/lighting/frame_senders.h"
#include "devices/lighting/host_effect_stepper.h"
#include "devices/lighting/host_lighting_worker.h"
#include "devices/lighting/led_frame.h"
#include "devlink/hid/hid_channel.h"
#include "devlink/link/device_link.h"
#include "sim/sim_devices.h"

namespace md::lighting {
namespace {

LightSetting lightingOf(uint8_t mode) {
    LightSetting s;
    s.mode = mode, s.brightness = 4, s.speed = 4, s.multiColor = 1, s.red = 255;
    return s;
}

// One effect step every iteration (the clock moves on by a step period) and its frame.
void BM_HostStepAndFrame(benchmark::State& state) {
    const bool headset = state.range(1) != 0;
    ManualClock clock(0);
    HostEffectStepper stepper(headset ? kHeadsetEffects : kMousepadEffects, headset ? 13 : 15,
                              clock);
    stepper.setLighting(lightingOf(static_cast<uint8_t>(state.range(0))));
    HeadsetReports reports;
    LedFrame frame;
    for (auto _ : state) {
        clock.advance(14);
        stepper.pass(clock.nowMs());
        if (headset)
            buildHeadsetReports(stepper.leds(), reports);
        else
            benchmark::DoNotOptimize(buildLedFrame(stepper.leds(), frame));
        benchmark::DoNotOptimize(reports);
    }
}
// Modes 0 wave, 1 spectrum, 2 breathing, 6 ring, 7 ripple; headset (1) and mousepad (0).
BENCHMARK(BM_HostStepAndFrame)
    ->ArgsProduct({{0, 1, 2, 6, 7}, {1, 0}})
    ->ArgNames({"mode", "headset"})
    ->Unit(benchmark::kMicrosecond);

std::string commandPathOf(const std::shared_ptr<sim::VirtualBus>& bus) {
    HidChannel ch(bus);
    if (!ch.enumerateHidPaths()) return {};
    while (const char* p = ch.nextHidPath()) return p;
    return {};
}

void BM_HeadsetFramesPerSecondUsbFs(benchmark::State& state) {
    auto bus = sim::makeVirtualBus({"headset"}, "");
    auto device = bus->device("headset");
    device->setTiming(sim::Timing::UsbFullSpeed);
    DeviceLink link(bus);
    if (!link.openShared(commandPathOf(bus))) {
        state.SkipWithError("no virtual headset");
        return;
    }
    for (auto _ : state) {
        HostLightingWorker worker(link, kHeadsetEffects, 13, headsetFrameSender(link));
        worker.setLighting(lightingOf(0));  // the wave at speed 4: a new frame every 14 ms
        const uint64_t before = device->firmware().headsetLedReportCount();
        const auto start = std::chrono::steady_clock::now();
        worker.start();
        std::this_thread::sleep_for(std::chrono::seconds(2));
        worker.stop();
        const double seconds =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        const double frames =
            double(device->firmware().headsetLedReportCount() - before) / kHeadsetReportCount;
        state.counters["frames_per_s"] = frames / seconds;
        state.counters["steps_per_s"] = double(worker.stepsRun()) / seconds;
    }
}
BENCHMARK(BM_HeadsetFramesPerSecondUsbFs)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace md::lighting
