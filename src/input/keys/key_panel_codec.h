#pragma once
// The key panel's logic over plain data: what its controls show for a stored assignment
// (showAssignment), the assignment its controls stand for (encodeAssignment), a key pressed
// while the keyboard-key edit captures (captureKey) and the label a key gets on the device
// picture (assignmentLabel). The panel widget only copies this state to and from its controls.

#include <optional>
#include <string>
#include <vector>

#include "input/keys/key_code_table.h"
#include "profiles/profile_records.h"

namespace md::keys {

// The functions of "keyset_function_combo", by the number its items carry.
enum KeyFunction : int {
    kFactory = 0,
    kFunctionMouseButton = 1,
    kFunctionSwing = 2,
    kFunctionWheel = 3,
    kFunctionDpi = 4,
    kFunctionFire = 5,
    kFunctionKeyboard = 6,
    kFunctionMedia = 7,
    kFunctionSystem = 8,
    kFunctionMacro = 9,
    kFunctionRecoil = 10,
    kFunctionShortcut = 11,
    kFunctionCount = 12,
};

inline constexpr int kRepeatCountItem = 4;  // "keyset_macro_over_combo": repeat a number of times

// What the panel's controls show (-1: no item selected; texts as typed, or a key's text id).
struct KeyPanelState {
    int function = -1;
    int buttonItem = -1;
    int swingItem = -1;  // 0 right, 1 left
    std::string swingCount, swingDelay, swingSpeed;
    int wheelItem = -1;
    int dpiItem = -1;
    std::string fireInterval, fireCount;
    int modifierOption = -1;  // 0 none, 1 Ctrl, 2 Shift, 3 Alt, 4 Win
    std::string keyTextId;    // the keyboard-key edit: a key's text id, "" when empty
    int mediaItem = -1;
    int systemItem = -1;
    int macroItem = -1;
    int macroCount = 0;  // items of the macro combo
    int repeatItem = -1;
    std::string cycleText;
    bool cycleVisible = false;
    int recoilItem = -1;
    int shortcutItem = -1;
};

// The assignment the controls stand for; it becomes the binding's current assignment (the
// key index stays). Numbers typed into the edits are read as decimal and kept within their
// field (a wheel count within 0-127, so it never reaches the direction bit).
KeyAssignment encodeAssignment(const KeyPanelState& state, KeyBinding& binding);

// The controls for the binding's current assignment. A keyboard key in no table row resets
// the current assignment to 20 00 00.
KeyPanelState showAssignment(KeyBinding& binding, int macroCount);

// The option a modifier row selects: left and right modifiers give the same option.
int modifierOptionOfRow(size_t row);
// The modifier bit of an option 1-4, 0 for none.
uint8_t modifierOfOption(int option);

struct CapturedKey {
    int modifierOption;
    std::string keyTextId;  // "" for a modifier
    KeyAssignment assignment;
};
// A key went down while the keyboard-key edit captures: the new controls and current
// assignment, or none for a key that is not a keyboard key.
std::optional<CapturedKey> captureKey(uint8_t scanCode, bool extended, const KeyPanelState& state);

// The label of a key on the device picture: text ids to translate and join with "+", or a
// macro's name (literal). Empty for assignments without a label.
struct AssignmentLabel {
    std::vector<std::string> textIds;
    std::string literal;
    bool empty() const { return textIds.empty() && literal.empty(); }
};
AssignmentLabel assignmentLabel(const KeyAssignment& a, const std::vector<std::string>& macroNames);

// Reads an edit's decimal number: anything else gives 0; the value is kept within [0, max].
int editNumber(const std::string& text, int max);

}  // namespace md::keys
