// Fuzzes what the update check reads from outside: the service's answer (for a hexadecimal and
// a decimal entry), the configuration "updates.json" and the date file "updatetime.config".
// An answer gives a record with state 1 or 7 and bounded texts; one that is not usable keeps
// the local texts. A configuration that fails to read leaves the configuration as it was and
// says why; the version list ends with the application. A date is empty or three numbers.
#include <strings.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "fuzz_entry.h"
#include "fuzz_scratch.h"
#include "online/update_config.h"
#include "online/update_request.h"
#include "online/update_time_file.h"

namespace {

void checkAnswer(std::string_view answer, const md::UpdateEntry& entry) {
    const md::UpdateInfo info = md::parseUpdateAnswer(answer, entry);
    if (info.status != md::update_row::kNeedUpdate && info.status != md::update_row::kUpdated)
        __builtin_trap();
    if (info.currentVersionText != md::currentVersionText(entry)) __builtin_trap();
    if (info.name.size() > 128 || info.versionName.size() > 32 ||
        info.latestVersionText.size() > 33 || info.downloadPath.size() > 2048)
        __builtin_trap();
    for (const char c : info.name + info.versionName + info.downloadPath)
        if (static_cast<unsigned char>(c) < 0x20) __builtin_trap();
    if (!info.answered && (info.name != entry.name || !info.latestVersionText.empty() ||
                           info.status != md::update_row::kUpdated))
        __builtin_trap();
}

bool sameConfig(const md::UpdateConfig& a, const md::UpdateConfig& b) {
    return a.serviceUrl == b.serviceUrl && a.caFile == b.caFile && a.firmware == b.firmware &&
           a.application == b.application;
}

}  // namespace

MD_FUZZ_ENTRY(update_files, data, size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    md::UpdateEntry hex;
    hex.name = "Gaming Mouse";
    hex.version = 0x0102;
    hex.hexVersion = true;
    md::UpdateEntry dec;
    dec.name = "Gaming Headset";
    dec.version = 103;
    checkAnswer(text, hex);
    checkAnswer(text, dec);

    const std::string& root = md::fuzz::scratchRoot("update_files");
    if (root.empty()) return 0;
    const std::string path = root + "updates.json";
    md::fuzz::writeFile(path, data, size);
    md::UpdateConfig cfg;
    cfg.serviceUrl = "https://kept.example/";
    const md::UpdateConfig before = cfg;
    std::string error;
    if (!md::readUpdateConfig(path, cfg, error) && (error.empty() || !sameConfig(before, cfg)))
        __builtin_trap();
    const auto list = md::buildVersionList(cfg, 2302);
    if (list.empty() || list.size() > md::kMaxFirmwareEntries + 1 ||
        list.back().type != md::kApplicationType || list.back().version != 2302)
        __builtin_trap();
    if (!cfg.serviceUrl.empty() && strncasecmp(cfg.serviceUrl.c_str(), "https://", 8) != 0)
        __builtin_trap();

    const std::string date = md::readLastCheckDate(path);
    int dashes = 0;
    for (const char c : date) {
        if (c == '-')
            ++dashes;
        else if (c < '0' || c > '9')
            __builtin_trap();
    }
    if (!date.empty() && dashes != 2) __builtin_trap();
    return 0;
}
