#pragma once
// Finding a supported device for a verb: one detection pass over the backend, then the command
// collection of the kind asked for with --device (or the first one found).

#include <optional>
#include <string>

#include "cli/cli_context.h"
#include "devlink/link/device_identity.h"
#include "devlink/link/device_session.h"

namespace md::cli {

// "mouse", "receiver", ... for a device kind; "" for an unknown kind.
const char* kindName(uint16_t deviceKind);
// The device kind for a --device name; nullopt for an unknown name.
std::optional<uint16_t> kindForName(const std::string& name);

// The supported-device table with the configured keyboard and mousepad identifiers.
DeviceTable configuredDeviceTable();

struct SelectedDevice {
    size_t slot = 0;
    DeviceIdentity identity;
    LinkRoute route = LinkRoute::Cable;  // Receiver for the mouse through its receiver
};

// Runs one detection pass and picks the command collection. Prints the reason and returns
// nullopt with exitCode set (bad arguments or no such device).
std::optional<SelectedDevice> selectDevice(CliContext& ctx, int& exitCode);

}  // namespace md::cli
