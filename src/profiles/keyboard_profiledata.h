#pragma once
// Keyboard profile: adds the keyboard's system stages and the custom lighting colour groups.

#include <array>
#include <cstdint>
#include <vector>

#include "profiles/basic_profiledata.h"

namespace md {

class CKeyboardProfiledata : public CBasicProfiledata {
  public:
    // "SystemStages" as three words: RepeatDelay << 16 | Repeat, PollingRate << 16 | Key6Flag,
    // WinFlag << 16 | WFlag. All zero when the section is missing.
    std::array<uint32_t, 3> readKeyboardStages();
    void writeKeyboardStages(uint32_t w0, uint32_t w1, uint32_t w2);

    // Colours of custom group `group` for positions 0..count-1. Positions without a colour get
    // a zero colour, in the returned list and in the device node. An unusable group number
    // (negative or absurdly large) gives an empty list and leaves the node alone.
    std::vector<CustomColour> readCustomColours(int32_t group, int32_t count);
    void writeCustomColours(const std::vector<CustomColour>& list, int32_t group);
    int32_t getCustomGroupIndex();
    void setCustomGroupIndex(int32_t index);

    const std::array<uint32_t, 3>& keyboardStages() const { return m_stages; }
    const std::vector<CustomColour>& customColours() const { return m_customColours; }

  private:
    std::array<uint32_t, 3> m_stages{};
    std::vector<CustomColour> m_customColours;
    int32_t m_customGroupIndex = 0;
};

}  // namespace md
