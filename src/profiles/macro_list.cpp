#include "profiles/macro_list.h"

#include <unistd.h>

#include <algorithm>
#include <cctype>

#include "profiles/app_paths.h"
#include "profiles/basic_profiledata.h"
#include "profiles/json_file_io.h"
#include "profiles/profile_list.h"

namespace md {
namespace {

std::string lower(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return s;
}

std::string trimmed(const std::string& s) {
    const auto first = s.find_first_not_of(" \t\r\n");
    if (first == std::string::npos) return {};
    return s.substr(first, s.find_last_not_of(" \t\r\n") - first + 1);
}

bool isMacroAssignment(const std::array<uint8_t, 3>& a) {
    return a[0] == 0x70 || a[0] == 0x71;
}

}  // namespace

MacroList::MacroList(std::string folder) : m_folder(std::move(folder)) {}

bool MacroList::load() {
    m_entries.clear();
    m_problem.clear();
    m_damaged = false;
    const std::string path = m_folder + kListFileName;
    const JsonRead r = JsonFileIO::loadChecked(path);
    if (r.status == JsonReadStatus::Missing) return true;
    const Json::Value& info =
        r.value.isObject() ? r.value["MacroInfo"] : Json::Value::nullSingleton();
    if (r.status == JsonReadStatus::Damaged || !(info.isArray() || info.isNull())) {
        m_damaged = true;
        m_problem = path + (r.problem.empty() ? " has no \"MacroInfo\" list" : " " + r.problem);
        return false;
    }
    for (const Json::Value& m : info) {
        if (m_entries.size() == kMaxMacros) break;
        Entry e;
        if (m.isObject() && m["MacroName"].isString()) e.name = m["MacroName"].asString();
        // A Guid that is no safe file name is kept out of paths: the macro reads as empty.
        if (m.isObject() && m["Guid"].isString()) e.guid = m["Guid"].asString();
        m_entries.push_back(std::move(e));
    }
    return true;
}

std::vector<std::string> MacroList::names() const {
    std::vector<std::string> out;
    out.reserve(m_entries.size());
    for (const Entry& e : m_entries) out.push_back(e.name);
    return out;
}

std::string MacroList::filePath(size_t i) const {
    if (i >= m_entries.size() || !isSafeFileStem(m_entries[i].guid)) return {};
    return m_folder + m_entries[i].guid + ".mac";
}

int MacroList::writeList() {
    Json::Value doc(Json::objectValue);
    Json::Value& info = doc["MacroInfo"] = Json::Value(Json::arrayValue);
    for (const Entry& e : m_entries) {
        Json::Value m(Json::objectValue);
        m["MacroName"] = e.name;
        m["Guid"] = e.guid;
        info.append(m);
    }
    const std::string path = m_folder + kListFileName;
    if (JsonFileIO::storeJsonDocument(path, doc) != 0) {
        m_problem = JsonFileIO::writeProblem(path);
        return kWriteFailed;
    }
    return 0;
}

bool MacroList::nameTaken(const std::string& name) const {
    const std::string l = lower(name);
    return std::any_of(m_entries.begin(), m_entries.end(),
                       [&](const Entry& e) { return lower(e.name) == l; });
}

std::string MacroList::freeName(const std::vector<std::string>& names) {
    for (int n = 1;; ++n) {
        const std::string candidate = "macro_" + std::to_string(n);
        if (std::none_of(names.begin(), names.end(),
                         [&](const std::string& s) { return lower(s) == candidate; }))
            return candidate;
    }
}

int MacroList::add() {
    if (m_damaged) return kListDamaged;
    if (m_entries.size() >= kMaxMacros) return kFull;
    Entry e{freeName(names()), JsonFileIO::makeTimestampName()};
    MacroFile f{e.name, e.guid, {}};
    const std::string path = m_folder + e.guid + ".mac";
    if (writeMacroFile(path, f) != 0) {
        m_problem = JsonFileIO::writeProblem(path);
        return kWriteFailed;
    }
    m_entries.push_back(e);
    if (const int r = writeList(); r != 0) {
        m_entries.pop_back();
        ::unlink(path.c_str());
        return r;
    }
    return static_cast<int>(m_entries.size() - 1);
}

int MacroList::remove(size_t i) {
    if (m_damaged) return kListDamaged;
    if (i >= m_entries.size()) return kNoSuchMacro;
    const std::string path = filePath(i);
    const Entry gone = m_entries[i];
    m_entries.erase(m_entries.begin() + static_cast<std::ptrdiff_t>(i));
    if (const int r = writeList(); r != 0) {
        m_entries.insert(m_entries.begin() + static_cast<std::ptrdiff_t>(i), gone);
        return r;
    }
    if (!path.empty()) ::unlink(path.c_str());
    return 0;
}

int MacroList::rename(size_t i, const std::string& name) {
    if (m_damaged) return kListDamaged;
    if (i >= m_entries.size()) return kNoSuchMacro;
    const std::string n = trimmed(name);
    if (n.empty()) return kEmptyName;
    if (nameTaken(n)) return kNameTaken;
    const std::string before = m_entries[i].name;
    m_entries[i].name = n;
    if (const int r = writeList(); r != 0) {
        m_entries[i].name = before;
        return r;
    }
    // The macro's own file carries its name too.
    std::string problem;
    MacroFile f = readMacroFile(filePath(i), problem);
    if (problem.empty()) {
        f.name = n;
        f.guid = m_entries[i].guid;
        writeMacroFile(filePath(i), f);
    }
    return 0;
}

std::vector<MacroEvent> MacroList::events(size_t i, std::string* problem, size_t* inFile) const {
    std::string why;
    const std::string path = filePath(i);
    if (path.empty()) {
        if (problem) *problem = "the macro has no usable file name";
        return {};
    }
    MacroFile f = readMacroFile(path, why);
    if (problem) *problem = why;
    if (inFile) *inFile = f.eventsInFile;
    return f.events;
}

int MacroList::saveEvents(size_t i, const std::vector<MacroEvent>& events) {
    const std::string path = filePath(i);
    if (path.empty()) return kNoSuchMacro;
    if (writeMacroFile(path, MacroFile{m_entries[i].name, m_entries[i].guid, events}) != 0) {
        m_problem = JsonFileIO::writeProblem(path);
        return kWriteFailed;
    }
    return 0;
}

int MacroList::importFile(const std::string& path) {
    std::string why;
    const MacroFile source = readMacroFile(path, why);
    if (!why.empty()) {
        m_problem = why;
        return kUnusableFile;
    }
    const int index = add();
    if (index < 0) return index;
    if (const int r = saveEvents(size_t(index), source.events); r != 0) {
        remove(size_t(index));
        return r;
    }
    return index;
}

int MacroList::exportFile(size_t i, const std::string& path) {
    if (i >= m_entries.size()) return kNoSuchMacro;
    std::string why;
    const MacroFile f = readMacroFile(filePath(i), why);
    if (!why.empty() || filePath(i).empty()) {
        m_problem = why.empty() ? "the macro has no usable file" : why;
        return kUnusableFile;
    }
    if (writeMacroFile(path, MacroFile{m_entries[i].name, m_entries[i].guid, f.events}) != 0) {
        m_problem = JsonFileIO::writeProblem(path);
        return kWriteFailed;
    }
    return 0;
}

bool renumberMacroAssignments(std::vector<KeyBinding>& bindings, size_t removed) {
    bool changed = false;
    for (KeyBinding& b : bindings) {
        if (!isMacroAssignment(b.assignment)) continue;
        if (b.assignment[1] == removed) {
            b.keyIndex = b.defaultKeyIndex;
            b.assignment = b.defaultAssignment;
            changed = true;
        } else if (b.assignment[1] > removed) {
            --b.assignment[1];
            changed = true;
        }
    }
    return changed;
}

int renumberMacroAssignmentsInProfiles(const std::string& folder, int32_t deviceKind,
                                       const std::string& templatePath, size_t removed) {
    ProfileList list;
    list.setDeviceKind(deviceKind);
    list.setFolders(folder, templatePath);
    if (!list.start()) return -1;
    int changed = 0;
    for (size_t i = 0; i < list.itemNames().size(); ++i) {
        const std::string uuid = list.itemUuid(static_cast<int32_t>(i));
        if (!isSafeFileStem(uuid)) continue;
        CBasicProfiledata profile;
        const std::string path = folder + uuid + ".Json";
        profile.setProfilePath(path);
        profile.setDefaultPath(templatePath);
        profile.loadNode(path);
        if (profile.damaged()) continue;  // never rewritten
        std::vector<KeyBinding> keys = profile.readKeyList();
        if (!renumberMacroAssignments(keys, removed)) continue;
        profile.writeKeyList(keys);
        if (!profile.save()) return -1;
        ++changed;
    }
    return changed;
}

}  // namespace md
