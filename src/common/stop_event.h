#pragma once
// Manual-reset event used to stop worker threads: owners set it, workers wait on it with a
// time-out instead of sleeping, so that a stop is seen at once. It is an eventfd, so a worker
// can also wait on it together with other descriptors (poll on fd()).

#include <chrono>

namespace md {

class StopEvent {
  public:
    StopEvent();
    ~StopEvent();
    StopEvent(const StopEvent&) = delete;
    StopEvent& operator=(const StopEvent&) = delete;

    void set();
    void reset();
    bool isSet() const;
    // True when the event is (or becomes) set within the time-out.
    bool wait(std::chrono::milliseconds timeout) const;
    // Readable while the event is set.
    int fd() const { return m_fd; }

  private:
    int m_fd;
};

}  // namespace md
