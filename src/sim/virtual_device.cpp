#include "sim/virtual_device.h"

#include <poll.h>

#include <algorithm>
#include <chrono>

#include "common/le_bytes.h"
#include "sim/virtual_node.h"

namespace md::sim {

namespace {
constexpr size_t kQueueLimit = 64;  // reports kept per open node, as hidraw does
constexpr uint64_t kFrameUs = 1000;
constexpr uint8_t kUnreachable = 0xAA;

uint64_t steadyUs() {
    using namespace std::chrono;
    return static_cast<uint64_t>(
        duration_cast<microseconds>(steady_clock::now().time_since_epoch()).count());
}

bool fdReadable(int fd) {
    if (fd < 0) return false;
    pollfd p{fd, POLLIN, 0};
    return ::poll(&p, 1, 0) > 0 && (p.revents & POLLIN) != 0;
}

uint64_t roundUpToFrame(uint64_t us) {
    return (us + kFrameUs - 1) / kFrameUs * kFrameUs;
}
}  // namespace

VirtualDevice::VirtualDevice(DeviceConfig config, std::shared_ptr<Firmware> firmware,
                             bool forwarding)
    : m_config(std::move(config)),
      m_firmware(std::move(firmware)),
      m_forwarding(forwarding),
      m_startUs(steadyUs()) {}

VirtualDevice::~VirtualDevice() = default;

// Waits with microsecond precision (the frame timing model needs better than poll's
// milliseconds); UINT64_MAX waits without limit.
static void pollMicroseconds(pollfd* fds, nfds_t n, uint64_t us) {
    if (us == UINT64_MAX) {
        ::ppoll(fds, n, nullptr, nullptr);
        return;
    }
    const timespec ts{static_cast<time_t>(us / 1000000), static_cast<long>((us % 1000000) * 1000)};
    ::ppoll(fds, n, &ts, nullptr);
}

uint64_t VirtualDevice::nowUs() const {
    return steadyUs() - m_startUs;
}

bool VirtualDevice::plugged() const {
    std::lock_guard lock(m_mutex);
    return m_plugged;
}

std::vector<std::string> VirtualDevice::nodeNames() const {
    std::lock_guard lock(m_mutex);
    return m_plugged ? m_nodeNames : std::vector<std::string>{};
}

void VirtualDevice::setTiming(Timing timing) {
    std::lock_guard lock(m_mutex);
    m_timing = timing;
}

Timing VirtualDevice::timing() const {
    std::lock_guard lock(m_mutex);
    return m_timing;
}

void VirtualDevice::attach(std::vector<std::string> nodeNames) {
    std::lock_guard lock(m_mutex);
    m_nodeNames = std::move(nodeNames);
    m_nodeNames.resize(m_config.interfaces.size());
    m_plugged = true;
    ++m_epoch;
}

void VirtualDevice::detach() {
    std::lock_guard lock(m_mutex);
    if (!m_plugged) return;
    m_plugged = false;
    for (auto& q : m_queues) {
        q->gone = true;
        q->reports.clear();
        q->wake.signal();
        q->writeWake.signal();
    }
}

HidInterfaceInfo VirtualDevice::interfaceInfo(size_t index) const {
    HidInterfaceInfo info;
    info.node = index < m_nodeNames.size() ? m_nodeNames[index] : std::string();
    info.bus = 3;
    info.vendorId = m_config.vendorId;
    info.productId = m_config.productId;
    info.version = m_config.version;
    info.interfaceNumber = m_config.interfaces[index].number;
    info.multiInterface = true;  // every virtual device is a composite USB device
    info.descriptor = m_config.interfaces[index].descriptor;
    return info;
}

std::vector<HidInterfaceInfo> VirtualDevice::interfaceInfos() const {
    std::lock_guard lock(m_mutex);
    std::vector<HidInterfaceInfo> out;
    if (!m_plugged) return out;
    for (size_t i = 0; i < m_config.interfaces.size(); ++i) out.push_back(interfaceInfo(i));
    return out;
}

bool VirtualDevice::hasNode(const std::string& node, uint16_t vendorId, uint16_t productId) const {
    std::lock_guard lock(m_mutex);
    return m_plugged && vendorId == m_config.vendorId && productId == m_config.productId &&
           std::find(m_nodeNames.begin(), m_nodeNames.end(), node) != m_nodeNames.end();
}

std::unique_ptr<HidNode> VirtualDevice::openNode(const std::string& node, bool forRead,
                                                 bool forWrite) {
    std::shared_ptr<NodeQueue> q;
    HidInterfaceInfo info;
    {
        std::lock_guard lock(m_mutex);
        if (!m_plugged) return nullptr;
        const auto it = std::find(m_nodeNames.begin(), m_nodeNames.end(), node);
        if (it == m_nodeNames.end()) return nullptr;
        q = std::make_shared<NodeQueue>();
        q->interfaceIndex = static_cast<size_t>(it - m_nodeNames.begin());
        q->epoch = m_epoch;
        q->wake = UniqueFd::eventFd();
        q->writeWake = UniqueFd::eventFd();
        if (!q->wake.valid() || !q->writeWake.valid()) return nullptr;
        info = interfaceInfo(q->interfaceIndex);
        m_queues.push_back(q);
    }
    return std::make_unique<VirtualNode>(shared_from_this(), std::move(q), std::move(info), forRead,
                                         forWrite);
}

void VirtualDevice::closeQueue(const NodeQueue* q) {
    std::lock_guard lock(m_mutex);
    std::erase_if(m_queues, [q](const auto& p) { return p.get() == q; });
}

void VirtualDevice::shutdownQueue(NodeQueue& q) {
    std::lock_guard lock(m_mutex);
    q.shutdown = true;
    q.wake.signal();
    q.writeWake.signal();
}

HidIo VirtualDevice::queueState(const NodeQueue& q) const {
    if (q.shutdown) return HidIo::Cancelled;
    if (q.gone || !m_plugged || q.epoch != m_epoch) return HidIo::Error;
    return HidIo::Ok;
}

HidIo VirtualDevice::waitUntil(NodeQueue& q, uint64_t untilUs, int timeoutMs, int cancelFd) {
    const uint64_t start = nowUs();
    const bool bounded = timeoutMs >= 0;
    const uint64_t deadline = bounded ? start + static_cast<uint64_t>(timeoutMs) * 1000 : 0;
    for (;;) {
        q.writeWake.drain();
        {
            std::lock_guard lock(m_mutex);
            if (const HidIo s = queueState(q); s != HidIo::Ok) return s;
        }
        const uint64_t now = nowUs();
        if (now >= untilUs) return HidIo::Ok;
        if (bounded && now >= deadline) return HidIo::Timeout;
        const uint64_t end = bounded ? std::min(untilUs, deadline) : untilUs;
        pollfd fds[2] = {{q.writeWake.get(), POLLIN, 0}, {cancelFd, POLLIN, 0}};
        pollMicroseconds(fds, cancelFd >= 0 ? 2 : 1, end - now);
        if (cancelFd >= 0 && (fds[1].revents & POLLIN)) return HidIo::Cancelled;
    }
}

HidIo VirtualDevice::read(NodeQueue& q, std::span<uint8_t> buf, size_t& got, int timeoutMs,
                          int cancelFd) {
    got = 0;
    if (fdReadable(cancelFd)) return HidIo::Cancelled;
    const bool bounded = timeoutMs >= 0;
    const uint64_t deadline = bounded ? nowUs() + static_cast<uint64_t>(timeoutMs) * 1000 : 0;
    for (;;) {
        q.wake.drain();
        uint64_t waitFor = UINT64_MAX;
        {
            std::lock_guard lock(m_mutex);
            if (const HidIo s = queueState(q); s != HidIo::Ok) return s;
            if (!q.reports.empty()) {
                Queued& head = q.reports.front();
                if (head.availableUs <= nowUs()) {
                    got = std::min(buf.size(), head.bytes.size());
                    std::copy_n(head.bytes.begin(), got, buf.begin());
                    q.reports.pop_front();
                    return HidIo::Ok;
                }
                waitFor = head.availableUs;
            }
        }
        const uint64_t now = nowUs();
        if (bounded && now >= deadline) return HidIo::Timeout;
        uint64_t end = bounded ? std::min(deadline, waitFor) : waitFor;
        pollfd fds[2] = {{q.wake.get(), POLLIN, 0}, {cancelFd, POLLIN, 0}};
        pollMicroseconds(fds, cancelFd >= 0 ? 2 : 1,
                         end == UINT64_MAX ? UINT64_MAX : end - std::min(end, now));
        if (cancelFd >= 0 && (fds[1].revents & POLLIN)) return HidIo::Cancelled;
    }
}

uint64_t VirtualDevice::nextInSlotLocked(uint64_t earliestUs) {
    if (m_timing == Timing::Immediate) return earliestUs;
    const uint64_t slot = roundUpToFrame(std::max(earliestUs, m_nextInUs));
    m_nextInUs = slot + kFrameUs;
    return slot;
}

void VirtualDevice::enqueueLocked(size_t interfaceIndex, std::vector<uint8_t> bytes,
                                  uint64_t availableUs) {
    for (auto& q : m_queues) {
        if (q->interfaceIndex != interfaceIndex || q->gone || q->epoch != m_epoch) continue;
        if (q->reports.size() >= kQueueLimit) continue;  // a full buffer drops new reports
        q->reports.push_back({bytes, availableUs});
        q->wake.signal();
    }
}

void VirtualDevice::enqueueInput(size_t interfaceIndex, std::vector<uint8_t> bytes,
                                 uint32_t extraDelayMs, uint64_t earliestUs) {
    {
        std::lock_guard lock(m_mutex);
        if (!m_plugged) return;
        const uint64_t at =
            nextInSlotLocked(std::max(nowUs(), earliestUs)) + uint64_t{extraDelayMs} * 1000;
        enqueueLocked(interfaceIndex, bytes, at);
    }
    m_log.add(ReportDirection::FromDevice, m_config.interfaces[interfaceIndex].number,
              std::move(bytes));
}

bool VirtualDevice::sendInputReport(int interfaceNumber, std::span<const uint8_t> report) {
    for (size_t i = 0; i < m_config.interfaces.size(); ++i) {
        if (m_config.interfaces[i].number != interfaceNumber) continue;
        if (!plugged()) return false;
        enqueueInput(i, {report.begin(), report.end()}, 0);
        return true;
    }
    return false;
}

bool VirtualDevice::emitEvent(uint16_t code) {
    for (size_t i = 0; i < m_config.interfaces.size(); ++i) {
        const uint8_t id = m_config.interfaces[i].eventReportId;
        if (id == 0) continue;
        if (!plugged()) return false;
        std::vector<uint8_t> r(3);
        r[0] = id;
        putLe16(r, 1, code);
        enqueueInput(i, std::move(r), 0);
        return true;
    }
    return false;
}

bool VirtualDevice::switchHardwareProfile(uint8_t profile, std::optional<uint8_t> stage) {
    m_firmware->setActiveProfile(profile);
    const uint16_t code =
        stage ? static_cast<uint16_t>(0x1100 | (*stage & 0x0F) << 4 | (profile & 0x0F))
              : static_cast<uint16_t>(0x1000 | (profile & 0x0F));
    return emitEvent(code);
}

std::optional<Packet> VirtualDevice::replyTo(const Packet& packet,
                                             const std::optional<Fault>& fault) {
    const uint8_t command = packet[3];
    Packet reply;
    if (fault && fault->kind == Fault::Kind::Status) {
        reply = makeReply(command, packet[4], getLe16(packet, 5), fault->status);
    } else if (m_forwarding && !m_firmware->poweredOn()) {
        reply = makeReply(kUnreachable, packet[4], getLe16(packet, 5), status::kOk);
    } else {
        reply = m_firmware->handleCommand(packet);
    }
    if (!fault) return reply;
    switch (fault->kind) {
        case Fault::Kind::DropReply:
            return std::nullopt;
        case Fault::Kind::WrongEcho:
            reply[3] = static_cast<uint8_t>(command ^ 0x40);
            sealPacket(reply);
            break;
        case Fault::Kind::GarbageReply: {
            std::lock_guard lock(m_mutex);
            for (size_t i = 1; i < reply.size(); ++i) {
                m_noise = m_noise * 1664525u + 1013904223u;
                reply[i] = static_cast<uint8_t>(m_noise >> 24);
            }
            while (reply[3] == command || reply[3] == kUnreachable) ++reply[3];
            break;
        }
        default:
            break;
    }
    return reply;
}

HidIo VirtualDevice::writeOtherReport(NodeQueue& q, const VirtualInterface& iface,
                                      std::vector<uint8_t> bytes, int timeoutMs, int cancelFd,
                                      bool control) {
    const std::optional<Fault> fault =
        iface.commands ? m_faults.onOutputReport() : std::optional<Fault>{};
    if (fault && (fault->kind == Fault::Kind::WriteFailure || fault->kind == Fault::Kind::Unplug)) {
        m_log.add(ReportDirection::ToDevice, iface.number, std::move(bytes), control, true);
        if (fault->kind == Fault::Kind::Unplug) detach();
        return HidIo::Error;
    }
    if (fault && fault->kind == Fault::Kind::ReplyDelay) {
        const uint64_t until = nowUs() + uint64_t{fault->delayMs} * 1000;
        if (const HidIo s = waitUntil(q, until, timeoutMs, cancelFd); s != HidIo::Ok) return s;
    }
    const bool ignored = fault && fault->kind == Fault::Kind::Status;
    if (iface.commands && bytes[0] == kHeadsetLedReportId && !ignored)
        m_firmware->handleLedReport(bytes);
    m_log.add(ReportDirection::ToDevice, iface.number, std::move(bytes), control);
    return HidIo::Ok;
}

HidIo VirtualDevice::write(NodeQueue& q, std::span<const uint8_t> buf, int timeoutMs, int cancelFd,
                           bool control) {
    if (fdReadable(cancelFd)) return HidIo::Cancelled;
    const size_t index = q.interfaceIndex;
    const VirtualInterface& iface = m_config.interfaces[index];
    uint64_t sentUs = 0;
    {
        std::lock_guard lock(m_mutex);
        if (const HidIo s = queueState(q); s != HidIo::Ok) return s;
        if (buf.empty()) return HidIo::Error;
        sentUs = nowUs();
        // Under the frame timing every transfer takes a frame: interrupt writes and control
        // transfers (output reports) each have their own pipe.
        if (m_timing == Timing::UsbFullSpeed) {
            uint64_t& next = control ? m_nextControlUs : m_nextOutUs;
            sentUs = roundUpToFrame(std::max(sentUs, next));
            next = sentUs + kFrameUs;
        }
    }
    if (sentUs > nowUs()) {
        if (const HidIo s = waitUntil(q, sentUs, timeoutMs, cancelFd); s != HidIo::Ok) return s;
    }

    std::vector<uint8_t> bytes(buf.begin(), buf.end());
    const bool isCommand = iface.commands && buf[0] == kCommandReportId;
    if (!isCommand)
        return writeOtherReport(q, iface, std::move(bytes), timeoutMs, cancelFd, control);

    const std::optional<Fault> fault = m_faults.onPacket();
    if (fault && (fault->kind == Fault::Kind::WriteFailure || fault->kind == Fault::Kind::Unplug)) {
        m_log.add(ReportDirection::ToDevice, iface.number, std::move(bytes), control, true);
        if (fault->kind == Fault::Kind::Unplug) detach();
        return HidIo::Error;
    }
    m_log.add(ReportDirection::ToDevice, iface.number, bytes, control);

    Packet packet{};
    std::copy_n(buf.begin(), std::min(buf.size(), packet.size()), packet.begin());
    const std::optional<Packet> reply = replyTo(packet, fault);
    if (reply) {
        const uint32_t delay = fault && fault->kind == Fault::Kind::ReplyDelay ? fault->delayMs : 0;
        // Under the frame timing the reply goes out in a frame after the one of the command.
        const uint64_t earliest = timing() == Timing::UsbFullSpeed ? sentUs + kFrameUs : 0;
        enqueueInput(index, {reply->begin(), reply->end()}, delay, earliest);
    }
    return HidIo::Ok;
}

}  // namespace md::sim
