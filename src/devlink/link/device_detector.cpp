#include "devlink/link/device_detector.h"

#include <poll.h>

#include "common/dbg_out.h"
#include "devlink/hid/hid_path.h"

namespace md {

DeviceDetector::DeviceDetector(SlotList& slots, UiDispatcher& ui,
                               std::shared_ptr<HidBackend> backend)
    : m_slots(slots), m_ui(ui), m_backend(std::move(backend)), m_probe(m_backend) {}

DeviceDetector::~DeviceDetector() = default;

std::chrono::milliseconds DeviceDetector::interval() const {
    return std::chrono::milliseconds(m_backend && m_backend->changeFd() >= 0 ? 500 : 100);
}

void DeviceDetector::run(const StopEvent& stop) {
    m_running = true;
    for (;;) {
        if (stop.isSet()) {
            dbgOut("抓取设备线程设定退出");
            break;
        }
        if (!runPass()) break;
        // Sleep until the next pass, a stop, or a change on the bus.
        const int changeFd = m_backend->changeFd();
        pollfd fds[2] = {{stop.fd(), POLLIN, 0}, {changeFd, POLLIN, 0}};
        if (::poll(fds, 2, static_cast<int>(interval().count())) > 0 && (fds[1].revents & POLLIN)) {
            m_backend->drainChanges();
        }
    }
    m_running = false;
}

bool DeviceDetector::runPass() {
    ++m_passes;
    if (m_slots.anyFree()) {
        if (!m_probe.enumerateHidPaths()) return false;
        while (const char* p = m_probe.nextHidPath()) {
            DeviceIdentity id;
            id.vendorId = parseVid(p);
            id.productId = parsePid(p);
            id.collectionNumber = parseCollectionNumber(p);
            id.interfaceNumber = parseInterfaceNumber(p);
            id.path = p;
            if (!m_slots.isCandidate(id) || !m_probe.openChannel(p, HidAccess::Read)) continue;
            id.vendorId = m_probe.attributes().vendorId;
            id.productId = m_probe.attributes().productId;
            id.usagePage = m_probe.caps().usagePage;
            id.usage = m_probe.caps().usage;
            if (const auto slot = m_slots.claimSlot(id)) m_ui.send(msg::kSlotClaimed, *slot, 0);
            m_probe.closeChannel();
        }
        if (!m_firstPassDone) {
            m_firstPassDone = true;
            m_ui.post(msg::kActivateInstance, 0, 0);
        }
        m_probe.freeHidPaths();
    }
    for (size_t i = 0; i < m_slots.size(); ++i) {
        const DeviceIdentity s = m_slots.at(i);
        if (!s.connected) continue;
        if (!m_backend->present(std::string(pathNode(s.path)), s.vendorId, s.productId)) {
            m_slots.freeSlot(i);
            m_ui.send(msg::kSlotFreed, i, 0);
        }
    }
    return true;
}

}  // namespace md
