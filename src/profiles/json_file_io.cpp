#include "profiles/json_file_io.h"

#include <json/reader.h>
#include <json/writer.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <mutex>
#include <vector>

#include "common/bounded_file.h"
#include "common/dbg_out.h"

namespace md {

namespace {

std::mutex g_hookMutex;
JsonFileIO::CommitHook g_commitHook;

// Closes a descriptor when leaving scope.
class FdCloser {
  public:
    explicit FdCloser(int fd) : m_fd(fd) {}
    ~FdCloser() {
        if (m_fd >= 0) ::close(m_fd);
    }
    FdCloser(const FdCloser&) = delete;
    FdCloser& operator=(const FdCloser&) = delete;
    int release() {
        const int fd = m_fd;
        m_fd = -1;
        return fd;
    }

  private:
    int m_fd;
};

bool writeAll(int fd, const std::string& text) {
    const char* p = text.data();
    size_t left = text.size();
    while (left > 0) {
        const ssize_t n = ::write(fd, p, left);
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        p += n;
        left -= static_cast<size_t>(n);
    }
    return true;
}

}  // namespace

std::string JsonFileIO::readjsonFile(const std::string& path) {
    FileRead f = readRegularFile(path, kMaxFileBytes);
    dbgOutf("readjsonFile 错误吗：：%d\n", f.error);
    return std::move(f.bytes);
}

Json::Value JsonFileIO::loadJsonDocument(const std::string& path) {
    JsonRead r = readJsonFile(path, kMaxFileBytes);
    if (r.status != JsonReadStatus::Ok) dbgOut(path);
    return std::move(r.value);
}

JsonRead JsonFileIO::loadChecked(const std::string& path) {
    JsonRead r = readJsonFile(path, kMaxFileBytes);
    if (r.status == JsonReadStatus::Damaged) dbgOut(path + " " + r.problem);
    return r;
}

std::string JsonFileIO::styledText(const Json::Value& value) {
    Json::StyledWriter writer;
    std::string text = writer.write(value);
    text += '\n';
    return text;
}

int JsonFileIO::storeJsonDocument(const std::string& path, const Json::Value& value) {
    std::string text;
    try {
        text = styledText(value);
    } catch (const std::exception&) {
        errno = EINVAL;
        return -1;
    }
    return storeBytes(path, text);
}

std::string JsonFileIO::writeProblem(const std::string& path) {
    return path + " could not be written (" + std::strerror(errno) + ")";
}

int JsonFileIO::storeBytes(const std::string& path, const std::string& text) {
    // Never write what could not be read back.
    if (text.size() > kMaxFileBytes) {
        errno = EFBIG;
        return -1;
    }
    std::vector<char> tempName(path.begin(), path.end());
    const std::string suffix = ".tmp-XXXXXX";
    tempName.insert(tempName.end(), suffix.begin(), suffix.end());
    tempName.push_back('\0');
    const int fd = ::mkostemp(tempName.data(), O_CLOEXEC);
    if (fd < 0) return -1;  // errno tells why (EACCES, EROFS, ENOSPC, ...)
    const std::string tempPath(tempName.data());
    FdCloser closer(fd);

    // Keep the permissions of the file being replaced; new files get rw-r--r--.
    struct stat old {};
    const mode_t mode = ::stat(path.c_str(), &old) == 0 ? (old.st_mode & 07777) : 0644;
    ::fchmod(fd, mode);

    bool ok = writeAll(fd, text) && ::fsync(fd) == 0;
    int error = ok ? 0 : errno;
    if (::close(closer.release()) != 0 && ok) {
        ok = false;
        error = errno;
    }
    if (ok) {
        std::lock_guard lock(g_hookMutex);
        if (g_commitHook && !g_commitHook(tempPath)) {
            ok = false;
            error = EIO;
        }
    }
    if (ok && ::rename(tempPath.c_str(), path.c_str()) != 0) {
        ok = false;
        error = errno;
    }
    if (!ok) {
        ::unlink(tempPath.c_str());
        errno = error;
        return -1;
    }
    // The folder is not synced: after a crash the rename may be lost, which leaves the old
    // file, complete; the file's own sync above is what keeps the new text whole.
    return 0;
}

int JsonFileIO::removeStaleTempFiles(const std::string& folder) {
    static const std::string marker = ".tmp-";
    int removed = 0;
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator(folder, ec)) {
        const std::string name = entry.path().filename().string();
        const auto pos = name.rfind(marker);
        if (pos == std::string::npos || pos == 0 || name.size() != pos + marker.size() + 6)
            continue;
        if (!entry.is_regular_file(ec)) continue;
        if (std::filesystem::remove(entry.path(), ec)) ++removed;
    }
    return removed;
}

std::string JsonFileIO::formatTimestampName(int year, int month, int day, int hour, int minute,
                                            int second, int millisecond) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%d_%02d_%02d_%02d_%02d_%02d_%03d", year, month, day, hour,
                  minute, second, millisecond);
    return buf;
}

std::string JsonFileIO::makeTimestampName() {
    using namespace std::chrono;
    static std::mutex mutex;
    static int64_t lastMs = 0;
    int64_t ms = duration_cast<milliseconds>(system_clock::now().time_since_epoch()).count();
    {
        std::lock_guard lock(mutex);
        if (ms <= lastMs) ms = lastMs + 1;
        lastMs = ms;
    }
    const std::time_t secs = static_cast<std::time_t>(ms / 1000);
    std::tm local{};
    localtime_r(&secs, &local);
    return formatTimestampName(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour,
                               local.tm_min, local.tm_sec, static_cast<int>(ms % 1000));
}

void JsonFileIO::setCommitHookForTesting(CommitHook hook) {
    std::lock_guard lock(g_hookMutex);
    g_commitHook = std::move(hook);
}

}  // namespace md
