// Fuzzes the virtual devices' state file: the input is loaded as a state file into each of the
// four firmware models. Loading never changes the size of a memory. Whatever was loaded must
// survive a save and a load into fresh firmware unchanged, both into a new file and merged into
// the input file.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "fuzz_entry.h"
#include "fuzz_scratch.h"
#include "sim/firmware.h"
#include "sim/sim_devices.h"
#include "sim/state_file.h"

namespace {

const std::string& scratchRoot() {
    return md::fuzz::scratchRoot("state");
}

using md::fuzz::writeFile;

using FirmwareSet = std::vector<std::shared_ptr<md::sim::Firmware>>;

FirmwareSet freshFirmware() {
    return {md::sim::makeMouseFirmware(), md::sim::makeKeyboardFirmware(),
            md::sim::makeMousepadFirmware(), md::sim::makeHeadsetFirmware()};
}

bool sameSizes(const md::sim::FirmwareMemory& a, const md::sim::FirmwareMemory& b) {
    return a.config.size() == b.config.size() && a.keyTable.size() == b.keyTable.size() &&
           a.keyByteTable.size() == b.keyByteTable.size() && a.macro.size() == b.macro.size() &&
           a.recoil.size() == b.recoil.size() && a.colour.size() == b.colour.size();
}

bool sameMemory(const md::sim::FirmwareMemory& a, const md::sim::FirmwareMemory& b) {
    return a.config == b.config && a.keyTable == b.keyTable && a.keyByteTable == b.keyByteTable &&
           a.macro == b.macro && a.recoil == b.recoil && a.colour == b.colour && a.power == b.power;
}

// Loads path into fresh firmware of every model; each must load and equal the one saved.
void expectRoundTrip(const std::string& path, const FirmwareSet& saved) {
    const FirmwareSet again = freshFirmware();
    for (size_t i = 0; i < saved.size(); ++i) {
        if (!md::sim::loadFirmwareState(path, *again[i])) __builtin_trap();
        if (!sameMemory(again[i]->memory(), saved[i]->memory())) __builtin_trap();
        if (again[i]->poweredOn() != saved[i]->poweredOn()) __builtin_trap();
    }
}

}  // namespace

MD_FUZZ_ENTRY(state_file, data, size) {
    const std::string& root = scratchRoot();
    if (root.empty()) return 0;
    const std::string input = root + "state.json";
    const std::string saved = root + "saved.json";
    {
        std::ofstream out(input, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }

    const FirmwareSet firmware = freshFirmware();
    bool anyLoaded = false;
    for (const auto& f : firmware) {
        const md::sim::FirmwareMemory before = f->memory();
        anyLoaded = md::sim::loadFirmwareState(input, *f) || anyLoaded;
        if (!sameSizes(before, f->memory())) __builtin_trap();
    }
    if (!anyLoaded) return 0;

    std::vector<const md::sim::Firmware*> all;
    for (const auto& f : firmware) all.push_back(f.get());

    // Into a new file.
    std::filesystem::remove(saved);
    if (!md::sim::saveFirmwareState(saved, all)) __builtin_trap();
    expectRoundTrip(saved, firmware);

    // Merged into the file it came from; the saver may refuse to touch it, but what it writes
    // must load back.
    if (md::sim::saveFirmwareState(input, all)) expectRoundTrip(input, firmware);

    for (const auto& e : std::filesystem::directory_iterator(root)) {
        // A save leaves no temporary file behind, whether it succeeded or not.
        if (e.path().filename().string().find(".tmp") != std::string::npos) __builtin_trap();
    }
    return 0;
}
