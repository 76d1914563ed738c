// Replays the stored corpus of the update files' fuzz target through its entry.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include "fuzz_entry.h"

MD_FUZZ_ENTRY(update_files, data, size);

namespace md {
namespace {

TEST(FuzzCorpus, UpdateFiles) {
    size_t n = 0;
    const auto dir = std::filesystem::path(MD_SOURCE_DIR) / "fuzz/corpus/update_files";
    for (const auto& f : std::filesystem::directory_iterator(dir)) {
        std::ifstream in(f.path(), std::ios::binary);
        const std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)),
                                         std::istreambuf_iterator<char>());
        EXPECT_EQ(mdFuzz_update_files(bytes.data(), bytes.size()), 0) << f.path();
        ++n;
    }
    EXPECT_GT(n, 0u);
}

}  // namespace
}  // namespace md
