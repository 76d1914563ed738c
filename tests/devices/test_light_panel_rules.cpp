// The lighting panel's rules per device type and effect, and the same-mode mapping.
#include <gtest/gtest.h>

#include <string>

#include "devices/lighting/light_panel_rules.h"

namespace md::lighting {
namespace {

// Groups multi, colour, palette, brightness, speed, direction, light colour as one string:
// 'E' enabled, '-' disabled, '.' untouched.
std::string groups(const LightPanelRules& r) {
    std::string s;
    for (LightGroup g :
         {LightGroup::MultiColour, LightGroup::Colour, LightGroup::Palette, LightGroup::Brightness,
          LightGroup::Speed, LightGroup::Direction, LightGroup::LightColour}) {
        const auto v = r.groupEnabled(g);
        s += !v ? '.' : *v ? 'E' : '-';
    }
    return s;
}

TEST(LightPanelRules, TablePerDeviceTypeAndEffect) {
    struct Case {
        int type, effect;
        const char* groups;
        int same;  // 1 offered, 0 hidden, -1 untouched
    };
    const Case cases[] = {
        // mouse
        {2, 0, "---EE--", 1},
        {2, 1, "-EEEEE-", 1},
        {2, 2, "-EEE--E", 1},
        {2, 3, "-EEEE-E", 1},
        {2, 4, "-------", 1},
        {2, 5, "------E", 0},
        {2, 6, "---E---", 1},
        {2, 7, "---EE-E", 0},
        {2, 9, "EEEEEEE", 0},
        {2, 11, "EEEEE-E", 1},
        {2, 12, "------E", 0},
        // keyboard
        {1, 1, "EEEEEEE", 0},
        {1, 14, "EEEEE-E", 0},
        {1, 4, "---EE--", 1},
        {1, 5, "EEEEE-E", 1},
        {1, 6, "EEEE--E", 1},
        {1, 11, "---EE--", 0},
        {1, 18, "---E-E-", 0},
        {1, 20, "-EEE--E", 0},
        {1, 28, "------E", 1},
        {1, 0, "------E", 0},
        {1, 19, "------E", 0},
        {1, 29, "------E", 0},
        // mousepad, headset and type 4
        {3, 0, "EEEEEE.", 0},
        {3, 1, "---EE-.", 1},
        {7, 2, "EEEEE-.", 1},
        {4, 3, "-EEE--.", 1},
        {3, 8, "------.", 1},
        {7, 5, "------.", 0},
        // type 5: direction and same mode untouched
        {5, 0, "EEEEE..", -1},
        {5, 1, "-EEE-..", -1},
        {5, 4, "---EE..", -1},
        {5, 5, "-----..", -1},
        // unknown type: nothing at all
        {9, 1, ".......", -1},
    };
    for (const Case& c : cases) {
        const LightPanelRules r = lightPanelRules(c.type, c.effect);
        EXPECT_EQ(groups(r), c.groups) << c.type << "/" << c.effect;
        const int same = !r.sameMode ? -1 : *r.sameMode ? 1 : 0;
        EXPECT_EQ(same, c.same) << c.type << "/" << c.effect;
        const bool known = c.type != 9;
        EXPECT_EQ(r.groupEnabled(LightGroup::Effect).value_or(false), known) << c.type;
    }
}

TEST(LightPanelRules, KeyboardLayoutsAndDirectionTexts) {
    const LightPanelRules wave = lightPanelRules(1, 3);
    EXPECT_STREQ(wave.leftText, "light_set_clockwise_text");
    EXPECT_STREQ(wave.rightText, "light_set_anticlockwise_text");
    EXPECT_STREQ(lightPanelRules(1, 21).leftText, "light_set_up_to_down_text");
    EXPECT_STREQ(lightPanelRules(1, 18).rightText, "light_set_outside_to_inside_text");
    EXPECT_STREQ(lightPanelRules(1, 7).leftText, "light_set_right_to_left_text");
    const LightPanelRules zzcc = lightPanelRules(1, 17);
    EXPECT_EQ(zzcc.speedShown, false);
    EXPECT_EQ(zzcc.zzccShown, true);
    EXPECT_EQ(zzcc.customShown, false);
    const LightPanelRules custom = lightPanelRules(1, 20);
    EXPECT_EQ(custom.customShown, true);
    EXPECT_EQ(custom.speedShown, false);
    EXPECT_EQ(lightPanelRules(1, 1).speedShown, true);
    EXPECT_FALSE(lightPanelRules(2, 1).speedShown);  // the mouse leaves the layouts alone
    EXPECT_EQ(lightPanelRules(2, 1).leftText, nullptr);
}

TEST(LightPanelRules, SameModeMapsEffectsBothWays) {
    struct Case {
        int type, effect;
        std::optional<SyncLightMode> mode;
    };
    const Case cases[] = {
        {2, 1, SyncLightMode::Breathing},
        {2, 2, SyncLightMode::Steady},
        {2, 11, SyncLightMode::Flash},
        {2, 0, SyncLightMode::Spectrum},
        {2, 4, SyncLightMode::Off},
        {2, 3, std::nullopt},
        {1, 5, SyncLightMode::Breathing},
        {1, 23, SyncLightMode::Flash},
        {1, 28, SyncLightMode::Off},
        {3, 1, SyncLightMode::Spectrum},
        {7, 8, SyncLightMode::Off},
        {5, 0, std::nullopt},
        {4, 2, std::nullopt},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(syncModeOf(c.type, c.effect), c.mode) << c.type << "/" << c.effect;
        if (c.mode) EXPECT_EQ(effectOfSyncMode(c.type, *c.mode), c.effect);
    }
    EXPECT_EQ(effectOfSyncMode(3, SyncLightMode::Steady), 3);
    EXPECT_EQ(effectOfSyncMode(5, SyncLightMode::Steady), std::nullopt);
}

TEST(LightPanelRules, ColourEditsAlwaysGiveAChannel) {
    struct Case {
        const char* text;
        int channel;
    };
    const Case cases[] = {
        {"0", 0},  {"17", 17}, {"255", 255}, {"256", 255}, {"300", 255},         {"", 0},
        {"-5", 0}, {"abc", 0}, {"12a", 0},   {" 7", 0},    {"99999999999", 255}, {"000042", 42}};
    for (const Case& c : cases) {
        std::string shown;
        EXPECT_EQ(colourChannelOf(c.text, &shown), c.channel) << c.text;
        EXPECT_EQ(shown, std::to_string(c.channel)) << c.text;
    }
}

}  // namespace
}  // namespace md::lighting
