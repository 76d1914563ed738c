#include "profiles/basic_profiledata.h"

#include "profiles/app_paths.h"
#include "profiles/folder_lock.h"
#include "profiles/json_fields.h"
#include "profiles/json_file_io.h"
#include "profiles/profile_list.h"

namespace md {

using json::element;
using json::member;
using json::objectMember;
using json::toBool;
using json::toInt;

namespace {

uint8_t u8(const Json::Value& v) {
    return static_cast<uint8_t>(toInt(v));
}

// Element `index` of the "Device" array of a document, a null value when there is none.
const Json::Value& deviceElement(const Json::Value& doc, int32_t index) {
    if (index < 0) return Json::Value::nullSingleton();
    return element(member(doc, "Device"), static_cast<Json::ArrayIndex>(index));
}

// Puts node at doc["Device"][index]; false when the index is unusable.
bool putDeviceElement(Json::Value& doc, int32_t index, const Json::Value& node) {
    if (index < 0) return false;
    Json::Value* slot =
        json::arrayElement(objectMember(doc, "Device"), static_cast<Json::ArrayIndex>(index));
    if (!slot) return false;
    *slot = node;
    return true;
}

// Whether the profile list beside the profile at path still names it (called under the folder
// lock). A folder without a usable list holds profiles used on their own: true.
bool listedBesideIt(const std::string& path) {
    const size_t slash = path.find_last_of('/');
    const std::string folder = slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
    const std::string file = path.substr(folder.size());
    const JsonRead list = JsonFileIO::loadChecked(folder + ProfileList::kListFileName);
    const Json::Value& entries = member(list.value, "profilelist");
    if (list.status != JsonReadStatus::Ok || !entries.isArray()) return true;
    for (const Json::Value& e : entries)
        if (json::toString(member(e, "profileUUID")) + ".Json" == file) return true;
    return false;
}

}  // namespace

void CBasicProfiledata::setProfilePath(const std::string& path) {
    if (!path.empty()) m_profilePath = path;
}

void CBasicProfiledata::setDefaultPath(const std::string& path) {
    if (!path.empty()) m_defaultPath = path;
}

const Json::Value& CBasicProfiledata::section(const char* key) const {
    return member(m_node, key);
}

Json::Value CBasicProfiledata::loadNode(const std::string& path) {
    FolderLock lock(path);
    JsonRead read = JsonFileIO::loadChecked(path);
    m_problem.clear();
    if (read.status == JsonReadStatus::Damaged) {
        // What the user had is kept: the template's node stands in, in memory only, and the
        // file is not written until it is repaired or reset.
        m_damagedPath = path;
        m_problem = "the profile " + path + " " + read.problem +
                    "; it was left as it is. Repair or remove it, or reset the profile.";
        m_node = deviceElement(JsonFileIO::loadJsonDocument(m_defaultPath), m_deviceIndex);
        return m_node;
    }
    m_damagedPath.clear();
    Json::Value& doc = read.value;
    m_node = deviceElement(doc, m_deviceIndex);
    if (!m_node.isObject() && read.status == JsonReadStatus::Missing && !listedBesideIt(path)) {
        // Deleted by another program since it was chosen: nothing is created again.
        m_node = deviceElement(JsonFileIO::loadJsonDocument(m_defaultPath), m_deviceIndex);
        m_problem = "the profile " + path + " was removed by another program";
        return m_node;
    }
    if (!m_node.isObject()) {
        // No usable device node: take the template's and write the completed file.
        const Json::Value tmpl = JsonFileIO::loadJsonDocument(m_defaultPath);
        m_node = deviceElement(tmpl, m_deviceIndex);
        if (putDeviceElement(doc, m_deviceIndex, m_node) &&
            JsonFileIO::storeJsonDocument(path, doc) != 0)
            m_problem = "the profile " + JsonFileIO::writeProblem(path);
    }
    return m_node;
}

bool CBasicProfiledata::save() {
    return saveNode(m_node, m_profilePath);
}

bool CBasicProfiledata::saveNode(const Json::Value& node, const std::string& path) {
    if (path.empty() || path == m_damagedPath) return false;
    FolderLock lock(path);
    JsonRead read = JsonFileIO::loadChecked(path);
    if (read.status == JsonReadStatus::Damaged) {
        m_problem = "the profile " + path + " " + read.problem + "; it was left as it is";
        return false;
    }
    if (read.status == JsonReadStatus::Missing && !listedBesideIt(path)) {
        // Its profile was deleted meanwhile: writing would leave a file no list names.
        m_problem = "the profile " + path + " was removed by another program";
        return false;
    }
    if (!putDeviceElement(read.value, m_deviceIndex, node)) return false;
    if (JsonFileIO::storeJsonDocument(path, read.value) == 0) return true;
    m_problem = "the profile " + JsonFileIO::writeProblem(path);
    return false;
}

bool CBasicProfiledata::writeDocument(const Json::Value& value, const std::string& path) {
    if (path.empty()) return false;
    FolderLock lock(path);
    if (JsonFileIO::storeJsonDocument(path, value) != 0) return false;
    // A whole new document repairs a damaged file.
    if (path == m_damagedPath) m_damagedPath.clear();
    return true;
}

LightSetting CBasicProfiledata::readLightInfo() {
    LightSetting s;
    const Json::Value& li = section("LightInfo");
    if (!li.isNull()) {
        s.mode = u8(member(li, "SelectItem"));
        s.brightness = u8(member(li, "Light"));
        s.speed = u8(member(li, "Speed"));
        s.direction = u8(member(li, "Fx"));
        s.multiColor = toBool(member(li, "MultiColor")) ? 1 : 0;
        s.red = u8(member(li, "Red"));
        s.green = u8(member(li, "Green"));
        s.blue = u8(member(li, "Blue"));
        s.zzccLedMode = u8(member(li, "ZZCCLedMode"));
        s.customGroup = u8(member(li, "CustomGroup"));
        s.oldLedMode = u8(member(li, "OldLedmode"));
    }
    m_lightSetting = s;
    return s;
}

void CBasicProfiledata::writeLightInfo(uint32_t w0, uint32_t w1, uint32_t w2, uint16_t w3) {
    m_lightSetting = LightSetting::fromWords(w0, w1, w2, w3);
    const LightSetting& s = m_lightSetting;
    Json::Value& li = objectMember(m_node, "LightInfo");
    objectMember(li, "SelectItem") = s.mode;
    objectMember(li, "Light") = s.brightness;
    objectMember(li, "Speed") = s.speed;
    objectMember(li, "Fx") = s.direction;
    objectMember(li, "MultiColor") = s.multiColor;
    objectMember(li, "Red") = s.red;
    objectMember(li, "Green") = s.green;
    objectMember(li, "Blue") = s.blue;
    objectMember(li, "ZZCCLedMode") = s.zzccLedMode;
    objectMember(li, "CustomGroup") = s.customGroup;
    objectMember(li, "OldLedmode") = s.oldLedMode;
}

std::vector<LightSetting> CBasicProfiledata::readLightList() {
    std::vector<LightSetting> list;
    const Json::Value& array = section("LightList");
    if (array.isArray()) {
        list.reserve(array.size());
        for (const Json::Value& e : array) {
            // Only an object lights its LED by itself; null (or anything else) leaves the LED
            // to the device's effect.
            LightSetting s;
            if (e.isObject()) {
                s.present = 1;
                s.mode = u8(member(e, "LEDREGMode"));
                s.brightness = u8(member(e, "LEDBrightness"));
                s.speed = u8(member(e, "LEDSpeed"));
                s.blue = u8(member(e, "blue"));
                s.green = u8(member(e, "green"));
                s.red = u8(member(e, "red"));
                s.multiColor = toBool(member(e, "LEDMultiColor")) ? 1 : 0;
                s.direction = toBool(member(e, "LEDDirection")) ? 1 : 0;
            }
            list.push_back(s);
        }
    }
    m_lightList = list;
    return list;
}

Json::Value CBasicProfiledata::loadLightListDocument(const std::string& path) {
    m_lightListDocument = JsonFileIO::loadJsonDocument(path);
    const size_t slash = path.rfind('/');
    m_lightListFolder = slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
    return m_lightListDocument;
}

std::string CBasicProfiledata::effectFilePath(const std::string& guid) const {
    // "Guid" may carry the folder of the program that wrote it; only its last part counts, and
    // only as a plain file name in the light list's own folder, so that a shared or imported
    // light list cannot make the program read files elsewhere.
    const size_t cut = guid.find_last_of("/\\");
    const std::string stem = cut == std::string::npos ? guid : guid.substr(cut + 1);
    if (!isSafeFileStem(stem) || m_lightListFolder.empty()) return {};
    return m_lightListFolder + stem + ".light";
}

std::vector<LightEffectStep> CBasicProfiledata::readLightEffectSteps() {
    std::vector<LightEffectStep> steps;
    if (!m_lightListDocument.isNull() && m_deviceIndex >= 0) {
        const Json::Value& entry = element(element(member(m_lightListDocument, "LightInfo"),
                                                   static_cast<Json::ArrayIndex>(m_deviceIndex)),
                                           m_lightSetting.mode);
        // "Guid" names the effect file without its extension.
        const std::string file = effectFilePath(json::toString(member(entry, "Guid")));
        const Json::Value doc = file.empty() ? Json::Value() : JsonFileIO::loadJsonDocument(file);
        const Json::Value& list = member(doc, "LEDEffectList");
        if (list.isArray()) {
            steps.reserve(list.size());
            for (const Json::Value& e : list) {
                LightEffectStep st;
                st.mode = u8(member(e, "LEDREGMode"));
                st.direction = u8(member(e, "LEDDirection"));
                st.brightness = u8(member(e, "LEDBrightness"));
                st.speed = u8(member(e, "LEDSpeed"));
                st.multiColor = u8(member(e, "LEDMultiColor"));
                st.red = u8(member(e, "red"));
                st.green = u8(member(e, "green"));
                st.blue = u8(member(e, "blue"));
                st.time = toInt(member(e, "Time"));
                st.cycle = toInt(member(e, "Cyle"));
                steps.push_back(st);
            }
        }
    }
    m_effectSteps = steps;
    return steps;
}

std::vector<KeyBinding> CBasicProfiledata::readKeyList() {
    std::vector<KeyBinding> list;
    const Json::Value& keys = section("KeyList");
    if (keys.isArray()) {
        list.reserve(keys.size());
        for (Json::ArrayIndex i = 0; i < keys.size(); ++i) {
            const Json::Value& e = keys[i];
            KeyBinding b;
            b.keyIndex = static_cast<uint16_t>(i);
            b.assignment = KeyBinding::bytes(static_cast<uint32_t>(toInt(member(e, "Assignment"))));
            b.defaultKeyIndex = static_cast<uint16_t>(i);
            b.defaultAssignment =
                KeyBinding::bytes(static_cast<uint32_t>(toInt(member(e, "DefaultAssignment"))));
            list.push_back(b);
        }
    }
    m_keyBindings = list;
    return list;
}

void CBasicProfiledata::writeKeyList(const std::vector<KeyBinding>& list) {
    m_keyBindings = list;
    Json::Value& keys = objectMember(m_node, "KeyList");
    for (size_t i = 0; i < list.size(); ++i) {
        Json::Value* e = json::arrayElement(keys, static_cast<Json::ArrayIndex>(i));
        if (!e) break;
        objectMember(*e, "Assignment") =
            static_cast<Json::Int>(KeyBinding::code(list[i].assignment));
    }
}

}  // namespace md
