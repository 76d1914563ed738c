#include "devlink/link/device_session.h"

#include "common/dbg_out.h"

namespace md {
namespace {
int linkMode(LinkRoute route) {
    return route == LinkRoute::Receiver ? 2 : 1;
}
}  // namespace

DeviceSession::DeviceSession() : DeviceSession(defaultHidBackend()) {}

DeviceSession::DeviceSession(std::shared_ptr<HidBackend> backend) : m_link(backend) {
    for (auto& e : m_events) e = std::make_unique<Events>(backend);
}

DeviceSession::~DeviceSession() {
    m_onlineCheck.stop();
    closeEvents(EventRoute::Cable);
    closeEvents(EventRoute::Receiver);
    m_link.closeLink();
}

bool DeviceSession::open(const std::string& path, LinkRoute route) {
    const bool opened = route == LinkRoute::Shared ? m_link.openShared(path)
                                                   : m_link.openLink(path, linkMode(route));
    if (opened) {
        m_route = route;
        m_path = path;
    }
    return opened;
}

bool DeviceSession::switchTo(const std::string& path, LinkRoute route) {
    m_onlineCheck.stop();
    if (!m_link.switchLink(path, linkMode(route))) return false;
    m_route = route;
    m_path = path;
    return true;
}

void DeviceSession::checkOnline(std::function<void(bool)> done) {
    m_onlineCheck.start(
        [this, done = std::move(done)](const StopEvent& stop) {
            bool online = false;
            for (int i = 0; i < kOnlineTries && !stop.isSet(); ++i) {
                if ((online = m_link.checkWirelessOnline())) break;
                dbgOut("获取2.4G模式失败");
                if (stop.wait(kOnlinePause)) break;
            }
            if (!stop.isSet() && done) done(online);
        },
        // A question waiting for its reply ends at once when the check is stopped.
        [this] {
            HidChannel& channel = m_link.wirelessChannel();
            if (channel.isReading()) channel.cancelTransfer();
        });
}

void DeviceSession::close() {
    m_onlineCheck.stop();
    m_link.closeLink();
    m_path.clear();
}

bool DeviceSession::openEvents(EventRoute route, const std::string& path,
                               EventReader::Handler handler, std::string exitText) {
    closeEvents(route);
    Events& e = events(route);
    {
        std::lock_guard g(e.lock);
        e.open = e.channel.openChannel(path);
    }
    if (!e.open) return false;
    e.reader =
        std::make_unique<EventReader>(e.channel, e.lock, std::move(handler), std::move(exitText));
    e.reader->start();
    return true;
}

void DeviceSession::closeEvents(EventRoute route) {
    Events& e = events(route);
    if (e.reader) {
        e.reader->stop(kEventStopBound);
        e.reader.reset();
    }
    std::lock_guard g(e.lock);
    if (!e.open) return;
    e.open = false;
    e.channel.closeChannel();
}

bool DeviceSession::eventsOpen(EventRoute route) const {
    return events(route).open;
}

}  // namespace md
