// The capture rule for key events: records with scan code and extended flag, lock keys pass,
// auto-repeat dropped, modes that deliver nothing.
#include <gtest/gtest.h>
#include <linux/input-event-codes.h>

#include "input/capture/key_filter.h"
#include "input/capture/scan_codes.h"

namespace md::capture {
namespace {

TEST(ScanCodes, TableOfLinuxKeys) {
    struct Case {
        uint16_t evdev;
        uint8_t scan;
        bool extended;
    };
    for (const Case& c : std::initializer_list<Case>{{KEY_A, 0x1E, false},
                                                     {KEY_ESC, 0x01, false},
                                                     {KEY_F12, 0x58, false},
                                                     {KEY_KP6, 0x4D, false},
                                                     {KEY_RIGHT, 0x4D, true},
                                                     {KEY_KPENTER, 0x1C, true},
                                                     {KEY_RIGHTCTRL, 0x1D, true},
                                                     {KEY_RIGHTSHIFT, 0x36, true},
                                                     {KEY_LEFTMETA, 0x5B, true},
                                                     {KEY_NUMLOCK, 0x45, true},
                                                     {KEY_PAUSE, 0x45, false},
                                                     {KEY_102ND, 0x56, false},
                                                     {KEY_HANGEUL, 0x72, false}}) {
        const auto s = scanCodeOfEvdev(c.evdev);
        ASSERT_TRUE(s) << c.evdev;
        EXPECT_EQ(s->code, c.scan) << c.evdev;
        EXPECT_EQ(s->extended, c.extended) << c.evdev;
    }
    EXPECT_FALSE(scanCodeOfEvdev(KEY_VOLUMEUP));
    EXPECT_FALSE(scanCodeOfEvdev(0));
}

TEST(KeyFilter, DeliversDownAndUpAndSwallows) {
    KeyFilter f;
    auto down = f.onKey(kSingleKey, KEY_C, true, false, 100);
    ASSERT_TRUE(down.record);
    EXPECT_TRUE(down.swallow);
    EXPECT_EQ(down.record->scanCode, 0x2E);
    EXPECT_FALSE(down.record->extended);
    EXPECT_EQ(down.record->virtualKey, 67);
    EXPECT_TRUE(down.record->down);
    EXPECT_EQ(down.record->timeMs, 100u);
    auto up = f.onKey(kSingleKey, KEY_C, false, false, 180);
    ASSERT_TRUE(up.record);
    EXPECT_FALSE(up.record->down);
    // An extended key.
    auto del = f.onKey(kRecordAppend, KEY_DELETE, true, false, 200);
    ASSERT_TRUE(del.record);
    EXPECT_EQ(del.record->scanCode, 0x53);
    EXPECT_TRUE(del.record->extended);
    EXPECT_EQ(del.record->virtualKey, 46);
}

TEST(KeyFilter, HeldKeyGivesOneDownAndOneUp) {
    KeyFilter f;
    int downs = 0, ups = 0;
    const auto count = [&](const KeyFilter::Outcome& o) {
        EXPECT_TRUE(o.swallow);  // repeats are swallowed too
        if (o.record) (o.record->down ? downs : ups)++;
    };
    count(f.onKey(kRecordAppend, KEY_A, true, false, 0));
    count(f.onKey(kRecordAppend, KEY_A, true, true, 30));   // flagged repeat
    count(f.onKey(kRecordAppend, KEY_A, false, true, 30));  // X11 pairs repeats with ups
    count(f.onKey(kRecordAppend, KEY_A, true, false, 60));  // an unflagged second down
    count(f.onKey(kRecordAppend, KEY_A, false, false, 90));
    EXPECT_EQ(downs, 1);
    EXPECT_EQ(ups, 1);
}

TEST(KeyFilter, LockKeysPassAndOtherModesDeliverNothing) {
    KeyFilter f;
    for (uint16_t lock : {KEY_CAPSLOCK, KEY_NUMLOCK, KEY_SCROLLLOCK}) {
        const auto o = f.onKey(kSingleKey, lock, true, false, 0);
        EXPECT_FALSE(o.swallow) << lock;
        EXPECT_TRUE(o.record) << lock;  // still seen by the panel
    }
    for (int mode : {0, 64, 256, 1024}) {
        const auto o = f.onKey(mode, KEY_B, true, false, 0);
        EXPECT_FALSE(o.record) << mode;
        EXPECT_TRUE(o.swallow) << mode;
        f.onKey(mode, KEY_B, false, false, 0);
    }
}

}  // namespace
}  // namespace md::capture
