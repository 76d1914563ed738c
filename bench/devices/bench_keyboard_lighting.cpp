// Cost of one keyboard preview pass per lighting mode (126 LEDs), with a step on every pass
// (speed 0 for the modes that step on every pass, otherwise a pass clock that always reaches
// the interval) and a full override list, and the heap allocations of the timed passes.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <vector>

#include "alloc_counter.h"
#include "devices/keyboard/keyboard_lighting_engine.h"

namespace md::kblight {
namespace {

void BM_KeyboardPass(benchmark::State& state) {
    const auto mode = static_cast<uint8_t>(state.range(0));
    const bool overrides = state.range(1) != 0;
    SharedKeyboardPlayback playback;
    lighting::SharedLedOverrides shared;
    XorShiftRandom rng(12345);
    KeyboardLightingEngine engine(&rng, &playback, &shared);
    LightSetting s;
    s.brightness = 3;
    s.direction = 1;
    s.multiColor = 1;
    s.red = 200;
    s.zzccLedMode = 2;
    engine.setLighting(s);
    engine.setMode(mode, 4);
    if (overrides) {
        std::vector<LightSetting> list(126);
        for (size_t i = 0; i < list.size(); ++i) {
            list[i].present = 1;
            list[i].mode = static_cast<uint8_t>(i % 5);
            list[i].brightness = 4;
            list[i].speed = 2;
            list[i].multiColor = i & 1;
        }
        engine.ledSettings().replace(list, shared);
    }
    LightEffectStep wave;
    wave.mode = 4;
    wave.multiColor = 1;
    wave.time = 1 << 30;
    engine.effectSteps().replace({wave});
    uint64_t now = 0;
    engine.startPasses(now);
    // Every pass is counted; speed 4 steps every 2 counted passes (13 for modes 7, 25, 28).
    const uint64_t before = md::bench::allocationCount();
    for (auto _ : state) {
        engine.pass(now += 2);
        benchmark::ClobberMemory();
    }
    state.counters["allocs_per_pass"] =
        benchmark::Counter(static_cast<double>(md::bench::allocationCount() - before) /
                           static_cast<double>(state.iterations()));
}

// Worst case: every iteration contains the pass that runs the mode's step. Modes 7, 25 and
// 28 run at speed 0 (a step on every pass); the others at speed 4, where every second counted
// pass steps, so one iteration is one stepping pass plus one counting pass.
void BM_KeyboardStepPass(benchmark::State& state) {
    const auto mode = static_cast<uint8_t>(state.range(0));
    const uint8_t speed = (mode == 7 || mode == 25 || mode == 28) ? 0 : 4;
    SharedKeyboardPlayback playback;
    lighting::SharedLedOverrides shared;
    XorShiftRandom rng(777);
    KeyboardLightingEngine engine(&rng, &playback, &shared);
    LightSetting s;
    s.brightness = 3;
    s.direction = 1;
    s.multiColor = 1;
    engine.setLighting(s);
    engine.setMode(mode, speed);
    const uint8_t passesPerStep =
        std::max<uint8_t>(1, KeyboardLightingEngine::interval(mode, speed));
    uint64_t now = 0;
    engine.startPasses(now);
    const uint64_t before = md::bench::allocationCount();
    for (auto _ : state) {
        for (uint8_t i = 0; i < passesPerStep; ++i) engine.pass(now += 2);
        benchmark::ClobberMemory();
    }
    state.counters["allocs_per_pass"] =
        benchmark::Counter(static_cast<double>(md::bench::allocationCount() - before) /
                           static_cast<double>(state.iterations() * passesPerStep));
}

void modes(benchmark::internal::Benchmark* b) {
    b->ArgNames({"mode", "overrides"});
    for (int m = 0; m <= 29; ++m) b->Args({m, 0});
    b->Args({1, 1});
}

void stepModes(benchmark::internal::Benchmark* b) {
    b->ArgName("mode");
    for (int m = 1; m <= 28; ++m)
        if (m != 19) b->Arg(m);
}

BENCHMARK(BM_KeyboardPass)->Apply(modes);
BENCHMARK(BM_KeyboardStepPass)->Apply(stepModes);

}  // namespace
}  // namespace md::kblight
