#pragma once
// An open node of a virtual interface: the HidNode that the virtual bus hands out.

#include <memory>

#include "devlink/hid/hid_backend.h"
#include "sim/virtual_device.h"

namespace md::sim {

class VirtualNode final : public HidNode {
  public:
    VirtualNode(std::shared_ptr<VirtualDevice> device,
                std::shared_ptr<VirtualDevice::NodeQueue> queue, HidInterfaceInfo info,
                bool forRead, bool forWrite);
    ~VirtualNode() override;

    HidIo read(std::span<uint8_t> buf, size_t& got, int timeoutMs, int cancelFd) override;
    HidIo write(std::span<const uint8_t> buf, int timeoutMs, int cancelFd) override;
    bool setOutputReport(std::span<const uint8_t> buf) override;
    void shutdown() override;
    const HidInterfaceInfo& info() const override { return m_info; }

  private:
    std::shared_ptr<VirtualDevice> m_device;
    std::shared_ptr<VirtualDevice::NodeQueue> m_queue;
    HidInterfaceInfo m_info;
    bool m_forRead;
    bool m_forWrite;
};

}  // namespace md::sim
