#pragma once
// A fake sysfs and /dev tree for the hidraw backend. Each hidraw node is one end of a
// SOCK_SEQPACKET socket pair (report boundaries kept, like hidraw); the test holds the device
// end, the backend's opener hands out duplicates of the host end.

#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "devlink/hid/hidraw_backend.h"

namespace md::test {

class FakeHidTree {
  public:
    FakeHidTree() {
        char tmpl[] = "/tmp/md-fake-hid-XXXXXX";
        m_root = ::mkdtemp(tmpl);
        std::filesystem::create_directories(m_root / "sys/class/hidraw");
        std::filesystem::create_directories(m_root / "dev");
    }
    ~FakeHidTree() {
        for (auto& [n, node] : m_nodes) closeNode(node);
        std::error_code ec;
        std::filesystem::remove_all(m_root, ec);
    }
    FakeHidTree(const FakeHidTree&) = delete;
    FakeHidTree& operator=(const FakeHidTree&) = delete;

    std::string sysRoot() const { return (m_root / "sys").string(); }
    std::string devRoot() const { return (m_root / "dev").string(); }
    std::string node(int n) const {
        return (m_root / "dev" / ("hidraw" + std::to_string(n))).string();
    }

    // Adds hidraw<n> as interface `itf` of a USB device with `interfaces` interfaces.
    void add(int n, uint16_t vid, uint16_t pid, int itf, int interfaces,
             const std::vector<uint8_t>& descriptor, int usbDevice = 1) {
        namespace fs = std::filesystem;
        char hid[32];
        std::snprintf(hid, sizeof hid, "0003:%04X:%04X.%04X", vid, pid, n + 1);
        const fs::path usbDev = m_root / "sys/devices/usb1" / ("1-" + std::to_string(usbDevice));
        const fs::path usbItf =
            usbDev / ("1-" + std::to_string(usbDevice) + ":1." + std::to_string(itf));
        const fs::path hidDir = usbItf / hid;
        fs::create_directories(hidDir);
        write(usbDev / "bNumInterfaces", " " + std::to_string(interfaces) + "\n");
        write(usbDev / "bcdDevice", "0102\n");
        char num[8];
        std::snprintf(num, sizeof num, "%02x\n", itf);
        write(usbItf / "bInterfaceNumber", num);
        char uevent[96];
        std::snprintf(uevent, sizeof uevent,
                      "DRIVER=hid-generic\nHID_ID=0003:%08X:%08X\nHID_NAME=fake\n", vid, pid);
        write(hidDir / "uevent", uevent);
        write(hidDir / "report_descriptor", std::string(descriptor.begin(), descriptor.end()));
        const fs::path cls = m_root / "sys/class/hidraw" / ("hidraw" + std::to_string(n));
        fs::create_directories(cls);
        fs::create_symlink(hidDir, cls / "device");
        write(node(n), "");
        Node& nd = m_nodes[n];
        closeNode(nd);
        int sv[2];
        ::socketpair(AF_UNIX, SOCK_SEQPACKET | SOCK_CLOEXEC, 0, sv);
        nd.host = sv[0];
        nd.device = sv[1];
    }

    void remove(int n) {
        namespace fs = std::filesystem;
        fs::remove_all(m_root / "sys/class/hidraw" / ("hidraw" + std::to_string(n)));
        fs::remove(node(n));
        auto it = m_nodes.find(n);
        if (it != m_nodes.end()) {
            closeNode(it->second);
            m_nodes.erase(it);
        }
    }

    // The device end of hidraw<n>: what the host writes arrives here, what is sent here
    // reaches the host.
    int deviceFd(int n) const { return m_nodes.at(n).device; }

    void sendFromDevice(int n, const std::vector<uint8_t>& report) const {
        [[maybe_unused]] ssize_t r = ::send(deviceFd(n), report.data(), report.size(), 0);
    }
    std::vector<uint8_t> receiveOnDevice(int n) const {
        std::vector<uint8_t> buf(4096);
        const ssize_t r = ::recv(deviceFd(n), buf.data(), buf.size(), MSG_DONTWAIT);
        buf.resize(r > 0 ? static_cast<size_t>(r) : 0);
        return buf;
    }

    int opens() const { return m_opens; }

    std::shared_ptr<HidrawBackend> backend() {
        return std::make_shared<HidrawBackend>(
            sysRoot(), devRoot(), [this](const std::string& path, int) {
                for (auto& [n, nd] : m_nodes) {
                    if (node(n) == path) {
                        ++m_opens;
                        return ::fcntl(nd.host, F_DUPFD_CLOEXEC, 0);
                    }
                }
                return -1;
            });
    }

  private:
    struct Node {
        int host = -1;
        int device = -1;
    };
    static void closeNode(Node& n) {
        if (n.host >= 0) ::close(n.host);
        if (n.device >= 0) ::close(n.device);
        n.host = n.device = -1;
    }
    static void write(const std::filesystem::path& p, const std::string& s) {
        std::ofstream(p, std::ios::binary) << s;
    }

    std::filesystem::path m_root;
    std::map<int, Node> m_nodes;
    int m_opens = 0;
};

// Report descriptors used by the transport tests.
namespace descriptors {

// Boot keyboard (HID 1.11 appendix B.1): no report IDs.
inline const std::vector<uint8_t> kBootKeyboard = {
    0x05, 0x01, 0x09, 0x06, 0xA1, 0x01, 0x05, 0x07, 0x19, 0xE0, 0x29, 0xE7, 0x15, 0x00, 0x25, 0x01,
    0x75, 0x01, 0x95, 0x08, 0x81, 0x02, 0x95, 0x01, 0x75, 0x08, 0x81, 0x01, 0x95, 0x05, 0x75, 0x01,
    0x05, 0x08, 0x19, 0x01, 0x29, 0x05, 0x91, 0x02, 0x95, 0x01, 0x75, 0x03, 0x91, 0x01, 0x95, 0x06,
    0x75, 0x08, 0x15, 0x00, 0x25, 0x65, 0x05, 0x07, 0x19, 0x00, 0x29, 0x65, 0x81, 0x00, 0xC0};

// Two collections: consumer control (report 3, one 16-bit usage) and the vendor command
// collection (page 0xFF1C usage 0x92, report 4, 64 bytes each way).
inline const std::vector<uint8_t> kConsumerAndVendor = {
    0x05, 0x0C, 0x09, 0x01, 0xA1, 0x01, 0x85, 0x03, 0x15, 0x00, 0x26, 0xFF, 0x0F,
    0x19, 0x00, 0x2A, 0xFF, 0x0F, 0x75, 0x10, 0x95, 0x01, 0x81, 0x00, 0xC0, 0x06,
    0x1C, 0xFF, 0x09, 0x92, 0xA1, 0x01, 0x85, 0x04, 0x09, 0x01, 0x15, 0x00, 0x26,
    0xFF, 0x00, 0x75, 0x08, 0x95, 0x40, 0x81, 0x02, 0x09, 0x01, 0x91, 0x02, 0xC0};

}  // namespace descriptors
}  // namespace md::test
