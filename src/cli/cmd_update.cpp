// update-check: asks the update service about the version list, as the settings window does.
#include <json/json.h>
#include <strings.h>

#include <algorithm>
#include <cstdio>
#include <ostream>

#include "cli/cli_context.h"
#include "online/update_check.h"
#include "online/update_config.h"
#include "online/update_time_file.h"
#include "profiles/app_paths.h"

namespace md::cli {
namespace {

const char* statusWord(int status) {
    switch (status) {
        case update_status::kUpdatesFound:
            return "updates-available";
        case update_status::kUpToDate:
            return "up-to-date";
        case update_status::kNoService:
            return "no-service";
        default:
            return "no-answer";
    }
}

const char* rowWord(const UpdateInfo& info) {
    if (info.status == update_row::kNeedUpdate || info.status == update_row::kNeedUpdateToo)
        return "update available";
    return info.answered ? "up to date" : "not checked";
}

void printJson(std::ostream& out, const std::vector<UpdateEntry>& entries,
               const UpdateCheckResult& r, const std::string& checked) {
    Json::Value v(Json::objectValue);
    v["status"] = r.status;
    v["statusText"] = statusWord(r.status);
    if (!checked.empty()) v["checked"] = checked;
    if (!r.problem.empty()) v["problem"] = r.problem;
    Json::Value list(Json::arrayValue);
    for (size_t i = 0; i < r.infos.size() && i < entries.size(); ++i) {
        const UpdateInfo& info = r.infos[i];
        Json::Value e(Json::objectValue);
        e["name"] = info.name;
        e["type"] = entries[i].type;
        e["current"] = info.currentVersionText;
        e["latest"] = info.latestVersionText;
        e["versionName"] = info.versionName;
        e["path"] = info.downloadPath;
        e["deviceId"] = info.deviceId;
        e["state"] = info.status;
        e["answered"] = info.answered;
        e["updateAvailable"] = info.status == update_row::kNeedUpdate;
        list.append(e);
    }
    v["entries"] = list;
    Json::StreamWriterBuilder w;
    w["indentation"] = "  ";
    out << Json::writeString(w, v) << '\n';
}

void printTable(std::ostream& out, const UpdateCheckResult& r, const std::string& checked) {
    size_t width = 4;
    for (const UpdateInfo& info : r.infos) width = std::max(width, info.name.size());
    for (const UpdateInfo& info : r.infos) {
        std::string name = info.name;
        name.resize(width, ' ');
        char line[96];
        std::snprintf(line, sizeof line, "  %-10s %-10s %s", info.currentVersionText.c_str(),
                      info.latestVersionText.empty() ? "-" : info.latestVersionText.c_str(),
                      rowWord(info));
        out << name << line << '\n';
    }
    switch (r.status) {
        case update_status::kUpdatesFound:
            out << "updates available\n";
            break;
        case update_status::kUpToDate:
            out << "up to date (checked " << checked << ")\n";
            break;
        case update_status::kNoService:
            out << "no update service is configured: set \"serviceUrl\" in "
                << AppPaths::configRoot() << kUpdateConfigFileName << " or use --service URL\n";
            break;
        default:
            out << "the update service could not be asked about every entry"
                << (r.problem.empty() ? std::string() : ": " + r.problem) << '\n';
            break;
    }
}

}  // namespace

int runUpdateCheckVerb(CliContext& ctx) {
    if (!ctx.args.empty()) {
        *ctx.err << "update-check: unexpected argument '" << ctx.args.front() << "'\n";
        return kExitBadArguments;
    }
    std::string problems;
    UpdateConfig cfg = loadUpdateConfig(AppPaths::defaultDataFolder() + kUpdateConfigFileName,
                                        AppPaths::configRoot() + kUpdateConfigFileName, &problems);
    if (!problems.empty()) *ctx.err << "update-check: " << problems;
    if (const auto it = ctx.named.find("service"); it != ctx.named.end()) {
        if (strncasecmp(it->second.c_str(), "https://", 8) != 0) {
            *ctx.err << "update-check: --service must be an https:// address\n";
            return kExitBadArguments;
        }
        cfg.serviceUrl = it->second;
    }
    if (const auto it = ctx.named.find("ca-file"); it != ctx.named.end()) cfg.caFile = it->second;

    UpdateCheckJob job;
    job.entries = buildVersionList(cfg, installedVersionNumber());
    job.serviceUrl = cfg.serviceUrl;
    job.http.caFile = cfg.caFile;
    if (!job.serviceUrl.empty()) job.timeFile = AppPaths::dataRoot() + kUpdateTimeFileName;
    const UpdateCheckResult r = md::runUpdateCheck(job, nullptr, nullptr);
    const std::string checked =
        job.timeFile.empty() ? std::string() : readLastCheckDate(job.timeFile);
    if (ctx.json)
        printJson(*ctx.out, job.entries, r, r.status == update_status::kUpToDate ? checked : "");
    else
        printTable(*ctx.out, r, checked);
    const bool complete =
        r.status == update_status::kUpToDate || r.status == update_status::kUpdatesFound;
    return complete ? kExitOk : kExitDeviceError;
}

}  // namespace md::cli
