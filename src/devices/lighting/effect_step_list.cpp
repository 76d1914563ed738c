#include "devices/lighting/effect_step_list.h"

namespace md::lighting {

void EffectStepList::replace(std::vector<LightEffectStep> steps) {
    std::lock_guard l(m_lock);
    m_steps = std::move(steps);
    m_position = 0;
}

void EffectStepList::restart() {
    std::lock_guard l(m_lock);
    m_position = 0;
}

bool EffectStepList::current(LightEffectStep& out) {
    std::lock_guard l(m_lock);
    if (m_position >= m_steps.size()) m_position = 0;
    if (m_steps.empty()) return false;
    out = m_steps[m_position];
    return true;
}

void EffectStepList::advance() {
    std::lock_guard l(m_lock);
    ++m_position;
    if (m_position >= m_steps.size()) m_position = 0;
}

size_t EffectStepList::position() const {
    std::lock_guard l(m_lock);
    return m_position;
}

size_t EffectStepList::size() const {
    std::lock_guard l(m_lock);
    return m_steps.size();
}

}  // namespace md::lighting
