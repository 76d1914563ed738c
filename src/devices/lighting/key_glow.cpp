#include "devices/lighting/key_glow.h"

#include <algorithm>

namespace md::lighting {

void seedKeyGlow(EffectState& st) {
    for (size_t i = 0; i < 9; ++i)
        if (st.ring[i] != 0) st.glow[i] = 255;
}

void seedKeyGlowPerLed(EffectState& st, size_t ledCount) {
    // The ring has 23 bytes; LEDs beyond it have no ring byte to follow.
    const size_t n = std::min({ledCount, st.glow.size(), st.ring.size()});
    for (size_t i = 0; i < n; ++i)
        if (st.ring[i] != 0) st.glow[i] = 255;
}

void rotateGlowRing(EffectState& st, bool forward) {
    auto& r = st.ring;
    if (forward) {
        std::copy_backward(r.begin(), r.end() - 1, r.end());
        r[0] = st.carry;
    } else {
        st.carry = r[0];
        std::copy(r.begin() + 1, r.end(), r.begin());
    }
}

void rotateRing(EffectState& st, size_t length, int direction) {
    length = std::min(length, st.ring.size());
    if (length < 2) return;
    const auto first = st.ring.begin();
    const auto last = first + static_cast<std::ptrdiff_t>(length);
    if (direction == 0)
        std::rotate(first, first + 1, last);
    else
        std::rotate(first, last - 1, last);
}

void clearGlowState(EffectState& st) {
    st.glow.fill(0);
    st.ring.fill(0);
}

}  // namespace md::lighting
