#pragma once
// The inter-process lock of a device data folder: held around every read-modify-write of the
// profile list and of profile files, so that the application and command-line runs never lose
// each other's changes. The lock is the folder itself (flock on its descriptor), so nothing
// is added to the folder. Taken again on the same thread it is a no-op, so nested callers
// cannot lock themselves out.

#include <string>

#include "common/file_lock.h"

namespace md {

class FolderLock {
  public:
    static constexpr int kTimeoutMs = 15000;

    // folder: the data folder, or a file path whose folder is meant.
    explicit FolderLock(const std::string& path);
    ~FolderLock();
    FolderLock(const FolderLock&) = delete;
    FolderLock& operator=(const FolderLock&) = delete;

    // False when another program held the folder past the timeout. A folder that cannot be
    // opened counts as locked: the file operation that follows reports its own error.
    bool ok() const { return m_ok; }

  private:
    std::string m_folder;
    FileLock m_lock;
    bool m_ok = true;
};

}  // namespace md
