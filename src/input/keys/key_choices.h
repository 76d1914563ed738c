#pragma once
// The choices of the key panel's combos: each row is an assignment, its index the combo's item
// index. Each row also has the language text id the panel shows and the command line's name.

#include <span>

#include "input/keys/key_code_table.h"

namespace md::keys {

struct ChoiceRow {
    KeyAssignment assignment;
    const char* nameId;
    const char* cliName;
};

std::span<const ChoiceRow> buttonChoices();    // "keyset_mousekey_combo"
std::span<const ChoiceRow> wheelChoices();     // "keyset_mousewheel_combo"
std::span<const ChoiceRow> dpiChoices();       // "keyset_mousedpi_combo"
std::span<const ChoiceRow> mediaChoices();     // "keyset_media_combo"
std::span<const ChoiceRow> systemChoices();    // "keyset_system_combo"
std::span<const ChoiceRow> shortcutChoices();  // "keyset_combokey_combo"
std::span<const ChoiceRow> editShortcuts();    // type 0x22, by param1
std::span<const ChoiceRow> specialKeys();      // types 0x16, 0x23, 0xA0, 0xD0

// The index of the row equal to a, or -1.
int choiceIndexOf(std::span<const ChoiceRow> rows, const KeyAssignment& a);

}  // namespace md::keys
