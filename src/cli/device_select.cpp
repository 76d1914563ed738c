#include "cli/device_select.h"

#include <ostream>

#include "devlink/device_detector.h"
#include "devlink/device_id_config.h"
#include "profiles/app_paths.h"

namespace md::cli {
namespace {

struct KindName {
    uint16_t kind;
    const char* name;
};
constexpr KindName kKindNames[] = {
    {kind::kMouseWired, "mouse"},  {kind::kMouseWireless, "receiver"},
    {kind::kKeyboard, "keyboard"}, {kind::kKeyboardOther, "keyboard-receiver"},
    {kind::kMousePad, "mousepad"}, {kind::kHeadset, "headset"},
};

// Collects the slots claimed during a pass; nothing else to do in a command-line run.
class CollectingDispatcher final : public UiDispatcher {
  public:
    void send(uint32_t, uintptr_t, intptr_t) override {}
    void post(uint32_t, uintptr_t, intptr_t) override {}
};

}  // namespace

const char* kindName(uint16_t deviceKind) {
    for (const auto& k : kKindNames) {
        if (k.kind == deviceKind) return k.name;
    }
    return "";
}

std::optional<uint16_t> kindForName(const std::string& name) {
    for (const auto& k : kKindNames) {
        if (name == k.name) return k.kind;
    }
    return std::nullopt;
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
        d.linkMode = s.deviceKind == kind::kMouseWireless ? 2 : 1;
        return d;
    }
    *ctx.err << (wanted ? "no " + ctx.device + " found" : std::string("no supported device found"))
             << "\n";
    exitCode = kExitNoDevice;
    return std::nullopt;
}

}  // namespace md::cli
