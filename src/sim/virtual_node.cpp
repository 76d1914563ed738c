#include "sim/virtual_node.h"

namespace md::sim {

VirtualNode::VirtualNode(std::shared_ptr<VirtualDevice> device,
                         std::shared_ptr<VirtualDevice::NodeQueue> queue, HidInterfaceInfo info,
                         bool forRead, bool forWrite)
    : m_device(std::move(device)),
      m_queue(std::move(queue)),
      m_info(std::move(info)),
      m_forRead(forRead),
      m_forWrite(forWrite) {}

VirtualNode::~VirtualNode() {
    m_device->closeQueue(m_queue.get());
}

HidIo VirtualNode::read(std::span<uint8_t> buf, size_t& got, int timeoutMs, int cancelFd) {
    got = 0;
    if (!m_forRead) return HidIo::Error;
    return m_device->read(*m_queue, buf, got, timeoutMs, cancelFd);
}

HidIo VirtualNode::write(std::span<const uint8_t> buf, int timeoutMs, int cancelFd) {
    if (!m_forWrite) return HidIo::Error;
    return m_device->write(*m_queue, buf, timeoutMs, cancelFd, false);
}

bool VirtualNode::setOutputReport(std::span<const uint8_t> buf) {
    // The control pipe needs no write access to the node, as with HIDIOCSOUTPUT.
    return m_device->write(*m_queue, buf, kHidWaitForever, -1, true) == HidIo::Ok;
}

void VirtualNode::shutdown() {
    m_device->shutdownQueue(*m_queue);
}

}  // namespace md::sim
