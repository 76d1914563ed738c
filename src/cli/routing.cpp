#include "cli/routing.h"

#include <cerrno>
#include <filesystem>
#include <set>

#include "cli/cli_options.h"
#include "profiles/app_paths.h"

namespace md::cli {
namespace {

bool takesValue(const std::string& option) {
    const CliOption* o = findCliOption(option);
    return o && o->takesValue;
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
            a == "-h" || a == "--sim-state" || a == "--version")
            return false;
    return isDeviceVerb(verbOf(argv));
}

namespace {

// Index in argv of the word that names a file, or 0: profile dump|apply|export FILE,
// macros import FILE, macros export NAME FILE, recoil import|export GUN FILE.
size_t fileArgument(const std::vector<std::string>& argv) {
    const size_t v = verbIndex(argv);
    if (v >= argv.size()) return 0;
    std::vector<size_t> words;
    for (size_t i = v + 1; i < argv.size(); ++i) {
        if (argv[i].rfind("-", 0) == 0) {
            if (takesValue(argv[i])) ++i;
            continue;
        }
        words.push_back(i);
    }
    if (words.empty()) return 0;
    const std::string& sub = argv[words[0]];
    size_t fileWord = 0;
    // Only dump, apply and export take a file; the other profile verbs take names and indexes.
    if (argv[v] == "profile") fileWord = sub == "dump" || sub == "apply" || sub == "export" ? 2 : 0;
    if (argv[v] == "recoil") fileWord = sub == "import" || sub == "export" ? 3 : 0;
    if (argv[v] == "macros") fileWord = sub == "import" ? 2 : sub == "export" ? 3 : 0;
    if (fileWord == 0 || words.size() < fileWord || argv[words[fileWord - 1]].empty()) return 0;
    return words[fileWord - 1];
}

}  // namespace

std::vector<std::string> withAbsoluteFiles(std::vector<std::string> argv) {
    const size_t at = fileArgument(argv);
    if (at == 0) return argv;
    std::string& file = argv[at];
    std::error_code ec;
    const auto abs = std::filesystem::absolute(file, ec);
    if (!ec) file = abs.lexically_normal().string();
    return argv;
}

std::string relativeFileArgument(const std::vector<std::string>& argv) {
    const size_t at = fileArgument(argv);
    return at != 0 && argv[at].front() != '/' ? argv[at] : std::string();
}

std::string ownerLockPath() {
    return AppPaths::configRoot() + "owner.lock";
}

std::string applicationLockPath() {
    return AppPaths::configRoot() + "application.lock";
}

ProgramOwnership takeProgramOwnership(int ownerWaitMs) {
    std::error_code ec;
    std::filesystem::create_directories(AppPaths::configRoot(), ec);
    ProgramOwnership o;
    o.application = FileLock::acquire(applicationLockPath(), 0);
    // A lock file that cannot be made (read-only configuration) cannot tell anybody anything;
    // only a lock someone holds means another program.
    if (!o.application.locked() && o.application.error() == EWOULDBLOCK) {
        o.result = ProgramOwnership::Result::OtherProgram;
        return o;
    }
    o.owner = FileLock::acquire(ownerLockPath(), ownerWaitMs);
    if (!o.owner.locked() && o.owner.error() == EWOULDBLOCK)
        o.result = ProgramOwnership::Result::ToolBusy;
    return o;
}

}  // namespace md::cli
