// recoil show N / import N FILE / export N FILE / upload: the mouse's four recoil tables in its
// data folder (the shipped tables copied on first use), through the tables the recoil panel
// uses.
#include <json/json.h>

#include <cstdio>
#include <ostream>

#include "cli/cli_context.h"
#include "cli/mouse_session.h"
#include "profiles/app_paths.h"
#include "profiles/recoil_tables.h"

namespace md::cli {
namespace {

bool gunOf(const std::string& text, int& gun) {
    if (text.size() != 1 || text[0] < '0' || text[0] > '3') return false;
    gun = text[0] - '0';
    return true;
}

int show(CliContext& ctx, const RecoilTables& t, int gun) {
    Json::Value arr(Json::arrayValue);
    for (int b = 0; b < RecoilTables::kBullets; ++b) {
        const RecoilBullet r = t.bullet(gun, b);
        if (ctx.json) {
            Json::Value v;
            v["bullet"] = b + 1;
            v["x"] = r.left ? -int(r.x) : int(r.x);  // negative: to the left
            v["y"] = r.up ? -int(r.y) : int(r.y);    // negative: up
            v["delay"] = r.delay;
            arr.append(v);
            continue;
        }
        char line[96];
        std::snprintf(line, sizeof line, "%2d  %-5s %3d  %-4s %3d  %5d ms\n", b + 1,
                      r.left ? "left" : "right", r.x, r.up ? "up" : "down", r.y, r.delay);
        *ctx.out << line;
    }
    if (ctx.json) {
        Json::StreamWriterBuilder w;
        w["indentation"] = "  ";
        *ctx.out << Json::writeString(w, arr) << '\n';
    }
    return kExitOk;
}

}  // namespace

int runRecoilVerb(CliContext& ctx) {
    static const char* const kUsage =
        "recoil show GUN | recoil import GUN FILE | recoil export GUN FILE | recoil upload "
        "(GUN 0-3)\n";
    const auto& a = ctx.args;
    if (a.size() == 1 && a[0] == "upload") {
        int rc = kExitOk;
        auto s = openMouse(ctx, rc);
        if (!s) return rc;
        return uploadMemoryImage(ctx, *s, s->controller.deviceInfo(), false);
    }
    int gun = 0;
    if (a.size() < 2 || !gunOf(a[1], gun)) {
        *ctx.err << kUsage;
        return kExitBadArguments;
    }
    RecoilTables t(AppPaths::deviceDataFolder("mouse"), AppPaths::defaultDataFolder());
    t.init();
    if (a[0] == "show" && a.size() == 2) return show(ctx, t, gun);
    const bool import = a[0] == "import";
    if ((import || a[0] == "export") && a.size() == 3) {
        const int r = import ? t.importGun(gun, a[2]) : t.exportGun(gun, a[2]);
        if (r != RecoilTables::kOk) {
            *ctx.err << "recoil " << a[0] << ": " << t.problem() << "\n";
            return r == RecoilTables::kUnusableFile ? kExitBadArguments : kExitDeviceError;
        }
        *ctx.out << (import ? "imported " : "exported ") << a[2]
                 << (import ? " as gun " : " from gun ") << gun << "\n";
        return kExitOk;
    }
    *ctx.err << kUsage;
    return kExitBadArguments;
}

}  // namespace md::cli
