#pragma once
// The arguments of PipeWire's filter-chain module for the headset equaliser: a virtual sink
// with ten peaking biquads in series (one per band, per channel), whose output goes to the
// headset's sink.

#include <string>

#include "audio/eq_presets.h"

namespace md {

// Centre frequencies of the ten bands (Hz), lowest first: octave steps from 31 Hz.
const std::array<double, kEqBandCount>& eqBandFrequencies();
// Gains are clamped to the biquads' usable range.
inline constexpr int32_t kEqGainLimitDb = 24;

// Node name of the equaliser's sink.
inline constexpr const char* kEqSinkName = "mouse_driver_headset_eq";

// SPA-JSON module arguments. An empty target leaves the output to the session manager (it
// follows the default sink).
std::string filterChainArgs(const EqBands& gainsDb, const std::string& targetSink);

}  // namespace md
