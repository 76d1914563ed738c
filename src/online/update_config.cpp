#include "online/update_config.h"

#include <strings.h>

#include <charconv>
#include <optional>

#include "common/bounded_file.h"
#include "online/update_request.h"

namespace md {
namespace {

constexpr size_t kMaxConfigBytes = 64 * 1024;
constexpr size_t kMaxNameBytes = 64;

// A version given as a number, as "0x..." (hexadecimal) or as decimal digits.
std::optional<uint32_t> versionValue(const Json::Value& v) {
    if (v.isUInt()) return v.asUInt();
    if (!v.isString()) return std::nullopt;
    const std::string text = v.asString();
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X'))
        return parseVersionNumber(std::string_view(text).substr(2), true);
    return parseVersionNumber(text, false);
}

bool stringOrAbsent(const Json::Value& v) {
    return v.isNull() || v.isString();
}

// Why a firmware entry cannot be used, or "" when it can.
std::string firmwareProblem(const Json::Value& e) {
    if (!e.isObject()) return "is not an object";
    const Json::Value& name = e["name"];
    if (!name.isString() || name.asString().empty() || name.asString().size() > kMaxNameBytes)
        return "needs a \"name\" of 1 to 64 bytes";
    if (!versionValue(e["version"])) return "needs a \"version\" (a number, or \"0x...\")";
    if (!stringOrAbsent(e["model"])) return "has a \"model\" that is not a string";
    if (!e["hex"].isNull() && !e["hex"].isBool()) return "has a \"hex\" that is not true or false";
    if (!e["key"].isNull() && buildAppKey(e["key"]) == "NULL")
        return "has a \"key\" that is not [string, number, string, string, number]";
    return {};
}

}  // namespace

bool readUpdateConfig(const std::string& path, UpdateConfig& cfg, std::string& error) {
    const JsonRead read = readJsonFile(path, kMaxConfigBytes);
    if (read.status == JsonReadStatus::Missing) return true;
    if (read.status == JsonReadStatus::Damaged) {
        error = path + " " + read.problem;
        return false;
    }
    const Json::Value& doc = read.value;
    if (!doc.isObject()) {
        error = path + " is not a JSON object";
        return false;
    }
    UpdateConfig next = cfg;
    if (const Json::Value& url = doc["serviceUrl"]; !url.isNull()) {
        if (!url.isString()) {
            error = path + ": \"serviceUrl\" is not a string";
            return false;
        }
        const std::string text = url.asString();
        if (!text.empty() && strncasecmp(text.c_str(), "https://", 8) != 0) {
            error = path + ": \"serviceUrl\" must be an https:// address";
            return false;
        }
        next.serviceUrl = text;
    }
    if (const Json::Value& ca = doc["caFile"]; !ca.isNull()) {
        if (!ca.isString()) {
            error = path + ": \"caFile\" is not a string";
            return false;
        }
        next.caFile = ca.asString();
    }
    if (const Json::Value& fw = doc["firmware"]; !fw.isNull()) {
        if (!fw.isArray() || fw.size() > kMaxFirmwareEntries) {
            error = path + ": \"firmware\" is not a list of at most 16 entries";
            return false;
        }
        for (Json::ArrayIndex i = 0; i < fw.size(); ++i) {
            if (const std::string p = firmwareProblem(fw[i]); !p.empty()) {
                error = path + ": firmware entry " + std::to_string(i + 1) + " " + p;
                return false;
            }
        }
        next.firmware = fw;
    }
    if (const Json::Value& app = doc["application"]; !app.isNull()) {
        if (!app.isObject() || !stringOrAbsent(app["versionText"]) ||
            (!app["key"].isNull() && buildAppKey(app["key"]) == "NULL")) {
            error = path +
                    ": \"application\" needs a \"key\" [string, number, string, string, "
                    "number] and a string \"versionText\"";
            return false;
        }
        next.application = app;
    }
    cfg = std::move(next);
    return true;
}

UpdateConfig loadUpdateConfig(const std::string& defaultFile, const std::string& userFile,
                              std::string* problems) {
    UpdateConfig cfg;
    for (const std::string* file : {&defaultFile, &userFile}) {
        std::string error;
        if (!readUpdateConfig(*file, cfg, error) && problems) *problems += error + "\n";
    }
    return cfg;
}

std::vector<UpdateEntry> buildVersionList(const UpdateConfig& cfg, uint32_t installedVersion) {
    std::vector<UpdateEntry> list;
    if (cfg.firmware.isArray()) {
        for (const Json::Value& e : cfg.firmware) {
            if (!firmwareProblem(e).empty()) continue;
            UpdateEntry entry;
            entry.name = e["name"].asString();
            entry.type = "FW";
            entry.model = e["model"].isString() ? e["model"].asString() : std::string();
            entry.version = versionValue(e["version"]).value_or(0);
            entry.hexVersion = e["hex"].isBool() && e["hex"].asBool();
            entry.appKey = buildAppKey(e["key"]);
            list.push_back(std::move(entry));
            if (list.size() == kMaxFirmwareEntries) break;
        }
    }
    UpdateEntry app;
    app.name = "AP";
    app.type = kApplicationType;
    app.model = "APP";
    const Json::Value& a = cfg.application;
    app.versionText = a.isObject() && a["versionText"].isString() ? a["versionText"].asString()
                                                                  : std::string("V0100");
    app.version = installedVersion;
    app.appKey = a.isObject() ? buildAppKey(a["key"]) : std::string("NULL");
    list.push_back(std::move(app));
    return list;
}

uint32_t installedVersionNumber(std::string_view dottedVersion) {
    std::string digits;
    for (const char c : dottedVersion)
        if (c != '.') digits.push_back(c);
    return parseVersionNumber(digits, false).value_or(0);
}

uint32_t installedVersionNumber() {
    return installedVersionNumber(MD_VERSION_TEXT);
}

}  // namespace md
