#pragma once
// A detected device as the program holds it: the command link over its cable or its 2.4G
// receiver (or a collection shared with other programs), the event collections and their
// readers, and the switch between cable and receiver. Pages and the command-line tool open,
// switch and close devices only through a session; the locks and the link state are its own.
//
// The receiver's "is the device online" questions run on the session's worker, never on the
// caller's thread: each can wait seconds for a reply.

#include <array>
#include <chrono>
#include <functional>
#include <memory>
#include <mutex>
#include <string>

#include "common/worker.h"
#include "devlink/link/device_link.h"
#include "devlink/link/event_reader.h"

namespace md {

// How a command collection is reached.
enum class LinkRoute {
    Cable,     // the device's own cable (link mode 1)
    Receiver,  // through its 2.4G receiver (link mode 2)
    Shared,    // a collection other programs use too (mousepad, headset); link mode unchanged
};

// The two event collections a device may have.
enum class EventRoute { Cable = 0, Receiver = 1 };

class DeviceSession {
  public:
    // How often a switch to the receiver asks whether the device answers, and the pause
    // between two questions.
    static constexpr int kOnlineTries = 26;
    static constexpr std::chrono::milliseconds kOnlinePause{10};
    // The bound for stopping an event reader.
    static constexpr std::chrono::milliseconds kEventStopBound{500};

    DeviceSession();  // the default HID backend
    explicit DeviceSession(std::shared_ptr<HidBackend> backend);
    ~DeviceSession();
    DeviceSession(const DeviceSession&) = delete;
    DeviceSession& operator=(const DeviceSession&) = delete;

    DeviceLink& link() { return m_link; }
    const DeviceLink& link() const { return m_link; }

    // --- command collection ---
    bool open(const std::string& path, LinkRoute route);
    // Moves the live link to the connection at path (cable <-> receiver). False leaves the
    // link closed.
    bool switchTo(const std::string& path, LinkRoute route);
    // Through the receiver: asks up to kOnlineTries times whether the device answers, on the
    // session's worker; done(online) then runs on that worker. A check still running is
    // stopped first.
    void checkOnline(std::function<void(bool online)> done);
    bool isOpen() const { return m_link.isOpen(); }
    bool onReceiver() const { return m_route == LinkRoute::Receiver; }
    // The route of the last successful open or switch.
    LinkRoute route() const { return m_route; }
    // The collection the command link was last opened or switched to ("" once closed).
    const std::string& path() const { return m_path; }
    // Stops the online check, closes the command link (event collections stay).
    void close();

    // --- event collections ---
    // Opens the collection at path (read only) and starts its reader, which hands every event
    // code to handler on the reader's thread; exitText goes to the debugger output when the
    // reader ends. A reader of the same route is stopped and its channel closed first.
    bool openEvents(EventRoute route, const std::string& path, EventReader::Handler handler,
                    std::string exitText);
    void closeEvents(EventRoute route);
    bool eventsOpen(EventRoute route) const;
    // The channel an event route reads (for tests that check what is open).
    HidChannel& eventChannel(EventRoute route) { return events(route).channel; }

  private:
    struct Events {
        explicit Events(std::shared_ptr<HidBackend> backend) : channel(std::move(backend)) {}
        HidChannel channel;
        std::mutex lock;  // held while a report is unpacked, and while the channel changes
        std::unique_ptr<EventReader> reader;
        bool open = false;
    };
    Events& events(EventRoute r) { return *m_events[static_cast<size_t>(r)]; }
    const Events& events(EventRoute r) const { return *m_events[static_cast<size_t>(r)]; }

    DeviceLink m_link;
    std::array<std::unique_ptr<Events>, 2> m_events;
    LinkRoute m_route = LinkRoute::Cable;
    std::string m_path;
    Worker m_onlineCheck;  // last: stopped before the link it asks goes
};

}  // namespace md
