#pragma once
// The virtual HID bus: a HidBackend whose interfaces are those of the virtual devices plugged
// into it. Devices can be plugged and unplugged at any time from any thread. Node names are
// "sim:<n>", a new number for every interface each time a device is plugged.
//
// With a state file, the memories of the firmware models registered with persist() are loaded
// from it when they are registered and written back by saveState() and when the bus goes away.

#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "common/file_lock.h"
#include "devlink/hid/hid_backend.h"
#include "sim/firmware.h"
#include "sim/unique_fd.h"
#include "sim/virtual_device.h"

namespace md::sim {

class VirtualBus final : public HidBackend {
  public:
    VirtualBus() = default;
    ~VirtualBus() override;
    VirtualBus(const VirtualBus&) = delete;
    VirtualBus& operator=(const VirtualBus&) = delete;

    // Plugs a device (again, after an unplug); false when it is plugged already.
    bool plug(const std::shared_ptr<VirtualDevice>& device);
    // Unplugs it: its nodes fail from now on, reads waiting on them end with an error.
    void unplug(const std::shared_ptr<VirtualDevice>& device);
    // The devices plugged now, in plug order.
    std::vector<std::shared_ptr<VirtualDevice>> devices() const;
    // The first plugged device with this label ("mouse", "receiver", ...), or nullptr.
    std::shared_ptr<VirtualDevice> device(const std::string& label) const;
    // Timing of every device plugged now and later.
    void setTiming(Timing timing);

    // State file. Runs on one state file take turns: the bus holds "<path>.lock" from here
    // until it has written the state back, waiting up to waitMs for another run to finish.
    // False (nothing loaded or saved then) when the lock could not be taken.
    bool setStateFile(std::string path, int waitMs = 30000);
    const std::string& stateFile() const { return m_stateFile; }
    // Registers a firmware whose memory the state file keeps; loads it from the file now.
    void persist(const std::shared_ptr<Firmware>& firmware);
    bool saveState() const;

    // HidBackend
    bool listInterfaces(std::vector<HidInterfaceInfo>& out) override;
    std::unique_ptr<HidNode> open(const std::string& node, bool forRead, bool forWrite) override;
    bool present(const std::string& node, uint16_t vendorId, uint16_t productId) override;
    // Signalled by plug and unplug, so that detection reacts at once.
    int changeFd() override { return m_changes.get(); }
    void drainChanges() override { m_changes.drain(); }

  private:
    mutable std::mutex m_mutex;
    std::vector<std::shared_ptr<VirtualDevice>> m_devices;  // every device ever plugged
    std::vector<std::shared_ptr<Firmware>> m_persisted;
    std::string m_stateFile;
    FileLock m_stateLock;
    uint32_t m_nextNode = 1;
    bool m_timingSet = false;
    Timing m_timing = Timing::Immediate;
    UniqueFd m_changes = UniqueFd::eventFd();
};

}  // namespace md::sim
