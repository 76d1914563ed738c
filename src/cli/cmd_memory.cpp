// macros upload / recoil upload: the memory images built from a device's data folder.
#include <ostream>

#include "cli/cli_context.h"
#include "cli/mouse_session.h"
#include "devices/memory_image/image_writer.h"
#include "devices/memory_image/memory_image.h"
#include "profiles/app_paths.h"

namespace md::cli {

int uploadMemoryImage(CliContext& ctx, VerbSessionBase& s, DeviceInfo info, bool macros) {
    const std::string& folder = s.folder;
    // Nothing empty or half-read goes over a good table on the mouse.
    const std::string problem =
        macros ? memimg::macroUploadProblem(folder) : memimg::recoilUploadProblem(folder);
    if (!problem.empty()) {
        *ctx.err << (macros ? "macros upload: " : "recoil upload: ") << problem << "\n";
        return kExitDeviceError;
    }
    const int r = macros ? memimg::writeMacrosToDevice(s.link, folder, info)
                         : memimg::writeShootToDevice(s.link, folder, info);
    s.changed = true;
    if (r == memimg::kWritten) {
        *ctx.out << (macros ? "macros" : "recoil tables") << " written from " << folder << "\n";
        return kExitOk;
    }
    if (r > 0) {
        *ctx.err << "the macros do not fit into the " << s.what << "'s " << macroCapacityOf(info)
                 << " bytes: remove " << r << " events and try again\n";
        return kExitDeviceError;
    }
    *ctx.err << (macros ? "writing the macros" : "writing the recoil tables") << " failed: the "
             << s.what << " is not reachable or refused the data\n";
    return kExitDeviceError;
}

int runMemoryVerb(CliContext& ctx, const std::string& verb) {
    if (ctx.args.size() != 1 || ctx.args[0] != "upload") {
        *ctx.err << verb << " upload\n";
        return kExitBadArguments;
    }
    int rc = kExitOk;
    auto s = openMouse(ctx, rc);
    if (!s) return rc;
    return uploadMemoryImage(ctx, *s, s->controller.deviceInfo(), verb == "macros");
}

}  // namespace md::cli
