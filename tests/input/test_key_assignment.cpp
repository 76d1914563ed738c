// The key assignment code: the panel's show / encode round trip over every choice row, the
// worked examples, captured keys, labels and the command line's names.
#include <gtest/gtest.h>

#include "input/keys/assignment_names.h"
#include "input/keys/key_choices.h"
#include "input/keys/key_panel_codec.h"

namespace md::keys {
namespace {

KeyBinding bindingWith(KeyAssignment current, KeyAssignment factory = {0x10, 0x01, 0x00}) {
    KeyBinding b;
    b.keyIndex = b.defaultKeyIndex = 3;
    b.assignment = current;
    b.defaultAssignment = factory;
    return b;
}

// Showing an assignment and encoding the controls gives it back.
KeyAssignment roundTrip(const KeyAssignment& a, int macroCount = 8) {
    KeyBinding b = bindingWith(a, {0x00, 0x00, 0x00});
    const KeyPanelState s = showAssignment(b, macroCount);
    EXPECT_GE(s.function, 0) << hexCode(a);
    return encodeAssignment(s, b);
}

TEST(KeyPanelCodec, EveryChoiceRowRoundTrips) {
    for (auto rows : {buttonChoices(), wheelChoices(), dpiChoices(), mediaChoices(),
                      systemChoices(), shortcutChoices()})
        for (const ChoiceRow& r : rows)
            EXPECT_EQ(roundTrip(r.assignment), r.assignment) << r.nameId;
    // Every keyboard key with a single modifier or none, fire, macros and recoil tables.
    for (const KeyCodeRow& r : keyCodeTable())
        if (r.assignment[0] == kKeyboardKey && r.assignment[1] == 0)
            for (uint8_t mod : {0x00, 0x01, 0x02, 0x04, 0x08}) {
                const KeyAssignment a{kKeyboardKey, mod, r.assignment[2]};
                EXPECT_EQ(roundTrip(a), a) << r.nameId << " " << int(mod);
            }
    for (const KeyAssignment& a : std::initializer_list<KeyAssignment>{{kFire, 30, 3},
                                                                       {kMacro, 2, 0},
                                                                       {kMacro, 7, 3},
                                                                       {kMacroRepeated, 3, 12},
                                                                       {kRecoil, 4, 0}})
        EXPECT_EQ(roundTrip(a), a) << hexCode(a);
}

TEST(KeyPanelCodec, WorkedExamples) {
    // A key whose assignment is its factory one shows the factory function.
    KeyBinding factory = bindingWith({0x10, 0x02, 0x00}, {0x10, 0x02, 0x00});
    EXPECT_EQ(showAssignment(factory, 0).function, kFactory);

    // Right Ctrl shows the Ctrl option and encodes again as left Ctrl.
    KeyBinding rctrl = bindingWith({0x20, 0x10, 0x00});
    KeyPanelState s = showAssignment(rctrl, 0);
    EXPECT_EQ(s.function, kFunctionKeyboard);
    EXPECT_EQ(s.modifierOption, 1);
    EXPECT_EQ(encodeAssignment(s, rctrl), (KeyAssignment{0x20, 0x01, 0x00}));

    // Ctrl+C chosen as a shortcut shows as a keyboard key with Ctrl and "C".
    KeyBinding ctrlC = bindingWith({0x20, 0x01, 0x06});
    s = showAssignment(ctrlC, 0);
    EXPECT_EQ(s.function, kFunctionKeyboard);
    EXPECT_EQ(s.modifierOption, 1);
    EXPECT_EQ(s.keyTextId, "keyboard_key_C");

    // A key code in no row: empty edit, the current assignment reset.
    KeyBinding unknown = bindingWith({0x20, 0x00, 0xEE});
    s = showAssignment(unknown, 0);
    EXPECT_EQ(s.keyTextId, "");
    EXPECT_EQ(s.modifierOption, -1);
    EXPECT_EQ(unknown.assignment, (KeyAssignment{0x20, 0x00, 0x00}));

    // Macro 3 repeated 12 times.
    KeyBinding b = bindingWith({0x10, 0x01, 0x00}, {0x10, 0x04, 0x00});
    s = {};
    s.function = kFunctionMacro;
    s.macroItem = 3;
    s.macroCount = 5;
    s.repeatItem = kRepeatCountItem;
    s.cycleText = "12";
    EXPECT_EQ(encodeAssignment(s, b), (KeyAssignment{0x71, 0x03, 0x0C}));

    // The repeated horizontal wheel: direction item 1, delay 3, speed 5, count 4.
    s = {};
    s.function = kFunctionSwing;
    s.swingItem = 1;
    s.swingDelay = "3";
    s.swingSpeed = "5";
    s.swingCount = "4";
    EXPECT_EQ(encodeAssignment(s, b), (KeyAssignment{0x11, 0x35, 0x84}));
    EXPECT_EQ(b.assignment, (KeyAssignment{0x11, 0x35, 0x84}));
    EXPECT_EQ(b.keyIndex, 3);
}

TEST(KeyPanelCodec, OutOfRangeInputStaysInItsField) {
    KeyBinding b = bindingWith({0x10, 0x01, 0x00});
    KeyPanelState s;
    s.function = kFunctionSwing;
    s.swingItem = 0;
    // A count above 127 must not set the direction bit; junk reads as 0.
    for (const auto& [count, want] : std::initializer_list<std::pair<const char*, uint8_t>>{
             {"200", 127}, {"-5", 0}, {"abc", 0}, {"", 0}, {"99999999999999999999", 127}}) {
        s.swingCount = count;
        EXPECT_EQ(encodeAssignment(s, b)[2], want) << count;
    }
    s = {};
    s.function = kFunctionFire;
    s.fireInterval = "300";
    s.fireCount = "7";
    EXPECT_EQ(encodeAssignment(s, b), (KeyAssignment{0x14, 255, 7}));

    // A macro index equal to the number of macros names none: shown without a macro, and an
    // encode without a macro keeps the current assignment.
    KeyBinding m = bindingWith({0x70, 0x02, 0x01});
    s = showAssignment(m, 2);
    EXPECT_EQ(s.function, kFunctionMacro);
    EXPECT_EQ(s.macroItem, -1);
    EXPECT_EQ(encodeAssignment(s, m), (KeyAssignment{0x70, 0x02, 0x01}));
    s.macroItem = 2;  // equal to the count
    EXPECT_EQ(encodeAssignment(s, m), (KeyAssignment{0x70, 0x02, 0x01}));
}

TEST(KeyPanelCodec, CapturedKeys) {
    KeyPanelState s;
    s.function = kFunctionKeyboard;
    s.modifierOption = -1;
    auto c = captureKey(0x2E, false, s);  // C
    ASSERT_TRUE(c);
    EXPECT_EQ(c->modifierOption, 0);
    EXPECT_EQ(c->keyTextId, "keyboard_key_C");
    EXPECT_EQ(c->assignment, (KeyAssignment{0x20, 0x00, 0x06}));
    s.modifierOption = 2;           // Shift stays with the next key
    c = captureKey(0x4D, true, s);  // Right arrow (extended)
    ASSERT_TRUE(c);
    EXPECT_EQ(c->assignment, (KeyAssignment{0x20, 0x02, 0x4F}));
    c = captureKey(0x1D, true, s);  // Right Ctrl: the Ctrl option, no key
    ASSERT_TRUE(c);
    EXPECT_EQ(c->modifierOption, 1);
    EXPECT_EQ(c->keyTextId, "");
    EXPECT_EQ(c->assignment, (KeyAssignment{0x20, 0x01, 0x00}));
    // Keypad 6 is the same scan code without the flag: another key.
    EXPECT_EQ(captureKey(0x4D, false, s)->assignment, (KeyAssignment{0x20, 0x02, 0x5E}));
    EXPECT_FALSE(captureKey(0x60, false, s));  // no such key
}

TEST(KeyPanelCodec, Labels) {
    const std::vector<std::string> macros = {"one", "two"};
    const auto ids = [&](KeyAssignment a) { return assignmentLabel(a, macros).textIds; };
    using V = std::vector<std::string>;
    EXPECT_EQ(ids({0x20, 0x01, 0x06}), (V{"keyboard_key_LCtrl", "keyboard_key_C"}));
    EXPECT_EQ(ids({0x20, 0x03, 0x00}), (V{"keyboard_key_LCtrl", "keyboard_key_LShift"}));
    EXPECT_EQ(ids({0x20, 0x00, 0x04}), (V{"keyboard_key_A"}));
    EXPECT_EQ(ids({0x20, 0x00, 0x00}), (V{"close_text"}));
    EXPECT_EQ(ids({0x00, 0x00, 0x00}), (V{"close_text"}));
    EXPECT_EQ(ids({0x10, 0x08, 0x00}), (V{"mouse_key_back"}));
    EXPECT_EQ(ids({0x12, 0x2A, 0x81}), (V{"mouse_key_down_Swing"}));
    EXPECT_EQ(ids({0x13, 0x03, 0x00}), (V{"mouse_key_DPI_loop"}));
    EXPECT_EQ(ids({0x30, 0xE9, 0x00}), (V{"media_vol_add"}));
    EXPECT_EQ(ids({0xD0, 0xA2, 0x02}), (V{"keyboard_key_M2"}));
    EXPECT_EQ(assignmentLabel({0x71, 0x01, 0x05}, macros).literal, "two");
    EXPECT_TRUE(assignmentLabel({0x70, 0x02, 0x00}, macros).empty());  // no macro 2
    EXPECT_TRUE(assignmentLabel({0x50, 0x00, 0x00}, macros).empty());
}

TEST(AssignmentNames, EveryNameRoundTrips) {
    const KeyAssignment factory{0x10, 0x01, 0x00};
    std::vector<KeyAssignment> all;
    for (auto rows : {buttonChoices(), wheelChoices(), dpiChoices(), mediaChoices(),
                      systemChoices(), shortcutChoices(), editShortcuts(), specialKeys()})
        for (const ChoiceRow& r : rows) all.push_back(r.assignment);
    for (const KeyCodeRow& r : keyCodeTable()) all.push_back(r.assignment);
    for (const KeyAssignment& a : std::initializer_list<KeyAssignment>{{0x20, 0x05, 0x06},
                                                                       {0x20, 0x80, 0x00},
                                                                       {0x11, 0x35, 0x84},
                                                                       {0x12, 0x2A, 0x05},
                                                                       {0x14, 30, 3},
                                                                       {0x70, 2, 0},
                                                                       {0x70, 2, 3},
                                                                       {0x71, 3, 12},
                                                                       {0x72, 4, 0},
                                                                       {0x55, 0x12, 0x34},
                                                                       {0x20, 0x00, 0xEE}})
        all.push_back(a);
    for (const KeyAssignment& a : all) {
        const std::string name = assignmentName(a);
        const ParsedAssignment p = parseAssignmentName(name, factory, 8);
        EXPECT_TRUE(p.ok) << name << ": " << p.error;
        EXPECT_EQ(p.assignment, a) << name;
    }
    EXPECT_EQ(assignmentName({0x20, 0x01, 0x06}), "key:ctrl+c");
    EXPECT_EQ(assignmentName({0x13, 0x01, 0x00}), "dpi-up");
    EXPECT_EQ(assignmentName({0x71, 0x03, 0x0C}), "macro:3:x12");
}

TEST(AssignmentNames, ParsesWhatUsersType) {
    const KeyAssignment factory{0x10, 0x04, 0x00};
    struct Case {
        const char* text;
        bool ok;
        KeyAssignment want;
    };
    for (const Case& c : std::initializer_list<Case>{{"Left", true, {0x10, 0x01, 0x00}},
                                                     {"dpi-up", true, {0x13, 0x01, 0x00}},
                                                     {"key:Ctrl+C", true, {0x20, 0x01, 0x06}},
                                                     {"key:shift+alt+f4", true, {0x20, 0x06, 0x3D}},
                                                     {"key:lctrl", true, {0x20, 0x01, 0x00}},
                                                     {"macro:2", true, {0x70, 0x02, 0x00}},
                                                     {"wheel-up", true, {0x12, 0x2A, 0x01}},
                                                     {"disabled", true, {0x00, 0x00, 0x00}},
                                                     {"default", true, {0x10, 0x04, 0x00}},
                                                     {"100100", true, {0x10, 0x01, 0x00}},
                                                     {"macro:3", false, {}},  // three macros: 0-2
                                                     {"key:c+d", false, {}},
                                                     {"key:", false, {}},
                                                     {"key:hyper", false, {}},
                                                     {"fire:300:1", false, {}},
                                                     {"wheel-up:128:1:1", false, {}},
                                                     {"macro:1:4", false, {}},
                                                     {"nonsense", false, {}},
                                                     {"10010", false, {}}}) {
        const ParsedAssignment p = parseAssignmentName(c.text, factory, 3);
        EXPECT_EQ(p.ok, c.ok) << c.text << ": " << p.error;
        if (c.ok) {
            EXPECT_EQ(p.assignment, c.want) << c.text;
        } else {
            EXPECT_FALSE(p.error.empty()) << c.text;
        }
    }
}

}  // namespace
}  // namespace md::keys
