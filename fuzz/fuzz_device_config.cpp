// Fuzzes the device identifier configuration: the input is read as the user's file (over a valid
// default file, and alone) and as the default file. A failed read leaves the configuration as
// it was and says why; the loaded table is the shipped one with only the rows that ship as 0
// filled, all rows of one kind alike, exactly as the read configuration says.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include "devlink/link/device_id_config.h"
#include "devlink/link/device_identity.h"
#include "fuzz_entry.h"
#include "fuzz_scratch.h"

namespace {

const std::string& scratchRoot() {
    return md::fuzz::scratchRoot("devices");
}

using md::fuzz::writeFile;

// The default file every run reads first: all three entries set.
const std::string& defaultFile() {
    static const std::string path = [] {
        const std::string p = scratchRoot() + "default.json";
        std::ofstream(p, std::ios::binary | std::ios::trunc)
            << R"({ "keyboard": { "vendorId": "0x248A", "productId": "0x5B60" },)"
            << R"( "keyboardReceiver": { "vendorId": 12815, "productId": "2260" },)"
            << R"( "mousepad": { "vendorId": "0x248a", "productId": "0x5B70" } })";
        return p;
    }();
    return path;
}

bool sameIds(const std::optional<md::DeviceIds>& a, const std::optional<md::DeviceIds>& b) {
    if (a.has_value() != b.has_value()) return false;
    return !a || (a->vendorId == b->vendorId && a->productId == b->productId);
}

bool sameConfig(const md::DeviceIdConfig& a, const md::DeviceIdConfig& b) {
    return sameIds(a.keyboard, b.keyboard) && sameIds(a.keyboardReceiver, b.keyboardReceiver) &&
           sameIds(a.mousepad, b.mousepad);
}

// Reads path over cfg and checks the promise of the reader: success, or an error with cfg
// untouched.
void readChecked(const std::string& path, md::DeviceIdConfig& cfg) {
    const md::DeviceIdConfig before = cfg;
    std::string error;
    if (md::readDeviceIdConfig(path, cfg, error)) return;
    if (error.empty() || !sameConfig(before, cfg)) __builtin_trap();
}

const std::optional<md::DeviceIds>& idsOfKind(const md::DeviceIdConfig& cfg, uint16_t kind) {
    static const std::optional<md::DeviceIds> none;
    if (kind == md::kind::kKeyboard) return cfg.keyboard;
    if (kind == md::kind::kKeyboardOther) return cfg.keyboardReceiver;
    if (kind == md::kind::kMousePad) return cfg.mousepad;
    return none;
}

// Every row is its shipped row; a row that ships as 0 carries the configured identifiers of its
// kind, or stays 0 when its kind is not configured.
void checkTable(const md::DeviceTable& table, const md::DeviceIdConfig& cfg) {
    const md::DeviceTable& shipped = md::shippedDeviceTable();
    for (size_t i = 0; i < table.size(); ++i) {
        const md::DeviceIdentity& row = table[i];
        const md::DeviceIdentity& ship = shipped[i];
        if (row.interfaceNumber != ship.interfaceNumber ||
            row.collectionNumber != ship.collectionNumber || row.deviceKind != ship.deviceKind ||
            row.collectionRole != ship.collectionRole || row.connected != ship.connected ||
            row.usagePage != ship.usagePage || row.usage != ship.usage ||
            row.hasPartner != ship.hasPartner || row.partnerSlot != ship.partnerSlot ||
            row.path != ship.path) {
            __builtin_trap();
        }
        md::DeviceIds expected{ship.vendorId, ship.productId};
        if (ship.vendorId == 0 && ship.productId == 0) {
            if (const auto& ids = idsOfKind(cfg, ship.deviceKind)) expected = *ids;
        }
        if (row.vendorId != expected.vendorId || row.productId != expected.productId)
            __builtin_trap();
    }
}

}  // namespace

MD_FUZZ_ENTRY(device_config, data, size) {
    const std::string& root = scratchRoot();
    if (root.empty()) return 0;
    const std::string input = root + "devices.json";
    {
        std::ofstream out(input, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }

    // As the user's file over the default one.
    md::DeviceIdConfig cfg;
    readChecked(defaultFile(), cfg);
    if (!cfg.keyboard || !cfg.keyboardReceiver || !cfg.mousepad) __builtin_trap();
    readChecked(input, cfg);
    checkTable(md::loadDeviceTable(defaultFile(), input), cfg);

    // Alone, as the user's file and as the default file.
    md::DeviceIdConfig alone;
    readChecked(input, alone);
    checkTable(md::loadDeviceTable("", input), alone);
    checkTable(md::loadDeviceTable(input, ""), alone);

    // Reading the same file again changes nothing.
    md::DeviceIdConfig twice = alone;
    readChecked(input, twice);
    if (!sameConfig(alone, twice)) __builtin_trap();
    return 0;
}
