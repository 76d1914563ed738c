#pragma once
// Reading the arguments and options the device verbs share.

#include <string>

#include "cli/cli_context.h"
#include "profiles/profile_ranges.h"
#include "profiles/profile_records.h"

namespace md::cli {

// A whole decimal number within [min, max].
bool parseInt(const std::string& text, int min, int max, int& out);
inline bool parseInt(const std::string& text, ValueRange r, int& out) {
    return parseInt(text, r.min, r.max, out);
}
std::string rangeText(ValueRange r);
// Prints what is wrong and returns kExitBadArguments.
int badArgument(CliContext& ctx, const std::string& what);
std::string hexColour(uint8_t r, uint8_t g, uint8_t b);

// The lighting options --brightness, --speed, --direction, --colour RRGGBB and --multicolour
// applied to l. False with the problem printed (prefixed with verb) when one is out of range.
bool applyLightingOptions(CliContext& ctx, const char* verb, LightSetting& l);

}  // namespace md::cli
