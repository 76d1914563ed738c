// Command transactions and detection against the virtual devices.
#include <benchmark/benchmark.h>

#include <thread>

#include "common/worker.h"
#include "devlink/link/device_detector.h"
#include "devlink/link/device_link.h"
#include "devlink/hid/hid_path.h"
#include "sim/report_descriptors.h"
#include "sim/sim_devices.h"

namespace {

using namespace md;

std::string commandPath(const std::shared_ptr<HidBackend>& bus, uint16_t vid) {
    HidChannel ch(bus);
    ch.enumerateHidPaths();
    while (const char* p = ch.nextHidPath()) {
        if (parseVid(p) == vid && parseCollectionNumber(p) == 4) return p;
    }
    return {};
}

struct Rig {
    explicit Rig(sim::Timing timing, const char* kind = "mouse")
        : bus(sim::makeVirtualBus({kind}, "")), link(bus) {
        bus->setTiming(timing);
        link.openLink(commandPath(bus, 0x248A), 1);
    }
    std::shared_ptr<sim::VirtualBus> bus;
    DeviceLink link;
};

// Host cost of one command transaction (write, reply, echo check) with a device that answers at
// once: everything but the USB time.
void BM_TransactZeroLatency(benchmark::State& state) {
    Rig rig(sim::Timing::Immediate);
    rig.bus->device("mouse")->log().setCapacity(16);
    for (auto _ : state) {
        if (rig.link.beginSession() != 1) state.SkipWithError("transaction failed");
    }
}
BENCHMARK(BM_TransactZeroLatency)->Unit(benchmark::kMicrosecond);

// Whole transfers on a full-speed USB timing (one report per 1 ms frame each way): the floor is
// 2 ms per packet; "ratio" is the measured time over that floor. The key table is the
// keyboard's whole table (126 entries, 378 bytes: the device refuses writes past its table).
void transferOnUsbFs(benchmark::State& state, bool macro) {
    Rig rig(sim::Timing::UsbFullSpeed, macro ? "mouse" : "keyboard");
    DeviceInfo info{};
    rig.link.readDeviceInfo(info);
    const uint32_t length = macro ? 4096 : info[5] * 3u;
    std::vector<uint8_t> data(length, 0x5A);
    if (!macro) rig.link.setTransferLength(static_cast<uint16_t>(length));
    const double packets = (length + 55) / 56;
    for (auto _ : state) {
        const int r =
            macro ? rig.link.writeMacroData(data, length) : rig.link.writeKeyTable(data, 0);
        if (r != 1) state.SkipWithError("transfer failed");
    }
    state.counters["packets"] = packets;
    // Rate of floor-seconds per measured second, inverted: measured time / floor time.
    state.counters["ratio"] =
        benchmark::Counter(packets * 0.002 * static_cast<double>(state.iterations()),
                           benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
void BM_WriteKeyTableUsbFs(benchmark::State& state) {
    transferOnUsbFs(state, false);
}
void BM_WriteMacroImage4kUsbFs(benchmark::State& state) {
    transferOnUsbFs(state, true);
}
BENCHMARK(BM_WriteKeyTableUsbFs)->Unit(benchmark::kMillisecond)->Iterations(20)->UseRealTime();
BENCHMARK(BM_WriteMacroImage4kUsbFs)->Unit(benchmark::kMillisecond)->Iterations(5)->UseRealTime();

class NullDispatcher final : public UiDispatcher {
  public:
    void send(uint32_t, uintptr_t, intptr_t) override {}
    void post(uint32_t, uintptr_t, intptr_t) override {}
};

std::shared_ptr<sim::VirtualBus> strangers(int count) {
    auto bus = std::make_shared<sim::VirtualBus>();
    for (int i = 0; i < count; ++i) {
        sim::DeviceConfig cfg;
        cfg.label = "stranger" + std::to_string(i);
        cfg.vendorId = static_cast<uint16_t>(0x1000 + i);
        cfg.productId = 0x0001;
        cfg.interfaces = {{0, sim::bootInterfaceDescriptor(sim::PointerKind::Keyboard), false, 0}};
        bus->plug(std::make_shared<sim::VirtualDevice>(cfg, sim::makeMouseFirmware(), false));
    }
    return bus;
}

// One detection pass over 64 HID interfaces of which none is supported.
void BM_DetectionPass64Unrelated(benchmark::State& state) {
    auto bus = strangers(64);
    SlotList slots(shippedDeviceTable());
    NullDispatcher ui;
    DeviceDetector detector(slots, ui, bus);
    for (auto _ : state) detector.runPass();
}
BENCHMARK(BM_DetectionPass64Unrelated)->Unit(benchmark::kMicrosecond);

// How often the detection worker wakes up when nothing supported is present.
void BM_DetectionWakeupsPerSecond(benchmark::State& state) {
    auto bus = strangers(4);
    SlotList slots(shippedDeviceTable());
    NullDispatcher ui;
    for (auto _ : state) {
        DeviceDetector detector(slots, ui, bus);
        Worker worker;
        worker.start([&](const StopEvent& stop) { detector.run(stop); });
        std::this_thread::sleep_for(std::chrono::seconds(2));
        worker.stop();
        state.counters["wakeups_per_s"] = static_cast<double>(detector.passes()) / 2.0;
    }
}
BENCHMARK(BM_DetectionWakeupsPerSecond)
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

}  // namespace
