#pragma once
// A model's custom light effect: its timed steps and the position of the step being played.
// The list is replaced and the position moved under the list's own lock, so a lighting thread
// can play it while the UI thread loads another profile.

#include <cstddef>
#include <mutex>
#include <vector>

#include "profiles/profile_records.h"

namespace md::lighting {

class EffectStepList {
  public:
    // New steps; playback restarts at step 0.
    void replace(std::vector<LightEffectStep> steps);
    void restart();
    // The step at the position (a position beyond the list starts again at 0); false when the
    // effect has no steps.
    bool current(LightEffectStep& out);
    // Moves to the next step, 0 after the last.
    void advance();
    size_t position() const;
    size_t size() const;

  private:
    mutable std::mutex m_lock;
    std::vector<LightEffectStep> m_steps;
    size_t m_position = 0;
};

}  // namespace md::lighting
