#pragma once
// A random source that replays a fixed list of values (then repeats the last one).

#include <cstdint>
#include <vector>

#include "devices/keyboard/random_source.h"

namespace md::test {

class ScriptedRandom final : public kblight::RandomSource {
  public:
    explicit ScriptedRandom(std::vector<uint32_t> values) : m_values(std::move(values)) {}
    uint32_t next() override {
        if (m_values.empty()) return 0;
        const uint32_t v = m_values[m_next < m_values.size() ? m_next : m_values.size() - 1];
        ++m_next;
        return v;
    }
    size_t used() const { return m_next; }

  private:
    std::vector<uint32_t> m_values;
    size_t m_next = 0;
};

}  // namespace md::test
