// Cost of one lighting step per step family and LED count, with the heap allocations made
// during the timed steps (expected: none).
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "common/clock.h"
#include "devices/lighting/base_steps.h"
#include "devices/lighting/custom_playback.h"
#include "devices/lighting/key_glow.h"
#include "devices/lighting/led_frame.h"
#include "devices/lighting/wave_steps.h"

#include "alloc_counter.h"

namespace md::lighting {
namespace {

enum Family {
    Breathing,
    MouseBreathing,
    FourBreathing,
    Steady,
    Spectrum,
    Flash,
    FourFlash,
    Off,
    Pattern,
    MouseWave,
    HeadsetWave,
    MouseRipple,
    PairRipple,
    Ring,
    Playback,
    Frame
};

void runStep(benchmark::State& state, int which) {
    const auto family = static_cast<Family>(which);
    std::vector<LedColour> leds(static_cast<size_t>(state.range(0)), LedColour{1, 2, 3, 4});
    EffectState st;
    st.ring[0] = 1;
    LightSetting s;
    s.brightness = 3;
    s.speed = 4;
    s.direction = 1;
    s.multiColor = 1;
    s.mode = 7;
    s.red = 200;
    ManualClock clock(0);
    EffectStepList steps;
    LightEffectStep wave;
    wave.mode = 4;
    wave.multiColor = 1;
    wave.time = 1000000;
    steps.replace({wave});
    PlaybackState playback;
    LedFrame frame{};
    uint64_t t = 0;
    const uint64_t before = md::bench::allocationCount();
    for (auto _ : state) {
        clock.set(t += 200);
        switch (family) {
            case Breathing:
                stepBreathing(leds, st, s);
                break;
            case MouseBreathing:
                stepMouseBreathing(leds, st, s);
                break;
            case FourBreathing:
                stepBreathingFourColour(leds, st, s);
                break;
            case Steady:
                stepSteady(leds, s);
                break;
            case Spectrum:
                stepSpectrum(leds, st, s);
                break;
            case Flash:
                stepFlash(leds, st, s, clock);
                break;
            case FourFlash:
                stepFlashFourColour(leds, st, s, clock);
                break;
            case Off:
                stepOff(leds);
                break;
            case Pattern:
                stepFixedPattern(leds, s);
                break;
            case MouseWave:
                stepWave(leds, st, s, kMouseWave);
                break;
            case HeadsetWave:
                stepWave(leds, st, s, kHeadsetWave);
                break;
            case MouseRipple:
                stepMouseRipple(leds, st, s);
                break;
            case PairRipple:
                stepPairRipple(leds, st, s);
                break;
            case Ring:
                stepRing(leds, st, s);
                break;
            case Playback:
                playCustomEffect(leds, playback, steps, clock, DeviceClass::Headset);
                break;
            case Frame:
                benchmark::DoNotOptimize(buildLedFrame(leds, frame));
                break;
        }
        benchmark::DoNotOptimize(leds.data());
        benchmark::ClobberMemory();
    }
    const uint64_t allocations = md::bench::allocationCount() - before;
    state.counters["allocs_per_step"] = benchmark::Counter(static_cast<double>(allocations) /
                                                           static_cast<double>(state.iterations()));
}

// One benchmark per step family, named after it, for 6, 13, 15 and 126 LEDs.
const bool g_registered = [] {
    const char* names[] = {"breathing",      "mouse_breathing",
                           "four_breathing", "steady",
                           "spectrum",       "flash",
                           "four_flash",     "off",
                           "pattern",        "mouse_wave",
                           "headset_wave",   "mouse_ripple",
                           "pair_ripple",    "ring",
                           "playback",       "frame"};
    for (int f = Breathing; f <= Frame; ++f) {
        auto* b = benchmark::RegisterBenchmark((std::string("BM_LightingStep/") + names[f]).c_str(),
                                               [f](benchmark::State& st) { runStep(st, f); });
        b->ArgName("leds");
        for (int n : {6, 13, 15, 126}) b->Arg(n);
    }
    return true;
}();

}  // namespace
}  // namespace md::lighting
