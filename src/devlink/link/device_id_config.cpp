#include "devlink/link/device_id_config.h"

#include <json/json.h>

#include <cctype>
#include <cstdio>
#include <fstream>
#include <mutex>
#include <set>

#include "common/bounded_file.h"

namespace md {
namespace {

// A 16-bit identifier given as a number or as a hexadecimal string ("0x248A" or "248a").
bool readId(const Json::Value& v, uint16_t& out) {
    if (v.isUInt() && v.asUInt() <= 0xFFFF) {
        out = static_cast<uint16_t>(v.asUInt());
        return true;
    }
    if (!v.isString()) return false;
    std::string s = v.asString();
    if (s.rfind("0x", 0) == 0 || s.rfind("0X", 0) == 0) s = s.substr(2);
    if (s.empty() || s.size() > 4) return false;
    for (char c : s) {
        if (!std::isxdigit(static_cast<unsigned char>(c))) return false;
    }
    out = static_cast<uint16_t>(std::stoul(s, nullptr, 16));
    return true;
}

bool readEntry(const Json::Value& root, const char* name, std::optional<DeviceIds>& into,
               std::string& error) {
    if (!root.isMember(name)) return true;
    const Json::Value& e = root[name];
    DeviceIds ids;
    if (!e.isObject() || !readId(e["vendorId"], ids.vendorId) ||
        !readId(e["productId"], ids.productId)) {
        error =
            std::string("\"") + name + "\" needs \"vendorId\" and \"productId\" (0x0000-0xFFFF)";
        return false;
    }
    into = ids;
    return true;
}

void fill(DeviceTable& t, uint16_t kind, const std::optional<DeviceIds>& ids) {
    if (!ids) return;
    for (auto& r : t) {
        if (r.deviceKind == kind && r.vendorId == 0 && r.productId == 0) {
            r.vendorId = ids->vendorId;
            r.productId = ids->productId;
        }
    }
}

}  // namespace

bool readDeviceIdConfig(const std::string& path, DeviceIdConfig& cfg, std::string& error) {
    // The configuration is a few hundred bytes; anything beyond 1 MB is no configuration.
    JsonRead read = readJsonFile(path, 1024 * 1024);
    if (read.status == JsonReadStatus::Missing) return true;
    if (read.status == JsonReadStatus::Damaged) {
        error = read.problem;
        return false;
    }
    const Json::Value& root = read.value;
    if (!root.isObject()) {
        error = "the top level must be an object";
        return false;
    }
    DeviceIdConfig next = cfg;
    if (!readEntry(root, "keyboard", next.keyboard, error) ||
        !readEntry(root, "keyboardReceiver", next.keyboardReceiver, error) ||
        !readEntry(root, "mousepad", next.mousepad, error)) {
        return false;
    }
    cfg = next;
    return true;
}

DeviceTable completeDeviceTable(const DeviceTable& shipped, const DeviceIdConfig& cfg) {
    DeviceTable t = shipped;
    fill(t, kind::kKeyboard, cfg.keyboard);
    fill(t, kind::kKeyboardOther, cfg.keyboardReceiver);
    fill(t, kind::kMousePad, cfg.mousepad);
    return t;
}

DeviceTable loadDeviceTable(const std::string& defaultFile, const std::string& userFile) {
    static std::mutex reportedMutex;
    static std::set<std::string> reported;
    DeviceIdConfig cfg;
    for (const std::string* file : {&defaultFile, &userFile}) {
        std::string error;
        if (file->empty() || readDeviceIdConfig(*file, cfg, error)) continue;
        std::lock_guard lock(reportedMutex);
        if (reported.insert(*file).second) {
            std::fprintf(stderr, "mouse-driver: ignoring %s: %s\n", file->c_str(), error.c_str());
        }
    }
    return completeDeviceTable(shippedDeviceTable(), cfg);
}

}  // namespace md
