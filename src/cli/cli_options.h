#pragma once
// The options of mouse-driver-cli, in one table: the parser, the hand-over to the running
// program (which words are option values) and the shell completions read it.

#include <span>
#include <string_view>

namespace md::cli {

struct CliOption {
    std::string_view name;  // "--device"
    bool takesValue;
};

std::span<const CliOption> cliOptions();
// The option of this word, or null ("-h" is "--help").
const CliOption* findCliOption(std::string_view word);

}  // namespace md::cli
