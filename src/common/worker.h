#pragma once
// The one thread type of the program. start() runs a body that is handed the worker's stop
// event; stop() sets that event, calls the cancel hook once (it ends a blocking wait the stop
// event cannot reach, such as a channel read), waits for the body to return up to a bound and
// joins. Bodies wait on the stop event (or poll its fd beside their own) instead of sleeping,
// so a stop is seen at once and nothing polls.
//
// A body that is still running after the bound is reported and still joined: Linux cannot end
// a thread safely, and a thread let go could outlive the objects it uses. Every wait in a body
// is cancellable, so the join ends.

#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <string>
#include <thread>

#include "common/stop_event.h"

namespace md {

// Debugger texts naming how a worker ended.
inline constexpr const char* kThreadEndedText = "线程退出：：对象处于激发状态\n";
inline constexpr const char* kThreadTimedOutText = "线程退出：：对象处于非激发状态，超时\n";

class Worker {
  public:
    using Body = std::function<void(const StopEvent& stop)>;
    using Cancel = std::function<void()>;

    Worker() = default;
    ~Worker();  // stops with the default bound
    Worker(const Worker&) = delete;
    Worker& operator=(const Worker&) = delete;

    // Starts body on a new thread (a running body is stopped first). cancel, when given, is
    // called each time the stop is signalled, after the stop event is set.
    void start(Body body, Cancel cancel = {});
    // Ends the body as described above; true when it returned within timeout (or none ran).
    // endedText / timedOutText, when given, go to the debugger output with the outcome of a
    // body that was still running (one that had returned by itself is only joined).
    bool stop(std::chrono::milliseconds timeout = kDefaultBound, const char* endedText = nullptr,
              const char* timedOutText = nullptr);
    // True from start() until the body has returned.
    bool running() const;
    // Sets the stop event without waiting (an owner that stops several workers signals all
    // first, then waits for each).
    void signal();

    static constexpr std::chrono::milliseconds kDefaultBound{1000};

  private:
    StopEvent m_stop;
    Cancel m_cancel;
    std::thread m_thread;
    mutable std::mutex m_mutex;
    std::condition_variable m_done;
    bool m_running = false;
};

}  // namespace md
