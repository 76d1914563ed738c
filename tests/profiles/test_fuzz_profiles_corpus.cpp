// Replays the corpus of the profile readers' fuzz target in every normal build.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "temp_folder.h"

#define MD_FUZZ_NO_ENTRY
#include "../../fuzz/fuzz_profiles.cpp"

namespace md {
namespace {

TEST(FuzzProfilesCorpus, EveryInputIsHandled) {
    const std::filesystem::path corpus = MD_SOURCE_DIR "/fuzz/corpus/profiles";
    ASSERT_TRUE(std::filesystem::is_directory(corpus));
    int count = 0;
    for (const auto& e : std::filesystem::directory_iterator(corpus)) {
        const std::string bytes = test::readBytes(e.path().string());
        SCOPED_TRACE(e.path().filename().string());
        EXPECT_EQ(
            fuzz::runProfileReaders(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size()),
            0);
        ++count;
    }
    EXPECT_GE(count, 10);
}

}  // namespace
}  // namespace md
