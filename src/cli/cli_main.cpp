#include <iostream>
#include <ostream>
#include <string_view>

#include "cli/cli_context.h"
#include "common/dbg_out.h"
#include "devlink/hidraw_backend.h"

namespace md::cli {
namespace {

void usage(std::ostream& os) {
    os << "usage: mouse-driver-cli [options] VERB [arguments]\n"
          "verbs:\n"
          "  list                 every HID collection: path, identifiers, usage, report lengths\n"
          "options:\n"
          "  --json               machine-readable output\n"
          "  --trace              print every command packet and reply\n"
          "  --device KIND        mouse|receiver|keyboard|mousepad|headset\n"
          "  --sysfs-root DIR     read HID interfaces from another sysfs tree\n"
          "  --dev-root DIR       open device nodes below another folder\n"
          "  --help               this text\n";
}

}  // namespace

int runCli(const std::vector<std::string>& argv, std::ostream& out, std::ostream& err) {
    CliContext ctx;
    ctx.out = &out;
    ctx.err = &err;
    std::string verb;
    for (size_t i = 0; i < argv.size(); ++i) {
        const std::string& a = argv[i];
        auto value = [&](std::string& into) {
            if (i + 1 >= argv.size()) {
                err << "option " << a << " needs a value\n";
                return false;
            }
            into = argv[++i];
            return true;
        };
        if (a == "--help" || a == "-h") {
            usage(out);
            return kExitOk;
        } else if (a == "--json") {
            ctx.json = true;
        } else if (a == "--trace") {
            ctx.trace = true;
        } else if (a == "--sysfs-root") {
            if (!value(ctx.sysfsRoot)) return kExitBadArguments;
        } else if (a == "--dev-root") {
            if (!value(ctx.devRoot)) return kExitBadArguments;
        } else if (a == "--device") {
            if (!value(ctx.device)) return kExitBadArguments;
        } else if (a.rfind("--", 0) == 0) {
            err << "unknown option " << a << "\n";
            usage(err);
            return kExitBadArguments;
        } else if (verb.empty()) {
            verb = a;
        } else {
            ctx.args.push_back(a);
        }
    }
    if (verb.empty()) {
        usage(err);
        return kExitBadArguments;
    }
    if (ctx.trace) {
        setDbgSink([&out](std::string_view line) { out << line << '\n'; });
    }
    ctx.backend = std::make_shared<HidrawBackend>(ctx.sysfsRoot, ctx.devRoot);
    setDefaultHidBackend(ctx.backend);

    int rc = kExitBadArguments;
    if (verb == "list") {
        rc = runList(ctx);
    } else {
        err << "unknown verb '" << verb << "'\n";
        usage(err);
    }
    if (ctx.trace) setDbgSink(nullptr);
    return rc;
}

}  // namespace md::cli
