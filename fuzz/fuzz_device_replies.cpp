// Fuzzes the replies the command layer parses. A fake HID backend offers one interface with the
// mouse's four collections; every read of its node returns the next 64 bytes of the input
// (report ID first, the last one zero-padded) and times out once the input or the reply budget
// is used up. Over it, a wired and a 2.4G command link run every read the host makes: device
// information, power status, key tables, settings blocks, and the mouse controller's attach,
// settings read and key-table write. Beyond not crashing or reading outside a buffer: result
// codes are known ones, a failed read hands nothing over, and an attached mouse's key-position
// map points inside its key table.
#include <algorithm>
#include <array>
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "devices/base/power_status.h"
#include "devices/mouse/mouse_controller.h"
#include "devices/mouse/mouse_key_table.h"
#include "devlink/hid/hid_backend.h"
#include "devlink/hid/hid_path.h"
#include "devlink/link/device_link.h"
#include "fuzz_entry.h"
#include "profiles/mouse_profiledata.h"
#include "sim/report_descriptors.h"

namespace {

// Reads answered per input; keeps the work of one input bounded whatever its length.
constexpr size_t kMaxReplies = 400;
constexpr size_t kReplySize = 64;

// The input cut into replies.
class ReplySource {
  public:
    explicit ReplySource(std::span<const uint8_t> input) : m_input(input) {}

    // Copies the next reply into buf; false when none is left.
    bool next(std::span<uint8_t> buf, size_t& got) {
        if (m_replies >= kMaxReplies || m_offset >= m_input.size()) return false;
        ++m_replies;
        std::array<uint8_t, kReplySize> reply{};
        const size_t n = std::min(kReplySize, m_input.size() - m_offset);
        std::copy_n(m_input.begin() + static_cast<std::ptrdiff_t>(m_offset), n, reply.begin());
        m_offset += n;
        got = std::min(buf.size(), reply.size());
        std::copy_n(reply.begin(), got, buf.begin());
        return true;
    }

  private:
    std::span<const uint8_t> m_input;
    size_t m_offset = 0;
    size_t m_replies = 0;
};

class ReplyNode final : public md::HidNode {
  public:
    ReplyNode(std::shared_ptr<ReplySource> source, md::HidInterfaceInfo info)
        : m_source(std::move(source)), m_info(std::move(info)) {}

    md::HidIo read(std::span<uint8_t> buf, size_t& got, int, int) override {
        got = 0;
        if (m_shutdown) return md::HidIo::Cancelled;
        return m_source->next(buf, got) ? md::HidIo::Ok : md::HidIo::Timeout;
    }
    md::HidIo write(std::span<const uint8_t> buf, int, int) override {
        if (m_shutdown) return md::HidIo::Cancelled;
        return buf.empty() ? md::HidIo::Error : md::HidIo::Ok;
    }
    bool setOutputReport(std::span<const uint8_t> buf) override {
        return !m_shutdown && !buf.empty();
    }
    void shutdown() override { m_shutdown = true; }
    const md::HidInterfaceInfo& info() const override { return m_info; }

  private:
    std::shared_ptr<ReplySource> m_source;
    const md::HidInterfaceInfo m_info;
    std::atomic<bool> m_shutdown{false};
};

class ReplyBackend final : public md::HidBackend {
  public:
    ReplyBackend(std::shared_ptr<ReplySource> source, md::HidInterfaceInfo info)
        : m_source(std::move(source)), m_info(std::move(info)) {}

    bool listInterfaces(std::vector<md::HidInterfaceInfo>& out) override {
        out = {m_info};
        return true;
    }
    std::unique_ptr<md::HidNode> open(const std::string& node, bool, bool) override {
        if (node != m_info.node) return nullptr;
        return std::make_unique<ReplyNode>(m_source, m_info);
    }
    bool present(const std::string& node, uint16_t vendorId, uint16_t productId) override {
        return node == m_info.node && vendorId == m_info.vendorId && productId == m_info.productId;
    }

