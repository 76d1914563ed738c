#pragma once
// The device-detection worker: lists the HID collections, claims a free slot for every
// supported collection that appeared (message 3090, sent synchronously), frees the slot of
// every claimed collection that disappeared (3091), and posts the activation message once after
// its first pass. Unrelated HID devices are never opened: a collection is opened only when its
// identifiers already match a row and a free slot.

#include <atomic>
#include <chrono>
#include <memory>

#include "common/stop_event.h"
#include "devlink/hid/hid_channel.h"
#include "devlink/link/slot_list.h"
#include "devlink/link/ui_dispatcher.h"

namespace md {

class DeviceDetector {
  public:
    DeviceDetector(SlotList& slots, UiDispatcher& ui, std::shared_ptr<HidBackend> backend);
    ~DeviceDetector();
    DeviceDetector(const DeviceDetector&) = delete;
    DeviceDetector& operator=(const DeviceDetector&) = delete;

    // The worker's body (run on a Worker): passes until stop is set or an enumeration fails.
    void run(const StopEvent& stop);
    bool running() const { return m_running.load(); }

    // One pass: enumerate and claim (when a slot is free), then the removal check. False when
    // the enumeration failed, which ends the worker.
    bool runPass();

    // Time between passes. Without change notification from the backend it is 100 ms; with it
    // passes follow each change at once and the interval is only a fallback.
    std::chrono::milliseconds interval() const;
    uint64_t passes() const { return m_passes.load(); }

  private:
    SlotList& m_slots;
    UiDispatcher& m_ui;
    std::shared_ptr<HidBackend> m_backend;
    HidChannel m_probe;
    bool m_firstPassDone = false;
    std::atomic<bool> m_running{false};
    std::atomic<uint64_t> m_passes{0};
};

}  // namespace md
