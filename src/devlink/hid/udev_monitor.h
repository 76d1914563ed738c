#pragma once
// Watches udev for hidraw nodes coming and going, so that detection can run a pass at once
// instead of waiting for its next poll. Inactive (fd -1) without libudev or a running udevd.

#include <memory>

namespace md {

class UdevMonitor {
  public:
    UdevMonitor();
    ~UdevMonitor();
    UdevMonitor(const UdevMonitor&) = delete;
    UdevMonitor& operator=(const UdevMonitor&) = delete;

    int fd() const;  // readable after a change; -1 when inactive
    void drain();    // consumes the pending change notifications

  private:
    struct Impl;
    std::unique_ptr<Impl> m_impl;
};

}  // namespace md