  private:
    std::shared_ptr<ReplySource> m_source;
    const md::HidInterfaceInfo m_info;
};

// Interface 1 of the mouse: its command collection is the fourth.
const md::HidInterfaceInfo& mouseInterface() {
    static const md::HidInterfaceInfo info = [] {
        md::HidInterfaceInfo i;
        i.node = "/fuzz/hidraw0";
        i.bus = 3;
        i.vendorId = 0x248A;
        i.productId = 0x5B50;
        i.interfaceNumber = 1;
        i.multiInterface = true;
        i.descriptor = md::sim::vendorInterfaceDescriptor(md::sim::PointerKind::Mouse);
        return i;
    }();
    return info;
}

const std::string& commandPath() {
    static const std::string path =
        md::makeHidPath(mouseInterface().node, 0x248A, 0x5B50, 1, true, 4, 4);
    return path;
}

// Key bindings of the 11 buttons, the two horizontal-wheel buttons set to wheel steps.
std::vector<md::KeyBinding> buttonBindings() {
    std::vector<md::KeyBinding> list(md::kMouseButtonCount);
    for (size_t i = 0; i < list.size(); ++i) {
        list[i].keyIndex = static_cast<uint16_t>(i);
        list[i].defaultKeyIndex = static_cast<uint16_t>(i);
        list[i].assignment = md::mouseFactoryEntries()[i];
        list[i].defaultAssignment = md::mouseFactoryEntries()[i];
    }
    list[9].assignment = {0x11, 0x00, 0x01};
    list[10].assignment = {0x11, 0x00, 0xFF};
    return list;
}

void checkResult(int result, bool wireless) {
    switch (result) {
        case md::link::kOk:
        case md::link::kNoReply:
        case md::link::kWriteFailed:
        case md::link::kStatusFailed:
        case md::link::kStatusBusy:
            return;
        case md::link::kUnreachable:
            if (wireless) return;  // only the receiver reports an unreachable device
            break;
        default:
            break;
    }
    __builtin_trap();
}

// A read that fails leaves its buffer as it was.
template <size_t N>
void checkUntouched(int result, const std::array<uint8_t, N>& buf, uint8_t fill) {
    if (result == md::link::kOk) return;
    if (!std::all_of(buf.begin(), buf.end(), [fill](uint8_t b) { return b == fill; }))
        __builtin_trap();
}

void readThroughLink(md::DeviceLink& link, bool wireless) {
    link.checkWirelessOnline();
    checkResult(link.beginSession(), wireless);
    checkResult(link.enableHostLighting(), wireless);

    md::DeviceInfo info{};
    info.fill(0x5A);
    const int infoResult = link.readDeviceInfo(info);
    checkResult(infoResult, wireless);
    checkUntouched(infoResult, info, 0x5A);

    std::array<uint8_t, 6> status{};
    status.fill(0x5A);
    const int statusResult = link.readStatus(status, 200, 0);  // more than fits: 6 copied
    checkResult(statusResult, wireless);
    checkUntouched(statusResult, status, 0x5A);
    std::array<uint8_t, md::kPacketPayload> wide{};
    checkResult(link.readStatus(wide, 255, 0xFFFF), wireless);

    // Key tables at the length the device reported (or the mouse's 12 entries).
    const size_t entries = infoResult == md::link::kOk ? md::keyEntriesOf(info) : 12;
    if (link.setTransferLength(static_cast<uint16_t>(entries * 3))) {
        std::vector<uint8_t> table(md::kKeyTableBytes, 0);
        checkResult(link.readKeyTable(table), wireless);
        checkResult(link.readKeyByteTable(std::span<uint8_t>(table).first(table.size() / 3)),
                    wireless);
        if (link.transferLength() > 0 && link.readKeyTable(std::span<uint8_t>(table).first(
                                             link.transferLength() - 1u)) != md::link::kNoReply) {
            __builtin_trap();  // a short buffer is refused before anything is sent
        }
    }

    // Settings blocks: the mouse's first, and one whose addresses wrap.
    std::array<uint8_t, 74> block{};
    checkResult(link.readConfig(block, static_cast<uint16_t>(block.size()), 0x0080), wireless);
    checkResult(link.readConfig(block, static_cast<uint16_t>(block.size()), 0xFFF0), wireless);

    if (const auto power = md::readPowerStatus(link)) {
        if ((*power)[3] != (wireless ? 1 : 0)) __builtin_trap();
    }
}

void readThroughController(md::DeviceLink& link, bool wireless) {
    md::CMouseProfiledata profile;  // no files: saving is refused, the node stays in memory
    const std::vector<md::KeyBinding> bindings = buttonBindings();
    profile.writeKeyList(bindings);
    md::MouseController mouse(link, profile);

    if (mouse.readDeviceAndKeys()) {
        if (mouse.keyTable().size() != md::kKeyTableBytes) __builtin_trap();
        const auto& map = mouse.keyPositionMap();
        if (map.size() < md::kMouseButtonCount) __builtin_trap();
        const size_t entries = std::min(mouse.keyEntries(), md::kKeyTableBytes / 3);
        for (size_t b = 0; b < md::kMouseButtonCount; ++b) {
            if (map[b] != md::kUnmappedKey &&
                (map[b] < 0 || static_cast<size_t>(map[b]) >= entries))
                __builtin_trap();
        }
    } else if (!mouse.keyTable().empty() || !mouse.keyPositionMap().empty()) {
        __builtin_trap();  // a failed attach changes nothing
    }

    md::MouseHardwareSettings hardware;
    uint8_t hardwareProfile = 0;
    checkResult(mouse.readSettingsBlock(hardware, hardwareProfile), wireless);
    const int read = mouse.readHardwareSettings(&hardwareProfile);
    if (read != 0 && read != 1) __builtin_trap();
    if (!wireless) checkResult(mouse.writeKeyTableToDevice(0, bindings), wireless);

    for (int position = 0; position <= md::kUnmappedKey + 1; ++position) {
        const int code = mouse.onButtonEvent(position);
        if (code != 0 && code != md::kUniFuncWheelRight && code != md::kUniFuncWheelLeft)
            __builtin_trap();
    }
    mouse.reachable();
}

}  // namespace

MD_FUZZ_ENTRY(device_replies, data, size) {
    const auto source = std::make_shared<ReplySource>(std::span<const uint8_t>(data, size));
    const auto backend = std::make_shared<ReplyBackend>(source, mouseInterface());
    for (const int mode : {1, 2}) {
        const bool wireless = mode == 2;
        md::DeviceLink link(backend);
        if (!link.openLink(commandPath(), mode)) __builtin_trap();
        readThroughLink(link, wireless);
        readThroughController(link, wireless);
        link.closeLink();
    }
    return 0;
}
