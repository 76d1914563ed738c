#include "profiles/autostart_entry.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <sstream>

#include "common/bounded_file.h"
#include "profiles/app_paths.h"
#include "profiles/json_file_io.h"

namespace md {

namespace {

constexpr size_t kMaxEntryBytes = 64 * 1024;

std::string trimmed(std::string_view s) {
    const auto first = s.find_first_not_of(" \t\r");
    if (first == std::string_view::npos) return {};
    const auto last = s.find_last_not_of(" \t\r");
    return std::string(s.substr(first, last - first + 1));
}

// A string value of a desktop entry: only the backslash needs its escape here (the text has no
// control characters).
std::string stringValue(std::string_view text) {
    std::string value;
    for (const char c : text) {
        if (c == '\\') value += '\\';
        value += c;
    }
    return value;
}

}  // namespace

std::string execLineArgument(std::string_view arg) {
    constexpr std::string_view kReserved = " \t\n\"'\\><~|&;$*?#()`";
    const bool quote = arg.empty() || arg.find_first_of(kReserved) != std::string_view::npos;
    std::string quoted;
    if (quote) quoted += '"';
    for (const char c : arg) {
        if (quote && (c == '"' || c == '`' || c == '$' || c == '\\')) quoted += '\\';
        if (c == '%') quoted += '%';
        quoted += c;
    }
    if (quote) quoted += '"';
    // The string-value escape, applied by readers before the Exec rules.
    return stringValue(quoted);
}

AutostartEntry::AutostartEntry(std::string folder, std::string program)
    : m_folder(std::move(folder)), m_program(std::move(program)) {
    if (!m_folder.empty() && m_folder.back() != '/') m_folder += '/';
    m_path = m_folder + kFileName;
}

AutostartEntry AutostartEntry::forThisProgram() {
    return AutostartEntry(AppPaths::autostartFolder(), AppPaths::executablePath());
}

std::string AutostartEntry::desktopEntryText(const std::string& program) {
    if (program.empty() || program.front() != '/') return {};
    for (const unsigned char c : program)
        if (c < 0x20 || c == 0x7F) return {};
    std::ostringstream text;
    text << "[Desktop Entry]\n"
            "Type=Application\n"
            "Name=Mouse Driver\n"
            "Comment=Starts Mouse Driver in the notification area\n"
         << "Exec=" << execLineArgument(program)
         << " --hidden\n"
         // Once the program is removed, desktops skip the entry instead of failing to start it.
         << "TryExec=" << stringValue(program) << "\n"
         << "Icon=mouse-driver\n"
            "Terminal=false\n"
            "X-GNOME-Autostart-enabled=true\n";
    return text.str();
}

bool AutostartEntry::enabled() const {
    const FileRead read = readRegularFile(m_path, kMaxEntryBytes);
    if (read.status != FileReadStatus::Ok) return false;
    // Only the keys of the main group count; other groups (actions) may repeat key names.
    std::istringstream lines(read.bytes);
    std::string line;
    bool mainGroup = false;
    bool sawMainGroup = false;
    while (std::getline(lines, line)) {
        const std::string t = trimmed(line);
        if (t.empty() || t.front() == '#') continue;
        if (t.front() == '[') {
            mainGroup = t == "[Desktop Entry]";
            sawMainGroup = sawMainGroup || mainGroup;
            continue;
        }
        if (!mainGroup) continue;
        const auto eq = t.find('=');
        if (eq == std::string::npos) continue;
        const std::string key = trimmed(std::string_view(t).substr(0, eq));
        const std::string value = trimmed(std::string_view(t).substr(eq + 1));
        if (key == "Hidden" && value == "true") return false;
        if (key == "X-GNOME-Autostart-enabled" && value == "false") return false;
    }
    return sawMainGroup;
}

std::string AutostartEntry::setEnabled(bool on) const {
    std::error_code ec;
    if (!on) {
        if (std::filesystem::remove(m_path, ec) || !ec) return {};
        return m_path + " could not be removed (" + ec.message() + ")";
    }
    const std::string text = desktopEntryText(m_program);
    if (text.empty()) return m_program + " cannot be started from an autostart entry";
    std::filesystem::create_directories(m_folder, ec);
    if (ec) return m_folder + " could not be created (" + ec.message() + ")";
    if (JsonFileIO::storeBytes(m_path, text) != 0) return JsonFileIO::writeProblem(m_path);
    return {};
}

}  // namespace md
