#include "profiles/profile_list.h"

#include <unistd.h>

#include <cstdio>

#include "profiles/app_paths.h"
#include "profiles/json_fields.h"
#include "profiles/json_file_io.h"

namespace md {

using json::member;
using json::objectMember;

namespace {

char foldCase(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool isBlank(const std::string& s) {
    return s.find_first_not_of(" \t\r\n\v\f") == std::string::npos;
}

bool fileExists(const std::string& path) {
    return ::access(path.c_str(), F_OK) == 0;
}

const Json::Value& entries(const Json::Value& list) {
    return member(list, "profilelist");
}

// Writable entry index of the list's "profilelist"; nullptr for an absurd index.
Json::Value* entrySlot(Json::Value& list, int32_t index) {
    if (index < 0) return nullptr;
    return json::arrayElement(objectMember(list, "profilelist"),
                              static_cast<Json::ArrayIndex>(index));
}

}  // namespace

bool sameProfileName(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (foldCase(a[i]) != foldCase(b[i])) return false;
    return true;
}

void ProfileList::setFolders(const std::string& dataFolder, const std::string& templatePath) {
    m_dataFolder = dataFolder;
    if (!m_dataFolder.empty() && m_dataFolder.back() != '/') m_dataFolder += '/';
    m_templatePath = templatePath;
}

std::string ProfileList::profilePath(const std::string& uuid) const {
    if (!isSafeFileStem(uuid)) return {};
    return m_dataFolder + uuid + ".Json";
}

Json::Value ProfileList::readList() const {
    return JsonFileIO::loadJsonDocumentForRewrite(listPath());
}

bool ProfileList::writeList(const Json::Value& list) const {
    return JsonFileIO::storeJsonDocument(listPath(), list) == 0;
}

std::string ProfileList::newIdentifier() const {
    // Names are unique within this process; also step over files left by another run.
    std::string id = JsonFileIO::makeTimestampName();
    for (int tries = 0; tries < 1000 && fileExists(profilePath(id)); ++tries)
        id = JsonFileIO::makeTimestampName();
    return id;
}

bool ProfileList::nameTaken(const std::string& name, int32_t except) const {
    for (size_t i = 0; i < m_items.size(); ++i)
        if (static_cast<int32_t>(i) != except && sameProfileName(m_items[i], name)) return true;
    return false;
}

Json::Value ProfileList::makeEntry(const std::string& name, const std::string& uuid) {
    Json::Value e(Json::objectValue);
    e["profilename"] = name;
    e["profileUUID"] = uuid;
    e["profileislink"] = 0;
    e["profilelinkmame"] = "";
    return e;
}

bool ProfileList::createFromTemplate(const std::string& name, const std::string& uuid) const {
    const std::string path = profilePath(uuid);
    if (path.empty()) return false;
    Json::Value doc = JsonFileIO::loadJsonDocument(m_templatePath);
    objectMember(doc, "profilename") = name;
    objectMember(doc, "profileUUID") = uuid;
    return JsonFileIO::storeJsonDocument(path, doc) == 0;
}

std::string ProfileList::entryUuid(const Json::Value& list, int32_t index) const {
    if (index < 0) return {};
    std::string uuid = json::toString(
        member(json::element(entries(list), static_cast<Json::ArrayIndex>(index)), "profileUUID"));
    return isSafeFileStem(uuid) ? uuid : std::string();
}

void ProfileList::start() {
    JsonFileIO::removeStaleTempFiles(m_dataFolder);
    Json::Value list = readList();
    const Json::Value& existing = entries(list);
    if (!existing.isArray() || existing.empty()) {
        const std::string uuid = newIdentifier();
        list = Json::Value(Json::objectValue);
        list["profilelist"] = Json::Value(Json::arrayValue);
        list["profilelist"].append(makeEntry("profile1", uuid));
        list["profileselect"] = 0;
        writeList(list);
        createFromTemplate("profile1", uuid);
    }
    m_items.clear();
    for (const Json::Value& e : entries(list))
        m_items.push_back(json::toString(member(e, "profilename")));
    int32_t select = json::toInt(member(list, "profileselect"));
    if (select < 0 || select >= static_cast<int32_t>(m_items.size())) select = 0;
    selectProfile(select);
}

void ProfileList::setCurrentSelection(int32_t index) {
    if (index >= -1 && index < static_cast<int32_t>(m_items.size())) m_selection = index;
}

bool ProfileList::selectProfile(int32_t index) {
    if (index < 0 || index >= static_cast<int32_t>(m_items.size())) return false;
    m_selection = index;
    m_nameText = m_items[static_cast<size_t>(index)];
    Json::Value list = readList();
    objectMember(list, "profileselect") = index;
    std::string uuid = entryUuid(list, index);
    if (uuid.empty()) {
        // Missing or unusable identifier: give the entry a fresh one and a profile file.
        uuid = newIdentifier();
        Json::Value* slot = entrySlot(list, index);
        if (slot) {
            if (!slot->isObject()) *slot = makeEntry(m_nameText, uuid);
            (*slot)["profileUUID"] = uuid;
        }
        createFromTemplate(m_nameText, uuid);
    }
    m_currentUuid = uuid;
    writeList(list);
    return true;
}

bool ProfileList::addProfile() {
    if (static_cast<int32_t>(m_items.size()) >= kMaxAddCount) return false;
    std::string name;
    for (int n = 1;; ++n) {
        char buf[32];
        std::snprintf(buf, sizeof buf, "profile%d", n);
        name = buf;
        if (!nameTaken(name)) break;
    }
    m_items.push_back(name);
    const std::string uuid = newIdentifier();
    const auto index = static_cast<int32_t>(m_items.size()) - 1;
    Json::Value list = readList();
    if (Json::Value* slot = entrySlot(list, index)) *slot = makeEntry(name, uuid);
    objectMember(list, "profileselect") = index;
    writeList(list);
    createFromTemplate(name, uuid);
    return true;
}

bool ProfileList::deleteProfile() {
    if (m_selection < 0 || m_items.size() < 2) return false;
    const int32_t s = m_selection;
    const int32_t next = s > 0 ? s - 1 : 0;
    Json::Value list = readList();
    const std::string uuid = entryUuid(list, s);
    Json::Value& array = objectMember(list, "profilelist");
    if (array.isArray() && static_cast<Json::ArrayIndex>(s) < array.size()) {
        Json::Value removed;
        array.removeIndex(static_cast<Json::ArrayIndex>(s), &removed);
    }
    if (!uuid.empty()) std::remove(profilePath(uuid).c_str());
    objectMember(list, "profileselect") = next;
    writeList(list);
    m_items.erase(m_items.begin() + s);
    selectProfile(next);
    return true;
}

bool ProfileList::copyProfile() {
    if (m_selection < 0) return false;
    const int32_t s = m_selection;
    std::string name = m_items[static_cast<size_t>(s)] + " copy";
    while (nameTaken(name)) name += " copy";
    m_items.push_back(name);
    const std::string uuid = newIdentifier();
    Json::Value list = readList();
    if (Json::Value* slot = entrySlot(list, static_cast<int32_t>(m_items.size()) - 1))
        *slot = makeEntry(name, uuid);
    writeList(list);
    const std::string source = entryUuid(list, s);
    Json::Value doc =
        source.empty() ? Json::Value() : JsonFileIO::loadJsonDocument(profilePath(source));
    objectMember(doc, "profilename") = name;
    objectMember(doc, "profileUUID") = uuid;
    JsonFileIO::storeJsonDocument(profilePath(uuid), doc);
    return true;
}

int ProfileList::renameProfile(const std::string& name) {
    if (isBlank(name)) return kNameBlank;
    if (m_selection < 0) return kNameTaken;
    const int32_t s = m_selection;
    if (nameTaken(name, s)) return kNameTaken;
    m_items[static_cast<size_t>(s)] = name;
    m_nameText = name;
    Json::Value list = readList();
    if (Json::Value* slot = entrySlot(list, s)) objectMember(*slot, "profilename") = name;
    writeList(list);
    const std::string path = profilePath(entryUuid(list, s));
    if (!path.empty()) {
        Json::Value doc = JsonFileIO::loadJsonDocumentForRewrite(path);
        objectMember(doc, "profilename") = name;
        JsonFileIO::storeJsonDocument(path, doc);
    }
    return kRenamed;
}

bool ProfileList::importProfile(const std::string& path) {
    if (m_selection < 0) return false;
    Json::Value doc = JsonFileIO::loadJsonDocument(path);
    const Json::Value& importedName = member(doc, "profilename");
    if (!importedName.isString() || member(doc, "profileUUID").isNull()) return false;
    std::string name = importedName.asString();
    for (int n = 1; nameTaken(name); ++n) {
        char buf[32];
        std::snprintf(buf, sizeof buf, "(%d)", n);
        name += buf;
    }
    m_items.push_back(name);
    const std::string uuid = newIdentifier();
    Json::Value list = readList();
    if (Json::Value* slot = entrySlot(list, static_cast<int32_t>(m_items.size()) - 1))
        *slot = makeEntry(name, uuid);
    writeList(list);
    doc["profilename"] = name;
    doc["profileUUID"] = uuid;
    return JsonFileIO::storeJsonDocument(profilePath(uuid), doc) == 0;
}

bool ProfileList::exportProfile(const std::string& path) {
    if (m_selection < 0 || path.empty()) return false;
    const std::string source = profilePath(entryUuid(readList(), m_selection));
    if (source.empty()) return false;
    const Json::Value doc = JsonFileIO::loadJsonDocument(source);
    if (doc.isNull()) return false;
    return JsonFileIO::storeJsonDocument(path, doc) == 0;
}

bool ProfileList::resetProfile() {
    if (m_selection < 0) return false;
    const Json::Value list = readList();
    const Json::Value& entry =
        json::element(entries(list), static_cast<Json::ArrayIndex>(m_selection));
    const std::string uuid = entryUuid(list, m_selection);
    const std::string path = profilePath(uuid);
    if (path.empty()) return false;
    Json::Value doc = JsonFileIO::loadJsonDocument(m_templatePath);
    objectMember(doc, "profilename") = json::toString(member(entry, "profilename"));
    objectMember(doc, "profileUUID") = uuid;
    if (m_kind == kHeadsetKind) {
        // The user's own equalisers survive a reset.
        const Json::Value old = JsonFileIO::loadJsonDocumentForRewrite(path);
        const Json::Value& oldNode = json::element(member(old, "Device"), 0);
        for (const char* key : {"CustomEQNameInfo", "CustomEQHzValueInfo"}) {
            const Json::Value& kept = member(oldNode, key);
            if (kept.isNull()) continue;
            Json::Value* node = json::arrayElement(objectMember(doc, "Device"), 0);
            objectMember(*node, key) = kept;
        }
    }
    return JsonFileIO::storeJsonDocument(path, doc) == 0;
}

}  // namespace md
