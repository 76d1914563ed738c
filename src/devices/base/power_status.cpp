#include "devices/base/power_status.h"

namespace md {

std::optional<PowerStatus> readPowerStatus(DeviceLink& link) {
    if (!link.isOpen()) return std::nullopt;
    if (link.isWireless() && !link.checkWirelessOnline()) return std::nullopt;
    PowerStatus s{};
    if (link.readStatus(s, 6, 0) != link::kOk) return std::nullopt;
    s[3] = link.isWireless() ? 1 : 0;
    return s;
}

}  // namespace md
