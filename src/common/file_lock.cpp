#include "common/file_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <thread>

namespace md {

FileLock::~FileLock() {
    release();
}

FileLock::FileLock(FileLock&& other) noexcept : m_fd(other.m_fd), m_error(other.m_error) {
    other.m_fd = -1;
}

FileLock& FileLock::operator=(FileLock&& other) noexcept {
    if (this != &other) {
        release();
        m_fd = other.m_fd;
        m_error = other.m_error;
        other.m_fd = -1;
    }
    return *this;
}

void FileLock::release() {
    if (m_fd < 0) return;
    ::flock(m_fd, LOCK_UN);
    ::close(m_fd);
    m_fd = -1;
}

FileLock FileLock::acquire(const std::string& path, int timeoutMs) {
    FileLock lock;
    const bool folder = !path.empty() && path.back() == '/';
    const int fd = folder ? ::open(path.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC)
                          : ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (fd < 0) {
        lock.m_error = errno;
        return lock;
    }
    using Clock = std::chrono::steady_clock;
    const auto end = Clock::now() + std::chrono::milliseconds(timeoutMs < 0 ? 0 : timeoutMs);
    for (;;) {
        const int op = timeoutMs == kWaitForever ? LOCK_EX : LOCK_EX | LOCK_NB;
        if (::flock(fd, op) == 0) {
            lock.m_fd = fd;
            return lock;
        }
        const int e = errno;
        if (e == EINTR) continue;
        if (e != EWOULDBLOCK || Clock::now() >= end) {
            lock.m_error = e;
            ::close(fd);
            return lock;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
}

bool FileLock::isHeld(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
    if (fd < 0) return false;
    // Probing takes the lock for a moment when it is free.
    const bool held = ::flock(fd, LOCK_EX | LOCK_NB) != 0 && errno == EWOULDBLOCK;
    if (!held) ::flock(fd, LOCK_UN);
    ::close(fd);
    return held;
}

}  // namespace md
