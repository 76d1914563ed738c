#include <algorithm>
#include <csignal>
#include <map>
#include <ostream>
#include <sstream>
#include <thread>

#include "cli/cli_context.h"
#include "cli/device_select.h"
#include "cli/records.h"
#include "common/worker.h"
#include "devlink/link/device_detector.h"
#include "sim/plug_script.h"
#include "sim/virtual_bus.h"

namespace md::cli {
namespace {

StopEvent* g_watchStop = nullptr;

extern "C" void onWatchSignal(int) {
    if (g_watchStop) g_watchStop->set();  // an eventfd write: safe in a signal handler
}

// Prints arrival and removal of supported collections as the detection thread reports them.
class PrintingDispatcher final : public UiDispatcher {
  public:
    PrintingDispatcher(std::ostream& out, SlotList& slots, bool json)
        : m_out(out), m_slots(slots), m_json(json) {
        m_writer["indentation"] = "";
    }
    void send(uint32_t message, uintptr_t slot, intptr_t) override {
        if (message != msg::kSlotClaimed && message != msg::kSlotFreed) return;
        const DeviceIdentity s = m_slots.at(slot);
        const Json::Value e =
            slotEventRecord(message == msg::kSlotClaimed, slot, kindName(s.deviceKind),
                            s.collectionRole == kRoleCommand, s.path);
        // With --json one object per line (JSON lines), flushed as it happens.
        m_out << (m_json ? Json::writeString(m_writer, e) : slotEventText(e)) << std::endl;
    }
    void post(uint32_t, uintptr_t, intptr_t) override {}

  private:
    std::ostream& m_out;
    SlotList& m_slots;
    bool m_json;
    Json::StreamWriterBuilder m_writer;
};

}  // namespace

int runWatch(CliContext& ctx) {
    if (!ctx.args.empty()) {
        *ctx.err << "watch: unexpected argument '" << ctx.args.front() << "'\n";
        return kExitBadArguments;
    }
    std::vector<sim::PlugStep> steps;
    auto bus = std::dynamic_pointer_cast<sim::VirtualBus>(ctx.backend);
    if (!ctx.script.empty()) {
        std::string error;
        if (!bus) {
            *ctx.err << "watch: --script needs --simulate\n";
            return kExitBadArguments;
        }
        if (!sim::parsePlugScript(ctx.script, steps, error)) {
            *ctx.err << "watch: " << error << "\n";
            return kExitBadArguments;
        }
    }
    std::map<std::string, std::shared_ptr<sim::VirtualDevice>> devices;
    if (bus) {
        for (const auto& d : bus->devices()) devices[d->label()] = d;
    }
    for (const auto& s : steps) {
        if (!devices.count(s.device)) {
            *ctx.err << "watch: the script names '" << s.device << "', which --simulate does not\n";
            return kExitBadArguments;
        }
    }

    SlotList slots(configuredDeviceTable());
    PrintingDispatcher ui(*ctx.out, slots, ctx.json);
    DeviceDetector detector(slots, ui, ctx.backend);
    StopEvent stop;
    g_watchStop = &stop;
    auto oldInt = std::signal(SIGINT, onWatchSignal);
    auto oldTerm = std::signal(SIGTERM, onWatchSignal);
    // The detector runs on its worker until the watch ends; when it ends by itself (the
    // interfaces could not be listed) the watch ends too.
    Worker worker;
    worker.start([&](const StopEvent& workerStop) {
        detector.run(workerStop);
        stop.set();
    });

    // After each step the detector completes a whole pass before the script goes on, so that
    // the output does not depend on how busy the machine is.
    auto settle = [&] {
        const uint64_t first = detector.passes();
        for (int i = 0; i < 1000 && detector.passes() < first + 2; ++i) {
            if (stop.wait(std::chrono::milliseconds(5))) return;
        }
    };
    if (!steps.empty()) {
        const auto start = std::chrono::steady_clock::now();
        settle();
        for (const auto& s : steps) {
            if (stop.wait(std::chrono::milliseconds(s.atMs) -
                          std::chrono::duration_cast<std::chrono::milliseconds>(
                              std::chrono::steady_clock::now() - start))) {
                break;
            }
            sim::applyPlugStep(*bus, devices[s.device], s);
            settle();
        }
        stop.set();
    }
    while (!stop.wait(std::chrono::hours(24))) {
    }
    worker.stop();
    std::signal(SIGINT, oldInt);
    std::signal(SIGTERM, oldTerm);
    g_watchStop = nullptr;
    return kExitOk;
}

}  // namespace md::cli
