#include "devlink/hid/udev_monitor.h"

#include <sys/inotify.h>
#include <unistd.h>

#include <array>

#ifdef MD_HAVE_LIBUDEV
#include <libudev.h>
#endif

namespace md {

struct UdevMonitor::Impl {
#ifdef MD_HAVE_LIBUDEV
    udev* ctx = nullptr;
    udev_monitor* monitor = nullptr;
#endif
    int inotifyFd = -1;  // the fallback: the device folder itself
    int fd = -1;
    ~Impl() {
#ifdef MD_HAVE_LIBUDEV
        if (monitor) udev_monitor_unref(monitor);
        if (ctx) udev_unref(ctx);
#endif
        if (inotifyFd >= 0) ::close(inotifyFd);
    }
    bool startUdev();
    void startInotify(const std::string& devRoot);
};

bool UdevMonitor::Impl::startUdev() {
#ifdef MD_HAVE_LIBUDEV
    // Without a running udevd no udev events ever come.
    if (::access("/run/udev/control", F_OK) != 0) return false;
    ctx = udev_new();
    if (!ctx) return false;
    monitor = udev_monitor_new_from_netlink(ctx, "udev");
    if (!monitor) return false;
    if (udev_monitor_filter_add_match_subsystem_devtype(monitor, "hidraw", nullptr) < 0 ||
        udev_monitor_enable_receiving(monitor) < 0) {
        return false;
    }
    fd = udev_monitor_get_fd(monitor);
    return fd >= 0;
#else
    return false;
#endif
}

void UdevMonitor::Impl::startInotify(const std::string& devRoot) {
    // Nodes appear, go and change their permissions in the device folder (devtmpfs), with or
    // without udevd: watching it wakes detection just as well.
    inotifyFd = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    if (inotifyFd < 0) return;
    if (::inotify_add_watch(inotifyFd, devRoot.c_str(),
                            IN_CREATE | IN_DELETE | IN_ATTRIB | IN_MOVED_TO | IN_MOVED_FROM) < 0) {
        ::close(inotifyFd);
        inotifyFd = -1;
        return;
    }
    fd = inotifyFd;
}

UdevMonitor::UdevMonitor(const std::string& devRoot) : m_impl(std::make_unique<Impl>()) {
    if (!m_impl->startUdev()) m_impl->startInotify(devRoot);
}

UdevMonitor::~UdevMonitor() = default;

int UdevMonitor::fd() const {
    return m_impl->fd;
}

void UdevMonitor::drain() {
    if (m_impl->inotifyFd >= 0) {
        alignas(inotify_event) std::array<char, 4096> buf;
        while (::read(m_impl->inotifyFd, buf.data(), buf.size()) > 0) {
        }
        return;
    }
#ifdef MD_HAVE_LIBUDEV
    if (!m_impl->monitor) return;
    while (udev_device* d = udev_monitor_receive_device(m_impl->monitor)) udev_device_unref(d);
#endif
}

}  // namespace md
