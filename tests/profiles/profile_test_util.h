#pragma once
// Small helpers shared by the profile tests.

#include <json/reader.h>
#include <json/value.h>

#include <string>

#include "profiles/json_file_io.h"
#include "temp_folder.h"

namespace md::test {

inline Json::Value parseJson(const std::string& text) {
    Json::Value v;
    Json::Reader reader;
    reader.parse(text, v, false);
    return v;
}

// Documents compared by their stored text: jsoncpp's == tells apart arrays whose missing
// elements were never touched from arrays holding explicit nulls, the file does not.
inline std::string styled(const Json::Value& v) {
    return JsonFileIO::styledText(v);
}

// Writes a document given as JSON text in the stored form.
inline void writeJson(const std::string& path, const std::string& text) {
    JsonFileIO::storeJsonDocument(path, parseJson(text));
}

}  // namespace md::test
