#pragma once
// Mouse profile: adds DPI stages, the Windows mouse settings with the report rate, and the
// correction presets.

#include <array>
#include <cstdint>
#include <vector>

#include "profiles/basic_profiledata.h"

namespace md {

class CMouseProfiledata : public CBasicProfiledata {
  public:
    // Merges the file's stages into the stored list (file stage j replaces stored stage j,
    // extra file stages are appended, extra stored stages stay) and returns the stored list.
    std::vector<DpiStage> readDpiStages();
    // Sets the first list.size() stages of the file; later file stages stay as they are.
    void writeDpiStages(const std::vector<DpiStage>& list);
    int32_t getActiveStage() const { return m_activeStage; }
    void setActiveStage(int32_t index);

    // Words: MouseSpeed << 16 | DoubleClickTime, ScorllPage << 16 | PointerPrecision,
    // report-rate index << 16 | WheelScorlllinse, FWguanggan.
    std::array<uint32_t, 4> readMouseStages();
    void writeMouseStages(uint32_t w0, uint32_t w1, uint32_t w2, uint32_t w3);

    std::vector<CorrectionEntry> readCorrectInfo();

    const std::vector<DpiStage>& dpiStages() const { return m_dpiStages; }
    const std::array<uint32_t, 4>& mouseStages() const { return m_stages; }
    const std::vector<CorrectionEntry>& correctionEntries() const { return m_corrections; }

  private:
    std::vector<DpiStage> m_dpiStages;
    int32_t m_activeStage = 0;
    std::array<uint32_t, 4> m_stages{};
    std::vector<CorrectionEntry> m_corrections;
};

}  // namespace md
