#include "sim/state_file.h"

#include <json/json.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>

#include "common/bounded_file.h"

namespace md::sim {

namespace {
constexpr int kVersion = 1;

// What a state file written here looks like at the top: an object with "version" 1 and a
// "devices" object.
bool isStateDocument(const Json::Value& root) {
    return root.isObject() && root["version"].isInt() && root["version"].asInt() == kVersion &&
           root["devices"].isObject();
}

// The document of a state file; null when there is none or it is no state file.
Json::Value readDocument(const std::string& path) {
    JsonRead r = readJsonFile(path, kMaxStateFileBytes);
    if (r.status != JsonReadStatus::Ok || !isStateDocument(r.value)) return Json::Value();
    return std::move(r.value);
}

std::vector<uint8_t> bytesOf(const Json::Value& v, const char* key) {
    std::vector<uint8_t> out;
    if (v.isMember(key) && v[key].isString() && fromHex(v[key].asString(), out)) return out;
    return {};
}
}  // namespace

std::string toHex(const std::vector<uint8_t>& bytes) {
    static const char* digits = "0123456789abcdef";
    std::string s;
    s.reserve(bytes.size() * 2);
    for (uint8_t b : bytes) {
        s.push_back(digits[b >> 4]);
        s.push_back(digits[b & 0x0F]);
    }
    return s;
}

bool fromHex(const std::string& text, std::vector<uint8_t>& out) {
    auto nibble = [](char c) -> int {
        if (c >= '0' && c <= '9') return c - '0';
        if (c >= 'a' && c <= 'f') return c - 'a' + 10;
        if (c >= 'A' && c <= 'F') return c - 'A' + 10;
        return -1;
    };
    if (text.size() % 2 != 0) return false;
    std::vector<uint8_t> bytes(text.size() / 2);
    for (size_t i = 0; i < bytes.size(); ++i) {
        const int hi = nibble(text[2 * i]);
        const int lo = nibble(text[2 * i + 1]);
        if (hi < 0 || lo < 0) return false;
        bytes[i] = static_cast<uint8_t>(hi << 4 | lo);
    }
    out = std::move(bytes);
    return true;
}

std::string stateFileProblem(const std::string& path) {
    const JsonRead r = readJsonFile(path, kMaxStateFileBytes);
    if (r.status == JsonReadStatus::Missing) return {};
    if (r.status == JsonReadStatus::Damaged) return path + " " + r.problem;
    if (!isStateDocument(r.value))
        return path + " is not a state file of the virtual devices; it was left as it is";
    return {};
}

bool loadFirmwareState(const std::string& path, Firmware& firmware) {
    const Json::Value root = readDocument(path);
    if (!root.isObject() || !root["devices"].isObject()) return false;
    const Json::Value& d = root["devices"][firmware.name()];
    if (!d.isObject()) return false;
    FirmwareMemory mem = firmware.memory();
    FirmwareMemory loaded;
    loaded.config = bytesOf(d, "config");
    loaded.keyTable = bytesOf(d, "keyTable");
    loaded.keyByteTable = bytesOf(d, "keyByteTable");
    loaded.macro = bytesOf(d, "macro");
    loaded.recoil = bytesOf(d, "recoil");
    loaded.colour = bytesOf(d, "colour");
    const std::vector<uint8_t> power = bytesOf(d, "power");
    loaded.power = mem.power;
    if (power.size() == loaded.power.size())
        std::copy(power.begin(), power.end(), loaded.power.begin());
    firmware.restore(loaded);
    if (d["poweredOn"].isBool()) firmware.setPoweredOn(d["poweredOn"].asBool());
    return true;
}

bool saveFirmwareState(const std::string& path, const std::vector<const Firmware*>& firmware) {
    // Only a state file (or no file) is ever replaced.
    if (!stateFileProblem(path).empty()) return false;
    Json::Value root = readDocument(path);
    if (!root.isObject()) root = Json::Value(Json::objectValue);
    root["version"] = kVersion;
    if (!root["devices"].isObject()) root["devices"] = Json::Value(Json::objectValue);
    for (const Firmware* f : firmware) {
        if (!f) continue;
        const FirmwareMemory mem = f->memory();
        Json::Value d(Json::objectValue);
        d["config"] = toHex(mem.config);
        d["keyTable"] = toHex(mem.keyTable);
        d["keyByteTable"] = toHex(mem.keyByteTable);
        d["macro"] = toHex(mem.macro);
        d["recoil"] = toHex(mem.recoil);
        d["colour"] = toHex(mem.colour);
        d["power"] = toHex({mem.power.begin(), mem.power.end()});
        d["poweredOn"] = f->poweredOn();
        root["devices"][f->name()] = d;
    }
    const std::string text = Json::StyledWriter().write(root);
    const std::string temp = path + ".tmp" + std::to_string(::getpid());
    {
        std::ofstream out(temp, std::ios::binary | std::ios::trunc);
        if (!out) return false;
        out << text;
        out.flush();
        if (!out) {
            std::remove(temp.c_str());
            return false;
        }
    }
    if (std::rename(temp.c_str(), path.c_str()) != 0) {
        std::remove(temp.c_str());
        return false;
    }
    return true;
}

}  // namespace md::sim
