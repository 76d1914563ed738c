// Fuzzes the light files: the input is read as a light list document (for several devices and
// lighting modes), as the ".light" effect file a fixed list names, and, when it parses, as the
// "LightList" of a profile. The effect steps are exactly the effect file's "LEDEffectList"
// entries, and the profile's light list has one record per element, lit where the element is an
// object.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "fuzz_entry.h"
#include "fuzz_scratch.h"
#include "profiles/basic_profiledata.h"
#include "profiles/json_fields.h"
#include "profiles/json_file_io.h"

namespace {

// Effect look-ups per input when the list names many effects.
constexpr int kMaxEffectReads = 16;
constexpr Json::ArrayIndex kMaxDevices = 4;

const std::string& scratchRoot() {
    return md::fuzz::scratchRoot("light");
}

using md::fuzz::writeFile;

// How many steps the effect of (device, mode) in listDoc must give: the length of the
// "LEDEffectList" array of the file its "Guid" names, else none.
Json::ArrayIndex expectedSteps(const Json::Value& listDoc, Json::ArrayIndex device, uint8_t mode) {
    using md::json::element;
    using md::json::member;
    if (listDoc.isNull()) return 0;  // no list loaded: no effect is looked up
    const Json::Value& entry = element(element(member(listDoc, "LightInfo"), device), mode);
    const std::string file = md::json::toString(member(entry, "Guid")) + ".light";
    const Json::Value effect = md::JsonFileIO::loadJsonDocument(file);
    const Json::Value& list = member(effect, "LEDEffectList");
    return list.isArray() ? list.size() : 0;
}

// Selects lighting mode `mode` of device `device` and reads the effect steps of listPath.
void readEffect(const std::string& listPath, Json::ArrayIndex device, uint8_t mode) {
    md::CBasicProfiledata data;
    data.setDeviceIndex(static_cast<int32_t>(device));
    data.writeLightInfo(mode, 0, 0, 0);
    const Json::Value listDoc = data.loadLightListDocument(listPath);
    const std::vector<md::LightEffectStep> steps = data.readLightEffectSteps();
    if (steps != data.lightEffectSteps()) __builtin_trap();
    if (steps.size() != expectedSteps(listDoc, device, mode)) __builtin_trap();
}

// The input as the light list document: every (device, mode) whose entry names an effect, up to
// a bound, and one that names none.
void readAsLightList(const std::string& listPath) {
    const Json::Value doc = md::JsonFileIO::loadJsonDocument(listPath);
    const Json::Value& devices = md::json::member(doc, "LightInfo");
    int reads = 0;
    for (Json::ArrayIndex d = 0; d < kMaxDevices && reads < kMaxEffectReads; ++d) {
        const Json::Value& modes = md::json::element(devices, d);
        if (!modes.isArray()) continue;
        for (Json::ArrayIndex m = 0; m < modes.size() && m <= 0xFF && reads < kMaxEffectReads;
             ++m) {
            if (!md::json::member(modes[m], "Guid").isNull()) {
                readEffect(listPath, d, static_cast<uint8_t>(m));
                ++reads;
            }
        }
    }
    readEffect(listPath, 0, 0);

    md::CBasicProfiledata none;
    none.setDeviceIndex(-1);  // no device node: no effect, nothing read
    none.loadLightListDocument(listPath);
    if (!none.readLightEffectSteps().empty()) __builtin_trap();
}

// The input as the effect file of a fixed light list.
void readAsEffectFile(const std::string& root, const uint8_t* data, size_t size) {
    static const std::string listPath = [&root] {
        Json::Value doc;
        doc["LightInfo"][0][0]["Guid"] = root + "effect";
        const std::string p = root + "list.json";
        md::JsonFileIO::storeJsonDocument(p, doc);
        return p;
    }();
    writeFile(root + "effect.light", data, size);
    readEffect(listPath, 0, 0);
}

// The input, when it parses, as the "LightList" section of a profile.
void readAsProfileLightList(const std::string& root, const Json::Value& value) {
    if (value.isNull()) return;
    const std::string profilePath = root + "profile.json";
    Json::Value doc;
    doc["Device"][0]["LightList"] = value;
    if (md::JsonFileIO::storeJsonDocument(profilePath, doc) != 0) return;
    md::CBasicProfiledata data;
    data.setProfilePath(profilePath);
    data.loadNode(profilePath);
    // Checked against the node as loaded (a profile nested too deeply loads without it).
    const Json::Value& section = md::json::member(data.deviceNode(), "LightList");
    const std::vector<md::LightSetting> list = data.readLightList();
    if (list != data.lightList()) __builtin_trap();
    if (!section.isArray()) {
        if (!list.empty()) __builtin_trap();
        return;
    }
    if (list.size() != section.size()) __builtin_trap();
    for (Json::ArrayIndex i = 0; i < section.size(); ++i) {
        if ((list[i].present != 0) != section[i].isObject()) __builtin_trap();
    }
}

}  // namespace

MD_FUZZ_ENTRY(light_files, data, size) {
    const std::string& root = scratchRoot();
    if (root.empty()) return 0;
    const std::string input = root + "input.json";
    writeFile(input, data, size);

    readAsLightList(input);
    readAsEffectFile(root, data, size);
    readAsProfileLightList(root, md::JsonFileIO::loadJsonDocument(input));
    return 0;
}
