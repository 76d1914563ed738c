#pragma once
// A client of the RGB SDK protocol written from the protocol's documentation, for tests: it
// connects over TCP, sends requests and reads replies, and parses the controller data block
// on its own (not with the server's encoder), so that tests compare two readings.

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

namespace md::test {

class RgbTestClient {
  public:
    struct Reply {
        uint32_t device = 0, id = 0;
        std::vector<uint8_t> data;
    };

    explicit RgbTestClient(uint16_t port) {
        m_fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        sockaddr_in a{};
        a.sin_family = AF_INET;
        a.sin_port = htons(port);
        a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        // Connected within a bound, so that a server that turns clients away never hangs a test.
        const int flags = ::fcntl(m_fd, F_GETFL);
        ::fcntl(m_fd, F_SETFL, flags | O_NONBLOCK);
        if (::connect(m_fd, reinterpret_cast<sockaddr*>(&a), sizeof a) == 0) {
            m_connected = true;
        } else if (errno == EINPROGRESS) {
            pollfd p{m_fd, POLLOUT, 0};
            int error = 0;
            socklen_t len = sizeof error;
            m_connected = ::poll(&p, 1, 5000) == 1 &&
                          ::getsockopt(m_fd, SOL_SOCKET, SO_ERROR, &error, &len) == 0 && error == 0;
        }
        ::fcntl(m_fd, F_SETFL, flags);
    }
    ~RgbTestClient() {
        if (m_fd >= 0) ::close(m_fd);
    }
    RgbTestClient(const RgbTestClient&) = delete;
    RgbTestClient& operator=(const RgbTestClient&) = delete;
    bool connected() const { return m_connected; }
    int fd() const { return m_fd; }

    // Sends header and data as they are (the magic can be spoilt for tests).
    bool sendRaw(const std::vector<uint8_t>& bytes) {
        return ::send(m_fd, bytes.data(), bytes.size(), MSG_NOSIGNAL) == ssize_t(bytes.size());
    }
    bool send(uint32_t device, uint32_t id, const std::vector<uint8_t>& data = {},
              const char* magic = "ORGB") {
        std::vector<uint8_t> p(magic, magic + 4);
        put32(p, device);
        put32(p, id);
        put32(p, uint32_t(data.size()));
        p.insert(p.end(), data.begin(), data.end());
        return sendRaw(p);
    }
    // The next packet, or nothing when none comes within the wait or the server closed.
    std::optional<Reply> read(int waitMs = 5000) {
        uint8_t h[16];
        if (!readExactly(h, 16, waitMs) || std::memcmp(h, "ORGB", 4) != 0) return std::nullopt;
        Reply r;
        r.device = get32(h, 4);
        r.id = get32(h, 8);
        r.data.resize(get32(h, 12));
        if (!r.data.empty() && !readExactly(r.data.data(), r.data.size(), waitMs))
            return std::nullopt;
        return r;
    }
    // The next packet of this id, skipping others (such as "device list updated").
    std::optional<Reply> readId(uint32_t id, int waitMs = 5000) {
        for (int i = 0; i < 16; ++i) {
            auto r = read(waitMs);
            if (!r || r->id == id) return r;
        }
        return std::nullopt;
    }
    // True when the server closed the connection.
    bool closedByServer(int waitMs = 5000) {
        pollfd p{m_fd, POLLIN, 0};
        while (::poll(&p, 1, waitMs) > 0) {
            uint8_t b[4096];
            const ssize_t n = ::recv(m_fd, b, sizeof b, 0);
            if (n <= 0) return true;
        }
        return false;
    }

    static void put16(std::vector<uint8_t>& v, uint16_t x) {
        v.push_back(uint8_t(x));
        v.push_back(uint8_t(x >> 8));
    }
    static void put32(std::vector<uint8_t>& v, uint32_t x) {
        for (int i = 0; i < 4; ++i) v.push_back(uint8_t(x >> (8 * i)));
    }
    static uint32_t get32(const uint8_t* p, size_t at) {
        return uint32_t(p[at]) | uint32_t(p[at + 1]) << 8 | uint32_t(p[at + 2]) << 16 |
               uint32_t(p[at + 3]) << 24;
    }
    static uint32_t u32(const std::vector<uint8_t>& d) {
        return d.size() >= 4 ? get32(d.data(), 0) : 0;
    }

  private:
    bool readExactly(uint8_t* to, size_t n, int waitMs) {
        size_t got = 0;
        while (got < n) {
            pollfd p{m_fd, POLLIN, 0};
            if (::poll(&p, 1, waitMs) <= 0) return false;
            const ssize_t r = ::recv(m_fd, to + got, n - got, 0);
            if (r <= 0) return false;
            got += size_t(r);
        }
        return true;
    }
    int m_fd = -1;
    bool m_connected = false;
};

// The controller data block as the documentation lays it out, read field by field.
struct ParsedMode {
    std::string name;
    int32_t value = 0;
    uint32_t flags = 0, speedMin = 0, speedMax = 0, brightnessMin = 0, brightnessMax = 0;
    uint32_t coloursMin = 0, coloursMax = 0, speed = 0, brightness = 0, direction = 0,
             colourMode = 0;
    std::vector<uint32_t> colours;
};
struct ParsedZone {
    std::string name;
    int32_t type = 0;
    uint32_t ledsMin = 0, ledsMax = 0, ledCount = 0, height = 0, width = 0;
    std::vector<uint32_t> matrix;
    uint16_t segments = 0;
};
struct ParsedController {
    uint32_t dataSize = 0;
    int32_t type = 0;
    std::string name, vendor, description, version, serial, location;
    int32_t activeMode = 0;
    std::vector<ParsedMode> modes;
    std::vector<ParsedZone> zones;
    std::vector<std::string> leds;
    std::vector<uint32_t> colours;
    bool complete = false;  // every byte used, none missing
};

class BlockReader {
  public:
    explicit BlockReader(const std::vector<uint8_t>& d) : m_d(d) {}
    bool ok = true;
    uint16_t u16() {
        if (!need(2)) return 0;
        const uint16_t v = uint16_t(m_d[m_at] | m_d[m_at + 1] << 8);
        m_at += 2;
        return v;
    }
    uint32_t u32() {
        if (!need(4)) return 0;
        const uint32_t v = RgbTestClient::get32(m_d.data(), m_at);
        m_at += 4;
        return v;
    }
    std::string str() {
        const uint16_t n = u16();
        if (!need(n) || n == 0 || m_d[m_at + n - 1] != 0) {
            ok = false;
            return {};
        }
        std::string s(reinterpret_cast<const char*>(&m_d[m_at]), n - 1);
        m_at += n;
        return s;
    }
    bool atEnd() const { return m_at == m_d.size(); }

