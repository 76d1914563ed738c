#pragma once
// State of the simulated audio backend, selected by MOUSE_DRIVER_AUDIO_SIM ("1": kept in the
// process; anything else: the path of a state file that separate runs share). It holds the
// property values, the properties whose calls fail, an optional ALSA proc tree in which the
// headset's card is looked up at each call (so tests can re-plug it under a new number), and
// the log of every call. Tests write and read the same file through this class.

#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace md {

inline constexpr const char* kAudioSimVariable = "MOUSE_DRIVER_AUDIO_SIM";

struct SimAudioState {
    std::string asoundRoot;         // empty: the simulated card is always present
    std::set<std::string> failing;  // property names whose get and set fail
    // "C:MuteControl", "R:EQ_Slider1", ... ("C" capture endpoint, "R" render endpoint)
    std::map<std::string, double> values;
    std::vector<std::string> log;

    // The values a fresh simulated headset answers with (ranges, levels, mutes).
    static SimAudioState fresh();
    // A missing file gives fresh(); an unreadable or malformed one nothing.
    static std::optional<SimAudioState> load(const std::string& path);
    bool save(const std::string& path) const;
    static std::optional<SimAudioState> parse(const std::string& text);
    std::string text() const;

    std::optional<double> value(char endpoint, const std::string& name) const;
};

}  // namespace md
