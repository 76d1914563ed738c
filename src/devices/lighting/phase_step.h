#pragma once
// The phase step shared by every effect: moves a position within [0, limit) by delta.

#include <cstdint>

namespace md::lighting {

// Forward: position + delta, 0 when the result is limit or more. Backward: position - delta
// (wrapping below 0), limit - delta when the result is limit or more. All 8-bit arithmetic.
constexpr uint8_t step(bool forward, uint8_t limit, uint8_t position, uint8_t delta) {
    if (forward) {
        const auto r = static_cast<uint8_t>(position + delta);
        return r >= limit ? 0 : r;
    }
    const auto r = static_cast<uint8_t>(position - delta);
    return r >= limit ? static_cast<uint8_t>(limit - delta) : r;
}

// a + b wrapped into [0, modulus) for a below modulus and b at most modulus.
constexpr uint8_t wrapAdd(uint8_t a, uint8_t b, uint8_t modulus) {
    const unsigned r = static_cast<unsigned>(a) + b;
    return static_cast<uint8_t>(r >= modulus ? r - modulus : r);
}

static_assert(step(true, 128, 127, 1) == 0);
static_assert(step(false, 128, 0, 1) == 127);

}  // namespace md::lighting
