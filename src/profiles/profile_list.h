#pragma once
// The profiles of one device: the list file "ProfileList.ini" (a JSON document despite its
// name) in the device data folder, the profile files it names, and the operations of the
// profile panel (select, add, delete, copy, rename, import, export, reset). The names the
// panel's combo shows are kept here in order, with the combo's selection; the widget only
// mirrors them. Every change happens under the data folder's inter-process lock and starts by
// reading the list file again, so the file stays the reference and two programs changing the
// list at once never lose each other's entries. The selection is followed by its identifier,
// so entries added or removed by another program do not move it to another profile.
//
// A list file that exists but cannot be used (no regular file, unreadable, damaged) is never
// rewritten: the list reports it through problem() and refuses changes until it is repaired.
//
// Identifiers read from the list file are used as file names only when isSafeFileStem accepts
// them; any other identifier counts as missing, so no list or import file can make this class
// read, write or delete outside the device data folder.

#include <json/value.h>

#include <cstdint>
#include <string>
#include <vector>

namespace md {

class ProfileList {
  public:
    static constexpr int32_t kMaxAddCount = 50;
    static constexpr int32_t kHeadsetKind = 7;
    static constexpr const char* kListFileName = "ProfileList.ini";

    // renameProfile results.
    static constexpr int kRenamed = 1;
    static constexpr int kNameTaken = 0;
    static constexpr int kNameBlank = 2;
    static constexpr int kNameTooLong = 3;
    // Longest profile name, in characters (UTF-8 code points).
    static constexpr size_t kMaxNameChars = 64;

    void setDeviceKind(int32_t kind) { m_kind = kind; }
    int32_t deviceKind() const { return m_kind; }
    // dataFolder is the device data folder (a trailing '/' is added when missing).
    void setFolders(const std::string& dataFolder, const std::string& templatePath);

    // Reads the list (making a one-profile list when there is none), fills the item names and
    // selects the stored selection. Also clears temporary files left by interrupted writes.
    // False when the list is damaged or could not be created (see problem()).
    bool start();

    // The reason of the last failed operation, naming the file ("" after a success).
    const std::string& problem() const { return m_problem; }
    // The list file exists but cannot be used; nothing is written until it is repaired.
    bool damaged() const { return m_damaged; }

    const std::vector<std::string>& itemNames() const { return m_items; }
    // Index of the selected item, -1 for none.
    int32_t currentSelection() const { return m_selection; }
    // The user picked an item in the combo; selectProfile makes it current.
    void setCurrentSelection(int32_t index);

    // Selects item index, stores it as "profileselect" and makes its profile current. An entry
    // whose identifier is missing or unsafe gets a new one (and a profile file from the
    // template). Returns false for an index outside the list.
    bool selectProfile(int32_t index);
    // Selects the item with identifier uuid (e.g. an import's); false when there is none.
    bool selectProfileByUuid(const std::string& uuid);
    // Identifier of item index as the list file has it ("" when out of range).
    std::string itemUuid(int32_t index) const;
    const std::string& currentProfileUuid() const { return m_currentUuid; }
    // Text of the name edit.
    const std::string& profileNameText() const { return m_nameText; }
    void setProfileNameText(const std::string& text) { m_nameText = text; }

    // Adds "profile<n>" (first n free, compared without regard to case) as the stored selection;
    // the shown selection and the current profile stay. False at kMaxAddCount items.
    bool addProfile();
    // Removes the selected profile and its file, then selects the previous item (the first
    // when the first was removed). False with no selection or fewer than two items.
    bool deleteProfile();
    // Appends a copy of the selected profile named "<name> copy" (" copy" repeated until free).
    bool copyProfile();
    // kRenamed, kNameTaken (another item has the name, case ignored), kNameBlank or
    // kNameTooLong (more than kMaxNameChars characters).
    int renameProfile(const std::string& name);
    // Adds the profile file at path under a new identifier; its name is cut to kMaxNameChars
    // characters and gets "(1)", "(2)", ... appended while taken. False when the file does not parse or lacks "profilename" or
    // "profileUUID", holds a value outside the device kind's ranges (problem() names the field),
    // or nothing is selected. The new item is the last one.
    bool importProfile(const std::string& path);
    // Writes the selected profile's file to path. False when there is nothing to write.
    bool exportProfile(const std::string& path);
    // Rewrites the selected profile from the default template, keeping its name and identifier
    // (and, for the headset, the user's own equalisers).
    bool resetProfile();

    std::string listPath() const { return m_dataFolder + kListFileName; }
    // Path of the profile file of identifier uuid; empty when uuid is not a safe stem.
    std::string profilePath(const std::string& uuid) const;

  private:
    // Reads the list file into list: true when it is usable or missing (list then null).
    bool readList(Json::Value& list);
    bool writeList(const Json::Value& list);
    // Takes names and identifiers from a freshly read list and finds the selected identifier
    // in it again. False when the selected profile is gone.
    bool syncFrom(const Json::Value& list);
    // Runs change on the re-read list under the folder lock and writes the list when change
    // returns true. False (with problem()) when the list is damaged, locked, or not written.
    template <typename Change>
    bool changeList(Change change);
    bool fail(std::string problem);
    std::string newIdentifier() const;
    bool nameTaken(const std::string& name, int32_t except = -1) const;
    // Writes the template document with the given name and identifier as that profile's file.
    bool createFromTemplate(const std::string& name, const std::string& uuid);
    // The identifier of list entry index when it is safe, else empty.
    std::string entryUuid(const Json::Value& list, int32_t index) const;
    static Json::Value makeEntry(const std::string& name, const std::string& uuid);

    int32_t m_kind = 0;
    std::string m_dataFolder;
    std::string m_templatePath;
    std::string m_currentUuid;
    std::string m_nameText;
    std::vector<std::string> m_items;
    std::vector<std::string> m_uuids;  // raw identifiers of the items, as the file has them
    int32_t m_selection = -1;
    std::string m_selectedUuid;
    std::string m_problem;
    bool m_damaged = false;
};

// Case-insensitive comparison of two names (ASCII letters fold; other bytes compare exactly).
bool sameProfileName(const std::string& a, const std::string& b);
// Number of characters (UTF-8 code points) of name.
size_t profileNameChars(const std::string& name);
// name cut after maxChars characters, never inside a character.
std::string cutProfileName(const std::string& name, size_t maxChars);

}  // namespace md
