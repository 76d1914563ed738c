#pragma once
// Where the update check asks and what it asks about: "updates.json" in the default data
// folder, overridden member by member by $XDG_CONFIG_HOME/Mouse Driver/updates.json.
//
//   { "serviceUrl" : "https://updates.example.com/",     base address; "" = no service
//     "caFile" : "",                                     PEM trust anchors instead of the
//                                                        system store ("" = system store)
//     "firmware" : [ { "name" : "Gaming Mouse", "model" : "MOUSE", "version" : "0x0102",
//                      "hex" : true, "key" : [ "ZELVO", 2, "MOUSE", "FW", 1 ] }, ... ],
//     "application" : { "versionText" : "V0100", "key" : [ "ZELVO", 0, "APP", "ALL", 1 ] } }
//
// The version list is the firmware entries in file order and, last, the application, whose
// current version is the installed one.

#include <json/value.h>

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "online/update_info.h"

namespace md {

inline constexpr const char* kUpdateConfigFileName = "updates.json";
inline constexpr size_t kMaxFirmwareEntries = 16;

struct UpdateConfig {
    std::string serviceUrl;
    std::string caFile;
    Json::Value firmware{Json::arrayValue};
    Json::Value application{Json::objectValue};
};

// Reads one file into cfg (members present replace those in cfg). A missing file is no error.
// False, with the reason in error, when the file is damaged or a member is malformed (a
// serviceUrl that is not https, a firmware list that is not a list of objects); cfg is then
// left as it was.
bool readUpdateConfig(const std::string& path, UpdateConfig& cfg, std::string& error);

// The default file, then the user's; each problem found is appended to problems (one line
// each), and a damaged file is skipped.
UpdateConfig loadUpdateConfig(const std::string& defaultFile, const std::string& userFile,
                              std::string* problems = nullptr);

// The version list of cfg; the application's current version is installedVersion.
std::vector<UpdateEntry> buildVersionList(const UpdateConfig& cfg, uint32_t installedVersion);

// The installed version as a number: the dots removed and the rest read in decimal
// ("2.3.0.2" gives 2302); 0 when that is no number.
uint32_t installedVersionNumber(std::string_view dottedVersion);

// installedVersionNumber of this build's version.
uint32_t installedVersionNumber();

}  // namespace md
