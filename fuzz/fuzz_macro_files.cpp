// Fuzzes the macro and recoil files of a device data folder: the input is read as
// "macro.config", as a macro file a fixed list names and as a "ShootData_" file. The entries
// read are those the files hold (one per listed macro, four recoil entries, 4 bytes per event);
// the images built from them decode back to the same entries; the writers, on a link that is
// not open, give the result their rules promise for those entries.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "devices/memory_image/image_writer.h"
#include "devices/memory_image/memory_image.h"
#include "devlink/link/device_link.h"
#include "fuzz_entry.h"
#include "fuzz_scratch.h"
#include "profiles/json_file_io.h"
#include "sim/image_decoder.h"

namespace {

namespace memimg = md::memimg;

const std::string& scratchRoot() {
    return md::fuzz::scratchRoot("macro");
}

using md::fuzz::writeFile;

// A device folder emptied for the next reading.
std::string freshFolder(const std::string& root) {
    const std::string folder = root + "device/";
    std::error_code ec;
    std::filesystem::remove_all(folder, ec);
    std::filesystem::create_directories(folder);
    return folder;
}

// The entry a file must give: 4 bytes per element of its "Events" array.
size_t expectedEntrySize(const std::string& path) {
    const Json::Value doc = md::JsonFileIO::loadJsonDocument(path);
    if (!doc.isObject() || !doc["Events"].isArray()) return 0;
    return memimg::kEventSize * doc["Events"].size();
}

// The image of entries (when it can be described) decodes back to them.
void checkImage(const std::vector<memimg::EntryEvents>& entries) {
    const std::vector<uint8_t> image = memimg::buildImage(entries);
    const size_t length = memimg::imageLength(entries);
    if (length > memimg::kMaxImageLength) {
        if (!image.empty()) __builtin_trap();
        return;
    }
    if (image.size() != length) __builtin_trap();
    const md::sim::DecodedImage decoded = md::sim::decodeMemoryImage(image);
    if (!decoded.valid || decoded.entries.size() != entries.size()) __builtin_trap();
    for (size_t i = 0; i < entries.size(); ++i) {
        if (decoded.entries[i].events.size() * memimg::kEventSize != entries[i].size())
            __builtin_trap();
    }
}

// The macro writer on a closed link: nothing to write, the number of events to remove, or
// written (nothing is sent, the link being closed).
void checkMacroWrite(md::DeviceLink& closed, const std::string& folder) {
    md::DeviceInfo info{};
    info[md::device_info::kMacroUnits] = 32;  // 4 KiB, as the mouse
    std::vector<memimg::EntryEvents> entries;
    const bool listed = memimg::loadMacroEntries(folder, entries);
    const int result = memimg::writeMacrosToDevice(closed, folder, info);
    int expected = memimg::kWritten;
    if (listed && !entries.empty()) {
        const size_t total = memimg::imageLength(entries);
        const size_t capacity = md::macroCapacityOf(info);
        if (total > capacity) expected = static_cast<int>((total - capacity + 3) / 4);
    }
    if (result != expected) __builtin_trap();
}

void readAsMacroList(md::DeviceLink& closed, const std::string& root, const uint8_t* data,
                     size_t size) {
    const std::string folder = freshFolder(root);
    writeFile(folder + "macro.config", data, size);
    std::vector<memimg::EntryEvents> entries(3);
    const bool listed = memimg::loadMacroEntries(folder, entries);
    const Json::Value list = md::JsonFileIO::loadJsonDocument(folder + "macro.config");
    if (listed != list.isObject()) __builtin_trap();
    if (!listed) {
        if (entries.size() != 3) __builtin_trap();  // untouched
        return;
    }
    const Json::Value& info = list["MacroInfo"];
    if (entries.size() != (info.isArray() ? info.size() : 0)) __builtin_trap();
    for (const memimg::EntryEvents& e : entries) {
        if (!e.empty()) __builtin_trap();  // the folder holds no macro file
    }
    checkImage(entries);
    checkMacroWrite(closed, folder);
}

void readAsMacroFile(md::DeviceLink& closed, const std::string& root, const uint8_t* data,
                     size_t size) {
    const std::string folder = freshFolder(root);
    std::ofstream(folder + "macro.config", std::ios::binary | std::ios::trunc)
        << R"({ "MacroInfo": [ { "MacroName": "a", "Guid": "m0" }, { "Guid": "m1" },)"
        << R"( { "Guid": "../m0" }, { "Guid": "m0" } ] })";
    writeFile(folder + "m0.mac", data, size);
    std::vector<memimg::EntryEvents> entries;
    if (!memimg::loadMacroEntries(folder, entries) || entries.size() != 4) __builtin_trap();
    const size_t expected = expectedEntrySize(folder + "m0.mac");
    if (entries[0].size() != expected || entries[3] != entries[0]) __builtin_trap();
    if (!entries[1].empty() || !entries[2].empty()) __builtin_trap();
    if (entries[0] != memimg::loadEntryFile(folder + "m0.mac")) __builtin_trap();
    checkImage(entries);
    checkMacroWrite(closed, folder);
}

void readAsRecoilFile(md::DeviceLink& closed, const std::string& root, const uint8_t* data,
                      size_t size) {
    const std::string folder = freshFolder(root);
    writeFile(folder + "ShootData_1.Shoot", data, size);
    const std::vector<memimg::EntryEvents> entries = memimg::loadRecoilEntries(folder);
    if (entries.size() != memimg::kRecoilEntries) __builtin_trap();
    if (entries[1].size() != expectedEntrySize(folder + "ShootData_1.Shoot")) __builtin_trap();
    if (!entries[0].empty() || !entries[2].empty() || !entries[3].empty()) __builtin_trap();
    checkImage(entries);

    md::DeviceInfo info{};
    const int result = memimg::writeShootToDevice(closed, folder, info);
    const bool fits = memimg::imageLength(entries) <= memimg::kMaxImageLength;
    if (result != (fits ? memimg::kWritten : memimg::kFailed)) __builtin_trap();
}

}  // namespace

MD_FUZZ_ENTRY(macro_files, data, size) {
    const std::string& root = scratchRoot();
    if (root.empty()) return 0;
    md::DeviceLink closed(std::shared_ptr<md::HidBackend>{});  // never opened: nothing is sent
    readAsMacroList(closed, root, data, size);
    readAsMacroFile(closed, root, data, size);
    readAsRecoilFile(closed, root, data, size);
    return 0;
}
