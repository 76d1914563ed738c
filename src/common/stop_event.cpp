#include "common/stop_event.h"

#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <cerrno>

namespace md {

StopEvent::StopEvent() : m_fd(::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK)) {}

StopEvent::~StopEvent() {
    if (m_fd >= 0) ::close(m_fd);
}

void StopEvent::set() {
    const uint64_t one = 1;
    [[maybe_unused]] ssize_t n = ::write(m_fd, &one, sizeof one);
}

void StopEvent::reset() {
    uint64_t v = 0;
    [[maybe_unused]] ssize_t n = ::read(m_fd, &v, sizeof v);
}

bool StopEvent::isSet() const {
    return wait(std::chrono::milliseconds(0));
}

bool StopEvent::wait(std::chrono::milliseconds timeout) const {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    for (;;) {
        pollfd p{m_fd, POLLIN, 0};
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        const int r = ::poll(&p, 1, left.count() > 0 ? static_cast<int>(left.count()) : 0);
        if (r > 0) return true;
        if (r == 0) return false;
        if (errno != EINTR) return false;
    }
}

}  // namespace md
