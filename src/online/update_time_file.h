#pragma once
// "updatetime.config" in the data folder: the local date of the last update check,
//   { "updatelasttime" : { "value" : "2025-3-7" } }
// with the date formatted "%d-%d-%d" (year, month, day).

#include <string>

namespace md {

inline constexpr const char* kUpdateTimeFileName = "updatetime.config";

// Today's local date as "%d-%d-%d".
std::string todayDateText();

// The stored date; "" when the file is missing, damaged or holds no such date.
std::string readLastCheckDate(const std::string& path);

// Stores date; false when the file could not be written.
bool writeLastCheckDate(const std::string& path, const std::string& date);

// The stored date; when there is none, today's date, which is stored.
std::string lastCheckDateOrToday(const std::string& path);

}  // namespace md
