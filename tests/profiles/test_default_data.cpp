#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "profile_test_util.h"
#include "profiles/hs6533_profiledata.h"
#include "profiles/keyboard_profiledata.h"
#include "profiles/mouse_profiledata.h"

namespace md {
namespace {

const std::string kDefaultData = MD_SOURCE_DIR "/DefaultData/";

// Loads a fresh profile from the template of modelFolder, as on a first start.
template <typename Data>
void loadFresh(Data& data, const test::TempFolder& dir, const std::string& modelFolder) {
    data.setDefaultPath(kDefaultData + modelFolder + ".Json");
    data.setProfilePath(dir.path() + "p.Json");
    ASSERT_TRUE(data.loadNode(data.getProfilePath()).isObject()) << modelFolder;
}

std::vector<std::array<uint8_t, 3>> assignments(const std::vector<KeyBinding>& keys, bool factory) {
    std::vector<std::array<uint8_t, 3>> out;
    for (const KeyBinding& k : keys) out.push_back(factory ? k.defaultAssignment : k.assignment);
    return out;
}

TEST(DefaultData, TemplatesAreStoredInTheProgramsOwnFormat) {
    for (const char* name :
         {"mouse.Json", "keyboard.Json", "MousePad.Json", "headset.Json", "default_light.json"}) {
        const Json::Value doc = JsonFileIO::loadJsonDocument(kDefaultData + name);
        ASSERT_TRUE(doc.isObject()) << name;
        EXPECT_EQ(test::readBytes(kDefaultData + name), JsonFileIO::styledText(doc)) << name;
    }
}

TEST(DefaultData, MouseTemplate) {
    test::TempFolder dir;
    CMouseProfiledata mouse;
    loadFresh(mouse, dir, "mouse");
    const std::vector<std::array<uint8_t, 3>> factory = {
        {0x10, 0x01, 0x00}, {0x10, 0x02, 0x00}, {0x10, 0x04, 0x00}, {0x10, 0x10, 0x00},
        {0x10, 0x08, 0x00}, {0x13, 0x03, 0x00}, {0xA0, 0x32, 0x00}, {0x12, 0x00, 0x01},
        {0x12, 0x00, 0xFF}, {0x11, 0x00, 0x01}, {0x11, 0x00, 0xFF}};
    const std::vector<KeyBinding> keys = mouse.readKeyList();
    EXPECT_EQ(assignments(keys, true), factory);
    EXPECT_EQ(assignments(keys, false), factory);
    const std::vector<DpiStage> stages = mouse.readDpiStages();
    ASSERT_EQ(stages.size(), 5u);
    for (const DpiStage& s : stages) {
        EXPECT_EQ(s.enabled, 1);
        EXPECT_LE(s.dpiX, 96);  // DPI positions, not resolutions
    }
    EXPECT_EQ(mouse.getActiveStage(), 1);
    const std::array<uint32_t, 4> words = mouse.readMouseStages();
    EXPECT_EQ(words[0], (10u << 16) | 500u);
    EXPECT_EQ(words[2] & 0xFFFF, 3u);
    EXPECT_EQ(mouse.readCorrectInfo().size(), 4u);
    EXPECT_EQ(mouse.readLightList(), std::vector<LightSetting>(6));
    EXPECT_EQ(mouse.readLightInfo().brightness, 4);
}

TEST(DefaultData, KeyboardTemplate) {
    test::TempFolder dir;
    CKeyboardProfiledata kb;
    loadFresh(kb, dir, "keyboard");
    const std::vector<KeyBinding> keys = kb.readKeyList();
    ASSERT_EQ(keys.size(), 126u);
    EXPECT_EQ(assignments(keys, false), assignments(keys, true));
    struct Case {
        size_t position;
        std::array<uint8_t, 3> code;
    };
    for (const Case& c :
         {Case{0, {0x20, 0x00, 0x29}}, Case{16, {0xA0, 0x1B, 0x00}}, Case{17, {0xA0, 0x24, 0x00}},
          Case{18, {0x20, 0x00, 0x00}}, Case{20, {0x20, 0x00, 0x00}}, Case{44, {0x20, 0x00, 0x1A}},
          Case{84, {0x20, 0x02, 0x00}}, Case{104, {0x20, 0x00, 0x00}},
          Case{110, {0xA0, 0x01, 0x00}}, Case{120, {0xD0, 0xA2, 0x01}},
          Case{124, {0xD0, 0xA2, 0x05}}, Case{125, {0x20, 0x80, 0x00}}}) {
        EXPECT_EQ(keys[c.position].defaultAssignment, c.code) << c.position;
    }
    EXPECT_EQ(kb.getCustomGroupIndex(), 0);
    const Json::Value before = kb.deviceNode();
    for (int32_t g = 0; g < 3; ++g) {
        const std::vector<CustomColour> colours = kb.readCustomColours(g, 126);
        ASSERT_EQ(colours.size(), 126u);
        EXPECT_EQ(colours[0].alpha, 255) << g;
    }
    EXPECT_EQ(test::styled(kb.deviceNode()), test::styled(before));  // nothing had to be added
    EXPECT_EQ(kb.readKeyboardStages()[1] >> 16, 3u);
    EXPECT_EQ(kb.readLightList().size(), 126u);
}

TEST(DefaultData, MousepadTemplate) {
    test::TempFolder dir;
    CBasicProfiledata pad;
    loadFresh(pad, dir, "MousePad");
    EXPECT_EQ(pad.readLightList().size(), 15u);
    EXPECT_EQ(pad.readLightInfo().mode, 1);
}

TEST(DefaultData, HeadsetTemplate) {
    test::TempFolder dir;
    CHs6533Profiledata hs;
    loadFresh(hs, dir, "headset");
    const std::vector<std::vector<int32_t>> presets = {
        {7, 11, 2, -3, -1, 4, 9, 12, 9, 5},   {7, 11, 6, -3, -11, -1, 6, 13, 6, 13},
        {10, 4, 0, -3, -4, -3, -2, -1, 0, 0}, {2, 1, -2, -3, -5, -7, 0, 4, 9, 8},
        {0, 0, 0, 0, 0, 0, 0, 0, 0, 0},       {7, 14, -13, -6, -1, 8, 13, 7, 2, 6},
        {14, 10, 4, 0, -4, -3, -1, 1, 2, 3},  {2, 1, -2, -3, -5, -1, 7, 11, 15, 13},
        {8, 2, -4, -8, 1, 3, 8, 11, 14, 16},  {-3, 4, 10, 0, -11, 3, 9, 13, 6, 0},
        {18, 14, 8, 2, -3, -6, -1, 2, 5, 6},  {2, 1, -2, -4, -8, 4, 12, 16, 18, 15}};
    const Json::Value before = hs.deviceNode();
    for (int32_t n = 1; n <= 12; ++n) EXPECT_EQ(hs.readEqBands(n), presets[n - 1]) << n;
    EXPECT_EQ(test::styled(hs.deviceNode()), test::styled(before));
    EXPECT_EQ(hs.deviceNode()["EQHzValueInfo"].size(), 13u);
    EXPECT_TRUE(hs.readCustomEqNames().empty());
    EXPECT_TRUE(hs.deviceNode()["CustomEQHzValueInfo"].isArray());
    EXPECT_EQ(hs.readHeadsetStages(), (std::array<int32_t, 8>{0, 0, 5, 0, 1, 80, 0, 50}));
    EXPECT_EQ(hs.readLightList().size(), 13u);
}

// Rows by light-table index: 0 keyboard, 1 mouse, 2 mousepad, 3 headset.
TEST(DefaultData, EffectNamesAndVisibility) {
    const Json::Value doc = JsonFileIO::loadJsonDocument(kDefaultData + "default_light.json");
    struct Case {
        Json::ArrayIndex lightTable;
        Json::ArrayIndex count;
        std::set<Json::ArrayIndex> hidden;
    };
    for (const Case& c :
         {Case{0, 29, {0, 19}}, Case{1, 12, {5}}, Case{2, 9, {5}}, Case{3, 9, {5}}}) {
        const Json::Value& names = doc["DefaultLightName"][c.lightTable];
        ASSERT_EQ(names.size(), c.count) << c.lightTable;
        for (Json::ArrayIndex i = 0; i < names.size(); ++i) {
            EXPECT_TRUE(names[i]["LightName"].isString());
            EXPECT_FALSE(names[i]["LightName"].asString().empty());
            EXPECT_EQ(names[i]["visible"].asBool(), c.hidden.count(i) == 0)
                << c.lightTable << ":" << i;
        }
        EXPECT_FALSE(doc["AreaLightName"][c.lightTable].empty()) << c.lightTable;
    }
}

}  // namespace
}  // namespace md
