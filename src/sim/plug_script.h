#pragma once
// A time line of events for the virtual devices: "200 unplug mouse; 400 plug mouse; 2000 battery
// mouse 9; 4000 charge mouse on; 6000 phone mousepad 1" (';' or ',' between steps). Actions:
// plug, unplug, off, on DEVICE; battery DEVICE PERCENT (0-100); charge DEVICE on|off (on: the
// device charges, off: it runs on its battery); phone DEVICE TYPE (0 none, 1 iPhone, 2 Samsung,
// 3 other phone on the charger). Used by `mouse-driver-cli watch --script` and by the demo's
// MOUSE_DRIVER_DEMO_SCRIPT.

#include <memory>
#include <string>
#include <vector>

namespace md::sim {

class VirtualBus;
class VirtualDevice;

struct PlugStep {
    int atMs = 0;
    std::string action;  // plug, unplug, off, on, battery, charge, phone
    std::string device;
    int value = 0;  // battery percent, charge 1 (on) or 2 (off), phone type
};

// Steps sorted by time; false with error set when a step is malformed.
bool parsePlugScript(const std::string& text, std::vector<PlugStep>& steps, std::string& error);

// Carries out one step on a device of the bus.
void applyPlugStep(VirtualBus& bus, const std::shared_ptr<VirtualDevice>& device,
                   const PlugStep& step);

}  // namespace md::sim
