#pragma once
// An exclusive advisory lock (flock) on a file, held for the object's lifetime. Locks of two
// processes, and of two objects in one process, exclude each other, so it guards both a
// read-modify-write of shared files and the ownership of the devices.

#include <string>

namespace md {

class FileLock {
  public:
    static constexpr int kWaitForever = -1;

    FileLock() = default;
    ~FileLock();
    FileLock(FileLock&& other) noexcept;
    FileLock& operator=(FileLock&& other) noexcept;
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;

    // Locks path, creating it (mode 0600) when missing; a path ending in '/' locks that folder
    // (which must exist) and creates nothing. timeoutMs 0 tries once, kWaitForever
    // blocks; otherwise it retries until the time is up. A lock that could not be taken
    // reports locked() false with error() holding errno (EWOULDBLOCK when someone holds it).
    static FileLock acquire(const std::string& path, int timeoutMs);
    // Whether someone holds a lock on path at this moment (false when it cannot be opened).
    static bool isHeld(const std::string& path);

    bool locked() const { return m_fd >= 0; }
    int error() const { return m_error; }
    void release();

  private:
    int m_fd = -1;
    int m_error = 0;
};

}  // namespace md
