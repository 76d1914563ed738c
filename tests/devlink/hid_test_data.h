#pragma once
// Helpers for tests that read the recorded report descriptors of the shared test data.

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace md::test {

inline std::filesystem::path hidTestDataDir() {
    return std::filesystem::path(MD_TESTDATA_DIR) / "hid";
}

// Reads the descriptor bytes of an "R: <length> <hex bytes>" line.
inline std::vector<uint8_t> readRecordedDescriptor(const std::filesystem::path& file) {
    std::ifstream in(file);
    std::string line;
    std::vector<uint8_t> bytes;
    while (std::getline(in, line)) {
        if (line.rfind("R:", 0) != 0) continue;
        std::istringstream ss(line.substr(2));
        size_t length = 0;
        ss >> length;
        std::string hex;
        while (ss >> hex) bytes.push_back(static_cast<uint8_t>(std::stoul(hex, nullptr, 16)));
        if (bytes.size() != length) bytes.clear();
        break;
    }
    return bytes;
}

}  // namespace md::test
