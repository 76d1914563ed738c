#pragma once
// The simulated audio library's state file of this test process. Its path is fixed per process,
// as the library picks its backend (and so the file) once.

#include <unistd.h>

#include <filesystem>
#include <string>

namespace md::test {

inline std::string simStatePath() {
    static const std::string path =
        (std::filesystem::temp_directory_path() / ("md_audio_sim_" + std::to_string(::getpid())))
            .string();
    return path;
}

}  // namespace md::test
