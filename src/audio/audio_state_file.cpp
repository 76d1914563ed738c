#include "audio/audio_state_file.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace md {
namespace {

// Keeps a state file small enough to read at every call.
constexpr size_t kMaxLogLines = 4000;
constexpr std::uintmax_t kMaxFileBytes = 1 << 20;

std::string numberText(double v) {
    char text[40];
    std::snprintf(text, sizeof text, "%.9g", v);
    return text;
}

}  // namespace

AudioStateFile AudioStateFile::fresh() {
    AudioStateFile s;
    s.values = {{"C:GetMaxVol", 30.0},    {"C:GetMinVol", 0.0},
                {"C:GetVolStep", 0.5},    {"C:GetAAMaxVol", 0.0},
                {"C:GetAAMinVol", -30.0}, {"C:GetAAVolStep", 0.5},
                {"C:MuteControl", 0},     {"C:VolumeScalarControl", 0.75},
                {"C:AAMuteControl", 1},   {"C:AAVolumeScalarControl", 0.5}};
    return s;
}

std::optional<double> AudioStateFile::value(char endpoint, const std::string& name) const {
    const auto it = values.find(std::string(1, endpoint) + ":" + name);
    if (it == values.end()) return std::nullopt;
    return it->second;
}

std::optional<AudioStateFile> AudioStateFile::parse(const std::string& text) {
    AudioStateFile s;
    std::istringstream in(text);
    std::string line;
    while (std::getline(in, line)) {
        if (line.empty()) continue;
        const size_t space = line.find(' ');
        const std::string key = line.substr(0, space);
        const std::string rest = space == std::string::npos ? "" : line.substr(space + 1);
        if (key == "asound") {
            s.asoundRoot = rest;
        } else if (key == "fail") {
            s.failing.insert(rest);
        } else if (key == "log") {
            s.log.push_back(rest);
        } else if (key == "value") {
            std::istringstream v(rest);
            std::string where;
            double number = 0;
            if (!(v >> where >> number) || !std::isfinite(number)) return std::nullopt;
            s.values[where] = number;
        } else {
            return std::nullopt;
        }
    }
    return s;
}

std::string AudioStateFile::text() const {
    std::string t;
    if (!asoundRoot.empty()) t += "asound " + asoundRoot + "\n";
    for (const std::string& f : failing) t += "fail " + f + "\n";
    for (const auto& [where, v] : values) t += "value " + where + " " + numberText(v) + "\n";
    const size_t first = log.size() > kMaxLogLines ? log.size() - kMaxLogLines : 0;
    for (size_t i = first; i < log.size(); ++i) t += "log " + log[i] + "\n";
    return t;
}

std::optional<AudioStateFile> AudioStateFile::load(const std::string& path,
                                                   AudioStateFile missing) {
    std::error_code ec;
    if (!std::filesystem::exists(path, ec)) return missing;
    if (!std::filesystem::is_regular_file(path, ec) ||
        std::filesystem::file_size(path, ec) > kMaxFileBytes)
        return std::nullopt;
    std::ifstream in(path);
    if (!in) return std::nullopt;
    std::stringstream text;
    text << in.rdbuf();
    return parse(text.str());
}

bool AudioStateFile::save(const std::string& path) const {
    // Written next to the file and renamed over it, so a reader never sees half a file.
    const std::string temp = path + ".tmp";
    std::error_code ec;
    std::filesystem::create_directories(std::filesystem::path(path).parent_path(), ec);
    {
        std::ofstream out(temp, std::ios::trunc);
        if (!(out << text())) return false;
    }
    std::filesystem::rename(temp, path, ec);
    return !ec;
}

std::string rememberedAudioStatePath() {
    std::string base;
    if (const char* state = std::getenv("XDG_STATE_HOME"); state && *state == '/') {
        base = state;
    } else if (const char* home = std::getenv("HOME"); home && *home == '/') {
        base = std::string(home) + "/.local/state";
    } else {
        return {};
    }
    return base + "/Mouse Driver/osConfLib.state";
}

}  // namespace md
