#pragma once
// A worker that waits on a device's event collection and hands every event code (the first
// usage of the first input item of each report) to a handler on its own thread. The channel is
// read without a time-out; stop() sets the stop event and cancels the pending read, so the
// worker ends at once instead of being killed.

#include <array>
#include <chrono>
#include <functional>
#include <mutex>
#include <string>

#include "common/worker.h"
#include "devlink/hid/hid_channel.h"

namespace md {

class EventReader {
  public:
    using Handler = std::function<void(uint16_t code)>;

    // channelLock is held while a report is unpacked, so that the owner can close and reopen
    // the channel under the same lock. exitText is written to the debugger output when
    // the worker ends.
    EventReader(HidChannel& channel, std::mutex& channelLock, Handler handler,
                std::string exitText);
    ~EventReader();
    EventReader(const EventReader&) = delete;
    EventReader& operator=(const EventReader&) = delete;

    void start();
    // Stops the worker within timeout (Worker::stop) and writes the outcome text ("...激发状态"
    // when it ended in time, "...超时" when it did not). True when it ended within the time-out.
    bool stop(std::chrono::milliseconds timeout);
    bool running() const { return m_worker.running(); }

  private:
    void run(const StopEvent& stop);

    HidChannel& m_channel;
    std::mutex& m_lock;
    Handler m_handler;
    std::string m_exitText;
    std::array<uint8_t, 1024> m_buffer{};  // one report; event reports are a few bytes
    Worker m_worker;                       // last: stopped before the members its body uses go
};

}  // namespace md