  private:
    bool need(size_t n) {
        if (m_d.size() - m_at < n) ok = false;
        return ok;
    }
    const std::vector<uint8_t>& m_d;
    size_t m_at = 0;
};

inline ParsedMode parseModeBlock(BlockReader& r, uint32_t version) {
    ParsedMode m;
    m.name = r.str();
    m.value = int32_t(r.u32());
    m.flags = r.u32();
    m.speedMin = r.u32();
    m.speedMax = r.u32();
    if (version >= 3) m.brightnessMin = r.u32(), m.brightnessMax = r.u32();
    m.coloursMin = r.u32();
    m.coloursMax = r.u32();
    m.speed = r.u32();
    if (version >= 3) m.brightness = r.u32();
    m.direction = r.u32();
    m.colourMode = r.u32();
    const uint16_t n = r.u16();
    for (uint16_t i = 0; i < n && r.ok; ++i) m.colours.push_back(r.u32());
    return m;
}

inline ParsedController parseControllerBlock(const std::vector<uint8_t>& d, uint32_t version) {
    BlockReader r(d);
    ParsedController c;
    c.dataSize = r.u32();
    c.type = int32_t(r.u32());
    c.name = r.str();
    if (version >= 1) c.vendor = r.str();
    c.description = r.str();
    c.version = r.str();
    c.serial = r.str();
    c.location = r.str();
    const uint16_t modes = r.u16();
    c.activeMode = int32_t(r.u32());
    for (uint16_t i = 0; i < modes && r.ok; ++i) c.modes.push_back(parseModeBlock(r, version));
    const uint16_t zones = r.u16();
    for (uint16_t i = 0; i < zones && r.ok; ++i) {
        ParsedZone z;
        z.name = r.str();
        z.type = int32_t(r.u32());
        z.ledsMin = r.u32();
        z.ledsMax = r.u32();
        z.ledCount = r.u32();
        const uint16_t matrixLen = r.u16();
        if (matrixLen) {
            z.height = r.u32();
            z.width = r.u32();
            for (uint32_t k = 0; k < (matrixLen - 8u) / 4u && r.ok; ++k)
                z.matrix.push_back(r.u32());
        }
        if (version >= 4) z.segments = r.u16();
        c.zones.push_back(std::move(z));
    }
    const uint16_t leds = r.u16();
    for (uint16_t i = 0; i < leds && r.ok; ++i) {
        c.leds.push_back(r.str());
        r.u32();  // led_value
    }
    const uint16_t colours = r.u16();
    for (uint16_t i = 0; i < colours && r.ok; ++i) c.colours.push_back(r.u32());
    c.complete = r.ok && r.atEnd() && c.dataSize == d.size();
    return c;
}

// The data of an update-mode request for mode `index` in protocol `version`.
inline std::vector<uint8_t> modeUpdateData(int32_t index, const ParsedMode& m, uint32_t version) {
    std::vector<uint8_t> body;
    using C = RgbTestClient;
    C::put32(body, uint32_t(index));
    C::put16(body, uint16_t(m.name.size() + 1));
    body.insert(body.end(), m.name.begin(), m.name.end());
    body.push_back(0);
    C::put32(body, uint32_t(m.value));
    C::put32(body, m.flags);
    C::put32(body, m.speedMin);
    C::put32(body, m.speedMax);
    if (version >= 3) C::put32(body, m.brightnessMin), C::put32(body, m.brightnessMax);
    C::put32(body, m.coloursMin);
    C::put32(body, m.coloursMax);
    C::put32(body, m.speed);
    if (version >= 3) C::put32(body, m.brightness);
    C::put32(body, m.direction);
    C::put32(body, m.colourMode);
    C::put16(body, uint16_t(m.colours.size()));
    for (uint32_t c : m.colours) C::put32(body, c);
    std::vector<uint8_t> data;
    C::put32(data, uint32_t(body.size() + 4));
    data.insert(data.end(), body.begin(), body.end());
    return data;
}

// The data of an update-LEDs request.
inline std::vector<uint8_t> updateLedsData(const std::vector<uint32_t>& colours) {
    std::vector<uint8_t> data;
    RgbTestClient::put32(data, uint32_t(4 + 2 + 4 * colours.size()));
    RgbTestClient::put16(data, uint16_t(colours.size()));
    for (uint32_t c : colours) RgbTestClient::put32(data, c);
    return data;
}

}  // namespace md::test
