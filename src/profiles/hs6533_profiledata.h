#pragma once
// Headset profile: adds the audio stages and the built-in and custom equaliser presets.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "profiles/basic_profiledata.h"

namespace md {

class CHs6533Profiledata : public CBasicProfiledata {
  public:
    static constexpr int kBandCount = 10;
    // The preset number that stands for the user's own equaliser; it has no built-in row.
    static constexpr int32_t kCustomPreset = 13;
    // Row of "EQHzValueInfo" for a preset number: 1-12 themselves, anything else row 1
    // (callers never pass kCustomPreset).
    static Json::ArrayIndex eqRow(int32_t preset);

    // "SystemSetStages": MagicEnable, MagicType, EqType, CustomEqSeletIndex, MicInSelect,
    // MicInValue, MicMoniterSelect, MicMoniterValue; each 0 when missing.
    std::array<int32_t, 8> readHeadsetStages();
    void writeHeadsetStages(const std::array<int32_t, 8>& stages);

    // Band gains of a built-in preset. Missing bands read as 0 and are created with 0 in the
    // device node. Preset 13 gives an empty list and touches nothing.
    std::vector<int32_t> readEqBands(int32_t preset);
    void writeEqBands(int32_t preset, const std::vector<int32_t>& values);
    std::vector<std::string> readCustomEqNames();
    void writeCustomEqNames(const std::vector<std::string>& names);
    // As readEqBands/writeEqBands on the user's preset `index`. An unusable index (negative or
    // absurdly large) reads as an empty list and writes nothing.
    std::vector<int32_t> readCustomEqBands(int32_t index);
    void writeCustomEqBands(int32_t index, const std::vector<int32_t>& values);
    // Removes the bands of the user's preset `index`; the later presets' bands move down one
    // place, so that they stay with their names when a name is deleted.
    void removeCustomEqBands(int32_t index);

    const std::array<int32_t, 8>& headsetStages() const { return m_stages; }

  private:
    std::vector<int32_t> readBands(const char* key, Json::ArrayIndex row);
    void writeBands(const char* key, Json::ArrayIndex row, const std::vector<int32_t>& values);

    std::array<int32_t, 8> m_stages{};
};

}  // namespace md
