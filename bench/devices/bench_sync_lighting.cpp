// Same mode with four virtual devices for two seconds per speed: how closely the worker keeps
// its step period (p50 and p99 of |period - nominal|, in ms) and the CPU its thread uses (% of
// one core; with the frames' writes to the four virtual devices, whose firmware runs on the
// writing thread, or the steps alone). Goals: p99 within 2 ms, CPU below 0.5 %.
#include <benchmark/benchmark.h>
#include <time.h>

#include <algorithm>
#include <chrono>
#include <memory>
#include <mutex>
#include <sstream>
#include <thread>
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

double threadCpuMs() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return double(t.tv_sec) * 1e3 + double(t.tv_nsec) / 1e6;
}

void BM_SyncLightingFourDevices(benchmark::State& state) {
    const auto speed = static_cast<uint8_t>(state.range(0));
    const bool write = state.range(1) != 0;  // 0: the steps alone, without device writes
    auto bus = sim::makeVirtualBus({"keyboard", "mousepad", "mouse", "headset"}, "");
    std::vector<std::unique_ptr<DeviceLink>> links;
    for (const char* kind : {"keyboard", "mousepad", "mouse", "headset"}) {
        cli::CliContext ctx;
        std::ostringstream err;
        ctx.err = &err;
        ctx.backend = bus;
        ctx.device = kind;
        int rc = 0;
        if (const auto dev = cli::selectDevice(ctx, rc)) {
            links.push_back(std::make_unique<DeviceLink>(bus));
            links.back()->openLink(dev->identity.path, 1);
        }
    }
    for (auto _ : state) {
        std::vector<LedColour> leds(15);
        LedFrame buffer{};
        std::mutex m;
        std::vector<std::chrono::steady_clock::time_point> stamps;
        double cpuFirst = -1, cpuLast = 0;
        SyncLighting sync([&](const SyncFrame& f) {
            fillLeds(leds, f.colour, f.intensity);
            if (write)
                for (auto& link : links) pushLedFrame(*link, leds, buffer);
            std::lock_guard l(m);
            stamps.push_back(std::chrono::steady_clock::now());
            const double cpu = threadCpuMs();
            if (cpuFirst < 0) cpuFirst = cpu;
            cpuLast = cpu;
        });
        SyncSettings s;
        s.mode = SyncLightMode::Breathing;
        s.speed = speed;
        s.multiColor = 1;
        const auto start = std::chrono::steady_clock::now();
        sync.play(s);
        std::this_thread::sleep_for(std::chrono::seconds(2));
        sync.pause();
        const double wallMs =
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
                .count();
        const double nominal = double(syncStepPeriod(speed).count());
        std::vector<double> errors;
        for (size_t i = 1; i < stamps.size(); ++i)
            errors.push_back(std::abs(
                std::chrono::duration<double, std::milli>(stamps[i] - stamps[i - 1]).count() -
                nominal));
        std::sort(errors.begin(), errors.end());
        auto pct = [&](double p) {
            return errors.empty() ? 0.0
                                  : errors[std::min(errors.size() - 1, size_t(p * errors.size()))];
        };
        state.SetIterationTime(wallMs / 1e3);
        state.counters["period_ms"] = nominal;
        state.counters["p50_err_ms"] = pct(0.50);
        state.counters["p99_err_ms"] = pct(0.99);
        state.counters["frames"] = double(stamps.size());
        state.counters["cpu_pct"] = (cpuLast - cpuFirst) / wallMs * 100.0;
    }
}
BENCHMARK(BM_SyncLightingFourDevices)
    ->Args({0, 1})
    ->Args({4, 1})
    ->Args({4, 0})
    ->Iterations(1)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace md::lighting
