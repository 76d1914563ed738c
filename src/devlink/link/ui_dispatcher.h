#pragma once
// How worker threads reach the UI thread without touching it: send() runs the message on the UI
// thread and returns when it has been handled; post() queues it and returns at once.

#include <cstdint>

namespace md {

// Messages of the main window that workers send.
namespace msg {
inline constexpr uint32_t kSlotClaimed = 3090;  // wParam = slot
inline constexpr uint32_t kSlotFreed = 3091;    // wParam = slot
// The message registered under "Mouse Driver" (activation; also posted after the first
// detection pass). Registered messages have no fixed number; this one stands for it.
inline constexpr uint32_t kActivateInstance = 0xC000;
}  // namespace msg

class UiDispatcher {
  public:
    virtual ~UiDispatcher() = default;
    virtual void send(uint32_t message, uintptr_t wParam, intptr_t lParam) = 0;
    virtual void post(uint32_t message, uintptr_t wParam, intptr_t lParam) = 0;
};

}  // namespace md
