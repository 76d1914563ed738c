#include "rgb_server/rgb_protocol.h"

#include <algorithm>
#include <cstring>

#include "common/le_bytes.h"

namespace md::rgb {
namespace {

constexpr uint8_t kMagic[4] = {'O', 'R', 'G', 'B'};

// Appends little-endian values and length-prefixed strings.
class Writer {
  public:
    void u16(uint16_t v) { put(v, 2); }
    void u32(uint32_t v) { put(v, 4); }
    void i32(int32_t v) { put(static_cast<uint32_t>(v), 4); }
    void str(const std::string& s) {
        // The length counts the terminating zero; longer strings are cut to fit the field.
        const size_t n = std::min<size_t>(s.size(), 0xFFFE);
        u16(static_cast<uint16_t>(n + 1));
        bytes.insert(bytes.end(), s.begin(), s.begin() + static_cast<std::ptrdiff_t>(n));
        bytes.push_back(0);
    }
    std::vector<uint8_t> bytes;

  private:
    void put(uint32_t v, size_t n) {
        for (size_t i = 0; i < n; ++i) bytes.push_back(static_cast<uint8_t>(v >> (8 * i)));
    }
};

// Reads the same; every read fails once the data ran out.
class Reader {
  public:
    explicit Reader(std::span<const uint8_t> d) : m_d(d) {}
    bool u16(uint16_t& v) {
        if (!need(2)) return false;
        v = getLe16(m_d, m_at);
        m_at += 2;
        return true;
    }
    bool u32(uint32_t& v) {
        if (!need(4)) return false;
        v = getLe32(m_d, m_at);
        m_at += 4;
        return true;
    }
    bool i32(int32_t& v) {
        uint32_t u = 0;
        if (!u32(u)) return false;
        v = static_cast<int32_t>(u);
        return true;
    }
    bool str(std::string& s) {
        uint16_t n = 0;
        if (!u16(n) || !need(n)) return false;
        const auto* p = reinterpret_cast<const char*>(m_d.data() + m_at);
        s.assign(p, strnlen(p, n));
        m_at += n;
        return true;
    }
    size_t left() const { return m_d.size() - m_at; }

