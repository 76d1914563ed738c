#include "rgb_server/rgb_server.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netdb.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "common/dbg_out.h"
#include "common/le_bytes.h"

namespace md::rgb {

struct RgbServer::Client {
    int fd = -1;
    std::string name;
    uint32_t version = 0;  // agreed protocol version
    std::vector<uint8_t> in;
    std::vector<uint8_t> out;
    size_t outAt = 0;
    ~Client() {
        if (fd >= 0) ::close(fd);
    }
};

namespace {

int listenOn(const sockaddr* addr, socklen_t len, std::string& why) {
    const int fd = ::socket(addr->sa_family, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (fd < 0) {
        why = std::strerror(errno);
        return -1;
    }
    const int one = 1;
    ::setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &one, sizeof one);
    if (addr->sa_family == AF_INET6) ::setsockopt(fd, IPPROTO_IPV6, IPV6_V6ONLY, &one, sizeof one);
    // A deep backlog: connections beyond kMaxClients are accepted and closed at once rather than
    // left waiting in the kernel.
    if (::bind(fd, addr, len) != 0 || ::listen(fd, SOMAXCONN) != 0) {
        why = std::strerror(errno);
        ::close(fd);
        return -1;
    }
    return fd;
}

uint16_t boundPort(int fd) {
    sockaddr_storage a{};
    socklen_t len = sizeof a;
    if (::getsockname(fd, reinterpret_cast<sockaddr*>(&a), &len) != 0) return 0;
    if (a.ss_family == AF_INET) return ntohs(reinterpret_cast<sockaddr_in*>(&a)->sin_port);
    return ntohs(reinterpret_cast<sockaddr_in6*>(&a)->sin6_port);
}

}  // namespace

RgbServer::RgbServer(RgbHost& host) : m_host(host) {}

RgbServer::~RgbServer() {
    stop();
}

bool RgbServer::start(const std::string& address, uint16_t port, std::string* error) {
    stop();
    std::string why = "no address";
    const bool local = address.empty() || address == "localhost";
    const std::vector<std::string> hosts =
        local ? std::vector<std::string>{"127.0.0.1", "::1"} : std::vector<std::string>{address};
    for (const std::string& h : hosts) {
        addrinfo hints{};
        hints.ai_family = AF_UNSPEC;
        hints.ai_socktype = SOCK_STREAM;
        hints.ai_flags = AI_NUMERICSERV | AI_PASSIVE;
        addrinfo* res = nullptr;
        // Once a port was chosen (port 0), the other address takes the same one.
        const std::string service = std::to_string(m_listeners.empty() ? port : m_port);
        if (const int rc = ::getaddrinfo(h.c_str(), service.c_str(), &hints, &res); rc != 0) {
            why = h + ": " + gai_strerror(rc);
            continue;
        }
        for (addrinfo* a = res; a; a = a->ai_next) {
            const int fd = listenOn(a->ai_addr, a->ai_addrlen, why);
            if (fd < 0) continue;
            m_listeners.push_back(fd);
            if (!m_port) m_port = boundPort(fd);
            break;
        }
        ::freeaddrinfo(res);
    }
    if (m_listeners.empty()) {
        if (error) *error = why;
        m_port = 0;
        return false;
    }
    m_wake = ::eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC);
    m_worker.start([this](const StopEvent& stop) { run(stop); });
    dbgOutf("RGB SDK server listening on %s port %u\n", local ? "localhost" : address.c_str(),
            unsigned(m_port));
    return true;
}

void RgbServer::stop() {
    m_worker.stop();
    m_clients.clear();
    for (int fd : m_listeners) ::close(fd);
    m_listeners.clear();
    if (m_wake >= 0) ::close(m_wake);
    m_wake = -1;
    m_port = 0;
    m_direct.clear();
    publishClients();
}

void RgbServer::deviceListChanged() {
    if (m_wake < 0) return;
    const uint64_t one = 1;
    [[maybe_unused]] const ssize_t n = ::write(m_wake, &one, sizeof one);
}

std::vector<std::string> RgbServer::clientNames() const {
    std::lock_guard lock(m_namesMutex);
    return m_names;
}

