#pragma once
// A worker that waits on a device's event collection and hands every event code (the first
// usage of the first input item of each report) to a handler on its own thread. The channel is
// read without a time-out; stop() sets the stop event and cancels the pending read, so the
// worker ends at once instead of being killed.

#include <array>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <string>
#include <thread>

#include "common/stop_event.h"
#include "devlink/hid_channel.h"

namespace md {

class EventReader {
  public:
    using Handler = std::function<void(uint16_t code)>;

    // channelLock is held while a report is unpacked, so that the owner can close and reopen
    // the channel under the same lock. exitText is written to the debugger output when
    // the worker ends.
    EventReader(HidChannel& channel, std::recursive_mutex& channelLock, Handler handler,
                std::string exitText);
    ~EventReader();
    EventReader(const EventReader&) = delete;
    EventReader& operator=(const EventReader&) = delete;

    void start();
    // Stops the worker and waits up to timeout for it; writes the outcome text ("...激发状态"
    // when it ended in time, "...超时" when it did not, in which case it is still joined, as
    // every wait in it is cancellable). True when it ended within the time-out.
    bool stop(std::chrono::milliseconds timeout);
    bool running() const { return m_running.load(); }

  private:
    void run();

    HidChannel& m_channel;
    std::recursive_mutex& m_lock;
    Handler m_handler;
    std::string m_exitText;
    StopEvent m_stop;
    std::atomic<bool> m_running{false};
    std::mutex m_doneMutex;
    std::condition_variable m_done;
    std::thread m_thread;
    std::array<uint8_t, 1024> m_buffer{};  // one report; event reports are a few bytes
};

// Debugger texts naming how a worker ended.
inline constexpr const char* kThreadEndedText = "线程退出：：对象处于激发状态\n";
inline constexpr const char* kThreadTimedOutText = "线程退出：：对象处于非激发状态，超时\n";

}  // namespace md
