#pragma once
// The command line's names of key assignments, the same choices the key panel offers:
//   default                 the key's factory assignment
//   disabled
//   left middle right forward back
//   wheel-up wheel-down wheel-right wheel-left   (with :COUNT:DELAY:SPEED for other steps)
//   dpi-up dpi-down dpi-cycle dpi-shift
//   fire:INTERVAL:COUNT
//   key:NAME or key:MOD+...+NAME   (MOD ctrl shift alt win, rctrl rshift ralt rwin), key:ctrl
//   media:NAME  system:power|sleep|wake  edit:cut|copy|...  show-window
//   macro:N  macro:N:MODE (0-3)  macro:N:xCOUNT (repeated COUNT times)
//   recoil:N  fn smart-key game-mode m1-m5
//   or the raw code as six hexadecimal digits (e.g. 100100).

#include <string>

#include "input/keys/key_code_table.h"

namespace md::keys {

// The name of an assignment; the six hexadecimal digits for one without a name.
std::string assignmentName(const KeyAssignment& a);

struct ParsedAssignment {
    bool ok = false;
    KeyAssignment assignment{};
    std::string error;
};
// Reads a name (or raw code). factory is what "default" stands for; a macro number must be
// below macroCount.
ParsedAssignment parseAssignmentName(const std::string& text, const KeyAssignment& factory,
                                     int macroCount);

std::string hexCode(const KeyAssignment& a);

}  // namespace md::keys
