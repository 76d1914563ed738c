#include "cli/device_select.h"

#include <ostream>

#include "cli/device_host.h"
#include "devices/device_registry.h"
#include "devlink/link/connection_policy.h"
#include "devlink/link/device_detector.h"
#include "devlink/link/device_id_config.h"
#include "profiles/app_paths.h"

namespace md::cli {
namespace {

// Collects the slots claimed during a pass; nothing else to do in a command-line run.
class CollectingDispatcher final : public UiDispatcher {
  public:
    void send(uint32_t, uintptr_t, intptr_t) override {}
    void post(uint32_t, uintptr_t, intptr_t) override {}
};

}  // namespace

const char* kindName(uint16_t deviceKind) {
    return connectionName(deviceKind);
}

std::optional<uint16_t> kindForName(const std::string& name) {
    return kindForConnectionName(name);
}

DeviceTable configuredDeviceTable() {
    return loadDeviceTable(AppPaths::defaultDataFolder() + "devices.json",
                           AppPaths::configRoot() + "devices.json");
}

std::optional<SelectedDevice> selectDevice(CliContext& ctx, int& exitCode) {
    std::optional<uint16_t> wanted;
    if (!ctx.device.empty()) {
        wanted = kindForName(ctx.device);
        if (!wanted) {
            *ctx.err << "unknown device '" << ctx.device
                     << "' (mouse, receiver, keyboard, keyboard-receiver, mousepad, headset)\n";
            exitCode = kExitBadArguments;
            return std::nullopt;
        }
    }
    if (ctx.host) {
        // Inside the application: the devices it has open.
        for (const SelectedDevice& d : ctx.host->attached()) {
            if (wanted && d.identity.deviceKind != *wanted) continue;
            return d;
        }
        *ctx.err << (wanted ? "no " + ctx.device + " found"
                            : std::string("no supported device found"))
                 << "\n";
        exitCode = kExitNoDevice;
        return std::nullopt;
    }
    SlotList slots(configuredDeviceTable());
    CollectingDispatcher ui;
    DeviceDetector detector(slots, ui, ctx.backend);
    if (!detector.runPass()) {
        *ctx.err << "the HID interfaces could not be listed\n";
        exitCode = kExitDeviceError;
        return std::nullopt;
    }
    for (size_t i = 0; i < slots.size(); ++i) {
        const DeviceIdentity s = slots.at(i);
        if (!s.connected || s.collectionRole != kRoleCommand) continue;
        if (wanted && s.deviceKind != *wanted) continue;
        SelectedDevice d;
        d.slot = i;
        d.identity = s;
        // As the application opens them (the same connection policy).
        d.route = routeForKind(s.deviceKind);
        return d;
    }
    *ctx.err << (wanted ? "no " + ctx.device + " found" : std::string("no supported device found"))
             << "\n";
    exitCode = kExitNoDevice;
    return std::nullopt;
}

}  // namespace md::cli
