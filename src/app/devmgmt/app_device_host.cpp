#include "app/devmgmt/app_device_host.h"

#include <sstream>

#include "app/devmgmt/device_manager.h"
#include "cli/cli_context.h"
#include "cli/routing.h"
#include "common/dbg_out.h"
#include "devices/device_registry.h"
#include "devlink/hid/hid_backend.h"
#include "pages/base/orrivale_usb_device.h"

namespace md {

COrrivaleUSBDevice* AppDeviceHost::modelOf(const cli::SelectedDevice& device) const {
    for (int i = 0; i < m_devices.tileCount(); ++i) {
        COrrivaleUSBDevice* m = m_devices.model(i);
        if (m && m->session().isOpen() && m->session().path() == device.identity.path) return m;
    }
    return nullptr;
}

std::vector<cli::SelectedDevice> AppDeviceHost::attached() {
    std::vector<cli::SelectedDevice> out;
    SlotList& list = m_devices.slotList();
    for (size_t i = 0; i < list.size(); ++i) {
        const DeviceIdentity id = list.at(i);
        if (!id.connected || id.collectionRole != kRoleCommand) continue;
        cli::SelectedDevice d;
        d.slot = i;
        d.identity = id;
        d.route = isReceiverKind(id.deviceKind) ? LinkRoute::Receiver : LinkRoute::Cable;
        if (modelOf(d)) out.push_back(d);
    }
    return out;
}

DeviceSession* AppDeviceHost::session(const cli::SelectedDevice& device) {
    COrrivaleUSBDevice* m = modelOf(device);
    return m ? &m->session() : nullptr;
}

DeviceDriver* AppDeviceHost::driver(const cli::SelectedDevice& device) {
    COrrivaleUSBDevice* m = modelOf(device);
    return m ? m->driver() : nullptr;
}

void AppDeviceHost::changed(const cli::SelectedDevice& device) {
    if (COrrivaleUSBDevice* m = modelOf(device)) m->reloadAfterOutsideChange();
}

int runHostedCommand(AppDeviceHost& host, const std::vector<std::string>& args, std::string& out,
                     std::string& err) {
    const std::string verb = cli::verbOf(args);
    if (!cli::routesToApplication(args)) {
        err = "mouse-driver runs only the verbs that drive its devices; '" + verb +
              "' runs in mouse-driver-cli itself\n";
        return cli::kExitBadArguments;
    }
    if (const std::string file = cli::relativeFileArgument(args); !file.empty()) {
        err = "mouse-driver takes files by their absolute path only; '" + file + "' is relative\n";
        return cli::kExitBadArguments;
    }
    std::ostringstream o, e;
    const int rc = cli::runCli(args, o, e, defaultHidBackend(), &host);
    dbgOutf("command line \"%s\" run for mouse-driver-cli: exit code %d\n", verb.c_str(), rc);
    out = o.str();
    err = e.str();
    return rc;
}

}  // namespace md
