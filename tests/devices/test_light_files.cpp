// The effect lists read from the light files, with missing, empty, wrong-typed and hostile files.
#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "devices/lighting/light_files.h"
#include "profiles/temp_folder.h"

namespace md::lighting {
namespace {

TEST(LightFiles, ShippedDefaultsHaveEffectsForEveryLightTable) {
    for (int row = 0; row < 4; ++row) {
        std::vector<EffectEntry> effects;
        std::vector<std::string> areas;
        EXPECT_TRUE(readDefaultLightNames(MD_SOURCE_DIR "/DefaultData/default_light.json", row,
                                          effects, areas))
            << row;
        EXPECT_FALSE(effects.empty()) << row;
    }
    // Row 1 is the mouse's: its shared-mode effects sit where the mouse expects them.
    std::vector<EffectEntry> mouse;
    std::vector<std::string> areas;
    readDefaultLightNames(MD_SOURCE_DIR "/DefaultData/default_light.json", 1, mouse, areas);
    ASSERT_EQ(mouse.size(), 12u);
    EXPECT_EQ(mouse[0].name, "light_mode_spectrum");
    EXPECT_EQ(mouse[1].name, "light_mode_breathing");
    EXPECT_EQ(mouse[2].name, "light_mode_steady");
    EXPECT_EQ(mouse[4].name, "light_mode_off");
    EXPECT_EQ(mouse[11].name, "light_mode_flash");
}

TEST(LightFiles, OnlyTheIndexedArrayReplacesAList) {
    test::TempFolder dir;
    const std::string path = dir.path() + "light.json";
    const std::vector<EffectEntry> before = {{"keep", true}};
    struct Case {
        const char* text;
        int row;
        bool replaced;
        std::vector<EffectEntry> effects;
    };
    const Case cases[] = {
        {R"({"DefaultLightName":[[{"LightName":"a","visible":true},{"LightName":"b"}]]})",
         0,
         true,
         {{"a", true}, {"b", false}}},
        {R"({"DefaultLightName":[[{"LightName":7,"visible":"yes"}, 5]]})",
         0,
         true,
         {{"", false}, {"", false}}},
        {R"({"DefaultLightName":[[{"LightName":"a"}]]})", 1, false, before},
        {R"({"DefaultLightName":[[{"LightName":"a"}]]})", -1, false, before},
        {R"({"DefaultLightName":{"0":[]}})", 0, false, before},
        {R"({"DefaultLightName":["x"]})", 0, false, before},
        {"[1,2]", 0, false, before},
        {"", 0, false, before},
        {"{\"DefaultLightName\":[[", 0, false, before},
    };
    for (const Case& c : cases) {
        std::ofstream(path, std::ios::trunc) << c.text;
        std::vector<EffectEntry> effects = before;
        std::vector<std::string> areas;
        EXPECT_EQ(readDefaultLightNames(path, c.row, effects, areas), c.replaced) << c.text;
        EXPECT_EQ(effects, c.effects) << c.text;
    }
    std::vector<EffectEntry> effects = before;
    std::vector<std::string> areas = {"old"};
    EXPECT_FALSE(readDefaultLightNames(dir.path() + "missing.json", 0, effects, areas));
    EXPECT_EQ(areas, std::vector<std::string>{"old"});
    // Deeper than any light file may nest: not parsed, nothing replaced.
    std::ofstream(path, std::ios::trunc) << std::string(5000, '[') << std::string(5000, ']');
    EXPECT_FALSE(readDefaultLightNames(path, 0, effects, areas));
}

TEST(LightFiles, CustomNamesFromTheLightList) {
    test::TempFolder dir;
    const std::string path = dir.path() + "zelvo_light.config";
    std::ofstream(path) << R"({"LightInfo":[[{"LightName":"Mine","Guid":"g1"},{"Guid":"g2"}]]})";
    std::vector<std::string> names = {"old"};
    EXPECT_TRUE(readCustomLightNames(path, 0, names));
    EXPECT_EQ(names, (std::vector<std::string>{"Mine", ""}));
    EXPECT_FALSE(readCustomLightNames(path, 3, names));
    EXPECT_FALSE(readCustomLightNames(dir.path() + "none", 0, names));
    EXPECT_EQ(names, (std::vector<std::string>{"Mine", ""}));
}

}  // namespace
}  // namespace md::lighting
