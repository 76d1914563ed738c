#pragma once
// Argument helpers shared by the verbs: numbers within a range, the lighting options and the
// messages for arguments that do not fit.

#include <string>

#include "cli/cli_context.h"
#include "profiles/profile_ranges.h"
#include "profiles/profile_records.h"

namespace md::cli {

// A whole decimal number within [min, max].
bool parseInt(const std::string& text, int min, int max, int& out);
std::string rangeText(ValueRange r);
// Prints what and answers kExitBadArguments.
int badArgument(CliContext& ctx, const std::string& what);
// "rrggbb".
std::string hexColour(uint8_t r, uint8_t g, uint8_t b);
// The lighting options into l: --brightness, --speed, --direction, --colour RRGGBB (single
// colour) and --multicolour. kExitOk, or kExitBadArguments with the reason printed.
int applyLightingOptions(CliContext& ctx, LightSetting& l);

}  // namespace md::cli
