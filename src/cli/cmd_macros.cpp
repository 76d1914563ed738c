// macros list / import FILE / export NAME FILE: the mouse's macro list in its data folder,
// through the same macro list the macro editor uses.
#include <json/json.h>

#include <strings.h>

#include <ostream>

#include "cli/cli_context.h"
#include "cli/keyboard_session.h"
#include "cli/mouse_session.h"
#include "profiles/app_paths.h"
#include "profiles/macro_list.h"

namespace md::cli {
namespace {

int listMacros(CliContext& ctx, const MacroList& list) {
    Json::Value arr(Json::arrayValue);
    for (size_t i = 0; i < list.size(); ++i) {
        std::string problem;
        size_t inFile = 0;
        const size_t events = list.events(i, &problem, &inFile).size();
        if (problem.empty() && inFile > events)
            problem = "the file lists " + std::to_string(inFile) + " events; only the first " +
                      std::to_string(events) + " are used";
        if (ctx.json) {
            Json::Value v;
            v["index"] = Json::UInt(i);
            v["name"] = list.name(i);
            v["events"] = Json::UInt(events);
            if (!problem.empty()) v["problem"] = problem;
            arr.append(v);
        } else {
            *ctx.out << i << "  " << list.name(i) << "  " << events << " events"
                     << (problem.empty() ? "" : "  (" + problem + ")") << "\n";
        }
    }
    if (ctx.json) {
        Json::StreamWriterBuilder w;
        w["indentation"] = "  ";
        *ctx.out << Json::writeString(w, arr) << '\n';
    }
    return kExitOk;
}

int failed(CliContext& ctx, const std::string& what, const MacroList& list, int r) {
    switch (r) {
        case MacroList::kFull:
            *ctx.err << what << ": the list holds at most " << kMaxMacros << " macros\n";
            break;
        case MacroList::kNoSuchMacro:
            *ctx.err << what << ": no such macro\n";
            break;
        default:
            *ctx.err << what << ": " << list.problem() << "\n";
            break;
    }
    return r == MacroList::kNoSuchMacro || r == MacroList::kUnusableFile ? kExitBadArguments
                                                                         : kExitDeviceError;
}

}  // namespace

int runMacrosVerb(CliContext& ctx) {
    const std::string sub = ctx.args.empty() ? "list" : ctx.args[0];
    MacroList list(AppPaths::deviceDataFolder(isKeyboardName(ctx.device) ? "keyboard" : "mouse"));
    const bool readable = list.load();
    if (sub == "list" && ctx.args.size() <= 1) {
        if (!readable) return failed(ctx, "macros", list, MacroList::kListDamaged);
        return listMacros(ctx, list);
    }
    if (sub == "import" && ctx.args.size() == 2) {
        const int r = list.importFile(ctx.args[1]);
        if (r < 0) return failed(ctx, "macros import", list, r);
        *ctx.out << "imported as " << list.name(size_t(r)) << "\n";
        return kExitOk;
    }
    if (sub == "export" && ctx.args.size() == 3) {
        // By name (case aside) or by index.
        int index = -1;
        for (size_t i = 0; i < list.size(); ++i)
            if (strcasecmp(list.name(i).c_str(), ctx.args[1].c_str()) == 0) index = int(i);
        if (index < 0 && !ctx.args[1].empty() &&
            ctx.args[1].find_first_not_of("0123456789") == std::string::npos &&
            ctx.args[1].size() < 4)
            index = std::stoi(ctx.args[1]);
        const int r =
            index < 0 ? int(MacroList::kNoSuchMacro) : list.exportFile(size_t(index), ctx.args[2]);
        if (r < 0) return failed(ctx, "macros export", list, r);
        *ctx.out << "exported " << list.name(size_t(index)) << " to " << ctx.args[2] << "\n";
        return kExitOk;
    }
    if (sub == "upload" && ctx.args.size() == 1) {
        int rc = kExitOk;
        if (isKeyboardName(ctx.device)) {
            auto s = openKeyboard(ctx, rc);
            return s ? uploadMemoryImage(ctx, *s, s->controller.deviceInfo(), true) : rc;
        }
        auto s = openMouse(ctx, rc);
        return s ? uploadMemoryImage(ctx, *s, s->controller.deviceInfo(), true) : rc;
    }
    *ctx.err << "macros list | macros import FILE | macros export NAME FILE | macros upload\n";
    return kExitBadArguments;
}

}  // namespace md::cli
