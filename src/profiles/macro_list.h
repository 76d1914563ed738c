#pragma once
// The macro list of a device (its data folder's "macro.config" and the "<Guid>.mac" files):
// at most 50 macros, new ones named "macro_<n>" with the first free n, names unique without
// regard to case. Every change is written at once and atomically; a list file that cannot be
// read is reported and never overwritten.

#include <string>
#include <vector>

#include "profiles/macro_files.h"
#include "profiles/profile_records.h"

namespace md {

class MacroList {
  public:
    // Result codes of the changing operations (an index or 0 on success).
    enum Result : int {
        kFull = -1,          // 50 macros
        kNoSuchMacro = -2,   // index outside the list
        kEmptyName = -3,     // a name of blanks only
        kNameTaken = -4,     // another macro (or this one) has the name, case aside
        kWriteFailed = -5,   // a file could not be written (problem() says which)
        kListDamaged = -6,   // "macro.config" cannot be read: nothing is changed
        kUnusableFile = -7,  // an import or export source that is no macro file
    };
    static constexpr const char* kListFileName = "macro.config";

    // folder: the device's data folder, ending with '/'.
    explicit MacroList(std::string folder);

    // Reads the list; false (with problem()) when the list file exists but cannot be used.
    bool load();
    const std::string& problem() const { return m_problem; }

    size_t size() const { return m_entries.size(); }
    const std::string& name(size_t i) const { return m_entries.at(i).name; }
    const std::string& guid(size_t i) const { return m_entries.at(i).guid; }
    std::vector<std::string> names() const;
    std::string filePath(size_t i) const;

    // Adds an empty macro; its index, or a Result.
    int add();
    // Removes macro i and its file.
    int remove(size_t i);
    // Renames macro i (the name trimmed of blanks).
    int rename(size_t i, const std::string& name);
    // The events of macro i (none when its file is missing or unusable, with problem set);
    // inFile, when given, gets the number of events the file lists (more than the result when
    // the file holds more than kMaxMacroEvents).
    std::vector<MacroEvent> events(size_t i, std::string* problem = nullptr,
                                   size_t* inFile = nullptr) const;
    int saveEvents(size_t i, const std::vector<MacroEvent>& events);
    // A new macro from a ".mac" file (validated, normalised); its index or a Result.
    int importFile(const std::string& path);
    // Writes macro i to path as a ".mac" file; nothing is written when its file is unusable.
    int exportFile(size_t i, const std::string& path);

    // "macro_<n>" with the smallest n from 1 that no name has (case aside).
    static std::string freeName(const std::vector<std::string>& names);

  private:
    struct Entry {
        std::string name;
        std::string guid;
    };
    int writeList();
    bool nameTaken(const std::string& name) const;

    std::string m_folder;
    std::vector<Entry> m_entries;
    std::string m_problem;
    bool m_damaged = false;
};

// After macro `removed` was deleted: keys assigned to it get their factory function, keys
// assigned to a later macro move down by one. True when any binding changed.
bool renumberMacroAssignments(std::vector<KeyBinding>& bindings, size_t removed);

// The same for every profile of the device's profile list. Returns how many profile files
// changed, -1 when one could not be written.
int renumberMacroAssignmentsInProfiles(const std::string& folder, int32_t deviceKind,
                                       const std::string& templatePath, size_t removed);

}  // namespace md
