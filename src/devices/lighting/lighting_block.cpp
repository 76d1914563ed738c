#include "devices/lighting/lighting_block.h"

#include <algorithm>
#include <span>

#include "devlink/link/device_link.h"

namespace md::lighting {
namespace {

constexpr uint8_t kMaxLevel = 4;

uint8_t level(int v) {
    return static_cast<uint8_t>(std::clamp(v, 0, int{kMaxLevel}));
}

}  // namespace

void LightingBlock::setLighting(const LightSetting& l) {
    m_bytes[1] = l.mode;
    m_bytes[2] = level(l.brightness);
    m_bytes[3] = level(l.speed);
    m_bytes[5] = l.multiColor ? 1 : 0;
    m_bytes[6] = l.red;
    m_bytes[7] = l.green;
    m_bytes[8] = l.blue;
}

LightSetting LightingBlock::lighting() const {
    LightSetting l;
    l.mode = m_bytes[1];
    l.brightness = m_bytes[2];
    l.speed = m_bytes[3];
    l.multiColor = m_bytes[5];
    l.red = m_bytes[6];
    l.green = m_bytes[7];
    l.blue = m_bytes[8];
    return l;
}

LightingBlockBytes LightingBlock::wireBytes() const {
    LightingBlockBytes wire = m_bytes;
    wire[3] = static_cast<uint8_t>(kMaxLevel - level(m_bytes[3]));
    return wire;
}

void LightingBlock::takeWireBytes(const LightingBlockBytes& wire, uint8_t profile) {
    m_keptFrom = profile;
    m_bytes = wire;
    m_bytes[0] = profile;
    m_bytes[2] = level(wire[2]);
    m_bytes[3] = static_cast<uint8_t>(kMaxLevel - level(wire[3]));
    m_bytes[5] = wire[5] ? 1 : 0;
}

int LightingBlock::readWindow(DeviceLink& link, uint8_t profile, LightingBlockBytes& wire) {
    std::array<uint8_t, kLightingBlockReadLength> window{};
    const auto base = static_cast<uint16_t>(profile * kLightingBlockReadStride);
    if (const int r = link.readConfig(window, kLightingBlockReadLength, base); r != link::kOk)
        return r;
    std::copy_n(window.begin(), wire.size(), wire.begin());
    return link::kOk;
}

int LightingBlock::read(DeviceLink& link) {
    link.setLightingSuspended(false);
    if (!link.isOpen()) return link::kNoReply;
    uint8_t profile = 0;
    if (const int r = link.readConfig(std::span<uint8_t>(&profile, 1), 1, 0); r != link::kOk)
        return r;
    LightingBlockBytes wire{};
    if (const int r = readWindow(link, profile, wire); r != link::kOk) return r;
    takeWireBytes(wire, profile);
    return link::kOk;
}

int LightingBlock::write(DeviceLink& link, uint8_t profile) {
    if (!link.isOpen()) return link::kNoReply;
    if (m_keptFrom != profile) {
        LightingBlockBytes device{};
        if (const int r = readWindow(link, profile, device); r != link::kOk) return r;
        m_bytes[4] = device[4];
        std::copy(device.begin() + 9, device.end(), m_bytes.begin() + 9);
        m_keptFrom = profile;
    }
    const LightingBlockBytes wire = wireBytes();
    if (const int r = link.beginSession(); r != link::kOk) return r;
    const auto base = static_cast<uint16_t>(profile * kLightingBlockWriteStride);
    const int result = link.writeConfig(wire, static_cast<uint16_t>(wire.size()), base);
    link.endSession();
    return result;
}

}  // namespace md::lighting
