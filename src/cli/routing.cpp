#include "cli/routing.h"

#include <filesystem>
#include <set>

#include "profiles/app_paths.h"

namespace md::cli {
namespace {

bool takesValue(const std::string& option) {
    static const std::set<std::string> withValue = {
        "--sysfs-root", "--dev-root",   "--device", "--simulate",  "--sim-state",
        "--script",     "--brightness", "--speed",  "--direction", "--colour"};
    return withValue.count(option) != 0;
}

// Index of the verb in argv, or argv.size().
size_t verbIndex(const std::vector<std::string>& argv) {
    for (size_t i = 0; i < argv.size(); ++i) {
        if (argv[i].rfind("-", 0) != 0) return i;
        if (takesValue(argv[i])) ++i;
    }
    return argv.size();
}

}  // namespace

std::string verbOf(const std::vector<std::string>& argv) {
    const size_t i = verbIndex(argv);
    return i < argv.size() ? argv[i] : std::string();
}

bool isDeviceVerb(const std::string& verb) {
    static const std::set<std::string> verbs = {"info", "settings", "dpi",    "polling", "lighting",
                                                "keys", "macros",   "recoil", "profile", "headset"};
    return verbs.count(verb) != 0;
}

bool routesToApplication(const std::vector<std::string>& argv) {
    for (const std::string& a : argv)
        if (a == "--simulate" || a == "--sysfs-root" || a == "--dev-root" || a == "--help" ||
            a == "-h" || a == "--sim-state")
            return false;
    return isDeviceVerb(verbOf(argv));
}

std::vector<std::string> withAbsoluteFiles(std::vector<std::string> argv) {
    const size_t v = verbIndex(argv);
    if (v >= argv.size() || argv[v] != "profile") return argv;
    // profile dump FILE / profile apply FILE: the file is the second word after the verb.
    size_t words = 0;
    for (size_t i = v + 1; i < argv.size(); ++i) {
        if (argv[i].rfind("-", 0) == 0) {
            if (takesValue(argv[i])) ++i;
            continue;
        }
        if (++words == 2 && !argv[i].empty()) {
            std::error_code ec;
            const auto abs = std::filesystem::absolute(argv[i], ec);
            if (!ec) argv[i] = abs.lexically_normal().string();
        }
    }
    return argv;
}

std::string ownerLockPath() {
    return AppPaths::configRoot() + "owner.lock";
}

std::string applicationLockPath() {
    return AppPaths::configRoot() + "application.lock";
}

}  // namespace md::cli
