#pragma once
// The rule every capture backend applies to a key event: which record it delivers and whether
// the event is swallowed. Auto-repeat is dropped (a held key gives one down and one up), lock
// keys are delivered but pass on, everything else is swallowed.

#include <cstdint>
#include <optional>
#include <set>

#include "input/capture/capture_records.h"

namespace md::capture {

class KeyFilter {
  public:
    struct Outcome {
        std::optional<KeyRecord> record;
        bool swallow = true;
    };

    // evdevCode: the Linux input code; autoRepeat as the platform reports it (a second down
    // of a held key counts as repeat too).
    Outcome onKey(int mode, uint16_t evdevCode, bool down, bool autoRepeat, uint64_t timeMs);
    // Forgets held keys (on install and uninstall).
    void reset() { m_held.clear(); }

  private:
    std::set<uint16_t> m_held;
};

}  // namespace md::capture
