#pragma once
// The update service's request and answer: the application key, the form body, the version
// texts and the parser of the JSON answer. Pure functions; the parser never throws.

#include <json/value.h>

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "online/update_info.h"

namespace md {

// Five parts joined by '_': a string, an integer, a string, a string and an integer, in that
// order. Anything else (missing, wrong count or types, negative numbers, empty strings) gives
// "NULL".
std::string buildAppKey(const Json::Value& parts);

// Percent-encodes everything but letters, digits and "-._~" (form-encoded value).
std::string formEncode(std::string_view text);

// "app_key=KEY&version=N" with N in decimal, or in hexadecimal for hexadecimal entries.
std::string updateRequestBody(const UpdateEntry& entry);

// The service's base URL followed by "api/updates" (a '/' is put between when missing).
std::string updateServiceUrl(std::string_view baseUrl);

// "V%04x" for hexadecimal entries, "V%d" otherwise.
std::string currentVersionText(const UpdateEntry& entry);

// An unsigned version number in decimal or hexadecimal digits (no prefix, no sign); nullopt
// when text is empty, has another character or does not fit 32 bits.
std::optional<uint32_t> parseVersionNumber(std::string_view text, bool hex);

// The record for entry from the service's answer. An empty answer keeps the local name and
// version (state 7, answered). A JSON object fills the record from "path", "name",
// "version_name", "version" and "device_id"; a member of the wrong type counts as absent. State 1
// when the answer's version is greater than the entry's. Anything else (no JSON, not an object,
// too deep) keeps the local texts with state 7 and answered = false.
UpdateInfo parseUpdateAnswer(std::string_view answer, const UpdateEntry& entry);

// The record of an entry that got no answer: local name and version, state 7.
UpdateInfo localUpdateInfo(const UpdateEntry& entry);

}  // namespace md
