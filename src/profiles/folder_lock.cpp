#include "profiles/folder_lock.h"

#include <cerrno>
#include <map>

namespace md {
namespace {

// Folders this thread holds, with their nesting depth.
thread_local std::map<std::string, int> t_held;

std::string folderOf(const std::string& path) {
    if (!path.empty() && path.back() == '/') return path;
    const size_t slash = path.rfind('/');
    return slash == std::string::npos ? std::string("./") : path.substr(0, slash + 1);
}

}  // namespace

FolderLock::FolderLock(const std::string& path) : m_folder(folderOf(path)) {
    int& depth = t_held[m_folder];
    if (depth++ > 0) return;
    m_lock = FileLock::acquire(m_folder, kTimeoutMs);
    m_ok = m_lock.locked() || m_lock.error() != EWOULDBLOCK;
}

FolderLock::~FolderLock() {
    auto it = t_held.find(m_folder);
    if (it != t_held.end() && --it->second <= 0) t_held.erase(it);
}

}  // namespace md
