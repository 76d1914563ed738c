#include "devices/mouse/mouse_performance.h"

#include "devices/mouse/mouse_dpi_scale.h"

namespace md {
namespace {

uint32_t withHigh(uint32_t word, int value) {
    return (static_cast<uint32_t>(value & 0xFFFF) << 16) | (word & 0xFFFF);
}
uint32_t withLow(uint32_t word, int value) {
    return (word & 0xFFFF0000u) | static_cast<uint32_t>(value & 0xFFFF);
}

template <typename F>
void changeWords(CMouseProfiledata& profile, F change) {
    auto w = profile.readMouseStages();
    change(w);
    profile.writeMouseStages(w[0], w[1], w[2], w[3]);
    profile.save();
}

}  // namespace

bool mouseSetStageEnabled(CMouseProfiledata& profile, int n, bool on) {
    auto stages = profile.readDpiStages();
    if (n >= 0 && static_cast<size_t>(n) < stages.size()) {
        DpiStage& stage = stages[static_cast<size_t>(n)];
        size_t enabled = 0;
        for (const DpiStage& s : stages) enabled += s.enabled ? 1 : 0;
        if (!on && stage.enabled && enabled == 1) return false;
        stage.enabled = on ? 1 : 0;
    }
    profile.writeDpiStages(stages);
    profile.save();
    return true;
}

void mouseSetCurrentStage(CMouseProfiledata& profile, int n) {
    profile.setActiveStage(n);
}

void mouseSetStagePosition(CMouseProfiledata& profile, int n, int position) {
    if (n < 0) return;
    auto stages = profile.readDpiStages();
    if (static_cast<size_t>(n) >= stages.size()) stages.resize(static_cast<size_t>(n) + 1);
    stages[static_cast<size_t>(n)].dpiX = static_cast<uint16_t>(position);
    profile.writeDpiStages(stages);
    profile.save();
}

int mouseSetStageResolution(CMouseProfiledata& profile, int n, int resolution) {
    const int p = dpiPositionOfResolution(resolution);
    auto stages = profile.readDpiStages();
    if (n >= 0 && static_cast<size_t>(n) < stages.size()) {
        stages[static_cast<size_t>(n)].dpiX = static_cast<uint16_t>(p);
        profile.writeDpiStages(stages);
        profile.save();
    }
    return p;
}

uint8_t reportRateOf(const std::array<uint32_t, 4>& words) {
    return static_cast<uint8_t>(words[2] >> 16);
}
void putReportRate(std::array<uint32_t, 4>& words, int index) {
    words[2] = withHigh(words[2], index);
}

void mouseSetReportRate(CMouseProfiledata& profile, int index) {
    changeWords(profile, [&](auto& w) { putReportRate(w, index); });
}
void mouseSetPointerSpeed(CMouseProfiledata& profile, int speed) {
    changeWords(profile, [&](auto& w) { w[0] = withHigh(w[0], speed); });
}
void mouseSetPointerPrecision(CMouseProfiledata& profile, bool on) {
    changeWords(profile, [&](auto& w) { w[1] = withLow(w[1], on ? 1 : 0); });
}
void mouseSetWheelLines(CMouseProfiledata& profile, int lines) {
    changeWords(profile, [&](auto& w) {
        w[2] = withLow(w[2], lines);
        w[1] = withHigh(w[1], 0);
    });
}
void mouseSetScrollByPage(CMouseProfiledata& profile, bool on, int lines) {
    changeWords(profile, [&](auto& w) {
        w[2] = withLow(w[2], lines);
        w[1] = withHigh(w[1], on ? 1 : 0);
    });
}
void mouseSetDoubleClickTime(CMouseProfiledata& profile, int value) {
    changeWords(profile, [&](auto& w) { w[0] = withLow(w[0], value); });
}

}  // namespace md
