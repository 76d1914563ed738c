#include "cli/cli_options.h"

#include <array>

namespace md::cli {

namespace {
constexpr std::array<CliOption, 18> kOptions{{
    {"--help", false},
    {"--version", false},
    {"--json", false},
    {"--trace", false},
    {"--device", true},
    {"--sysfs-root", true},
    {"--dev-root", true},
    {"--simulate", true},
    {"--sim-state", true},
    {"--script", true},
    {"--service", true},
    {"--ca-file", true},
    {"--brightness", true},
    {"--speed", true},
    {"--direction", true},
    {"--colour", true},
    {"--multicolour", false},
    {"--group", true},
}};
}  // namespace

std::span<const CliOption> cliOptions() {
    return kOptions;
}

const CliOption* findCliOption(std::string_view word) {
    if (word == "-h") word = "--help";
    for (const CliOption& o : kOptions)
        if (o.name == word) return &o;
    return nullptr;
}

}  // namespace md::cli
