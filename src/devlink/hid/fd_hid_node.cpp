#include <fcntl.h>
#include <linux/hidraw.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>

#include "devlink/hid/hidraw_backend.h"

namespace md {
namespace {

class UniqueFd {
  public:
    explicit UniqueFd(int fd = -1) : m_fd(fd) {}
    ~UniqueFd() {
        if (m_fd >= 0) ::close(m_fd);
    }
    UniqueFd(const UniqueFd&) = delete;
    UniqueFd& operator=(const UniqueFd&) = delete;
    int get() const { return m_fd; }

  private:
    int m_fd;
};

// Remaining milliseconds until deadline for poll(); -1 when there is no deadline.
int remainingMs(bool forever, std::chrono::steady_clock::time_point deadline) {
    if (forever) return -1;
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
        deadline - std::chrono::steady_clock::now());
    return left.count() > 0 ? static_cast<int>(left.count()) : 0;
}

class FdHidNode final : public HidNode {
  public:
    FdHidNode(int fd, HidInterfaceInfo info)
        : m_fd(fd), m_shutdown(::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK)), m_info(std::move(info)) {}

    HidIo read(std::span<uint8_t> buf, size_t& got, int timeoutMs, int cancelFd) override {
        got = 0;
        return transfer(POLLIN, timeoutMs, cancelFd, [&]() -> ssize_t {
            const ssize_t n = ::read(m_fd.get(), buf.data(), buf.size());
            if (n > 0) got = static_cast<size_t>(n);
            if (n == 0) errno = EIO;  // no report is empty: the other end has gone
            return n == 0 ? -1 : n;
        });
    }

    HidIo write(std::span<const uint8_t> buf, int timeoutMs, int cancelFd) override {
        return transfer(POLLOUT, timeoutMs, cancelFd, [&]() -> ssize_t {
            const ssize_t n = ::write(m_fd.get(), buf.data(), buf.size());
            // A short write of a report is a failed write.
            return n == static_cast<ssize_t>(buf.size()) ? n : (n >= 0 ? (errno = EIO, -1) : n);
        });
    }

    bool setOutputReport(std::span<const uint8_t> buf) override {
#ifdef HIDIOCSOUTPUT
        if (::ioctl(m_fd.get(), HIDIOCSOUTPUT(buf.size()), buf.data()) >= 0) return true;
        if (errno != ENOTTY && errno != EINVAL && errno != ENOSYS) return false;
#endif
        return ::write(m_fd.get(), buf.data(), buf.size()) == static_cast<ssize_t>(buf.size());
    }

    void shutdown() override {
        const uint64_t one = 1;
        [[maybe_unused]] ssize_t n = ::write(m_shutdown.get(), &one, sizeof one);
    }

    const HidInterfaceInfo& info() const override {
        return m_info;
    }

  private:
    template <typename Op>
    HidIo transfer(short events, int timeoutMs, int cancelFd, Op op) {
        const bool forever = timeoutMs < 0;
        const auto deadline =
            std::chrono::steady_clock::now() + std::chrono::milliseconds(forever ? 0 : timeoutMs);
        for (;;) {
            // The cancel event comes first so that a cancel arriving with the data wins.
            pollfd fds[3] = {
                {cancelFd, POLLIN, 0}, {m_shutdown.get(), POLLIN, 0}, {m_fd.get(), events, 0}};
            const int r = ::poll(fds, 3, remainingMs(forever, deadline));
            if (r < 0) {
                if (errno == EINTR) continue;
                return HidIo::Error;
            }
            if (r == 0) return HidIo::Timeout;
            if (fds[0].revents & POLLIN) return HidIo::Cancelled;
            if (fds[1].revents & POLLIN) return HidIo::Cancelled;
            if (fds[2].revents & events) {
                const ssize_t n = op();
                if (n >= 0) return HidIo::Ok;
                if (errno == EAGAIN || errno == EINTR) continue;
                return HidIo::Error;
            }
            if (fds[2].revents & (POLLERR | POLLHUP | POLLNVAL)) return HidIo::Error;
        }
    }

    UniqueFd m_fd;
    UniqueFd m_shutdown;
    HidInterfaceInfo m_info;
};

}  // namespace

std::unique_ptr<HidNode> makeFdHidNode(int fd, HidInterfaceInfo info) {
    if (fd < 0) return nullptr;
    return std::make_unique<FdHidNode>(fd, std::move(info));
}

}  // namespace md