  private:
    bool need(size_t n) const { return m_d.size() - m_at >= n; }
    std::span<const uint8_t> m_d;
    size_t m_at = 0;
};

void writeMode(Writer& w, const Mode& m, uint32_t version) {
    w.str(m.name);
    w.i32(m.value);
    w.u32(m.flags);
    w.u32(m.speedMin);
    w.u32(m.speedMax);
    if (version >= 3) {
        w.u32(m.brightnessMin);
        w.u32(m.brightnessMax);
    }
    w.u32(m.coloursMin);
    w.u32(m.coloursMax);
    w.u32(m.speed);
    if (version >= 3) w.u32(m.brightness);
    w.u32(m.direction);
    w.u32(m.colourMode);
    w.u16(static_cast<uint16_t>(m.colours.size()));
    for (uint32_t c : m.colours) w.u32(c);
}

bool readMode(Reader& r, Mode& m, uint32_t version) {
    if (!r.str(m.name) || !r.i32(m.value) || !r.u32(m.flags) || !r.u32(m.speedMin) ||
        !r.u32(m.speedMax))
        return false;
    if (version >= 3 && (!r.u32(m.brightnessMin) || !r.u32(m.brightnessMax))) return false;
    if (!r.u32(m.coloursMin) || !r.u32(m.coloursMax) || !r.u32(m.speed)) return false;
    if (version >= 3 && !r.u32(m.brightness)) return false;
    uint16_t n = 0;
    if (!r.u32(m.direction) || !r.u32(m.colourMode) || !r.u16(n)) return false;
    if (r.left() < size_t(n) * 4) return false;
    m.colours.resize(n);
    for (uint32_t& c : m.colours) r.u32(c);
    return true;
}

void writeZone(Writer& w, const Zone& z, uint32_t version) {
    w.str(z.name);
    w.i32(z.type);
    w.u32(z.ledCount);  // leds_min
    w.u32(z.ledCount);  // leds_max: the zones are fixed
    w.u32(z.ledCount);
    const bool matrix = z.matrixHeight && z.matrixWidth &&
                        z.matrix.size() == size_t(z.matrixHeight) * z.matrixWidth;
    if (matrix) {
        // The length counts the height and width words and the map.
        w.u16(static_cast<uint16_t>(8 + 4 * z.matrix.size()));
        w.u32(z.matrixHeight);
        w.u32(z.matrixWidth);
        for (uint32_t v : z.matrix) w.u32(v);
    } else {
        w.u16(0);
    }
    if (version >= 4) w.u16(0);  // no segments
}

std::vector<uint8_t> sized(Writer& w) {
    // data_size counts itself.
    std::vector<uint8_t> out(4);
    putLe32(out, 0, static_cast<uint32_t>(w.bytes.size() + 4));
    out.insert(out.end(), w.bytes.begin(), w.bytes.end());
    return out;
}

std::optional<std::vector<uint32_t>> readColours(Reader& r) {
    uint16_t n = 0;
    if (!r.u16(n) || r.left() < size_t(n) * 4) return std::nullopt;
    std::vector<uint32_t> c(n);
    for (uint32_t& v : c) r.u32(v);
    return c;
}

}  // namespace

std::optional<Header> parseHeader(std::span<const uint8_t> b) {
    if (b.size() < kHeaderSize || std::memcmp(b.data(), kMagic, 4) != 0) return std::nullopt;
    return Header{getLe32(b, 4), getLe32(b, 8), getLe32(b, 12)};
}

std::vector<uint8_t> packet(uint32_t device, uint32_t id, std::span<const uint8_t> data) {
    std::vector<uint8_t> p(kHeaderSize + data.size());
    std::memcpy(p.data(), kMagic, 4);
    putLe32(p, 4, device);
    putLe32(p, 8, id);
    putLe32(p, 12, static_cast<uint32_t>(data.size()));
    std::copy(data.begin(), data.end(), p.begin() + kHeaderSize);
    return p;
}

std::vector<uint8_t> uint32Packet(uint32_t device, uint32_t id, uint32_t value) {
    uint8_t v[4];
    putLe32(v, 0, value);
    return packet(device, id, v);
}

std::vector<uint8_t> encodeController(const Controller& c, uint32_t version) {
    Writer w;
    w.i32(c.type);
    w.str(c.name);
    if (version >= 1) w.str(c.vendor);
    w.str(c.description);
    w.str(c.version);
    w.str(c.serial);
    w.str(c.location);
    w.u16(static_cast<uint16_t>(c.modes.size()));
    w.i32(c.activeMode);
    for (const Mode& m : c.modes) writeMode(w, m, version);
    w.u16(static_cast<uint16_t>(c.zones.size()));
    for (const Zone& z : c.zones) writeZone(w, z, version);
    w.u16(static_cast<uint16_t>(c.leds.size()));
    for (size_t i = 0; i < c.leds.size(); ++i) {
        w.str(c.leds[i]);
        w.u32(static_cast<uint32_t>(i));  // led_value
    }
    w.u16(static_cast<uint16_t>(c.colours.size()));
    for (uint32_t v : c.colours) w.u32(v);
    return sized(w);
}

std::vector<uint8_t> encodeProfileList(const std::vector<std::string>& names) {
    Writer w;
    w.u16(static_cast<uint16_t>(names.size()));
    for (const std::string& n : names) w.str(n);
    return sized(w);
}

std::optional<std::vector<uint32_t>> parseUpdateLeds(std::span<const uint8_t> data) {
    Reader r(data);
    uint32_t size = 0;
    if (!r.u32(size)) return std::nullopt;
    return readColours(r);
}

std::optional<ZoneLeds> parseUpdateZoneLeds(std::span<const uint8_t> data) {
    Reader r(data);
    uint32_t size = 0;
    ZoneLeds z;
    if (!r.u32(size) || !r.u32(z.zone)) return std::nullopt;
    auto c = readColours(r);
    if (!c) return std::nullopt;
    z.colours = std::move(*c);
    return z;
}

std::optional<SingleLed> parseUpdateSingleLed(std::span<const uint8_t> data) {
    Reader r(data);
    SingleLed s;
    if (!r.i32(s.led) || !r.u32(s.colour)) return std::nullopt;
    return s;
}

std::optional<ModeUpdate> parseModeUpdate(std::span<const uint8_t> data, uint32_t version) {
    Reader r(data);
    uint32_t size = 0;
    ModeUpdate u;
    if (!r.u32(size) || !r.i32(u.index) || !readMode(r, u.mode, version)) return std::nullopt;
    return u;
}

std::string parseString(std::span<const uint8_t> data, size_t maxLength) {
    const auto* p = reinterpret_cast<const char*>(data.data());
    std::string s(p, strnlen(p, std::min(data.size(), maxLength)));
    // Only printable ASCII goes on into logs and the page.
    for (char& ch : s)
        if (static_cast<unsigned char>(ch) < 0x20 || static_cast<unsigned char>(ch) > 0x7E)
            ch = '?';
    return s;
}

}  // namespace md::rgb
