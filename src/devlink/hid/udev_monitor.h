#pragma once
// Watches for hidraw nodes coming and going, so that detection can run a pass at once instead
// of waiting for its next poll: udev's hidraw events when udevd runs, otherwise the device
// folder itself (inotify). Inactive (fd -1) when neither can be watched.

#include <memory>
#include <string>

namespace md {

class UdevMonitor {
  public:
    explicit UdevMonitor(const std::string& devRoot = "/dev");
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
