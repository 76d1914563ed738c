#pragma once
// What the update check works on: the entries of the version list, the record the check makes
// for each, the row states of the settings window and the overall status.

#include <cstdint>
#include <string>

namespace md {

// One updatable item: a device's firmware or, with type "ALL", the application itself.
struct UpdateEntry {
    std::string name;   // shown in the list ("AP" for the application)
    std::string type;   // "ALL" for the application
    std::string model;  // model identifier
    std::string vendor = "ZELVO";
    std::string versionText;      // the entry's own version text (the application's "V0100")
    uint32_t version = 0;         // current version number
    bool hexVersion = false;      // versions are written and read in hexadecimal
    std::string appKey = "NULL";  // five parts joined by '_'
};

inline constexpr const char* kApplicationType = "ALL";

// States of a row of the update list.
namespace update_row {
inline constexpr int kNoUpdate = 0;
inline constexpr int kNeedUpdate = 1;
inline constexpr int kNeedUpdateToo = 2;
inline constexpr int kDownloadWait = 3;
inline constexpr int kDownloading = 4;
inline constexpr int kDownloaded = 5;
inline constexpr int kUpdating = 6;
inline constexpr int kUpdated = 7;
inline constexpr int kUpdateFailed = 8;
}  // namespace update_row

// Overall status of the settings window.
namespace update_status {
inline constexpr int kChecking = 0;
inline constexpr int kUpdatesFound = 1;
inline constexpr int kNoAnswer = 2;
inline constexpr int kUpdating = 3;
inline constexpr int kUpToDate = 4;
inline constexpr int kNoService = 5;  // no service address configured: nothing was asked
}  // namespace update_status

// The result of asking the service about one entry.
struct UpdateInfo {
    int32_t status = update_row::kUpdated;
    int32_t deviceId = 0;
    std::string name;
    std::string currentVersionText;
    std::string latestVersionText;
    std::string versionName;
    std::string downloadPath;
    // The service gave a usable answer (an empty one or a JSON object); false when it could not
    // be reached, failed, or answered something else.
    bool answered = false;
};

}  // namespace md
