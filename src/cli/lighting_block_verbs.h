#pragma once
// The verbs of the devices with a lighting block (headset, mousepad).

#include <cstdint>
#include <span>
#include <string>

#include "cli/cli_context.h"

namespace md::cli {

// True for the --device names whose settings and lighting verbs are the lighting block's.
bool isLightingBlockDevice(const std::string& deviceName);
// settings | lighting MODE [--brightness 0-4] [--speed 0-4] [--direction 0-1] [--colour RRGGBB]
// [--multicolour]
int runLightingBlockVerb(CliContext& ctx, const std::string& verb);
// The mousepad's phone charger from a power status: "charging an iPhone", "holding a Samsung",
// "no phone".
std::string chargerText(std::span<const uint8_t> power);

}  // namespace md::cli
