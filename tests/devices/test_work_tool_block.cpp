#include <gtest/gtest.h>

#include "common/le_bytes.h"
#include "devices/work_tool_block.h"

namespace md {

TEST(WorkToolBlock, VersionRowsAndZeroFill) {
    const auto block = buildWorkToolBlock(kDeviceModels, kProgramVersion);
    ASSERT_EQ(block.size(), 1024u);
    const uint32_t expected[] = {2,      3,      0, 2, 4, 0x248A, 0x5B50, 2,  // mouse
                                 0,      0,      1,                           // keyboard
                                 0,      0,      3,                           // mousepad
                                 0x0C76, 0x1630, 7};                          // headset
    for (std::size_t i = 0; i < std::size(expected); ++i)
        EXPECT_EQ(getLe32(block, 4 * i), expected[i]) << "word " << i;
    EXPECT_EQ(block[20], 0x8A);  // little-endian
    EXPECT_EQ(block[21], 0x24);
    for (std::size_t i = 4 * std::size(expected); i < block.size(); ++i)
        ASSERT_EQ(block[i], 0) << "byte " << i;
}

}  // namespace md
