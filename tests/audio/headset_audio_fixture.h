#pragma once
// The headset audio settings on the library stand-in's simulated backend: a headset profile in
// a temporary folder, the two plain pages, and the simulation's state file, which the library
// reads and writes at every call.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "audio/audio_state_file.h"
#include "audio/headset_audio.h"
#include "memory_pages.h"
#include "profiles/hs6533_profiledata.h"
#include "profiles/temp_folder.h"
#include "sim_state_path.h"

namespace md::test {

class HeadsetAudioTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ::setenv(kAudioSimVariable, simStatePath().c_str(), 1);
        writeState(AudioStateFile::fresh());
        profilePath = dir.path() + "headset.Json";
        profile.setDefaultPath(std::string(MD_SOURCE_DIR) + "/DefaultData/headset.Json");
        profile.setProfilePath(profilePath);
        profile.loadNode(profilePath);
        audio.setPages(&voice, &eq);
        audio.setMessageHandler([this](const char* m) { messages.emplace_back(m); });
    }
    void TearDown() override {
        std::error_code ec;
        std::filesystem::remove(simStatePath(), ec);
    }

    // Profile, library start-up, pages: the order of the headset's start and attach.
    void start(const std::string& library = MD_CONF_LIB_PATH) {
        audio.loadFromProfile();
        audio.startAudio(library);
        audio.showSettings();
    }
    static AudioStateFile state() { return AudioStateFile::load(simStatePath()).value(); }
    static void writeState(const AudioStateFile& s) { ASSERT_TRUE(s.save(simStatePath())); }
    template <typename F>
    static void editState(F&& edit) {
        AudioStateFile s = state();
        edit(s);
        writeState(s);
    }
    static size_t logSize() { return state().log.size(); }
    // Log lines from index `from` on.
    static std::vector<std::string> logSince(size_t from) {
        const auto log = state().log;
        return {log.begin() + static_cast<std::ptrdiff_t>(std::min(from, log.size())), log.end()};
    }
    static std::vector<std::string> setsSince(size_t from) {
        std::vector<std::string> sets;
        for (const std::string& line : logSince(from))
            if (line.rfind("set ", 0) == 0) sets.push_back(line);
        return sets;
    }
    // The headset stages as the profile file holds them.
    std::array<int32_t, 8> storedStages() {
        CHs6533Profiledata reread;
        reread.setProfilePath(profilePath);
        reread.loadNode(profilePath);
        return reread.readHeadsetStages();
    }
    std::string fileBytes() const { return readBytes(profilePath); }

    TempFolder dir;
    std::string profilePath;
    CHs6533Profiledata profile;
    MemoryVoicePage voice;
    MemoryEqPage eq;
    HeadsetAudio audio{profile};
    std::vector<std::string> messages;
};

}  // namespace md::test
