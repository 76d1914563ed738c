#pragma once
// The profile side of the mouse's performance settings: what each change on the performance
// page (or its command-line equivalent) stores. Changes that belong to the settings block are
// then sent with MouseController::writeSettingsBlock; the pointer, wheel and double-click
// values are only stored.

#include <array>
#include <cstdint>

#include "profiles/mouse_profiledata.h"

namespace md {

// Stage n enabled or disabled (a stage outside the stored list leaves it unchanged); saved.
// The last enabled stage stays enabled: false, and nothing changed, when asked to disable it.
bool mouseSetStageEnabled(CMouseProfiledata& profile, int n, bool on);
// Stage n becomes the current stage; not saved (the next save writes it).
void mouseSetCurrentStage(CMouseProfiledata& profile, int n);
// Stage n gets DPI position p; the list is lengthened with all-zero stages up to n; saved.
void mouseSetStagePosition(CMouseProfiledata& profile, int n, int position);
// A typed resolution for stage n: returns its position, stored only when n is in the list.
int mouseSetStageResolution(CMouseProfiledata& profile, int n, int resolution);

// Mouse-stage words: 0 = MouseSpeed << 16 | DoubleClickTime, 1 = ScorllPage << 16 |
// PointerPrecision, 2 = report-rate index << 16 | WheelScorlllinse, 3 = FWguanggan. Each saves.
void mouseSetReportRate(CMouseProfiledata& profile, int index);
// The report-rate index in the words (high half of word 2), read and written in place.
uint8_t reportRateOf(const std::array<uint32_t, 4>& words);
void putReportRate(std::array<uint32_t, 4>& words, int index);
void mouseSetPointerSpeed(CMouseProfiledata& profile, int speed);
void mouseSetPointerPrecision(CMouseProfiledata& profile, bool on);
void mouseSetWheelLines(CMouseProfiledata& profile, int lines);  // also clears scroll-by-page
void mouseSetScrollByPage(CMouseProfiledata& profile, bool on, int lines);
void mouseSetDoubleClickTime(CMouseProfiledata& profile, int value);

}  // namespace md
