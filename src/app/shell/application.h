#pragma once
// The program's entry: start-up, event loop and release, in the program's fixed order.

namespace md {

struct AppOptions {
    bool demo = false;    // attach the virtual devices (once detection is part of the program)
    bool hidden = false;  // start in the notification area, the window hidden
};

// The options of the running program.
const AppOptions& appOptions();

// Returns 0 when the program ends normally (a second start included), 2 on a command line it
// does not take.
int runApplication(int argc, char** argv);

}  // namespace md
