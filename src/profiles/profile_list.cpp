#include "profiles/profile_list.h"

#include <unistd.h>

#include <cstdio>

#include "profiles/app_paths.h"
#include "profiles/folder_lock.h"
#include "profiles/json_fields.h"
#include "profiles/json_file_io.h"
#include "profiles/profile_ranges.h"

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

// An object whose "profilelist" is an array.
bool isProfileListShape(const Json::Value& list) {
    return list.isObject() && list.isMember("profilelist") && list["profilelist"].isArray();
}

}  // namespace

bool sameProfileName(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (foldCase(a[i]) != foldCase(b[i])) return false;
    return true;
}

size_t profileNameChars(const std::string& name) {
    size_t n = 0;
    for (const char c : name)
        if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) ++n;
    return n;
}

std::string cutProfileName(const std::string& name, size_t maxChars) {
    size_t chars = 0;
    for (size_t i = 0; i < name.size(); ++i) {
        if ((static_cast<unsigned char>(name[i]) & 0xC0) == 0x80) continue;
        if (chars++ == maxChars) return name.substr(0, i);
    }
    return name;
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

bool ProfileList::fail(std::string problem) {
    m_problem = std::move(problem);
    return false;
}

bool ProfileList::readList(Json::Value& list) {
    JsonRead r = JsonFileIO::loadChecked(listPath());
    // A list file that is empty, or valid JSON of another shape (e.g. a profile saved over it),
    // still names nothing we could rebuild: it is kept for the user instead of replaced.
    if (r.status == JsonReadStatus::Missing && !r.problem.empty())
        r.status = JsonReadStatus::Damaged;
    if (r.status == JsonReadStatus::Ok && !isProfileListShape(r.value)) {
        r.status = JsonReadStatus::Damaged;
        r.problem = "is not a profile list (no \"profilelist\" array)";
    }
    if (r.status == JsonReadStatus::Damaged) {
        m_damaged = true;
        return fail("the profile list " + listPath() + " " + r.problem +
                    "; it was left as it is. Repair or remove it.");
    }
    m_damaged = false;
    list = std::move(r.value);
    return true;
}

bool ProfileList::writeList(const Json::Value& list) {
    if (JsonFileIO::storeJsonDocument(listPath(), list) == 0) return true;
    return fail("the profile list " + JsonFileIO::writeProblem(listPath()));
}

std::string ProfileList::newIdentifier() const {
    // Names are unique within this process; the folder lock held around every caller makes
    // the check against files of other programs final.
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

bool ProfileList::createFromTemplate(const std::string& name, const std::string& uuid) {
    const std::string path = profilePath(uuid);
    if (path.empty()) return false;
    Json::Value doc = JsonFileIO::loadJsonDocument(m_templatePath);
    objectMember(doc, "profilename") = name;
    objectMember(doc, "profileUUID") = uuid;
    if (JsonFileIO::storeJsonDocument(path, doc) == 0) return true;
    return fail("the profile " + JsonFileIO::writeProblem(path));
}

std::string ProfileList::entryUuid(const Json::Value& list, int32_t index) const {
    if (index < 0) return {};
    std::string uuid = json::toString(
        member(json::element(entries(list), static_cast<Json::ArrayIndex>(index)), "profileUUID"));
    return isSafeFileStem(uuid) ? uuid : std::string();
}

std::string ProfileList::itemUuid(int32_t index) const {
    if (index < 0 || static_cast<size_t>(index) >= m_uuids.size()) return {};
    return m_uuids[static_cast<size_t>(index)];
}

bool ProfileList::syncFrom(const Json::Value& list) {
    m_items.clear();
    m_uuids.clear();
    for (const Json::Value& e : entries(list)) {
        m_items.push_back(json::toString(member(e, "profilename")));
        m_uuids.push_back(json::toString(member(e, "profileUUID")));
    }
    if (m_selection < 0) return true;
    // The selected profile where it is now; by position when its identifier is unusable.
    if (!m_selectedUuid.empty()) {
        for (size_t i = 0; i < m_uuids.size(); ++i) {
            if (m_uuids[i] == m_selectedUuid) {
                m_selection = static_cast<int32_t>(i);
                return true;
            }
        }
        m_selection = m_items.empty() ? -1 : 0;
        m_selectedUuid = itemUuid(m_selection);
        return false;
    }
    if (m_selection >= static_cast<int32_t>(m_items.size())) m_selection = m_items.empty() ? -1 : 0;
    return true;
}

template <typename Change>
bool ProfileList::changeList(Change change) {
    m_problem.clear();
    FolderLock lock(m_dataFolder);
    if (!lock.ok())
        return fail("the profile folder " + m_dataFolder + " is locked by another program");
    Json::Value list;
    if (!readList(list)) return false;
    if (!syncFrom(list)) return fail("the selected profile was removed by another program");
    if (!change(list)) return false;
    if (!writeList(list)) return false;
    syncFrom(list);
    return true;
}

bool ProfileList::start() {
    m_problem.clear();
    FolderLock lock(m_dataFolder);
    JsonFileIO::removeStaleTempFiles(m_dataFolder);
    Json::Value list;
    if (!readList(list)) {
        m_items.clear();
        m_uuids.clear();
        m_selection = -1;
        m_selectedUuid.clear();
        m_currentUuid.clear();
        return false;
    }
    const Json::Value& existing = entries(list);
    if (!existing.isArray() || existing.empty()) {
        // No list, or one without entries: nothing to keep, a one-profile list replaces it.
        const std::string uuid = newIdentifier();
        list = Json::Value(Json::objectValue);
        list["profilelist"] = Json::Value(Json::arrayValue);
        list["profilelist"].append(makeEntry("profile1", uuid));
        list["profileselect"] = 0;
        if (!writeList(list) || !createFromTemplate("profile1", uuid)) {
            m_items.clear();
            m_uuids.clear();
            m_selection = -1;
            m_currentUuid.clear();
            return false;
        }
    }
    m_selection = -1;
    m_selectedUuid.clear();
    syncFrom(list);
    int32_t select = json::toInt(member(list, "profileselect"));
    if (select < 0 || select >= static_cast<int32_t>(m_items.size())) select = 0;
    return selectProfile(select);
}

void ProfileList::setCurrentSelection(int32_t index) {
    if (index >= -1 && index < static_cast<int32_t>(m_items.size())) {
        m_selection = index;
        m_selectedUuid = itemUuid(index);
    }
}

bool ProfileList::selectProfileByUuid(const std::string& uuid) {
    for (size_t i = 0; i < m_uuids.size(); ++i)
        if (m_uuids[i] == uuid) return selectProfile(static_cast<int32_t>(i));
    return fail("no profile " + uuid + " in " + listPath());
}

bool ProfileList::selectProfile(int32_t index) {
    if (index < 0 || index >= static_cast<int32_t>(m_items.size())) return false;
    setCurrentSelection(index);
    std::string chosen;
    const bool ok = changeList([&](Json::Value& list) {
        const int32_t at = m_selection;
        if (at < 0) return fail("the profile list " + listPath() + " has no entries");
        objectMember(list, "profileselect") = at;
        std::string uuid = entryUuid(list, at);
        if (uuid.empty()) {
            // Missing or unusable identifier: give the entry a fresh one and a profile file.
            uuid = newIdentifier();
            Json::Value* slot = entrySlot(list, at);
            if (slot) {
                if (!slot->isObject()) *slot = makeEntry(m_items[static_cast<size_t>(at)], uuid);
                (*slot)["profileUUID"] = uuid;
            }
            if (!createFromTemplate(m_items[static_cast<size_t>(at)], uuid)) return false;
        }
        chosen = uuid;
        return true;
    });
    if (!ok) return false;
    m_selectedUuid = itemUuid(m_selection);
    m_currentUuid = chosen;
    m_nameText = m_items[static_cast<size_t>(m_selection)];
    return true;
}

bool ProfileList::addProfile() {
    return changeList([&](Json::Value& list) {
        if (static_cast<int32_t>(m_items.size()) >= kMaxAddCount) return false;
        std::string name;
        for (int n = 1;; ++n) {
            char buf[32];
            std::snprintf(buf, sizeof buf, "profile%d", n);
            name = buf;
            if (!nameTaken(name)) break;
        }
        const std::string uuid = newIdentifier();
        if (!createFromTemplate(name, uuid)) return false;
        objectMember(list, "profilelist").append(makeEntry(name, uuid));
        objectMember(list, "profileselect") = static_cast<int32_t>(m_items.size());
        return true;
    });
}

bool ProfileList::deleteProfile() {
    std::string removedUuid;
    int32_t next = 0;
    const bool ok = changeList([&](Json::Value& list) {
        if (m_selection < 0 || m_items.size() < 2) return false;
        const int32_t s = m_selection;
        next = s > 0 ? s - 1 : 0;
        removedUuid = entryUuid(list, s);
        Json::Value& array = objectMember(list, "profilelist");
        Json::Value removed;
        if (!array.isArray() || !array.removeIndex(static_cast<Json::ArrayIndex>(s), &removed))
            return false;
        objectMember(list, "profileselect") = next;
        // The selected entry is gone; the next sync keeps the position.
        m_selection = next;
        m_selectedUuid.clear();
        return true;
    });
    if (!ok) return false;
    // The file goes once the list no longer names it: a failure in between leaves an orphan
    // file, never an entry without its file.
    if (!removedUuid.empty()) std::remove(profilePath(removedUuid).c_str());
    return selectProfile(next);
}

bool ProfileList::copyProfile() {
    return changeList([&](Json::Value& list) {
        if (m_selection < 0) return false;
        std::string name = m_items[static_cast<size_t>(m_selection)] + " copy";
        while (nameTaken(name)) name += " copy";
        const std::string uuid = newIdentifier();
        const std::string source = entryUuid(list, m_selection);
        Json::Value doc =
            source.empty() ? Json::Value() : JsonFileIO::loadJsonDocument(profilePath(source));
        objectMember(doc, "profilename") = name;
        objectMember(doc, "profileUUID") = uuid;
        if (JsonFileIO::storeJsonDocument(profilePath(uuid), doc) != 0)
            return fail("the profile " + JsonFileIO::writeProblem(profilePath(uuid)));
        objectMember(list, "profilelist").append(makeEntry(name, uuid));
        return true;
    });
}

int ProfileList::renameProfile(const std::string& name) {
    if (isBlank(name)) return kNameBlank;
    if (profileNameChars(name) > kMaxNameChars) return kNameTooLong;
    int result = kNameTaken;
    changeList([&](Json::Value& list) {
        if (m_selection < 0) return false;
        const int32_t s = m_selection;
        if (nameTaken(name, s)) return false;
        Json::Value* slot = entrySlot(list, s);
        if (!slot) return false;
        objectMember(*slot, "profilename") = name;
        const std::string path = profilePath(entryUuid(list, s));
        if (!path.empty()) {
            JsonRead doc = JsonFileIO::loadChecked(path);
            if (doc.status == JsonReadStatus::Damaged)
                return fail("the profile " + path + " " + doc.problem);
            objectMember(doc.value, "profilename") = name;
            if (JsonFileIO::storeJsonDocument(path, doc.value) != 0)
                return fail("the profile " + JsonFileIO::writeProblem(path));
        }
        result = kRenamed;
        return true;
    });
    if (result == kRenamed) m_nameText = name;
    return result;
}

bool ProfileList::importProfile(const std::string& path) {
    m_problem.clear();
    const JsonRead read = JsonFileIO::loadChecked(path);
    if (read.status != JsonReadStatus::Ok)
        return fail(path + (read.problem.empty() ? " does not exist" : " " + read.problem));
    Json::Value doc = read.value;
    const Json::Value& importedName = member(doc, "profilename");
    if (!importedName.isString() || member(doc, "profileUUID").isNull())
        return fail(path + " is not a profile file (it needs \"profilename\" and \"profileUUID\")");
    const Json::Value& devices = member(doc, "Device");
    if (!devices.isNull() && !devices.isArray())
        return fail(path + " is not a profile file (\"Device\" is not a list)");
    for (const Json::Value& node : devices) {
        const std::string bad = checkProfileRanges(node, profileRangesForKind(m_kind));
        if (!bad.empty()) return fail(path + ": " + bad);
    }
    return changeList([&](Json::Value& list) {
        if (m_selection < 0) return false;
        std::string name = cutProfileName(importedName.asString(), kMaxNameChars);
        for (int n = 1; nameTaken(name); ++n) {
            char buf[32];
            std::snprintf(buf, sizeof buf, "(%d)", n);
            name += buf;
        }
        const std::string uuid = newIdentifier();
        doc["profilename"] = name;
        doc["profileUUID"] = uuid;
        if (JsonFileIO::storeJsonDocument(profilePath(uuid), doc) != 0)
            return fail("the profile " + JsonFileIO::writeProblem(profilePath(uuid)));
        objectMember(list, "profilelist").append(makeEntry(name, uuid));
        return true;
    });
}

bool ProfileList::exportProfile(const std::string& path) {
    m_problem.clear();
    if (m_selection < 0 || path.empty()) return false;
    FolderLock lock(m_dataFolder);
    Json::Value list;
    if (!readList(list)) return false;
    if (!syncFrom(list)) return fail("the selected profile was removed by another program");
    const std::string source = profilePath(entryUuid(list, m_selection));
    if (source.empty()) return false;
    const JsonRead doc = JsonFileIO::loadChecked(source);
    if (doc.status == JsonReadStatus::Damaged)
        return fail("the profile " + source + " " + doc.problem);
    if (doc.value.isNull()) return false;
    if (JsonFileIO::storeJsonDocument(path, doc.value) == 0) return true;
    return fail(JsonFileIO::writeProblem(path));
}

bool ProfileList::resetProfile() {
    m_problem.clear();
    if (m_selection < 0) return false;
    FolderLock lock(m_dataFolder);
    Json::Value list;
    if (!readList(list)) return false;
    if (!syncFrom(list)) return fail("the selected profile was removed by another program");
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
        // A damaged profile has no equalisers to keep; the reset repairs it.
        const Json::Value old = JsonFileIO::loadJsonDocument(path);
        const Json::Value& oldNode = json::element(member(old, "Device"), 0);
        for (const char* key : {"CustomEQNameInfo", "CustomEQHzValueInfo"}) {
            const Json::Value& kept = member(oldNode, key);
            if (kept.isNull()) continue;
            Json::Value* node = json::arrayElement(objectMember(doc, "Device"), 0);
            objectMember(*node, key) = kept;
        }
    }
    if (JsonFileIO::storeJsonDocument(path, doc) == 0) return true;
    return fail("the profile " + JsonFileIO::writeProblem(path));
}

}  // namespace md
