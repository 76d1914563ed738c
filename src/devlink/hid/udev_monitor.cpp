#include "devlink/hid/udev_monitor.h"

#include <unistd.h>

#ifdef MD_HAVE_LIBUDEV
#include <libudev.h>
#endif

namespace md {

struct UdevMonitor::Impl {
#ifdef MD_HAVE_LIBUDEV
    udev* ctx = nullptr;
    udev_monitor* monitor = nullptr;
    ~Impl() {
        if (monitor) udev_monitor_unref(monitor);
        if (ctx) udev_unref(ctx);
    }
#endif
    int fd = -1;
};

UdevMonitor::UdevMonitor() : m_impl(std::make_unique<Impl>()) {
#ifdef MD_HAVE_LIBUDEV
    // Without a running udevd no events would ever come; polling alone is then the better choice.
    if (::access("/run/udev/control", F_OK) != 0) return;
    m_impl->ctx = udev_new();
    if (!m_impl->ctx) return;
    m_impl->monitor = udev_monitor_new_from_netlink(m_impl->ctx, "udev");
    if (!m_impl->monitor) return;
    if (udev_monitor_filter_add_match_subsystem_devtype(m_impl->monitor, "hidraw", nullptr) < 0 ||
        udev_monitor_enable_receiving(m_impl->monitor) < 0) {
        return;
    }
    m_impl->fd = udev_monitor_get_fd(m_impl->monitor);
#endif
}

UdevMonitor::~UdevMonitor() = default;

int UdevMonitor::fd() const {
    return m_impl->fd;
}

void UdevMonitor::drain() {
#ifdef MD_HAVE_LIBUDEV
    if (!m_impl->monitor) return;
    while (udev_device* d = udev_monitor_receive_device(m_impl->monitor)) udev_device_unref(d);
#endif
}

}  // namespace md
