#pragma once
// Recording into a macro's action list from captured key and mouse events: the delay policy
// (the time between events, a fixed delay or none), the four ways of placing an event (append,
// before or after the selected action, replacing it), held keys recorded once, and the limit
// of 4000 actions.

#include <array>
#include <optional>
#include <utility>
#include <vector>

#include "input/capture/capture_records.h"
#include "profiles/macro_files.h"

namespace md::capture {

class MacroRecorder {
  public:
    enum DelayMode : int { kRecordedDelay = 1, kFixedDelay = 2, kNoDelay = 3 };

    // Starts recording at nowMs (the time the first event's delay is measured from).
    void start(int delayMode, uint16_t fixedDelay, uint64_t nowMs);
    int delayMode() const { return m_delayMode; }

    // One captured event in a recording mode; the list and its selection change. False when
    // the event was not recorded (repeat, unknown key or button, full list, other mode).
    bool recordKey(int mode, const KeyRecord& r, std::vector<MacroEvent>& events, int& selected);
    bool recordMouse(int mode, const MouseRecord& r, std::vector<MacroEvent>& events,
                     int& selected);

    // The event a key or mouse record stands for, if any.
    static std::optional<MacroEvent> eventOfKey(const KeyRecord& r);
    static std::optional<MacroEvent> eventOfMouse(const MouseRecord& r);

  private:
    bool place(int mode, MacroEvent e, uint64_t timeMs, std::vector<MacroEvent>& events,
               int& selected);

    int m_delayMode = kRecordedDelay;
    uint16_t m_fixedDelay = 0;
    uint64_t m_lastTime = 0;
    bool m_hasPrevious = false;
    std::array<std::optional<std::pair<uint8_t, bool>>, 4> m_heldKey;
    std::array<uint16_t, 4> m_lastMouse{};
};

}  // namespace md::capture
