#include "profiles/app_paths.h"

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <mutex>
#include <vector>

namespace md {

namespace {

struct Overrides {
    std::mutex mutex;
    std::string applicationFolder;
    std::string dataRoot;
};

Overrides& overrides() {
    static Overrides o;
    return o;
}

std::string withSlash(std::string folder) {
    if (folder.empty() || folder.back() != '/') folder += '/';
    return folder;
}

bool isDirectory(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

// Creates every missing level of folder (which ends with '/').
void createLevels(const std::string& folder) {
    for (size_t pos = 1; pos < folder.size(); ++pos) {
        if (folder[pos] != '/') continue;
        const std::string level = folder.substr(0, pos);
        if (!isDirectory(level)) ::mkdir(level.c_str(), 0755);
    }
}

std::string selfExecutable() {
    std::vector<char> buf(4096);
    const ssize_t n = ::readlink("/proc/self/exe", buf.data(), buf.size() - 1);
    return n > 0 ? std::string(buf.data(), static_cast<size_t>(n)) : std::string();
}

std::string executableFolder() {
    const std::string path = selfExecutable();
    if (path.empty()) return "./";
    const auto slash = path.find_last_of('/');
    return slash == std::string::npos ? std::string("./") : path.substr(0, slash + 1);
}

std::string homeFolder() {
    if (const char* home = std::getenv("HOME"); home && *home) return home;
    if (const passwd* pw = ::getpwuid(::getuid()); pw && pw->pw_dir) return pw->pw_dir;
    return "/tmp";
}

// An XDG base folder from its variable; a relative value is invalid and ignored.
std::string xdgBase(const char* variable, const char* fallbackBelowHome) {
    const char* xdg = std::getenv(variable);
    return (xdg && xdg[0] == '/') ? std::string(xdg) : homeFolder() + fallbackBelowHome;
}

}  // namespace

std::string AppPaths::applicationFolder() {
    {
        std::lock_guard lock(overrides().mutex);
        if (!overrides().applicationFolder.empty()) return overrides().applicationFolder;
    }
    return executableFolder();
}

namespace {
// The build folder keeps a folder beside the program; an install puts it where the install
// rules did, at a path relative to the program's own folder (set by the build).
std::string besideOrInstalled(std::string_view name, const char* installedFromBin) {
    const std::string app = AppPaths::applicationFolder();
    const std::string beside = app + std::string(name) + "/";
    if (isDirectory(beside)) return beside;
    const std::string installed =
        std::filesystem::path(withSlash(app + installedFromBin) + std::string(name) + "/")
            .lexically_normal()
            .string();
    return isDirectory(installed) ? installed : beside;
}
}  // namespace

std::string AppPaths::programDataFolder(std::string_view name) {
    return besideOrInstalled(name, MD_DATA_FROM_BIN);
}

std::string AppPaths::sdkFolder() {
    return besideOrInstalled("SDK", MD_LIBDIR_FROM_BIN);
}

std::string AppPaths::defaultDataFolder() {
    return programDataFolder("DefaultData");
}

std::string AppPaths::defaultTemplatePath(const std::string& modelFolder) {
    return defaultDataFolder() + modelFolder + ".Json";
}

std::string AppPaths::dataRoot() {
    std::string root;
    {
        std::lock_guard lock(overrides().mutex);
        root = overrides().dataRoot;
    }
    if (root.empty()) {
        root = withSlash(xdgBase("XDG_DATA_HOME", "/.local/share")) + "Mouse Driver/";
    }
    createLevels(root);
    return root;
}

std::string AppPaths::deviceDataFolder(const std::string& modelFolder) {
    std::string folder = dataRoot();
    if (!modelFolder.empty()) folder += modelFolder + "/";
    createLevels(folder);
    return folder;
}

std::string AppPaths::configRoot() {
    return withSlash(xdgBase("XDG_CONFIG_HOME", "/.config")) + "Mouse Driver/";
}

std::string AppPaths::configHome() {
    return withSlash(xdgBase("XDG_CONFIG_HOME", "/.config"));
}

std::string AppPaths::autostartFolder() {
    return withSlash(xdgBase("XDG_CONFIG_HOME", "/.config")) + "autostart/";
}

std::string AppPaths::executablePath() {
    return selfExecutable();
}

void AppPaths::setApplicationFolder(const std::string& folder) {
    std::lock_guard lock(overrides().mutex);
    overrides().applicationFolder = folder.empty() ? std::string() : withSlash(folder);
}

void AppPaths::setDataRoot(const std::string& folder) {
    std::lock_guard lock(overrides().mutex);
    overrides().dataRoot = folder.empty() ? std::string() : withSlash(folder);
}

bool isSafeFileStem(std::string_view name) {
    if (name.empty() || name.size() > 128) return false;
    for (const char c : name) {
        const bool ok = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ||
                        (c >= '0' && c <= '9') || c == '_' || c == '-';
        if (!ok) return false;
    }
    return true;
}

}  // namespace md
