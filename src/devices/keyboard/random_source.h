#pragma once
// Source of the random numbers of the keyboard's sparkle, firework, column-glow and twinkle
// modes. Injectable so that tests can replay a known sequence.

#include <cstdint>

namespace md::kblight {

class RandomSource {
  public:
    virtual ~RandomSource() = default;
    virtual uint32_t next() = 0;
};

// A small xorshift generator: allocation-free and fast enough for every pass.
class XorShiftRandom final : public RandomSource {
  public:
    explicit XorShiftRandom(uint32_t seed = 0x9E3779B9u) : m_state(seed ? seed : 1) {}
    uint32_t next() override {
        m_state ^= m_state << 13;
        m_state ^= m_state >> 17;
        m_state ^= m_state << 5;
        return m_state;
    }

  private:
    uint32_t m_state;
};

}  // namespace md::kblight
