#pragma once
// A private scratch folder per fuzz target for the life of the process (in memory when the
// system offers /dev/shm), and writing the fuzz input into a file there.

#include <stdlib.h>

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace md::fuzz {

class Scratch {
  public:
    explicit Scratch(const std::string& name) {
        const std::filesystem::path base = std::filesystem::is_directory("/dev/shm")
                                               ? std::filesystem::path("/dev/shm")
                                               : std::filesystem::temp_directory_path();
        std::string pattern = (base / ("md_fuzz_" + name + "_XXXXXX")).string();
        std::vector<char> buf(pattern.begin(), pattern.end());
        buf.push_back('\0');
        if (::mkdtemp(buf.data())) m_root = std::string(buf.data()) + "/";
    }
    ~Scratch() {
        std::error_code ec;
        if (!m_root.empty()) std::filesystem::remove_all(m_root, ec);
    }
    Scratch(const Scratch&) = delete;
    Scratch& operator=(const Scratch&) = delete;
    const std::string& root() const { return m_root; }

  private:
    std::string m_root;
};

// The folder of the target called name ("" when none could be made); ends with '/'.
inline const std::string& scratchRoot(const std::string& name) {
    static std::map<std::string, std::unique_ptr<Scratch>> folders;
    auto& s = folders[name];
    if (!s) s = std::make_unique<Scratch>(name);
    return s->root();
}

inline void writeFile(const std::string& path, const uint8_t* data, size_t size) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
}

}  // namespace md::fuzz
