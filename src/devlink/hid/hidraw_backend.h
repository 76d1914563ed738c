#pragma once
// HID backend over the Linux hidraw driver: interfaces are listed from sysfs
// (/sys/class/hidraw/hidrawN/device/{uevent,report_descriptor} and the USB interface above
// it), nodes are /dev/hidrawN. Both roots are constructor arguments so that a fake tree can
// stand in for the machine; the node opener can be replaced too (tests hand out socket ends).

#include <functional>
#include <mutex>
#include <optional>
#include <string>

#include "devlink/hid/hid_backend.h"
#include "devlink/hid/udev_monitor.h"

namespace md {

class HidrawBackend final : public HidBackend {
  public:
    // Opens a node and returns a file descriptor (or -1); flags as for open(2).
    using NodeOpener = std::function<int(const std::string& node, int flags)>;

    explicit HidrawBackend(std::string sysRoot = "/sys", std::string devRoot = "/dev",
                           NodeOpener opener = nullptr);

    bool listInterfaces(std::vector<HidInterfaceInfo>& out) override;
    std::unique_ptr<HidNode> open(const std::string& node, bool forRead, bool forWrite) override;
    bool present(const std::string& node, uint16_t vendorId, uint16_t productId) override;
    int changeFd() override;
    void drainChanges() override;

  private:
    std::optional<HidInterfaceInfo> readInterface(const std::string& name) const;

    std::string m_sysRoot;
    std::string m_devRoot;
    NodeOpener m_opener;
    std::mutex m_monitorMutex;
    std::unique_ptr<UdevMonitor> m_monitor;  // only for the machine's own tree, made on first use
    bool m_monitorTried = false;
};

// An open HID node on a file descriptor (hidraw, or any descriptor that keeps report
// boundaries such as a SOCK_SEQPACKET socket). Takes ownership of fd.
std::unique_ptr<HidNode> makeFdHidNode(int fd, HidInterfaceInfo info);

}  // namespace md
