#include <gtest/gtest.h>

#include "ui/indexed_name.h"

namespace md {

TEST(IndexedName, SplitsTrailingDecimalIndex) {
    struct Case {
        const char* name;
        const char* prefix;
        int index;
    };
    const Case cases[] = {
        {"DPI_slider_2", "DPI_slider_", 2},
        {"DPI_slider_", "DPI_slider_", -1},
        {"key_107", "key_", 107},
        {"polling_rate_option_0", "polling_rate_option_", 0},
        {"closebtn", "closebtn", -1},
        {"7", "", 7},
        {"", "", -1},
        {"DPI_edit_12345678901", "DPI_edit_12345678901", -1},  // too long for an index
    };
    for (const Case& c : cases) {
        const IndexedName n = splitIndexedName(QString::fromLatin1(c.name));
        EXPECT_EQ(n.prefix, QString::fromLatin1(c.prefix)) << c.name;
        EXPECT_EQ(n.index, c.index) << c.name;
    }
}

}  // namespace md
