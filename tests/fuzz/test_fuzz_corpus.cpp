// Replays every stored fuzz corpus through its entry so that inputs once found interesting stay
// covered by the normal test run.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include "fuzz_entry.h"

MD_FUZZ_ENTRY(device_config, data, size);
MD_FUZZ_ENTRY(device_replies, data, size);
MD_FUZZ_ENTRY(hid_descriptor, data, size);
MD_FUZZ_ENTRY(light_files, data, size);
MD_FUZZ_ENTRY(macro_files, data, size);
MD_FUZZ_ENTRY(memory_image, data, size);
MD_FUZZ_ENTRY(plug_script, data, size);
MD_FUZZ_ENTRY(state_file, data, size);

namespace md {
namespace {

using Entry = int (*)(const uint8_t*, size_t);

size_t replay(const char* corpus, Entry entry) {
    size_t n = 0;
    const auto dir = std::filesystem::path(MD_SOURCE_DIR) / "fuzz/corpus" / corpus;
    for (const auto& f : std::filesystem::directory_iterator(dir)) {
        std::ifstream in(f.path(), std::ios::binary);
        const std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)),
                                         std::istreambuf_iterator<char>());
        EXPECT_EQ(entry(bytes.data(), bytes.size()), 0) << f.path();
        ++n;
    }
    return n;
}

TEST(FuzzCorpus, DeviceConfig) {
    EXPECT_GT(replay("device_config", mdFuzz_device_config), 0u);
}

TEST(FuzzCorpus, DeviceReplies) {
    EXPECT_GT(replay("device_replies", mdFuzz_device_replies), 0u);
}

TEST(FuzzCorpus, HidDescriptor) {
    EXPECT_GT(replay("hid_descriptor", mdFuzz_hid_descriptor), 0u);
}

TEST(FuzzCorpus, LightFiles) {
    EXPECT_GT(replay("light_files", mdFuzz_light_files), 0u);
}

TEST(FuzzCorpus, MacroFiles) {
    EXPECT_GT(replay("macro_files", mdFuzz_macro_files), 0u);
}

TEST(FuzzCorpus, MemoryImage) {
    EXPECT_GT(replay("memory_image", mdFuzz_memory_image), 0u);
}

TEST(FuzzCorpus, PlugScript) {
    EXPECT_GT(replay("plug_script", mdFuzz_plug_script), 0u);
}

TEST(FuzzCorpus, StateFile) {
    EXPECT_GT(replay("state_file", mdFuzz_state_file), 0u);
}

}  // namespace
}  // namespace md
