#pragma once
// JSON file helpers shared by every part of the program that keeps JSON documents on disk:
// profiles, the profile list, light, macro and recoil files, the language list.

#include <json/value.h>

#include <chrono>
#include <functional>
#include <string>

#include "common/bounded_file.h"

namespace md {

class JsonFileIO {
  public:
    // The whole file as bytes; empty when the file cannot be opened or not all of it could be
    // read. Writes the "readjsonFile" debugger line on every call.
    // Only regular files of at most kMaxFileBytes are read (a FIFO or device never blocks the
    // caller); documents nested deeper than kMaxNesting are not parsed.
    static constexpr size_t kMaxFileBytes = kMaxJsonFileBytes;
    static constexpr int kMaxNesting = kMaxJsonNesting;
    static std::string readjsonFile(const std::string& path);

    // The parsed document (comments allowed and kept); null when the file is missing, empty or
    // does not parse. Never throws.
    static Json::Value loadJsonDocument(const std::string& path);

    // As loadJsonDocument, telling a missing file from a damaged one (with the reason), for
    // callers that must not rewrite what the user has when it cannot be read.
    static JsonRead loadChecked(const std::string& path);

    // The exact text written for a document: jsoncpp's styled text plus one line end.
    static std::string styledText(const Json::Value& value);

    // Writes the styled text of value to path. The text goes to a temporary file in the same
    // folder, which is flushed to disk and then renamed over path, so a crash or a full disk
    // leaves either the old file or the new one, never a truncated one.
    // Returns 0 on success, -1 when the file could not be written (the old file is kept; errno
    // tells why). Text larger than kMaxFileBytes is not written.
    static int storeJsonDocument(const std::string& path, const Json::Value& value);
    // "<path> could not be written (<reason>)" for the errno a failed store left.
    static std::string writeProblem(const std::string& path);
    // The same for text as it is (a file copied unchanged).
    static int storeBytes(const std::string& path, const std::string& text);

    // Removes temporary files that an interrupted write left in folder (names ending in
    // ".tmp-" and six characters). Returns how many were removed.
    static int removeStaleTempFiles(const std::string& folder);

    // A new identifier from the local time, "%d_%02d_%02d_%02d_%02d_%02d_%03d". Names given out
    // by one process are strictly ascending: two calls within the same millisecond get
    // consecutive milliseconds, so two new profiles never share a file name.
    static std::string makeTimestampName();
    static std::string formatTimestampName(int year, int month, int day, int hour, int minute,
                                           int second, int millisecond);

    // Test hook, called after the temporary file is complete and before it replaces the target;
    // returning false aborts the write as if the machine had stopped there. nullptr removes it.
    using CommitHook = std::function<bool(const std::string& tempPath)>;
    static void setCommitHookForTesting(CommitHook hook);
};

}  // namespace md
