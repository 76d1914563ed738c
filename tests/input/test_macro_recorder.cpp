// Recording into a macro: delays by the three policies, held keys, the four placements, mouse
// buttons, the 4000-action limit.
#include <gtest/gtest.h>

#include "input/capture/macro_recorder.h"

namespace md::capture {
namespace {

KeyRecord key(uint8_t scan, bool down, uint64_t t, bool ext = false) {
    KeyRecord r;
    r.scanCode = scan;
    r.extended = ext;
    r.down = down;
    r.timeMs = t;
    return r;
}

TEST(MacroRecorder, RecordedDelaysGoToThePreviousAction) {
    MacroRecorder rec;
    std::vector<MacroEvent> ev;
    int sel = -1;
    rec.start(MacroRecorder::kRecordedDelay, 0, 1000);
    EXPECT_TRUE(rec.recordKey(kRecordAppend, key(0x1E, true, 1100), ev, sel));   // A down
    EXPECT_FALSE(rec.recordKey(kRecordAppend, key(0x1E, true, 1130), ev, sel));  // held
    EXPECT_TRUE(rec.recordKey(kRecordAppend, key(0x1E, false, 1180), ev, sel));
    EXPECT_TRUE(rec.recordKey(kRecordAppend, key(0x1D, true, 1500, true), ev, sel));  // RCtrl
    ASSERT_EQ(ev.size(), 3u);
    EXPECT_EQ(ev[0], (MacroEvent{MacroEvent::kKey, 0x04, true, 80}));
    EXPECT_EQ(ev[1], (MacroEvent{MacroEvent::kKey, 0x04, false, 320}));
    EXPECT_EQ(ev[2], (MacroEvent{MacroEvent::kModifier, 0x10, true, 0}));
    EXPECT_EQ(sel, 2);
    // A pause beyond the format is its longest.
    EXPECT_TRUE(rec.recordKey(kRecordAppend, key(0x1D, false, 200000, true), ev, sel));
    EXPECT_EQ(ev[2].delay, 65535);
    EXPECT_FALSE(rec.recordKey(kRecordAppend, key(0x60, true, 200001), ev, sel));  // no key
}

TEST(MacroRecorder, FixedAndNoDelay) {
    for (const auto& [mode, want] : {std::pair{int(MacroRecorder::kFixedDelay), 65535},
                                     std::pair{int(MacroRecorder::kNoDelay), 0}}) {
        MacroRecorder rec;
        std::vector<MacroEvent> ev;
        int sel = -1;
        rec.start(mode, 65535, 0);
        rec.recordKey(kRecordAppend, key(0x30, true, 10), ev, sel);
        rec.recordKey(kRecordAppend, key(0x30, false, 20), ev, sel);
        rec.recordKey(kRecordAppend, key(0x2E, true, 30), ev, sel);
        ASSERT_EQ(ev.size(), 3u);
        EXPECT_EQ(ev[0].delay, want) << mode;
        EXPECT_EQ(ev[1].delay, want) << mode;
    }
}

TEST(MacroRecorder, Placements) {
    MacroRecorder rec;
    rec.start(MacroRecorder::kNoDelay, 0, 0);
    std::vector<MacroEvent> ev = {{MacroEvent::kKey, 0x04, true, 5},
                                  {MacroEvent::kKey, 0x04, false, 6}};
    int sel = 1;
    rec.recordKey(kRecordBefore, key(0x30, true, 1), ev, sel);  // B before row 1
    ASSERT_EQ(ev.size(), 3u);
    EXPECT_EQ(ev[1].button, 0x05);
    EXPECT_EQ(sel, 2);                                         // still on the row that was selected
    rec.recordKey(kRecordAfter, key(0x2E, true, 2), ev, sel);  // C after row 2
    EXPECT_EQ(ev[3].button, 0x06);
    EXPECT_EQ(sel, 3);
    rec.recordKey(kRecordReplace, key(0x20, false, 3), ev, sel);  // D up replaces row 3
    EXPECT_EQ(ev[3], (MacroEvent{MacroEvent::kKey, 0x07, false, ev[3].delay}));
    EXPECT_EQ(ev.size(), 4u);
    EXPECT_FALSE(rec.recordKey(64, key(0x20, true, 4), ev, sel));  // no recording mode
}

TEST(MacroRecorder, MouseButtonsAndTheLimit) {
    MacroRecorder rec;
    rec.start(MacroRecorder::kNoDelay, 0, 0);
    std::vector<MacroEvent> ev;
    int sel = -1;
    MouseRecord m;
    m.message = kExtraDown;
    m.extraButton = 2;
    EXPECT_TRUE(rec.recordMouse(kRecordAppend, m, ev, sel));
    EXPECT_FALSE(rec.recordMouse(kRecordAppend, m, ev, sel));  // the same message again
    m.message = kExtraUp;
    EXPECT_TRUE(rec.recordMouse(kRecordAppend, m, ev, sel));
    EXPECT_EQ(ev[0], (MacroEvent{MacroEvent::kMouseButton, 0x10, true, 0}));
    m.message = 522;  // the wheel: not recorded
    EXPECT_FALSE(rec.recordMouse(kRecordAppend, m, ev, sel));

    ev.assign(kMaxMacroEvents, MacroEvent{});
    EXPECT_FALSE(rec.recordKey(kRecordAppend, key(0x1E, true, 1), ev, sel));
    EXPECT_EQ(ev.size(), kMaxMacroEvents);
}

}  // namespace
}  // namespace md::capture
