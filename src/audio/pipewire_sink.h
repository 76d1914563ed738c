#pragma once
// Which PipeWire sink is the headset's: the equaliser's output must go there, not to whatever
// the default sink is. PipeWire describes its objects as JSON (the output of `pw-dump`); the
// headset's ALSA device carries the USB ids and its card number, and its sink names that
// device.

#include <cstdint>
#include <optional>
#include <string>

namespace md {

// The node.name of the Audio/Sink that belongs to the USB device vendor:product (or, when the
// device does not tell its ids, to ALSA card `card`); empty when there is none or the text is
// no object list.
std::string headsetSinkFromDump(const std::string& dumpJson, uint16_t vendor, uint16_t product,
                                std::optional<int> card);

}  // namespace md
