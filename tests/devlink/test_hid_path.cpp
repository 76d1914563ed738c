#include <gtest/gtest.h>

#include "devlink/hid/hid_path.h"

namespace md {
namespace {

struct PathCase {
    const char* path;
    uint16_t vid, pid, mi, col;
};

TEST(HidPath, ParsersReadHexAfterTheirTokens) {
    const PathCase cases[] = {
        {"/dev/hidraw3#vid_248a&pid_5b50&mi_01&col04", 0x248A, 0x5B50, 1, 4},
        {"\\\\?\\HID#VID_248A&PID_5B50&MI_01&COL04#7&1a2b#{4d1e55b2}", 0x248A, 0x5B50, 1, 4},
        {"/dev/hidraw0#vid_0c76&pid_1630&mi_03", 0x0C76, 0x1630, 3, 0},
        {"/dev/hidraw1#vid_320f&pid_221d", 0x320F, 0x221D, 0, 0},
        {"", 0, 0, 0, 0},
        {"vid_&pid_zz&mi_&col", 0, 0, 0, 0},                             // tokens without numbers
        {"vid_1248a&pid_5b50", 0x248A, 0x5B50, 0, 0},                    // truncated to 16 bits
        {"#vid_248a&pid_5b50&col1f&mi_0a", 0x248A, 0x5B50, 0x0A, 0x1F},  // any order
        {"#vid_248a&mi_01&col04xyz", 0x248A, 0, 1, 4},  // stops at the first non-digit
        {"#VID_0X248A", 0x248A, 0, 0, 0},               // "%x" takes a 0x prefix
        {"#pid_5b50mi_01", 0, 0x5B50, 0, 0},            // "&mi_" needs its ampersand
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path);
        EXPECT_EQ(parseVid(c.path), c.vid);
        EXPECT_EQ(parsePid(c.path), c.pid);
        EXPECT_EQ(parseInterfaceNumber(c.path), c.mi);
        EXPECT_EQ(parseCollectionNumber(c.path), c.col);
    }
}

TEST(HidPath, BuiltPathsCarryMiAndColOnlyWhenNeeded) {
    EXPECT_EQ(makeHidPath("/dev/hidraw3", 0x248A, 0x5B50, 1, true, 4, 4),
              "/dev/hidraw3#vid_248a&pid_5b50&mi_01&col04");
    EXPECT_EQ(makeHidPath("/dev/hidraw7", 0x0C76, 0x1630, 3, true, 1, 1),
              "/dev/hidraw7#vid_0c76&pid_1630&mi_03");
    EXPECT_EQ(makeHidPath("/dev/hidraw1", 0x046D, 0xC077, 0, false, 1, 1),
              "/dev/hidraw1#vid_046d&pid_c077");
    EXPECT_EQ(pathNode("/dev/hidraw3#vid_248a"), "/dev/hidraw3");
    EXPECT_EQ(pathNode("/dev/hidraw3"), "/dev/hidraw3");
}

}  // namespace
}  // namespace md
