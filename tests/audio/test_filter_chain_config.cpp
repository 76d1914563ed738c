// The filter-chain arguments of the headset equaliser.
#include <gtest/gtest.h>

#include "audio/filter_chain_config.h"

namespace md {
namespace {

size_t count(const std::string& text, const std::string& what) {
    size_t n = 0;
    for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
    return n;
}

TEST(FilterChainConfig, TenPeakingBandsInSeriesIntoTheTarget) {
    const std::string args = filterChainArgs({7, 11, 2, -3, -1, 4, 9, 12, 9, 5},
                                             "alsa_output.usb-headset.analog-stereo");
    EXPECT_EQ(count(args, "label = bq_peaking"), 10u);
    EXPECT_NE(args.find("name = eq_band_1 label = bq_peaking control = { \"Freq\" = 31.0 "
                        "\"Q\" = 1.41 \"Gain\" = 7.0 }"),
              std::string::npos);
    EXPECT_NE(args.find("name = eq_band_10 label = bq_peaking control = { \"Freq\" = 16000.0 "
                        "\"Q\" = 1.41 \"Gain\" = 5.0 }"),
              std::string::npos);
    EXPECT_EQ(count(args, "{ output = \"eq_band_"), 9u);
    EXPECT_NE(args.find("{ output = \"eq_band_9:Out\" input = \"eq_band_10:In\" }"),
              std::string::npos);
    EXPECT_NE(args.find("node.name = \"mouse_driver_headset_eq\"\n    media.class = Audio/Sink"),
              std::string::npos);
    EXPECT_NE(args.find("target.object = \"alsa_output.usb-headset.analog-stereo\""),
              std::string::npos);
    EXPECT_EQ(count(args, "{"), count(args, "}"));
    EXPECT_EQ(count(args, "["), count(args, "]"));
}

TEST(FilterChainConfig, GainsAreClampedAndUnsafeTargetsLeftOut) {
    const std::string args = filterChainArgs({-100, 100, 0, 0, 0, 0, 0, 0, 0, 0}, "a\" } evil");
    EXPECT_NE(args.find("\"Gain\" = -24.0"), std::string::npos);
    EXPECT_NE(args.find("\"Gain\" = 24.0"), std::string::npos);
    EXPECT_EQ(args.find("target.object"), std::string::npos);
    EXPECT_EQ(filterChainArgs({}, "").find("target.object"), std::string::npos);
}

}  // namespace
}  // namespace md
