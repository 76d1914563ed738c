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
    if (v >= argv.size()) return argv;
    // The word (after the verb) that names a file: profile dump FILE, profile apply FILE,
    // macros import FILE, macros export NAME FILE, recoil import GUN FILE, recoil export GUN FILE.
    size_t fileWord = 0;
    std::vector<size_t> words;
    for (size_t i = v + 1; i < argv.size(); ++i) {
        if (argv[i].rfind("-", 0) == 0) {
            if (takesValue(argv[i])) ++i;
            continue;
        }
        words.push_back(i);
    }
    if (argv[v] == "profile") fileWord = 2;
    if (argv[v] == "recoil" && !words.empty())
        fileWord = argv[words[0]] == "import" || argv[words[0]] == "export" ? 3 : 0;
    if (argv[v] == "macros" && !words.empty())
        fileWord = argv[words[0]] == "import" ? 2 : argv[words[0]] == "export" ? 3 : 0;
    if (fileWord == 0 || words.size() < fileWord || argv[words[fileWord - 1]].empty()) return argv;
    std::string& file = argv[words[fileWord - 1]];
    std::error_code ec;
    const auto abs = std::filesystem::absolute(file, ec);
    if (!ec) file = abs.lexically_normal().string();
    return argv;
}

std::string ownerLockPath() {
    return AppPaths::configRoot() + "owner.lock";
}

std::string applicationLockPath() {
    return AppPaths::configRoot() + "application.lock";
}

}  // namespace md::cli
