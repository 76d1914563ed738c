// Fuzzes the plug-event time line of the virtual devices (`watch --script`, the demo's script
// variable). A script that parses gives at most one step per ';' or ',' separated item, sorted
// by time, each with a time of at least 0, a known action and a device name; one that does not
// says why.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "fuzz_entry.h"
#include "sim/plug_script.h"

MD_FUZZ_ENTRY(plug_script, data, size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    std::vector<md::sim::PlugStep> steps;
    std::string error;
    if (!md::sim::parsePlugScript(text, steps, error)) {
        if (error.empty()) __builtin_trap();
        return 0;
    }
    const size_t items =
        1 + static_cast<size_t>(std::count_if(text.begin(), text.end(),
                                              [](char c) { return c == ';' || c == ','; }));
    if (steps.size() > items) __builtin_trap();
    for (size_t i = 0; i < steps.size(); ++i) {
        const md::sim::PlugStep& s = steps[i];
        if (s.atMs < 0 || (i > 0 && steps[i - 1].atMs > s.atMs)) __builtin_trap();
        if (s.action != "plug" && s.action != "unplug" && s.action != "off" && s.action != "on")
            __builtin_trap();
        if (s.device.empty()) __builtin_trap();
    }
    return 0;
}
