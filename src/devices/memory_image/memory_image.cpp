#include "devices/memory_image/memory_image.h"

#include <algorithm>

#include <cstdlib>
#include <limits>

#include "common/le_bytes.h"
#include "profiles/app_paths.h"
#include "profiles/json_fields.h"
#include "profiles/json_file_io.h"

namespace md::memimg {

namespace {

// The integer value of a member, whatever numeric kind jsoncpp holds it as; 0 for anything else.
int64_t integerOf(const Json::Value& v) {
    if (v.isInt64()) return v.asInt64();
    if (v.isUInt64()) return static_cast<int64_t>(v.asUInt64());
    if (v.isDouble()) {
        const double d = v.asDouble();
        if (d > -9.0e18 && d < 9.0e18) return static_cast<int64_t>(d);
    }
    return 0;
}

// "Delay" is stored as decimal text; files written before saving carry an integer.
int64_t delayOf(const Json::Value& v) {
    if (v.isString()) return std::strtol(v.asCString(), nullptr, 10);
    return integerOf(v);
}

}  // namespace

void packEvent(const Json::Value& event, uint8_t out[kEventSize]) {
    const Json::Value null;
    const bool object = event.isObject();
    const Json::Value& delay = object ? event["Delay"] : null;
    const Json::Value& type = object ? event["Type"] : null;
    const Json::Value& button = object ? event["Button"] : null;
    const Json::Value& action = object ? event["Action"] : null;
    // A delay beyond the format's range is its longest pause, not its low 16 bits.
    const auto d = static_cast<uint16_t>(std::clamp<int64_t>(delayOf(delay), 0, 0xFFFF));
    out[0] = static_cast<uint8_t>(d & 0xFF);
    out[1] = static_cast<uint8_t>(d >> 8);
    auto t = static_cast<uint8_t>(integerOf(type) & 0xFF);
    if (action.isString() && action.asString() == "down") t |= 0x80;
    out[2] = t;
    out[3] = static_cast<uint8_t>(integerOf(button) & 0xFF);
}

EntryEvents packEvents(const Json::Value& events) {
    EntryEvents out;
    if (!events.isArray()) return out;
    out.resize(kEventSize * events.size());
    for (Json::ArrayIndex i = 0; i < events.size(); ++i) packEvent(events[i], &out[kEventSize * i]);
    return out;
}

EntryEvents loadEntryFile(const std::string& path) {
    const Json::Value doc = JsonFileIO::loadJsonDocument(path);
    if (!doc.isObject()) return {};
    return packEvents(doc["Events"]);
}

size_t imageLength(const std::vector<EntryEvents>& entries) {
    size_t total = kHeaderSize + 6 * entries.size();
    for (const EntryEvents& e : entries) total += e.size();
    return total;
}

std::vector<uint8_t> buildImage(const std::vector<EntryEvents>& entries) {
    const size_t total = imageLength(entries);
    if (total > kMaxImageLength) return {};
    std::vector<uint8_t> image(total, 0);
    image[0] = 0xAA;
    image[1] = 0x55;
    putLe16(image, 2, static_cast<uint16_t>(total));
    putLe16(image, 4, static_cast<uint16_t>(entries.size()));
    size_t at = kHeaderSize + 2 * entries.size();
    for (size_t i = 0; i < entries.size(); ++i) {
        putLe16(image, kHeaderSize + 2 * i, static_cast<uint16_t>(at));
        putLe16(image, at, static_cast<uint16_t>(entries[i].size() / kEventSize));
        std::copy(entries[i].begin(), entries[i].end(),
                  image.begin() + static_cast<std::ptrdiff_t>(at + 4));
        at += 4 + entries[i].size();
    }
    return image;
}

bool loadMacroEntries(const std::string& folder, std::vector<EntryEvents>& entries) {
    const Json::Value list = JsonFileIO::loadJsonDocument(folder + "macro.config");
    if (!list.isObject()) return false;
    const Json::Value& info = list["MacroInfo"];
    // More entries than an image can index is no list this program wrote; reading them all
    // (each a file) would only cost time.
    if (info.isArray() && info.size() > kMaxEntries) return false;
    entries.clear();
    if (!info.isArray()) return true;
    entries.reserve(info.size());
    for (const Json::Value& macro : info) {
        const Json::Value& guid = macro.isObject() ? macro["Guid"] : Json::Value::nullSingleton();
        if (!guid.isString() || !isSafeFileStem(guid.asString())) {
            entries.emplace_back();
            continue;
        }
        entries.push_back(loadEntryFile(folder + guid.asString() + ".mac"));
    }
    return true;
}

std::vector<EntryEvents> loadRecoilEntries(const std::string& folder) {
    std::vector<EntryEvents> entries;
    entries.reserve(kRecoilEntries);
    for (size_t i = 0; i < kRecoilEntries; ++i)
        entries.push_back(loadEntryFile(folder + "ShootData_" + std::to_string(i) + ".Shoot"));
    return entries;
}

namespace {

// "" when the file at path is a readable entry file with an "Events" list.
std::string entryFileProblem(const std::string& path) {
    const JsonRead r = JsonFileIO::loadChecked(path);
    if (r.status == JsonReadStatus::Missing) return path + " does not exist";
    if (r.status == JsonReadStatus::Damaged) return path + " " + r.problem;
    if (!r.value.isObject() || !r.value["Events"].isArray())
        return path + " has no \"Events\" list";
    return {};
}

}  // namespace

size_t macroCountOf(const std::string& folder) {
    const Json::Value doc = JsonFileIO::loadJsonDocument(folder + "macro.config");
    const Json::Value& list = json::member(doc, "MacroInfo");
    return list.isArray() ? list.size() : 0;
}

std::vector<std::string> macroNamesOf(const std::string& folder) {
    const Json::Value doc = JsonFileIO::loadJsonDocument(folder + "macro.config");
    const Json::Value& list = json::member(doc, "MacroInfo");
    std::vector<std::string> names;
    if (!list.isArray()) return names;
    names.reserve(list.size());
    for (const Json::Value& macro : list) {
        const Json::Value& name = json::member(macro, "MacroName");
        names.push_back(name.isString() ? name.asString() : std::string());
    }
    return names;
}

std::string macroUploadProblem(const std::string& folder) {
    const std::string config = folder + "macro.config";
    const JsonRead r = JsonFileIO::loadChecked(config);
    if (r.status == JsonReadStatus::Missing) return "no " + config + ": nothing to upload";
    if (r.status == JsonReadStatus::Damaged) return config + " " + r.problem;
    const Json::Value& info = json::member(r.value, "MacroInfo");
    if (!info.isArray() || info.empty()) return "no macros in " + config + ": nothing to upload";
    if (info.size() > kMaxEntries) return config + " lists more macros than an image can hold";
    for (const Json::Value& macro : info) {
        const Json::Value& guid = json::member(macro, "Guid");
        if (!guid.isString() || !isSafeFileStem(guid.asString()))
            return config + " lists a macro without a usable \"Guid\"";
        if (std::string p = entryFileProblem(folder + guid.asString() + ".mac"); !p.empty())
            return p;
    }
    return {};
}

std::string recoilUploadProblem(const std::string& folder) {
    size_t present = 0;
    for (size_t i = 0; i < kRecoilEntries; ++i) {
        const std::string path = folder + "ShootData_" + std::to_string(i) + ".Shoot";
        std::string p = entryFileProblem(path);
        if (p.empty()) {
            ++present;
            continue;
        }
        // A table the user never made stays empty; one that is there must be whole.
        if (JsonFileIO::loadChecked(path).status != JsonReadStatus::Missing) return p;
    }
    if (present == 0)
        return "no ShootData_0.Shoot to ShootData_3.Shoot in " + folder + ": nothing to upload";
    return {};
}

}  // namespace md::memimg
