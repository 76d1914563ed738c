#pragma once
// The program's entry: start-up, event loop and release, in the program's fixed order.

namespace md {

struct AppOptions {
    bool demo = false;    // attach the virtual devices (once detection is part of the program)
    bool hidden = false;  // start in the notification area, the window hidden
};

// The options of the running program.
const AppOptions& appOptions();

// Returns 0 in every case (a second start included).
int runApplication(int argc, char** argv);

}  // namespace md
