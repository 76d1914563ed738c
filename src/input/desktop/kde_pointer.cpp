#include "input/desktop/kde_pointer.h"

#include <algorithm>
#include <sstream>

#include "common/bounded_file.h"
#include "profiles/json_file_io.h"

namespace md {

std::string withKdeConfigValue(const std::string& text, const std::string& group,
                               const std::string& key, const std::string& value) {
    std::istringstream in(text);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    const std::string header = "[" + group + "]";
    size_t groupAt = lines.size();
    for (size_t i = 0; i < lines.size(); ++i)
        if (lines[i] == header) groupAt = i;
    if (groupAt == lines.size()) {
        if (!lines.empty() && !lines.back().empty()) lines.emplace_back();
        lines.push_back(header);
        lines.push_back(key + "=" + value);
    } else {
        size_t end = groupAt + 1;
        while (end < lines.size() && !(lines[end].size() > 1 && lines[end][0] == '[')) ++end;
        bool found = false;
        for (size_t i = groupAt + 1; i < end && !found; ++i) {
            const size_t eq = lines[i].find('=');
            if (eq != std::string::npos && lines[i].substr(0, eq) == key) {
                lines[i] = key + "=" + value;
                found = true;
            }
        }
        // New keys go after the group's last key (before its trailing blank lines).
        size_t insertAt = end;
        while (insertAt > groupAt + 1 && lines[insertAt - 1].empty()) --insertAt;
        if (!found) lines.insert(lines.begin() + long(insertAt), key + "=" + value);
    }
    std::string out;
    for (const std::string& l : lines) out += l + "\n";
    return out;
}

namespace {

// Changes keys of one file; false (with problem) when it cannot be read or written.
bool change(const std::string& path, const std::string& group,
            const std::vector<std::pair<std::string, std::string>>& values, std::string& problem) {
    const FileRead r = readRegularFile(path, 1u << 20);
    if (r.status != FileReadStatus::Ok && r.status != FileReadStatus::Missing &&
        r.status != FileReadStatus::Empty) {
        problem = path + " cannot be read";
        return false;
    }
    std::string text = r.bytes;
    for (const auto& [key, value] : values) text = withKdeConfigValue(text, group, key, value);
    if (JsonFileIO::storeBytes(path, text) != 0) {
        problem = JsonFileIO::writeProblem(path);
        return false;
    }
    return true;
}

}  // namespace

bool KdePointer::apply(const PointerValues& v, std::string& problem) {
    const std::string speed = libinputSpeedText(v.speed);
    const std::string base = m_folder.empty() || m_folder.back() == '/' ? m_folder : m_folder + "/";
    const bool ok =
        change(base + "kcminputrc", "Mouse",
               {{"XLbInptPointerAcceleration", speed},
                {"XLbInptAccelProfileFlat", v.precision ? "false" : "true"}},
               problem) &&
        change(base + "kdeglobals", "KDE",
               {{"WheelScrollLines", std::to_string(std::clamp(v.wheelLines, 1, 100))},
                {"DoubleClickInterval", std::to_string(std::clamp(v.doubleClickMs, 100, 2000))}},
               problem);
    if (ok && m_changed) m_changed();
    return ok;
}

}  // namespace md
