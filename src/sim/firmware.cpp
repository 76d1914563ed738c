#include "sim/firmware.h"

#include <algorithm>

#include "common/dbg_out.h"
#include "common/le_bytes.h"
#include "devlink/link/device_info.h"

namespace md::sim {

namespace {
constexpr size_t kColourPageSize = 512;
constexpr size_t kKeyTablePageSize = 512;
constexpr size_t kLedReportsKept = 4096;
constexpr size_t kImagesKept = 64;
}  // namespace

void sealPacket(Packet& packet) {
    putLe16(packet, 1, packetChecksum(packet));
}

Packet makeReply(uint8_t command, uint8_t length, uint16_t offset, uint8_t status) {
    Packet p{};
    p[0] = kCommandReportId;
    p[3] = command;
    p[4] = length;
    putLe16(p, 5, offset);
    p[7] = status;
    sealPacket(p);
    return p;
}

Firmware::Firmware(FirmwareDefinition definition) : m_definition(std::move(definition)) {
    m_deviceInfo = m_definition.deviceInfo;
    const size_t configSize =
        static_cast<size_t>(m_definition.layout.profiles + 1) * m_definition.layout.blockStride;
    m_config = m_definition.config;
    m_config.resize(std::max(configSize, m_config.size()), 0);
    m_keyTable = m_definition.keyTable;
    m_keyLayout = m_definition.keyTable;
    m_keyByteTable = m_definition.keyByteTable;
    m_macro.assign(macroCapacityOf(m_deviceInfo), 0);
    m_recoil.assign(m_definition.recoilSize, 0);
    m_colour.assign(m_definition.colourPages * kColourPageSize, 0);
    m_frame.assign(m_definition.frameSize, 0);
    m_power = m_definition.power;
}

uint8_t Firmware::readRange(std::span<const uint8_t> mem, size_t offset, size_t length,
                            std::span<uint8_t> out) {
    if (offset + length > mem.size()) return status::kRefused;
    std::copy_n(mem.begin() + static_cast<std::ptrdiff_t>(offset), length, out.begin());
    return status::kOk;
}

uint8_t Firmware::writeRange(std::span<uint8_t> mem, size_t offset, std::span<const uint8_t> data) {
    if (offset + data.size() > mem.size()) return status::kRefused;
    std::copy(data.begin(), data.end(), mem.begin() + static_cast<std::ptrdiff_t>(offset));
    return status::kOk;
}

size_t Firmware::readAddress(size_t offset) const {
    const auto& l = m_definition.layout;
    if (l.readStride == 0) return offset;
    return (offset / l.readStride) * l.blockStride + offset % l.readStride;
}

Packet Firmware::handleCommand(std::span<const uint8_t, kPacketSize> packet) {
    const uint8_t command = packet[3];
    const uint8_t length = packet[4];
    const uint16_t offset = getLe16(packet, 5);
    if (getLe16(packet, 1) != packetChecksum(packet))
        return makeReply(command, length, offset, status::kBadChecksum);

    Packet reply = makeReply(command, length, offset, status::kOk);
    uint8_t st = status::kRefused;
    if (length <= kPayloadSize) {
        std::lock_guard lock(m_mutex);
        ++m_commands;
        st = handleLocked(command, length, offset, packet.subspan(8, length),
                          std::span(reply).subspan(8));
    }
    if (st != status::kOk) std::fill(reply.begin() + 8, reply.end(), 0);
    reply[7] = st;
    sealPacket(reply);
    return reply;
}

uint8_t Firmware::handleLocked(uint8_t command, uint8_t length, uint16_t offset,
                               std::span<const uint8_t> payload, std::span<uint8_t> out) {
    switch (command) {
        case cmd::kBeginSession:
            m_sessionOpen = true;
            ++m_sessionsBegun;
            return status::kOk;
        case cmd::kEndSession:
            m_sessionOpen = false;
            ++m_sessionsEnded;
            if (m_macroWritten) takeImageLocked(ReceivedImage::Kind::Macro, m_macro);
            if (m_recoilWritten) takeImageLocked(ReceivedImage::Kind::Recoil, m_recoil);
            m_macroWritten = m_recoilWritten = false;
            return status::kOk;
        case cmd::kEnableHostLighting:
            m_hostLighting = true;
            return status::kOk;
        case cmd::kCheckWirelessOnline:
            out[0] = 0xFF;  // reachable
            return status::kOk;
        case cmd::kReadDeviceInfo:
            return readRange(m_deviceInfo, offset, length, out);
        case cmd::kReadKeyTable:
            // Reads give the key layout (each button's factory code in the device's own order),
            // which the host needs to find its buttons; written assignments live apart.
            return readRange(m_keyLayout, offset, length, out);
        case cmd::kWriteKeyTable:
            // Only page 0 exists: offsets from 512 on name another page.
            if (offset + length > kKeyTablePageSize) return status::kRefused;
            return writeRange(m_keyTable, offset, payload);
        case cmd::kReadKeyByteTable:
            return readRange(m_keyByteTable, offset, length, out);
        case cmd::kReadConfig: {
            for (size_t i = 0; i < length; ++i)
                if (readAddress(offset + i) >= m_config.size()) return status::kRefused;
            for (size_t i = 0; i < length; ++i) out[i] = m_config[readAddress(offset + i)];
            return status::kOk;
        }
        case cmd::kWriteConfig:
            return writeRange(m_config, offset, payload);
        case cmd::kReadStatus:
            return readRange(m_power, offset, length, out);
        case cmd::kWriteMacroData: {
            const uint8_t st = writeRange(m_macro, offset, payload);
            m_macroWritten = m_macroWritten || st == status::kOk;
            return st;
        }
        case cmd::kWriteShootData: {
            const uint8_t st = writeRange(m_recoil, offset, payload);
            m_recoilWritten = m_recoilWritten || st == status::kOk;
            return st;
        }
        case cmd::kWriteColourTable:
            return writeRange(m_colour, offset, payload);
        case cmd::kSendLedFrame: {
            const uint8_t st = writeRange(m_frame, offset, payload);
            if (st == status::kOk && offset == 0) ++m_framesStarted;
            return st;
        }
        default:
            return status::kRefused;
    }
}

void Firmware::takeImageLocked(ReceivedImage::Kind kind, std::span<const uint8_t> memory) {
    ReceivedImage r{kind, decodeMemoryImage(memory)};
    if (!r.image.valid)
        dbgOutf("md_sim %s: malformed %s image: %s", m_definition.name.c_str(),
                kind == ReceivedImage::Kind::Macro ? "macro" : "recoil", r.image.error.c_str());
    if (m_images.size() >= kImagesKept) m_images.erase(m_images.begin());
    m_images.push_back(std::move(r));
}

std::vector<ReceivedImage> Firmware::receivedImages() const {
    std::lock_guard lock(m_mutex);
    return m_images;
}

bool Firmware::handleLedReport(std::span<const uint8_t> report) {
    if (!m_definition.headsetLeds || report.size() < kHeadsetLedReportSize ||
        report[0] != kHeadsetLedReportId)
        return false;
    const uint8_t target = report[1];
    const uint8_t what = report[2];
    if ((target != 0x22 && target != 0x44) || what < 0xAA || what > 0xAF) return false;
    std::lock_guard lock(m_mutex);
    auto& leds = m_headsetLeds[target == 0x22 ? 0 : 1];
    const size_t colour = (what - 0xAA) % 3;  // red, green, blue
    const bool high = what >= 0xAD;           // LEDs 7-12 in bytes 4-9
    const size_t first = high ? 7 : 0;
    const size_t count = high ? 6 : 7;
    for (size_t i = 0; i < count; ++i) {
        Rgb& led = leds[first + i];
        const uint8_t v = report[4 + i];
        (colour == 0 ? led.r : colour == 1 ? led.g : led.b) = v;
    }
    if (m_ledReports.size() >= kLedReportsKept) m_ledReports.erase(m_ledReports.begin());
    m_ledReports.emplace_back(report.begin(), report.begin() + kHeadsetLedReportSize);
    ++m_ledReportCount;
    return true;
}

std::array<uint8_t, kDeviceInfoSize> Firmware::deviceInfo() const {
    std::lock_guard lock(m_mutex);
    return m_deviceInfo;
}

std::vector<uint8_t> Firmware::config() const {
    std::lock_guard lock(m_mutex);
    return m_config;
}

std::vector<uint8_t> Firmware::configBlock(uint8_t profile) const {
    std::lock_guard lock(m_mutex);
    const size_t at = static_cast<size_t>(profile) * m_definition.layout.blockStride;
    if (at >= m_config.size()) return {};
    const size_t n = std::min<size_t>(m_definition.layout.blockSize, m_config.size() - at);
    return {m_config.begin() + static_cast<std::ptrdiff_t>(at),
            m_config.begin() + static_cast<std::ptrdiff_t>(at + n)};
}

void Firmware::writeConfigBytes(size_t offset, std::span<const uint8_t> bytes) {
    std::lock_guard lock(m_mutex);
    writeRange(m_config, offset, bytes);
}

uint8_t Firmware::activeProfile() const {
    std::lock_guard lock(m_mutex);
    return m_config.empty() ? 0 : m_config[0];
}

void Firmware::setActiveProfile(uint8_t profile) {
    std::lock_guard lock(m_mutex);
    if (!m_config.empty()) m_config[0] = profile;
}

std::vector<uint8_t> Firmware::keyTable() const {
    std::lock_guard lock(m_mutex);
    return m_keyTable;
}

std::vector<uint8_t> Firmware::keyLayout() const {
    std::lock_guard lock(m_mutex);
    return m_keyLayout;
}

void Firmware::setKeyLayoutEntry(size_t i, std::array<uint8_t, 3> bytes) {
    std::lock_guard lock(m_mutex);
    if (3 * i + 3 <= m_keyLayout.size())
        std::copy(bytes.begin(), bytes.end(), m_keyLayout.begin() + 3 * static_cast<long>(i));
}

std::vector<uint8_t> Firmware::keyByteTable() const {
    std::lock_guard lock(m_mutex);
    return m_keyByteTable;
}

std::array<uint8_t, 3> Firmware::keyEntry(size_t i) const {
    std::lock_guard lock(m_mutex);
    if (3 * i + 3 > m_keyTable.size()) return {};
    return {m_keyTable[3 * i], m_keyTable[3 * i + 1], m_keyTable[3 * i + 2]};
}

std::vector<uint8_t> Firmware::macroMemory() const {
    std::lock_guard lock(m_mutex);
    return m_macro;
}

DecodedImage Firmware::macroImage() const {
    return decodeMemoryImage(macroMemory());
}

std::vector<uint8_t> Firmware::recoilMemory() const {
    std::lock_guard lock(m_mutex);
    return m_recoil;
}

DecodedImage Firmware::recoilImage() const {
    return decodeMemoryImage(recoilMemory());
}

std::vector<uint8_t> Firmware::colourTable(size_t page) const {
    std::lock_guard lock(m_mutex);
    if ((page + 1) * kColourPageSize > m_colour.size()) return {};
    const auto first = m_colour.begin() + static_cast<std::ptrdiff_t>(page * kColourPageSize);
    return {first, first + static_cast<std::ptrdiff_t>(kColourPageSize)};
}

std::vector<uint8_t> Firmware::ledFrame() const {
    std::lock_guard lock(m_mutex);
    return m_frame;
}

uint64_t Firmware::ledFramesStarted() const {
    std::lock_guard lock(m_mutex);
    return m_framesStarted;
}

std::array<Rgb, kHeadsetLedCount> Firmware::headsetLeds(uint8_t target) const {
    std::lock_guard lock(m_mutex);
    return m_headsetLeds[target == 0x44 ? 1 : 0];
}

std::vector<std::vector<uint8_t>> Firmware::headsetLedReports() const {
    std::lock_guard lock(m_mutex);
    return m_ledReports;
}

uint64_t Firmware::headsetLedReportCount() const {
    std::lock_guard lock(m_mutex);
    return m_ledReportCount;
}

std::array<uint8_t, kPowerStatusSize> Firmware::powerStatus() const {
    std::lock_guard lock(m_mutex);
    return m_power;
}

void Firmware::setBattery(uint8_t percent) {
    setPowerByte(0, std::min<uint8_t>(percent, 100));
}
void Firmware::setCharging(uint8_t state) {
    setPowerByte(1, state);
}
void Firmware::setPhoneType(uint8_t type) {
    setPowerByte(5, type);
}

void Firmware::setPowerByte(size_t index, uint8_t value) {
    std::lock_guard lock(m_mutex);
    if (index < m_power.size()) m_power[index] = value;
}

bool Firmware::sessionOpen() const {
    std::lock_guard lock(m_mutex);
    return m_sessionOpen;
}

uint64_t Firmware::sessionsBegun() const {
    std::lock_guard lock(m_mutex);
    return m_sessionsBegun;
}

uint64_t Firmware::sessionsEnded() const {
    std::lock_guard lock(m_mutex);
    return m_sessionsEnded;
}

bool Firmware::hostLightingEnabled() const {
    std::lock_guard lock(m_mutex);
    return m_hostLighting;
}

uint64_t Firmware::commandsHandled() const {
    std::lock_guard lock(m_mutex);
    return m_commands;
}

FirmwareMemory Firmware::memory() const {
    std::lock_guard lock(m_mutex);
    return {m_config, m_keyTable, m_keyByteTable, m_macro, m_recoil, m_colour, m_power};
}

void Firmware::restore(const FirmwareMemory& mem) {
    std::lock_guard lock(m_mutex);
    auto take = [](std::vector<uint8_t>& dst, const std::vector<uint8_t>& src) {
        if (src.size() == dst.size()) dst = src;
    };
    take(m_config, mem.config);
    take(m_keyTable, mem.keyTable);
    take(m_keyByteTable, mem.keyByteTable);
    take(m_macro, mem.macro);
    take(m_recoil, mem.recoil);
    take(m_colour, mem.colour);
    m_power = mem.power;
}

}  // namespace md::sim
