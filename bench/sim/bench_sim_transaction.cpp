// One command transaction (write the packet, read the reply) through the HID channel on a
// virtual mouse, with the zero-latency and the usb-fs timing models.

#include <benchmark/benchmark.h>

#include "common/le_bytes.h"
#include "devlink/hid/hid_channel.h"
#include "devlink/hid/hid_collection_list.h"
#include "sim/sim_devices.h"

namespace {

using namespace md;
using namespace md::sim;

void transactions(benchmark::State& state, Timing timing) {
    auto bus = makeVirtualBus({"mouse"}, "");
    bus->setTiming(timing);
    std::vector<HidCollectionSummary> cols;
    listHidCollections(*bus, cols);
    std::string path;
    for (const auto& c : cols)
        if (c.interfaceNumber == 1 && c.collectionNumber == 4) path = c.path;
    HidChannel ch(bus);
    if (!ch.openChannel(path)) {
        state.SkipWithError("cannot open the command collection");
        return;
    }
    Packet p{};
    p[0] = kCommandReportId;
    p[3] = cmd::kReadConfig;
    p[4] = 56;
    sealPacket(p);
    Packet reply{};
    for (auto _ : state) {
        uint32_t n = 0;
        ch.writeReport(kPacketSize, &n, p.data(), 1000);
        ch.readReport(kPacketSize, &n, reply.data(), 1000);
        benchmark::DoNotOptimize(reply);
    }
}

void BM_SimTransactionImmediate(benchmark::State& s) {
    transactions(s, Timing::Immediate);
}
void BM_SimTransactionUsbFs(benchmark::State& s) {
    transactions(s, Timing::UsbFullSpeed);
}

BENCHMARK(BM_SimTransactionImmediate);
BENCHMARK(BM_SimTransactionUsbFs)->Iterations(50)->Unit(benchmark::kMillisecond);

}  // namespace
