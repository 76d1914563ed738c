#include "devlink/hid/hidraw_backend.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <system_error>

namespace md {
namespace {

namespace fs = std::filesystem;

bool readText(const fs::path& p, std::string& out) {
    std::ifstream in(p, std::ios::binary);
    if (!in) return false;
    out.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return true;
}

// Limits a descriptor read; the kernel's own limit is 4096 bytes.
constexpr std::streamsize kMaxDescriptor = 16384;

bool readBinary(const fs::path& p, std::vector<uint8_t>& out) {
    std::ifstream in(p, std::ios::binary);
    if (!in) return false;
    out.resize(kMaxDescriptor);
    in.read(reinterpret_cast<char*>(out.data()), kMaxDescriptor);
    out.resize(static_cast<size_t>(in.gcount()));
    return true;
}

// "HID_ID=0003:0000248A:00005B50" in a HID device's uevent.
bool parseHidId(const std::string& uevent, uint16_t& bus, uint16_t& vid, uint16_t& pid) {
    const auto at = uevent.find("HID_ID=");
    if (at == std::string::npos) return false;
    unsigned b = 0, v = 0, p = 0;
    if (std::sscanf(uevent.c_str() + at + 7, "%x:%x:%x", &b, &v, &p) != 3) return false;
    bus = static_cast<uint16_t>(b);
    vid = static_cast<uint16_t>(v);
    pid = static_cast<uint16_t>(p);
    return true;
}

bool readNumber(const fs::path& p, int base, long& out) {
    std::string text;
    if (!readText(p, text)) return false;
    char* end = nullptr;
    out = std::strtol(text.c_str(), &end, base);
    return end != text.c_str();
}

// hidraw12 → 12, for a listing in the kernel's numbering order.
long nodeNumber(const std::string& name) {
    return std::strtol(name.c_str() + std::min<size_t>(name.size(), 6), nullptr, 10);
}

}  // namespace

HidrawBackend::HidrawBackend(std::string sysRoot, std::string devRoot, NodeOpener opener)
    : m_sysRoot(std::move(sysRoot)), m_devRoot(std::move(devRoot)), m_opener(std::move(opener)) {}

std::optional<HidInterfaceInfo> HidrawBackend::readInterface(const std::string& name) const {
    std::error_code ec;
    const fs::path dev = fs::canonical(fs::path(m_sysRoot) / "class/hidraw" / name / "device", ec);
    if (ec) return std::nullopt;
    HidInterfaceInfo info;
    std::string uevent;
    if (!readText(dev / "uevent", uevent) ||
        !parseHidId(uevent, info.bus, info.vendorId, info.productId)) {
        return std::nullopt;
    }
    if (!readBinary(dev / "report_descriptor", info.descriptor)) return std::nullopt;
    // A USB HID device sits below its USB interface, which sits below the USB device.
    const fs::path usbInterface = dev.parent_path();
    long number = 0;
    if (readNumber(usbInterface / "bInterfaceNumber", 16, number)) {
        info.interfaceNumber = static_cast<int>(number);
        long interfaces = 0;
        const fs::path usbDevice = usbInterface.parent_path();
        info.multiInterface =
            readNumber(usbDevice / "bNumInterfaces", 10, interfaces) && interfaces > 1;
        long bcd = 0;
        if (readNumber(usbDevice / "bcdDevice", 16, bcd)) info.version = static_cast<uint16_t>(bcd);
    }
    info.node = (fs::path(m_devRoot) / name).string();
    return info;
}

bool HidrawBackend::listInterfaces(std::vector<HidInterfaceInfo>& out) {
    out.clear();
    std::error_code ec;
    const fs::path dir = fs::path(m_sysRoot) / "class/hidraw";
    if (!fs::exists(dir, ec)) return true;  // no hidraw driver loaded: simply no devices
    std::vector<std::string> names;
    for (fs::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string name = it->path().filename().string();
        if (name.rfind("hidraw", 0) == 0) names.push_back(name);
    }
    if (ec) return false;
    std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
        return nodeNumber(a) < nodeNumber(b);
    });
    for (const auto& name : names) {
        // An interface that disappears or cannot be read while listing is left out.
        if (auto info = readInterface(name)) out.push_back(std::move(*info));
    }
    return true;
}

std::unique_ptr<HidNode> HidrawBackend::open(const std::string& node, bool forRead, bool forWrite) {
    const std::string name = fs::path(node).filename().string();
    auto info = readInterface(name);
    if (!info || info->node != node) return nullptr;
    int flags = O_NONBLOCK | O_CLOEXEC;
    flags |= forRead && forWrite ? O_RDWR : forWrite ? O_WRONLY : O_RDONLY;
    const int fd = m_opener ? m_opener(node, flags) : ::open(node.c_str(), flags);
    if (fd < 0) return nullptr;
    return makeFdHidNode(fd, std::move(*info));
}

bool HidrawBackend::present(const std::string& node, uint16_t vendorId, uint16_t productId) {
    struct stat st {};
    if (::stat(node.c_str(), &st) != 0) return false;
    const std::string name = fs::path(node).filename().string();
    std::string uevent;
    std::error_code ec;
    const fs::path dev = fs::canonical(fs::path(m_sysRoot) / "class/hidraw" / name / "device", ec);
    uint16_t bus = 0, vid = 0, pid = 0;
    return !ec && readText(dev / "uevent", uevent) && parseHidId(uevent, bus, vid, pid) &&
           vid == vendorId && pid == productId;
}

int HidrawBackend::changeFd() {
    std::lock_guard lock(m_monitorMutex);
    if (!m_monitorTried) {
        m_monitorTried = true;
        if (m_sysRoot == "/sys") m_monitor = std::make_unique<UdevMonitor>(m_devRoot);
    }
    return m_monitor ? m_monitor->fd() : -1;
}

void HidrawBackend::drainChanges() {
    std::lock_guard lock(m_monitorMutex);
    if (m_monitor) m_monitor->drain();
}

}  // namespace md
