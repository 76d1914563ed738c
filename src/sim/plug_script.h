#pragma once
// A time line of plug events for the virtual devices: "200 unplug mouse; 400 plug mouse"
// (';' or ',' between steps; actions plug, unplug, off, on). Used by `mouse-driver-cli watch
// --script` and by the demo's MOUSE_DRIVER_DEMO_SCRIPT.

#include <string>
#include <vector>

namespace md::sim {

struct PlugStep {
    int atMs = 0;
    std::string action;  // plug, unplug, off, on
    std::string device;
};

// Steps sorted by time; false with error set when a step is malformed.
bool parsePlugScript(const std::string& text, std::vector<PlugStep>& steps, std::string& error);

}  // namespace md::sim
