#include "devices/keyboard/keyboard_effect_state.h"

namespace md::kblight {

void resetEffectState(KeyboardEffectState& st) {
    st.base.phase = 0;
    st.stageCounter = 0;
    st.base.glow.fill(0);
    st.keyColourIndex.fill(0);
    for (auto& plane : st.planes) plane.fill(0);
}

void spreadColourIndexes(KeyboardEffectState& st) {
    for (unsigned k = 0; k < kKeyCount; ++k)
        st.keyColourIndex[k] = static_cast<uint8_t>(33 * (k + 1) % 192);
}

}  // namespace md::kblight
