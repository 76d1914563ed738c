#pragma once
// Owns a file descriptor; an eventfd used to wake waits of the virtual devices.

#include <sys/eventfd.h>
#include <unistd.h>

#include <cstdint>
#include <utility>

namespace md::sim {

class UniqueFd {
  public:
    UniqueFd() = default;
    explicit UniqueFd(int fd) : m_fd(fd) {}
    ~UniqueFd() { reset(); }
    UniqueFd(UniqueFd&& o) noexcept : m_fd(std::exchange(o.m_fd, -1)) {}
    UniqueFd& operator=(UniqueFd&& o) noexcept {
        if (this != &o) {
            reset();
            m_fd = std::exchange(o.m_fd, -1);
        }
        return *this;
    }
    UniqueFd(const UniqueFd&) = delete;
    UniqueFd& operator=(const UniqueFd&) = delete;

    int get() const { return m_fd; }
    bool valid() const { return m_fd >= 0; }
    void reset() {
        if (m_fd >= 0) ::close(m_fd);
        m_fd = -1;
    }

    static UniqueFd eventFd() { return UniqueFd(::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK)); }
    // eventfd helpers: signal adds one, drain clears the counter.
    void signal() const {
        const uint64_t one = 1;
        if (m_fd >= 0) [[maybe_unused]]
            auto n = ::write(m_fd, &one, sizeof one);
    }
    void drain() const {
        uint64_t v = 0;
        if (m_fd >= 0) [[maybe_unused]]
            auto n = ::read(m_fd, &v, sizeof v);
    }

  private:
    int m_fd = -1;
};

}  // namespace md::sim
