#include "devices/memory_image/image_writer.h"

#include <vector>

#include "common/dbg_out.h"
#include "devices/memory_image/memory_image.h"

namespace md::memimg {

namespace {

enum class Image { Macro, Recoil };

// In 2.4G mode every command of the write needs the device online.
bool reachable(DeviceLink& link) {
    return !link.isWireless() || link.checkWirelessOnline();
}

int writeImage(DeviceLink& link, const std::vector<uint8_t>& image, Image kind) {
    if (!link.isOpen()) return kWritten;
    if (!reachable(link)) return kFailed;
    link.beginSession();
    if (!reachable(link)) return kFailed;
    const auto length = static_cast<uint32_t>(image.size());
    const int written = kind == Image::Macro ? link.writeMacroData(image, length)
                                             : link.writeShootData(image, length);
    if (!reachable(link)) return kFailed;
    link.endSession();
    return written == link::kOk ? kWritten : kFailed;
}

// Step 1 of both writes: false when a 2.4G device is not online.
bool refreshDeviceInfo(DeviceLink& link, DeviceInfo& info) {
    if (!link.isOpen()) return true;
    if (!reachable(link)) return false;
    link.readDeviceInfo(info);
    return true;
}

}  // namespace

int writeMacrosToDevice(DeviceLink& link, const std::string& folder, DeviceInfo& info) {
    if (!refreshDeviceInfo(link, info)) return kWritten;
    std::vector<EntryEvents> entries;
    if (!loadMacroEntries(folder, entries) || entries.empty()) return kWritten;
    const size_t total = imageLength(entries);
    const size_t capacity = macroCapacityOf(info);
    // Events take 4 bytes: the fewest whole events whose removal makes the image fit.
    if (total > capacity) return static_cast<int>((total - capacity + 3) / 4);
    const std::vector<uint8_t> image = buildImage(entries);
    if (image.empty()) return kFailed;
    return writeImage(link, image, Image::Macro);
}

int writeShootToDevice(DeviceLink& link, const std::string& folder, DeviceInfo& info) {
    if (!refreshDeviceInfo(link, info)) return kWritten;
    const std::vector<uint8_t> image = buildImage(loadRecoilEntries(folder));
    if (image.empty()) {
        dbgOut("recoil image too long for its header; not written");
        return kFailed;
    }
    return writeImage(link, image, Image::Recoil);
}

}  // namespace md::memimg
