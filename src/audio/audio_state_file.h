#pragma once
// Audio property values kept in a small text file.
//
// The simulated backend, selected by MOUSE_DRIVER_AUDIO_SIM ("1": kept in the process; anything
// else: the path of a state file that separate runs share), keeps all of its state here: the
// property values, the properties whose calls fail, an optional ALSA proc tree in which the
// headset's card is looked up at each call (so tests can re-plug it under a new number), and the
// log of every call. Tests write and read the same file through this class.
// The sound-system backend keeps here the values it remembers for the properties Linux has no
// control for, so that they (and the equaliser) outlive the program like a device's settings.

#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace md {

inline constexpr const char* kAudioSimVariable = "MOUSE_DRIVER_AUDIO_SIM";

struct AudioStateFile {
    std::string asoundRoot;         // empty: the simulated card is always present
    std::set<std::string> failing;  // property names whose get and set fail
    // "C:MuteControl", "R:EQ_Slider1", ... ("C" capture endpoint, "R" render endpoint)
    std::map<std::string, double> values;
    std::vector<std::string> log;

    // The values a fresh simulated headset answers with (ranges, levels, mutes).
    static AudioStateFile fresh();
    // A missing file gives `missing`; an unreadable or malformed one nothing.
    static std::optional<AudioStateFile> load(const std::string& path, AudioStateFile missing = {});
    bool save(const std::string& path) const;
    static std::optional<AudioStateFile> parse(const std::string& text);
    std::string text() const;

    std::optional<double> value(char endpoint, const std::string& name) const;
};

// Where the sound-system backend keeps its remembered values:
// $XDG_STATE_HOME/Mouse Driver/osConfLib.state (default ~/.local/state/...); empty without a
// home folder.
std::string rememberedAudioStatePath();

}  // namespace md