void RgbServer::publishClients() {
    std::vector<std::string> names;
    for (const auto& c : m_clients) names.push_back(c->name);
    {
        std::lock_guard lock(m_namesMutex);
        if (names == m_names) return;
        m_names = names;
    }
    m_host.clientsChanged(names);
}

void RgbServer::run(const StopEvent& stop) {
    std::vector<pollfd> fds;
    while (!stop.isSet()) {
        fds.clear();
        fds.push_back({stop.fd(), POLLIN, 0});
        fds.push_back({m_wake, POLLIN, 0});
        for (int l : m_listeners) fds.push_back({l, POLLIN, 0});
        const size_t firstClient = fds.size();
        for (const auto& c : m_clients)
            fds.push_back({c->fd, short(POLLIN | (c->out.size() > c->outAt ? POLLOUT : 0)), 0});
        if (::poll(fds.data(), fds.size(), -1) < 0) {
            if (errno == EINTR) continue;
            break;
        }
        if (fds[0].revents) break;
        if (fds[1].revents & POLLIN) {
            uint64_t n = 0;
            [[maybe_unused]] const ssize_t r = ::read(m_wake, &n, sizeof n);
            m_direct.clear();
            for (auto& c : m_clients) send(*c, packet(0, kDeviceListUpdated));
        }
        // Clients first: their indexes in fds are those of m_clients before accepting.
        std::vector<Client*> gone;
        for (size_t i = 0; i < m_clients.size() && firstClient + i < fds.size(); ++i) {
            Client& c = *m_clients[i];
            const short ev = fds[firstClient + i].revents;
            bool keep = true;
            if (ev & (POLLERR | POLLNVAL)) keep = false;
            if (keep && (ev & (POLLIN | POLLHUP))) keep = receive(c);
            if (keep && (ev & POLLOUT)) keep = flush(c);
            if (keep && c.out.size() - c.outAt > kMaxQueued) {
                dbgOutf("RGB SDK client \"%s\" does not read its replies: dropped\n",
                        c.name.c_str());
                keep = false;
            }
            if (!keep) gone.push_back(&c);
        }
        if (!gone.empty()) {
            m_clientsChanged = true;
            std::erase_if(m_clients, [&](const auto& c) {
                return std::find(gone.begin(), gone.end(), c.get()) != gone.end();
            });
        }
        for (size_t i = 0; i < m_listeners.size(); ++i)
            if (fds[2 + i].revents & POLLIN) accept(m_listeners[i]);
        // Only when a client came, went or named itself: not on every packet.
        if (m_clientsChanged) {
            m_clientsChanged = false;
            publishClients();
        }
    }
}

void RgbServer::accept(int listener) {
    for (;;) {
        const int fd = ::accept4(listener, nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC);
        if (fd < 0) return;
        if (m_clients.size() >= kMaxClients) {
            ::close(fd);
            continue;
        }
        auto c = std::make_unique<Client>();
        c->fd = fd;
        c->name = "client " + std::to_string(m_nextClient++);
        m_clients.push_back(std::move(c));
        m_clientsChanged = true;
    }
}

bool RgbServer::receive(Client& c) {
    uint8_t buf[16384];
    const ssize_t n = ::recv(c.fd, buf, sizeof buf, 0);
    if (n == 0) return false;
    if (n < 0) return errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR;
    c.in.insert(c.in.end(), buf, buf + n);
    size_t at = 0;
    while (c.in.size() - at >= kHeaderSize) {
        const std::span<const uint8_t> rest(c.in.data() + at, c.in.size() - at);
        const std::optional<Header> h = parseHeader(rest);
        if (!h || h->size > kMaxPacket) {
            dbgOutf("RGB SDK client \"%s\" sent %s: closed\n", c.name.c_str(),
                    h ? "a packet beyond the size bound" : "no packet header");
            return false;
        }
        if (rest.size() < kHeaderSize + h->size) break;
        handle(c, h->device, h->id, rest.subspan(kHeaderSize, h->size));
        at += kHeaderSize + h->size;
    }
    c.in.erase(c.in.begin(), c.in.begin() + static_cast<std::ptrdiff_t>(at));
    return true;
}

