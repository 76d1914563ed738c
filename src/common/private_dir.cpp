#include "common/private_dir.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace md {

std::optional<std::string> privateUserDir(const std::string& base, const std::string& name) {
    if (base.empty() || name.empty() || name.find('/') != std::string::npos) return std::nullopt;
    const std::string path = base + "/" + name;
    if (::mkdir(path.c_str(), 0700) != 0 && errno != EEXIST) return std::nullopt;
    struct stat st {};
    if (::lstat(path.c_str(), &st) != 0) return std::nullopt;
    if (!S_ISDIR(st.st_mode) || st.st_uid != ::getuid() || (st.st_mode & 077) != 0)
        return std::nullopt;
    return path;
}

}  // namespace md
