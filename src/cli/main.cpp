#include <iostream>
#include <string>
#include <vector>

#include "cli/cli_context.h"
#include "common/dbg_out.h"

int main(int argc, char** argv) {
    md::dbgInitFromEnvironment();
    std::vector<std::string> args(argv + 1, argv + argc);
    return md::cli::runCli(args, std::cout, std::cerr);
}
