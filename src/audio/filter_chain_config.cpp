#include "audio/filter_chain_config.h"

#include <algorithm>
#include <cctype>
#include <cstdio>

namespace md {

const std::array<double, kEqBandCount>& eqBandFrequencies() {
    static const std::array<double, kEqBandCount> hz = {31.0,   62.0,   125.0,  250.0,  500.0,
                                                        1000.0, 2000.0, 4000.0, 8000.0, 16000.0};
    return hz;
}

std::string filterChainArgs(const EqBands& gainsDb, const std::string& targetSink) {
    // One-octave bands: Q = sqrt(2) for a bandwidth of one octave at -3 dB.
    constexpr double kQ = 1.41;
    std::string text =
        "{\n"
        "  node.description = \"Mouse Driver headset equaliser\"\n"
        "  media.name = \"Mouse Driver headset equaliser\"\n"
        "  filter.graph = {\n"
        "    nodes = [\n";
    char line[160];
    for (int b = 0; b < kEqBandCount; ++b) {
        const int32_t gain =
            std::clamp(gainsDb[static_cast<size_t>(b)], -kEqGainLimitDb, kEqGainLimitDb);
        std::snprintf(line, sizeof line,
                      "      { type = builtin name = eq_band_%d label = bq_peaking control = { "
                      "\"Freq\" = %.1f \"Q\" = %.2f \"Gain\" = %d.0 } }\n",
                      b + 1, eqBandFrequencies()[static_cast<size_t>(b)], kQ, gain);
        text += line;
    }
    text += "    ]\n    links = [\n";
    for (int b = 1; b < kEqBandCount; ++b) {
        std::snprintf(line, sizeof line,
                      "      { output = \"eq_band_%d:Out\" input = \"eq_band_%d:In\" }\n", b,
                      b + 1);
        text += line;
    }
    text +=
        "    ]\n  }\n"
        "  audio.channels = 2\n"
        "  audio.position = [ FL FR ]\n"
        "  capture.props = {\n"
        "    node.name = \"";
    text += kEqSinkName;
    text +=
        "\"\n"
        "    media.class = Audio/Sink\n"
        "  }\n"
        "  playback.props = {\n"
        "    node.name = \"";
    text += kEqSinkName;
    text += ".output\"\n    node.passive = true\n";
    // Node names are plain identifiers; anything else would break the quoting, so it is left out.
    const bool plain =
        !targetSink.empty() && std::all_of(targetSink.begin(), targetSink.end(), [](char c) {
            return std::isalnum(static_cast<unsigned char>(c)) || c == '_' || c == '-' ||
                   c == '.' || c == ':';
        });
    if (plain) text += "    target.object = \"" + targetSink + "\"\n";
    text += "  }\n}\n";
    return text;
}

}  // namespace md
