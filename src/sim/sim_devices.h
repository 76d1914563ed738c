#pragma once
// Ready-made virtual devices and the bus of --demo / --simulate.
//
// Identifiers (vendor:product):
//   mouse on its cable   248A:5B50   interfaces 0 (boot mouse) and 1 (four collections)
//   2.4G receiver        320F:221D   as the mouse; forwards commands to the mouse's firmware
//   keyboard             248A:5B60   interfaces 0 (boot keyboard) and 1   (default, settable)
//   keyboard receiver    320F:2260   kind 9: the keyboard's other connection (default, settable)
//   mousepad             248A:5B70   interfaces 0 (boot keyboard) and 1   (default, settable)
//   headset              0C76:1630   interface 3 (one consumer collection)
// The defaults of the keyboard, its receiver and the mousepad are those that
// DefaultData/devices.json is to carry for them.

#include <memory>
#include <string>
#include <vector>

#include "sim/virtual_bus.h"
#include "sim/virtual_device.h"

namespace md::sim {

struct UsbIds {
    uint16_t vendorId = 0;
    uint16_t productId = 0;
};

inline constexpr UsbIds kMouseIds{0x248A, 0x5B50};
inline constexpr UsbIds kReceiverIds{0x320F, 0x221D};
inline constexpr UsbIds kKeyboardIds{0x248A, 0x5B60};
inline constexpr UsbIds kKeyboardReceiverIds{0x320F, 0x2260};
inline constexpr UsbIds kMousepadIds{0x248A, 0x5B70};
inline constexpr UsbIds kHeadsetIds{0x0C76, 0x1630};

std::shared_ptr<Firmware> makeMouseFirmware();
std::shared_ptr<Firmware> makeKeyboardFirmware(UsbIds ids = kKeyboardIds);
std::shared_ptr<Firmware> makeMousepadFirmware(UsbIds ids = kMousepadIds);
std::shared_ptr<Firmware> makeHeadsetFirmware();

// Each maker creates its firmware when none is given.
std::shared_ptr<VirtualDevice> makeMouse(std::shared_ptr<Firmware> firmware = nullptr);
std::shared_ptr<VirtualDevice> makeReceiver(std::shared_ptr<Firmware> mouseFirmware,
                                            UsbIds ids = kReceiverIds);
std::shared_ptr<VirtualDevice> makeKeyboard(std::shared_ptr<Firmware> firmware = nullptr,
                                            UsbIds ids = kKeyboardIds);
std::shared_ptr<VirtualDevice> makeKeyboardReceiver(std::shared_ptr<Firmware> keyboardFirmware,
                                                    UsbIds ids = kKeyboardReceiverIds);
std::shared_ptr<VirtualDevice> makeMousepad(std::shared_ptr<Firmware> firmware = nullptr,
                                            UsbIds ids = kMousepadIds);
std::shared_ptr<VirtualDevice> makeHeadset(std::shared_ptr<Firmware> firmware = nullptr);

// The names makeVirtualBus accepts.
const std::vector<std::string>& simulatedKinds();

// A bus with one device of each listed kind plugged in ("mouse", "receiver", "keyboard",
// "keyboard-receiver", "mousepad", "headset"). The mouse and its receiver share one firmware,
// as do the keyboard and its receiver. With a state file the firmware memories are loaded from
// it and saved back when the bus goes away. nullptr (and *error set) for an unknown or repeated
// kind.
std::shared_ptr<VirtualBus> makeVirtualBus(const std::vector<std::string>& kinds,
                                           const std::string& stateFile,
                                           std::string* error = nullptr);

// Splits "mouse,receiver,headset" at commas (empty items dropped).
std::vector<std::string> splitKinds(const std::string& list);

}  // namespace md::sim
