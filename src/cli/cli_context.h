#pragma once
// Options shared by every verb of mouse-driver-cli and the exit codes it returns.

#include <iosfwd>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "devlink/hid/hid_backend.h"

namespace Json {
class Value;
}

namespace md::cli {

class DeviceHost;

enum ExitCode : int { kExitOk = 0, kExitDeviceError = 1, kExitBadArguments = 2, kExitNoDevice = 3 };

struct CliContext {
    std::vector<std::string> args;  // the verb's own arguments, options removed
    bool json = false;
    bool trace = false;
    std::string sysfsRoot = "/sys";
    std::string devRoot = "/dev";
    std::string simulate;  // comma-separated virtual devices, empty for real hardware
    std::string simState;  // state file of the virtual devices
    std::string device;    // --device
    std::string script;    // --script (watch with --simulate)
    std::map<std::string, std::string> named;  // verb options (--brightness 3, --multicolour)
    std::shared_ptr<HidBackend> backend;
    DeviceHost* host = nullptr;  // the running application's devices, when it runs the verb
    std::ostream* out = nullptr;
    std::ostream* err = nullptr;
};

// Runs the command line (without the program name); output goes to out and err.
// A backend given here replaces --simulate and the machine's hidraw devices (tests). A host is
// the running application: the verb then works on the devices and profiles it has open.
int runCli(const std::vector<std::string>& argv, std::ostream& out, std::ostream& err,
           std::shared_ptr<HidBackend> backend = nullptr, DeviceHost* host = nullptr);

int runList(CliContext& ctx);
int runInfo(CliContext& ctx);
int runWatch(CliContext& ctx);
// settings, dpi, polling, lighting, keys
int runMouseVerb(CliContext& ctx, const std::string& verb);
int runProfileVerb(CliContext& ctx);
// macros upload, recoil upload
int runMemoryVerb(CliContext& ctx, const std::string& verb);
int runMacrosVerb(CliContext& ctx);
int runRecoilVerb(CliContext& ctx);
// update-check [--service URL] [--ca-file PEM]
int runUpdateCheckVerb(CliContext& ctx);
// headset [eq [set PRESET|BANDS] | mic LEVEL|mute|unmute | monitor LEVEL|mute|unmute]
int runHeadsetVerb(CliContext& ctx);

// Writes v to the verb's output, indented by two spaces.
void writeJson(CliContext& ctx, const Json::Value& v);

}  // namespace md::cli
