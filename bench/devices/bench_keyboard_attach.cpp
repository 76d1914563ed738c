// The keyboard's attach on a full-speed USB timing (one report per 1 ms frame each way): device
// information, key table and LED table, the key maps, then the active settings record, as the
// page reads them when the keyboard arrives (goal 50 ms).
#include <benchmark/benchmark.h>

#include "devices/keyboard/keyboard_controller.h"
#include "devlink/hid/hid_path.h"
#include "sim/sim_devices.h"

namespace md {
namespace {

void BM_KeyboardAttachUsbFs(benchmark::State& state) {
    auto bus = sim::makeVirtualBus({"keyboard"}, "");
    bus->setTiming(sim::Timing::UsbFullSpeed);
    DeviceLink link(bus);
    HidChannel ch(bus);
    ch.enumerateHidPaths();
    std::string path;
    while (const char* p = ch.nextHidPath())
        if (parseCollectionNumber(p) == 4) path = p;
    if (!link.openLink(path, 1)) state.SkipWithError("no keyboard");
    CKeyboardProfiledata profile;
    KeyboardController controller(link, profile);
    for (auto _ : state) {
        KeyboardHardwareSettings h;
        uint8_t hw = 0;
        if (controller.readDeviceAndKeys() != link::kOk ||
            controller.readSettingsBlock(h, hw) != link::kOk)
            state.SkipWithError("attach failed");
    }
}
BENCHMARK(BM_KeyboardAttachUsbFs)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
}  // namespace md
