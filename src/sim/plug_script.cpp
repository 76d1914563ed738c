#include "sim/plug_script.h"

#include <algorithm>
#include <sstream>

#include "sim/virtual_bus.h"
#include "sim/virtual_device.h"

namespace md::sim {
namespace {

// The value of a step that has one; false when it is missing or out of range.
bool valueOf(const std::string& action, std::istringstream& in, int& value) {
    std::string word;
    if (!(in >> word)) return false;
    if (action == "charge") {
        if (word != "on" && word != "off") return false;
        value = word == "on" ? 1 : 2;  // charging, or on battery
        return true;
    }
    size_t used = 0;
    try {
        value = std::stoi(word, &used);
    } catch (...) {
        return false;
    }
    if (used != word.size()) return false;
    return action == "battery" ? value >= 0 && value <= 100 : value >= 0 && value <= 3;
}

}  // namespace

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
        if (!(in >> s.action >> s.device) || s.atMs < 0) {
            error = "step '" + item + "' is not 'MS ACTION DEVICE [VALUE]'";
            return false;
        }
        const bool simple =
            s.action == "plug" || s.action == "unplug" || s.action == "off" || s.action == "on";
        const bool valued = s.action == "battery" || s.action == "charge" || s.action == "phone";
        if (!simple && !valued) {
            error = "step '" + item +
                    "' is not 'MS plug|unplug|off|on DEVICE', 'MS battery DEVICE 0-100', "
                    "'MS charge DEVICE on|off' or 'MS phone DEVICE 0-3'";
            return false;
        }
        if (valued && !valueOf(s.action, in, s.value)) {
            error = "step '" + item + "' needs " +
                    (s.action == "battery"  ? "a percentage 0-100"
                     : s.action == "charge" ? "on or off"
                                            : "a phone type 0-3");
            return false;
        }
        std::string extra;
        if (in >> extra) {
            error = "step '" + item + "' has more than it needs ('" + extra + "')";
            return false;
        }
        steps.push_back(s);
    }
    std::stable_sort(steps.begin(), steps.end(),
                     [](const auto& a, const auto& b) { return a.atMs < b.atMs; });
    return true;
}

void applyPlugStep(VirtualBus& bus, const std::shared_ptr<VirtualDevice>& device,
                   const PlugStep& s) {
    if (!device) return;
    Firmware& fw = device->firmware();
    if (s.action == "plug") bus.plug(device);
    if (s.action == "unplug") bus.unplug(device);
    if (s.action == "off" || s.action == "on") fw.setPoweredOn(s.action == "on");
    if (s.action == "battery") fw.setBattery(uint8_t(s.value));
    if (s.action == "charge") fw.setCharging(uint8_t(s.value));
    if (s.action == "phone") fw.setPhoneType(uint8_t(s.value));
}

}  // namespace md::sim
