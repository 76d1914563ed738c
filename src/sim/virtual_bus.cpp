#include "sim/virtual_bus.h"

#include <algorithm>

#include "sim/state_file.h"

namespace md::sim {

VirtualBus::~VirtualBus() {
    saveState();
    std::lock_guard lock(m_mutex);
    for (auto& d : m_devices) d->detach();
}

bool VirtualBus::plug(const std::shared_ptr<VirtualDevice>& device) {
    if (!device || device->plugged()) return false;
    std::vector<std::string> names;
    {
        std::lock_guard lock(m_mutex);
        for (size_t i = 0; i < device->config().interfaces.size(); ++i)
            names.push_back("sim:" + std::to_string(m_nextNode++));
        if (std::find(m_devices.begin(), m_devices.end(), device) == m_devices.end())
            m_devices.push_back(device);
        if (m_timingSet) device->setTiming(m_timing);
    }
    device->attach(std::move(names));
    m_changes.signal();
    return true;
}

void VirtualBus::unplug(const std::shared_ptr<VirtualDevice>& device) {
    if (device) device->detach();
    m_changes.signal();
}

std::vector<std::shared_ptr<VirtualDevice>> VirtualBus::devices() const {
    std::lock_guard lock(m_mutex);
    std::vector<std::shared_ptr<VirtualDevice>> out;
    for (const auto& d : m_devices)
        if (d->plugged()) out.push_back(d);
    return out;
}

std::shared_ptr<VirtualDevice> VirtualBus::device(const std::string& label) const {
    for (auto& d : devices())
        if (d->label() == label) return d;
    return nullptr;
}

void VirtualBus::setTiming(Timing timing) {
    std::lock_guard lock(m_mutex);
    m_timingSet = true;
    m_timing = timing;
    for (auto& d : m_devices) d->setTiming(timing);
}

bool VirtualBus::setStateFile(std::string path, int waitMs) {
    FileLock taken;
    if (!path.empty()) {
        taken = FileLock::acquire(path + ".lock", waitMs);
        if (!taken.locked()) return false;
    }
    std::lock_guard lock(m_mutex);
    m_stateFile = std::move(path);
    m_stateLock = std::move(taken);
    return true;
}

void VirtualBus::persist(const std::shared_ptr<Firmware>& firmware) {
    if (!firmware) return;
    std::lock_guard lock(m_mutex);
    if (std::find(m_persisted.begin(), m_persisted.end(), firmware) != m_persisted.end()) return;
    m_persisted.push_back(firmware);
    if (!m_stateFile.empty()) loadFirmwareState(m_stateFile, *firmware);
}

bool VirtualBus::saveState() const {
    std::lock_guard lock(m_mutex);
    if (m_stateFile.empty()) return false;
    std::vector<const Firmware*> list;
    for (const auto& f : m_persisted) list.push_back(f.get());
    return saveFirmwareState(m_stateFile, list);
}

bool VirtualBus::listInterfaces(std::vector<HidInterfaceInfo>& out) {
    out.clear();
    for (const auto& d : devices()) {
        auto infos = d->interfaceInfos();
        out.insert(out.end(), std::make_move_iterator(infos.begin()),
                   std::make_move_iterator(infos.end()));
    }
    return true;
}

std::unique_ptr<HidNode> VirtualBus::open(const std::string& node, bool forRead, bool forWrite) {
    for (const auto& d : devices())
        if (auto n = d->openNode(node, forRead, forWrite)) return n;
    return nullptr;
}

bool VirtualBus::present(const std::string& node, uint16_t vendorId, uint16_t productId) {
    for (const auto& d : devices())
        if (d->hasNode(node, vendorId, productId)) return true;
    return false;
}

}  // namespace md::sim
