#include "input/desktop/gnome_pointer.h"

#include <algorithm>
#include <vector>

#include "common/command_output.h"

namespace md {
namespace {

constexpr const char* kSchema = "org.gnome.desktop.peripherals.mouse";
constexpr int kTimeoutMs = 3000;

bool set(const char* key, const std::string& value, std::string& problem) {
    if (commandOutput({"gsettings", "set", kSchema, key, value}, kTimeoutMs)) return true;
    problem = std::string("gsettings could not set ") + kSchema + " " + key;
    return false;
}

}  // namespace

bool GnomePointer::apply(const PointerValues& v, std::string& problem) {
    return set("speed", libinputSpeedText(v.speed), problem) &&
           set("accel-profile", v.precision ? "'default'" : "'flat'", problem) &&
           set("double-click", std::to_string(std::clamp(v.doubleClickMs, 100, 2000)), problem);
}

}  // namespace md
