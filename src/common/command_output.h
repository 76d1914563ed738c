#pragma once
// Runs a helper program of the desktop (pw-dump, gsettings) and takes what it prints, within a
// time limit, so that a hung helper never holds the thread that asked.

#include <optional>
#include <string>
#include <vector>

namespace md {

// The standard output of argv[0] (looked up in PATH) when it ends with status 0 within
// timeoutMs and prints at most maxBytes; nothing otherwise (the program is killed at the limit).
std::optional<std::string> commandOutput(const std::vector<std::string>& argv, int timeoutMs,
                                         size_t maxBytes = 16u << 20);

}  // namespace md
