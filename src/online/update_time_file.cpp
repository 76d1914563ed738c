#include "online/update_time_file.h"

#include <array>
#include <cstdio>
#include <ctime>

#include "common/bounded_file.h"
#include "profiles/json_file_io.h"

namespace md {
namespace {

// A small file of our own: anything larger is not read.
constexpr size_t kMaxFileBytes = 4096;

// Three groups of 1 to 4 digits joined by '-'.
bool isDateText(const std::string& text) {
    int groups = 0;
    int digits = 0;
    for (const char c : text) {
        if (c >= '0' && c <= '9') {
            if (++digits > 4) return false;
        } else if (c == '-' && digits > 0 && groups < 2) {
            ++groups;
            digits = 0;
        } else {
            return false;
        }
    }
    return groups == 2 && digits > 0;
}

}  // namespace

std::string todayDateText() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    std::array<char, 32> text{};
    std::snprintf(text.data(), text.size(), "%d-%d-%d", local.tm_year + 1900, local.tm_mon + 1,
                  local.tm_mday);
    return text.data();
}

std::string readLastCheckDate(const std::string& path) {
    const JsonRead read = readJsonFile(path, kMaxFileBytes);
    if (read.status != JsonReadStatus::Ok || !read.value.isObject()) return {};
    const Json::Value& last = read.value["updatelasttime"];
    if (!last.isObject()) return {};
    const Json::Value& value = last["value"];
    if (!value.isString()) return {};
    std::string date = value.asString();
    return isDateText(date) ? date : std::string();
}

bool writeLastCheckDate(const std::string& path, const std::string& date) {
    Json::Value doc(Json::objectValue);
    doc["updatelasttime"]["value"] = date;
    return JsonFileIO::storeJsonDocument(path, doc) == 0;
}

std::string lastCheckDateOrToday(const std::string& path) {
    std::string date = readLastCheckDate(path);
    if (!date.empty()) return date;
    date = todayDateText();
    writeLastCheckDate(path, date);
    return date;
}

}  // namespace md
