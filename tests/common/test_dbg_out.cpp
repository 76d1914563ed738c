#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/dbg_out.h"
#include "common/le_bytes.h"

namespace md {
namespace {

TEST(DbgOut, SilentWithoutSinkAndLinesKeptAsGiven) {
    setDbgSink(nullptr);
    EXPECT_FALSE(dbgEnabled());
    std::vector<std::string> lines;
    setDbgSink([&](std::string_view l) { lines.emplace_back(l); });
    EXPECT_TRUE(dbgEnabled());
    dbgOut("命令");
    dbgOutf("%02x %02x", 4, 0xab);
    dbgOut("线程退出：：对象处于激发状态\n");
    setDbgSink(nullptr);
    dbgOut("not seen");
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0], "命令");
    EXPECT_EQ(lines[1], "04 ab");
    EXPECT_EQ(lines[2], "线程退出：：对象处于激发状态");
}

TEST(DbgOut, LongFormattedLineIsNotCut) {
    std::string got;
    setDbgSink([&](std::string_view l) { got = l; });
    const std::string big(2000, 'x');
    dbgOutf("%s|", big.c_str());
    setDbgSink(nullptr);
    EXPECT_EQ(got, big + "|");
}

TEST(LeBytes, RoundTrip) {
    uint8_t b[6] = {};
    putLe16(b, 0, 0x5b50);
    putLe32(b, 2, 0x01020304);
    EXPECT_EQ(b[0], 0x50);
    EXPECT_EQ(b[1], 0x5b);
    EXPECT_EQ(b[2], 0x04);
    EXPECT_EQ(getLe16(b, 0), 0x5b50);
    EXPECT_EQ(getLe32(b, 2), 0x01020304u);
}

}  // namespace
}  // namespace md
