#include "common/bounded_file.h"

#include <fcntl.h>
#include <json/reader.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstring>

namespace md {

FileRead readRegularFile(const std::string& path, size_t maxBytes) {
    FileRead r;
    // Non-blocking: opening a FIFO must not wait for a writer; fstat then refuses it.
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    if (fd < 0) {
        r.error = errno;
        r.status = errno == ENOENT || errno == ENOTDIR ? FileReadStatus::Missing
                                                       : FileReadStatus::Unreadable;
        return r;
    }
    struct stat st {};
    if (::fstat(fd, &st) != 0) {
        r.error = errno;
        r.status = FileReadStatus::Unreadable;
    } else if (!S_ISREG(st.st_mode)) {
        r.status = FileReadStatus::NotRegular;
    } else if (st.st_size <= 0) {
        r.status = FileReadStatus::Empty;
    } else if (static_cast<uint64_t>(st.st_size) > maxBytes) {
        r.status = FileReadStatus::TooLarge;
    } else {
        r.bytes.resize(static_cast<size_t>(st.st_size));
        size_t got = 0;
        while (got < r.bytes.size()) {
            const ssize_t n = ::read(fd, r.bytes.data() + got, r.bytes.size() - got);
            if (n < 0 && errno == EINTR) continue;
            if (n < 0) r.error = errno;
            if (n <= 0) break;
            got += static_cast<size_t>(n);
        }
        // A file that shrank while being read is as unusable as a truncated one.
        r.status = got == r.bytes.size() ? FileReadStatus::Ok : FileReadStatus::Unreadable;
        if (r.status != FileReadStatus::Ok) r.bytes.clear();
    }
    ::close(fd);
    return r;
}

int jsonNestingDepth(const std::string& text) {
    int depth = 0, deepest = 0;
    bool inString = false, escaped = false;
    for (const char c : text) {
        if (inString) {
            if (escaped)
                escaped = false;
            else if (c == '\\')
                escaped = true;
            else if (c == '"')
                inString = false;
        } else if (c == '"') {
            inString = true;
        } else if (c == '[' || c == '{') {
            deepest = std::max(deepest, ++depth);
        } else if (c == ']' || c == '}') {
            --depth;
        }
    }
    return deepest;
}

bool parseJsonText(const std::string& text, Json::Value& value) {
    value = Json::Value();
    if (jsonNestingDepth(text) > kMaxJsonNesting) return false;
    try {
        Json::Reader reader;
        if (reader.parse(text, value, true)) return true;
    } catch (const std::exception&) {
        // jsoncpp throws on some malformed input; it counts as no document.
    }
    value = Json::Value();
    return false;
}

JsonRead readJsonFile(const std::string& path, size_t maxBytes) {
    JsonRead r;
    const FileRead f = readRegularFile(path, maxBytes);
    switch (f.status) {
        case FileReadStatus::Missing:
            return r;
        case FileReadStatus::Empty:
            // An empty file holds nothing to protect: it counts as missing.
            r.problem = "is empty";
            return r;
        case FileReadStatus::NotRegular:
            r.problem = "is not a regular file";
            break;
        case FileReadStatus::TooLarge:
            r.problem = "is larger than " + std::to_string(maxBytes / (1024 * 1024)) + " MB";
            break;
        case FileReadStatus::Unreadable:
            r.problem =
                std::string("cannot be read (") + std::strerror(f.error ? f.error : EIO) + ")";
            break;
        case FileReadStatus::Ok:
            if (jsonNestingDepth(f.bytes) > kMaxJsonNesting) {
                r.problem = "nests deeper than " + std::to_string(kMaxJsonNesting) + " levels";
            } else if (!parseJsonText(f.bytes, r.value)) {
                r.problem = "is not valid JSON (truncated or damaged)";
            } else {
                r.status = JsonReadStatus::Ok;
                return r;
            }
            break;
    }
    r.status = JsonReadStatus::Damaged;
    return r;
}

}  // namespace md
