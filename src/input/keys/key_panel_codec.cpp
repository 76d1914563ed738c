#include "input/keys/key_panel_codec.h"

#include <charconv>

#include "input/keys/key_choices.h"

namespace md::keys {
namespace {

// The row of a table at a combo's item, or none.
std::optional<KeyAssignment> rowAt(std::span<const ChoiceRow> rows, int item) {
    if (item < 0 || static_cast<size_t>(item) >= rows.size()) return std::nullopt;
    return rows[static_cast<size_t>(item)].assignment;
}

std::optional<size_t> keyRowOfCode(uint8_t code, size_t first) {
    const auto table = keyCodeTable();
    for (size_t i = first; i < table.size(); ++i) {
        const KeyAssignment& a = table[i].assignment;
        if (a[0] == kKeyboardKey && a[1] == 0 && a[2] == code) return i;
    }
    return std::nullopt;
}

std::optional<size_t> modifierRowOf(uint8_t bits) {
    const auto table = keyCodeTable();
    for (size_t i = 0; i < kModifierRows; ++i)
        if (table[i].assignment[1] == bits) return i;
    return std::nullopt;
}

void showKeyboardKey(KeyPanelState& s, KeyBinding& b) {
    const KeyAssignment a = b.assignment;
    if (a[1] == 0) {
        s.function = kFunctionKeyboard;
        if (const auto row = keyRowOfCode(a[2], 0)) {
            s.keyTextId = keyCodeTable()[*row].nameId;
            s.modifierOption = 0;
        } else {
            s.keyTextId.clear();
            s.modifierOption = -1;
            b.assignment = {kKeyboardKey, 0, 0};
        }
        return;
    }
    if (a[1] <= 128) {
        s.function = kFunctionKeyboard;
        const auto mod = modifierRowOf(a[1]);
        s.modifierOption = mod ? modifierOptionOfRow(*mod) : 0;
        const auto row = keyRowOfCode(a[2], kModifierRows);
        s.keyTextId = row ? keyCodeTable()[*row].nameId : "";
        return;
    }
    s.function = kFunctionShortcut;
    s.shortcutItem = choiceIndexOf(shortcutChoices(), a);
}

}  // namespace

int editNumber(const std::string& text, int max) {
    long long v = 0;
    const char* end = text.data() + text.size();
    const auto r = std::from_chars(text.data(), end, v);
    if (r.ec == std::errc::result_out_of_range) return text.starts_with('-') ? 0 : max;
    if (r.ec != std::errc() || r.ptr != end) return 0;
    if (v < 0) return 0;
    return v > max ? max : static_cast<int>(v);
}

int modifierOptionOfRow(size_t row) {
    const int r = static_cast<int>(row) + 1;
    return r % 5 + r / 5;
}

uint8_t modifierOfOption(int option) {
    return option >= 1 && option <= 4 ? static_cast<uint8_t>(1u << (option - 1)) : 0;
}

KeyAssignment encodeAssignment(const KeyPanelState& s, KeyBinding& b) {
    KeyAssignment a = b.assignment;
    const auto take = [&](std::span<const ChoiceRow> rows, int item) {
        if (const auto row = rowAt(rows, item)) a = *row;
    };
    switch (s.function) {
        case kFunctionMouseButton:
            take(buttonChoices(), s.buttonItem);
            break;
        case kFunctionWheel:
            take(wheelChoices(), s.wheelItem);
            break;
        case kFunctionDpi:
            take(dpiChoices(), s.dpiItem);
            break;
        case kFunctionMedia:
            take(mediaChoices(), s.mediaItem);
            break;
        case kFunctionSystem:
            take(systemChoices(), s.systemItem);
            break;
        case kFunctionShortcut:
            take(shortcutChoices(), s.shortcutItem);
            break;
        case kFunctionSwing: {
            const int delay = editNumber(s.swingDelay, 15), speed = editNumber(s.swingSpeed, 15);
            uint8_t count = static_cast<uint8_t>(editNumber(s.swingCount, 127));
            if (s.swingItem == 1) count |= 0x80;
            a = {kHorizontalWheel, static_cast<uint8_t>(delay << 4 | speed), count};
            break;
        }
        case kFunctionFire:
            a = {kFire, static_cast<uint8_t>(editNumber(s.fireInterval, 255)),
                 static_cast<uint8_t>(editNumber(s.fireCount, 255))};
            break;
        case kFunctionKeyboard:
            a = {kKeyboardKey, modifierOfOption(s.modifierOption),
                 s.keyTextId.empty() ? uint8_t(0) : b.assignment[2]};
            break;
        case kFunctionMacro:
            // A macro item beyond the list selects nothing: the current assignment stays.
            if (s.macroItem >= 0 && s.macroItem < s.macroCount) {
                const auto m = static_cast<uint8_t>(s.macroItem);
                if (s.repeatItem == kRepeatCountItem)
                    a = {kMacroRepeated, m, static_cast<uint8_t>(editNumber(s.cycleText, 255))};
                else
                    a = {kMacro, m, static_cast<uint8_t>(s.repeatItem < 0 ? 0 : s.repeatItem)};
            }
            break;
        case kFunctionRecoil:
            a = {kRecoil, static_cast<uint8_t>(s.recoilItem < 0 ? 0 : s.recoilItem), 0};
            break;
        default:  // factory, or no function
            a = b.defaultAssignment;
            break;
    }
    b.assignment = a;
    return a;
}

KeyPanelState showAssignment(KeyBinding& b, int macroCount) {
    KeyPanelState s;
    s.macroCount = macroCount;
    const KeyAssignment a = b.assignment;
    if (b.keyIndex == b.defaultKeyIndex && a == b.defaultAssignment) {
        s.function = kFactory;
        return s;
    }
    const auto showMacro = [&] {
        s.function = kFunctionMacro;
        // The list's last index is count - 1: an index of count or more names no macro.
        if (a[1] >= macroCount) return false;
        s.macroItem = a[1];
        return true;
    };
    switch (a[0]) {
        case kDisabled:
            s.function = kFactory;
            break;
        case kMouseButton:
            s.function = kFunctionMouseButton;
            s.buttonItem = choiceIndexOf(buttonChoices(), a);
            break;
        case kHorizontalWheel:
            s.function = kFunctionWheel;
            s.wheelItem = (a[2] & 0x80) ? 3 : 2;
            break;
        case kVerticalWheel:
            s.function = kFunctionWheel;
            s.wheelItem = (a[2] & 0x80) ? 1 : 0;
            break;
        case kDpiKey:
            s.function = kFunctionDpi;
            s.dpiItem = choiceIndexOf(dpiChoices(), a);
            break;
        case kFire:
            s.function = kFunctionFire;
            s.fireInterval = std::to_string(a[1]);
            s.fireCount = std::to_string(a[2]);
            break;
        case kConsumer:
            s.function = kFunctionMedia;
            s.mediaItem = choiceIndexOf(mediaChoices(), a);
            break;
        case kSystem:
            s.function = kFunctionSystem;
            s.systemItem = choiceIndexOf(systemChoices(), a);
            break;
        case kMacro:
            if (showMacro()) s.repeatItem = a[2] < kRepeatCountItem ? a[2] : -1;
            s.cycleVisible = false;
            break;
        case kMacroRepeated:
            showMacro();
            s.repeatItem = kRepeatCountItem;
            s.cycleText = std::to_string(a[2]);
            s.cycleVisible = true;
            break;
        case kRecoil:
            s.function = kFunctionRecoil;
            s.recoilItem = a[1];
            break;
        case kCombination:
            s.function = kFunctionShortcut;
            break;
        case kKeyboardKey:
            showKeyboardKey(s, b);
            break;
        default:
            break;  // no function shows it
    }
    return s;
}

std::optional<CapturedKey> captureKey(uint8_t scanCode, bool extended, const KeyPanelState& s) {
    const auto row = rowOfScanCode(scanCode, extended);
    if (!row) return std::nullopt;
    const KeyCodeRow& r = keyCodeTable()[*row];
    if (r.assignment[0] != kKeyboardKey) return std::nullopt;
    CapturedKey c;
    if (*row < kModifierRows) {
        c.modifierOption = modifierOptionOfRow(*row);
        c.assignment = {kKeyboardKey, modifierOfOption(c.modifierOption), 0};
        return c;
    }
    c.modifierOption = s.modifierOption < 0 ? 0 : s.modifierOption;
    c.keyTextId = r.nameId;
    c.assignment = {kKeyboardKey, modifierOfOption(c.modifierOption), r.assignment[2]};
    return c;
}

AssignmentLabel assignmentLabel(const KeyAssignment& a,
                                const std::vector<std::string>& macroNames) {
    AssignmentLabel l;
    const auto fromTable = [&](std::span<const ChoiceRow> rows, const KeyAssignment& k) {
        const int i = choiceIndexOf(rows, k);
        if (i >= 0) l.textIds.push_back(rows[static_cast<size_t>(i)].nameId);
    };
    switch (a[0]) {
        case kDisabled:
            l.textIds.push_back("close_text");
            break;
        case kKeyboardKey:
            if (const auto row = rowOfAssignment(a)) {
                l.textIds.push_back(keyCodeTable()[*row].nameId);
            } else if (a[1] == 0 && a[2] == 0) {
                l.textIds.push_back("close_text");
            } else {
                // Each modifier bit by its row, then the key.
                for (size_t i = 0; i < kModifierRows; ++i)
                    if (a[1] & keyCodeTable()[i].assignment[1])
                        l.textIds.push_back(keyCodeTable()[i].nameId);
                if (const auto key = keyRowOfCode(a[2], kModifierRows); key && a[2] != 0)
                    l.textIds.push_back(keyCodeTable()[*key].nameId);
            }
            break;
        case kMouseButton:
            fromTable(buttonChoices(), {a[0], a[1], 0});
            break;
        case kHorizontalWheel:
            l.textIds.push_back((a[2] & 0x80) ? "mouse_key_left_Swing" : "mouse_key_right_Swing");
            break;
        case kVerticalWheel:
            l.textIds.push_back((a[2] & 0x80) ? "mouse_key_down_Swing" : "mouse_key_up_Swing");
            break;
        case kDpiKey:
            fromTable(dpiChoices(), {a[0], a[1], 0});
            break;
        case kFire:
            l.textIds.push_back("mouse_key_fire_key");
            break;
        case kDpiShift:
        case kShowWindow:
            fromTable(specialKeys(), {a[0], 0, 0});
            break;
        case kEditShortcut:
            fromTable(editShortcuts(), {a[0], a[1], 0});
            break;
        case kConsumer:
            fromTable(mediaChoices(), a);
            break;
        case kSystem:
            fromTable(systemChoices(), {a[0], a[1], 0});
            break;
        case kSpecialKey:
        case kKeyboardMacroKey:
            if (a[0] == kSpecialKey && a[1] == 0) {
                l.textIds.push_back("close_text");
                break;
            }
            fromTable(specialKeys(), a);
            if (l.empty())
                if (const auto row = rowOfAssignment(a))
                    l.textIds.push_back(keyCodeTable()[*row].nameId);
            break;
        case kMacro:
        case kMacroRepeated:
            if (a[1] < macroNames.size()) l.literal = macroNames[a[1]];
            break;
        default:
            break;
    }
    return l;
}

}  // namespace md::keys
