#pragma once
// The virtual input device of the synthesis plugins: a uinput mouse and keyboard through which
// the program carries out host actions (wheel steps, clicks, keys).

#include <cstdint>

namespace md::sdk {

// Creates the device once; false when /dev/uinput cannot be used.
bool uinputOpen();
void uinputClose();
// Emits one event followed by a report (EV_SYN) unless sync is false.
bool uinputEmit(uint16_t type, uint16_t code, int32_t value, bool sync = true);

}  // namespace md::sdk
