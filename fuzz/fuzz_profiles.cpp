// Feeds arbitrary bytes to every profile reader: as a profile file and default template of each
// device kind, as a light list, as "ProfileList.ini" and as an import file. Beyond not crashing,
// nothing may be written outside the device data folder (and the export target).
//
// Defining MD_FUZZ_NO_ENTRY leaves out the libFuzzer entry point, so that the corpus replay test
// can call runProfileReaders directly.

#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "fuzz_scratch.h"
#include "profiles/hs6533_profiledata.h"
#include "profiles/json_file_io.h"
#include "profiles/keyboard_profiledata.h"
#include "profiles/mouse_profiledata.h"
#include "profiles/profile_list.h"

namespace md::fuzz {

namespace {

template <typename Data>
void loadAndReadBasics(Data& data, const std::string& input, const std::string& profile) {
    std::filesystem::copy_file(input, profile, std::filesystem::copy_options::overwrite_existing);
    data.setDefaultPath(input);
    data.setProfilePath(profile);
    data.loadNode(profile);
    const LightSetting::Words w = data.readLightInfo().toWords();
    data.readLightList();
    data.loadLightListDocument(input);
    data.readLightEffectSteps();
    data.writeKeyList(data.readKeyList());
    data.writeLightInfo(w.w0, w.w1, w.w2, w.w3);
}

void exerciseDataClasses(const std::string& input, const std::string& folder) {
    const std::string profile = folder + "p.Json";
    {
        CMouseProfiledata mouse;
        loadAndReadBasics(mouse, input, profile);
        mouse.writeDpiStages(mouse.readDpiStages());
        mouse.setActiveStage(mouse.getActiveStage());
        const auto m = mouse.readMouseStages();
        mouse.writeMouseStages(m[0], m[1], m[2], m[3]);
        mouse.readCorrectInfo();
        mouse.save();
    }
    {
        CKeyboardProfiledata kb;
        loadAndReadBasics(kb, input, profile);
        const auto k = kb.readKeyboardStages();
        kb.writeKeyboardStages(k[0], k[1], k[2]);
        const int32_t group = kb.getCustomGroupIndex();
        kb.writeCustomColours(kb.readCustomColours(group, 126), group);
        kb.setCustomGroupIndex(group);
        kb.save();
    }
    {
        CHs6533Profiledata hs;
        loadAndReadBasics(hs, input, profile);
        const std::array<int32_t, 8> stages = hs.readHeadsetStages();
        hs.writeHeadsetStages(stages);
        for (int32_t preset = 0; preset <= 14; ++preset)
            hs.writeEqBands(preset, hs.readEqBands(preset));
        hs.writeCustomEqBands(stages[3], hs.readCustomEqBands(stages[3]));
        hs.writeCustomEqNames(hs.readCustomEqNames());
        hs.save();
    }
}

void exerciseProfileList(const std::string& input, const std::string& folder,
                         const std::string& exportPath) {
    std::filesystem::copy_file(input, folder + ProfileList::kListFileName,
                               std::filesystem::copy_options::overwrite_existing);
    for (const int32_t kind : {2, ProfileList::kHeadsetKind}) {
        ProfileList list;
        list.setDeviceKind(kind);
        list.setFolders(folder, input);
        list.start();
        list.addProfile();
        list.copyProfile();
        list.renameProfile("renamed");
        list.importProfile(input);
        list.exportProfile(exportPath);
        list.resetProfile();
        list.setCurrentSelection(0);
        list.deleteProfile();
    }
}

}  // namespace

// Returns 0; aborts when something was written where it must not be.
int runProfileReaders(const uint8_t* data, size_t size) {
    const std::string& root = scratchRoot("profiles");
    if (root.empty()) return 0;
    const std::string input = root + "input.json";
    const std::string folder = root + "data/";
    const std::string exportPath = root + "export.json";
    {
        std::ofstream out(input, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }
    std::filesystem::create_directories(folder);

    JsonFileIO::loadJsonDocument(input);
    exerciseDataClasses(input, folder);
    exerciseProfileList(input, folder, exportPath);

    for (const auto& e : std::filesystem::directory_iterator(root)) {
        const std::string name = e.path().filename().string();
        if (name != "input.json" && name != "data" && name != "export.json") std::abort();
    }
    for (const auto& e : std::filesystem::directory_iterator(folder))
        if (!e.is_regular_file()) std::abort();
    std::filesystem::remove_all(folder);
    std::filesystem::remove(exportPath);
    return 0;
}

}  // namespace md::fuzz

#ifndef MD_FUZZ_NO_ENTRY
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    return md::fuzz::runProfileReaders(data, size);
}
#endif
