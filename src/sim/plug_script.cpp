#include "sim/plug_script.h"

#include <algorithm>
#include <sstream>

namespace md::sim {

bool parsePlugScript(const std::string& text, std::vector<PlugStep>& steps, std::string& error) {
    std::string normalised = text;
    for (char& c : normalised) {
        if (c == ',') c = ';';
    }
    std::istringstream all(normalised);
    std::string item;
    while (std::getline(all, item, ';')) {
        std::istringstream in(item);
        PlugStep s;
        if (!(in >> s.atMs)) {
            if (item.find_first_not_of(" \t") == std::string::npos) continue;
            error = "step '" + item + "' does not start with a time in milliseconds";
            return false;
        }
        if (!(in >> s.action >> s.device) || s.atMs < 0 ||
            (s.action != "plug" && s.action != "unplug" && s.action != "off" && s.action != "on")) {
            error = "step '" + item + "' is not 'MS plug|unplug|off|on DEVICE'";
            return false;
        }
        steps.push_back(s);
    }
    std::stable_sort(steps.begin(), steps.end(),
                     [](const auto& a, const auto& b) { return a.atMs < b.atMs; });
    return true;
}

}  // namespace md::sim