bool RgbServer::flush(Client& c) {
    while (c.outAt < c.out.size()) {
        const ssize_t n =
            ::send(c.fd, c.out.data() + c.outAt, c.out.size() - c.outAt, MSG_NOSIGNAL);
        if (n < 0) return errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR;
        c.outAt += size_t(n);
    }
    c.out.clear();
    c.outAt = 0;
    return true;
}

void RgbServer::send(Client& c, std::vector<uint8_t> bytes) {
    c.out.insert(c.out.end(), bytes.begin(), bytes.end());
    flush(c);
}

void RgbServer::directColours(Client& c, size_t index, std::vector<uint32_t> colours,
                              size_t first) {
    const size_t leds = m_host.ledCount(index);
    if (leds == 0) return;
    std::vector<lighting::LedColour>& shown = m_direct[index];
    shown.resize(leds);
    for (size_t i = 0; i < colours.size() && first + i < shown.size(); ++i)
        shown[first + i] = unpackColour(colours[i]);
    m_host.showColours(index, shown, c.name);
}

void RgbServer::handle(Client& c, uint32_t device, uint32_t id, std::span<const uint8_t> data) {
    switch (id) {
        case kRequestControllerCount:
            send(c, uint32Packet(0, kRequestControllerCount,
                                 static_cast<uint32_t>(m_host.controllers().size())));
            return;
        case kRequestControllerData: {
            const uint32_t asked = data.size() >= 4 ? getLe32(data, 0) : 0;
            const std::vector<Controller> list = m_host.controllers();
            if (device >= list.size()) return;
            Controller ctl = list[device];
            if (const auto it = m_direct.find(device); it != m_direct.end()) {
                ctl.activeMode = 0;
                for (size_t i = 0; i < ctl.colours.size() && i < it->second.size(); ++i)
                    ctl.colours[i] = packColour(it->second[i]);
            }
            send(c, packet(device, kRequestControllerData,
                           encodeController(ctl, std::min(asked, kProtocolVersion))));
            return;
        }
        case kRequestProtocolVersion:
            c.version = std::min(data.size() >= 4 ? getLe32(data, 0) : 0, kProtocolVersion);
            send(c, uint32Packet(0, kRequestProtocolVersion, kProtocolVersion));
            return;
        case kSetClientName:
            if (std::string n = parseString(data); !n.empty()) {
                c.name = std::move(n);
                m_clientsChanged = true;
            }
            return;
        case kRequestProfileList:
            // The profiles here are per device and chosen on the devices' pages.
            send(c, packet(0, kRequestProfileList, encodeProfileList({})));
            return;
        case kRequestPluginList: {
            const uint8_t empty[6] = {6, 0, 0, 0, 0, 0};
            send(c, packet(0, kRequestPluginList, empty));
            return;
        }
        case kUpdateLeds:
            if (auto colours = parseUpdateLeds(data)) directColours(c, device, std::move(*colours));
            return;
        case kUpdateZoneLeds:
            // One zone per device: zone 0 holds every LED.
            if (auto z = parseUpdateZoneLeds(data); z && z->zone == 0)
                directColours(c, device, std::move(z->colours));
            return;
        case kUpdateSingleLed:
            if (auto s = parseUpdateSingleLed(data); s && s->led >= 0)
                directColours(c, device, {s->colour}, size_t(s->led));
            return;
        case kSetCustomMode:
            directColours(c, device, {});
            return;
        case kUpdateMode:
        case kSaveMode: {
            const auto u = parseModeUpdate(data, c.version);
            const std::vector<Controller> list = m_host.controllers();
            if (!u || device >= list.size() || u->index < 0 ||
                size_t(u->index) >= list[device].modes.size())
                return;
            const Mode& described = list[device].modes[size_t(u->index)];
            if (described.value < 0) {
                directColours(c, device, {});
                return;
            }
            m_direct.erase(device);
            m_host.applyMode(device, u->mode, described, c.name);
            return;
        }
        default:
            // Resizing fixed zones, profile changes and packets of later versions: nothing
            // to do, and no answer is expected.
            return;
    }
}

}  // namespace md::rgb
