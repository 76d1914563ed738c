#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "profile_test_util.h"
#include "profiles/hs6533_profiledata.h"
#include "profiles/keyboard_profiledata.h"
#include "profiles/mouse_profiledata.h"

namespace md {
namespace {

using test::parseJson;
using test::readBytes;
using test::styled;
using test::writeJson;

// Loads the given device node as the profile of data.
template <typename Data>
void loadNodeText(Data& data, const test::TempFolder& dir, const std::string& nodeText) {
    const std::string path = dir.path() + "p.Json";
    writeJson(path, "{\"Device\":[" + nodeText + "]}");
    data.setProfilePath(path);
    data.loadNode(path);
}

TEST(KeyboardProfiledata, CustomColoursAreCreatedWhereTheFileHasNone) {
    test::TempFolder dir;
    CKeyboardProfiledata kb;
    loadNodeText(kb, dir, R"({"LightInfo":{}})");
    const std::vector<CustomColour> colours = kb.readCustomColours(2, 3);
    EXPECT_EQ(colours, std::vector<CustomColour>(3));
    EXPECT_EQ(styled(kb.deviceNode()["CustomLightMode"]), styled(parseJson(R"({"LightColorInfo":[
        null,null,[{"Red":0,"Green":0,"Blue":0,"Alpha":0},{"Red":0,"Green":0,"Blue":0,"Alpha":0},
        {"Red":0,"Green":0,"Blue":0,"Alpha":0}]]})")));
    ASSERT_TRUE(kb.save());
    EXPECT_EQ(styled(parseJson(readBytes(dir.path() + "p.Json"))["Device"][0]),
              styled(kb.deviceNode()));
}

TEST(KeyboardProfiledata, CustomColoursFillGapsAndRoundTrip) {
    test::TempFolder dir;
    CKeyboardProfiledata kb;
    loadNodeText(kb, dir, R"({"CustomLightMode":{"CustomLightModeGroupIndex":1,"LightColorInfo":
        [[], [{"Red":1,"Green":2,"Blue":3,"Alpha":260}, null, 5]]}})");
    EXPECT_EQ(kb.getCustomGroupIndex(), 1);
    const std::vector<CustomColour> expected = {{1, 2, 3, 4}, {}, {}, {}};
    EXPECT_EQ(kb.readCustomColours(1, 4), expected);
    EXPECT_EQ(kb.deviceNode()["CustomLightMode"]["LightColorInfo"][1][2],
              parseJson(R"({"Red":0,"Green":0,"Blue":0,"Alpha":0})"));

    kb.writeCustomColours({{9, 8, 7, 6}}, 0);
    kb.setCustomGroupIndex(0);
    EXPECT_EQ(kb.deviceNode()["CustomLightMode"]["LightColorInfo"][0],
              parseJson(R"([{"Red":9,"Green":8,"Blue":7,"Alpha":6}])"));
    EXPECT_EQ(kb.getCustomGroupIndex(), 0);
    EXPECT_EQ(kb.readCustomColours(0, 1), (std::vector<CustomColour>{{9, 8, 7, 6}}));
}

TEST(KeyboardProfiledata, UnusableGroupNumbersTouchNothing) {
    test::TempFolder dir;
    CKeyboardProfiledata kb;
    loadNodeText(kb, dir, R"({"CustomLightMode":{"CustomLightModeGroupIndex":2000000000}})");
    const Json::Value before = kb.deviceNode();
    for (int32_t group : {kb.getCustomGroupIndex(), -1, 4096}) {
        EXPECT_TRUE(kb.readCustomColours(group, 126).empty()) << group;
        kb.writeCustomColours({{1, 1, 1, 1}}, group);
        EXPECT_EQ(kb.deviceNode(), before) << group;
    }
}

TEST(KeyboardProfiledata, StagesPackAndUnpack) {
    test::TempFolder dir;
    CKeyboardProfiledata kb;
    loadNodeText(kb, dir, R"({"SystemStages":{"Repeat":20,"RepeatDelay":65537,"Key6Flag":1,
        "PollingRate":3,"WFlag":0,"WinFlag":1}})");
    EXPECT_EQ(kb.readKeyboardStages(),
              (std::array<uint32_t, 3>{0x00010014u, 0x00030001u, 0x00010000u}));
    kb.writeKeyboardStages(0x00020005u, 0x00010000u, 0x00000001u);
    EXPECT_EQ(kb.deviceNode()["SystemStages"], parseJson(R"({"Repeat":5,"RepeatDelay":2,
        "Key6Flag":0,"PollingRate":1,"WFlag":1,"WinFlag":0})"));
    loadNodeText(kb, dir, "{}");
    EXPECT_EQ(kb.readKeyboardStages(), (std::array<uint32_t, 3>{}));
}

TEST(MouseProfiledata, DpiStagesMergeIntoTheStoredList) {
    test::TempFolder dir;
    CMouseProfiledata mouse;
    auto stages = [](int n, int base) {
        std::string text = "[";
        for (int i = 0; i < n; ++i) {
            text +=
                (i ? "," : "") + std::string("{\"StageActive\":1,\"StageXY\":0,\"StageDPIX\":") +
                std::to_string(base + i) + ",\"StageDPIY\":" + std::to_string(65536 + i) +
                ",\"StageColorR\":255,\"StageColorG\":" + std::to_string(i) + ",\"StageColorB\":0}";
        }
        return text + "]";
    };
    loadNodeText(mouse, dir,
                 "{\"DPIStages\":{\"StageActive\":2,\"StageDPIs\":" + stages(5, 10) + "}}");
    ASSERT_EQ(mouse.readDpiStages().size(), 5u);
    EXPECT_EQ(mouse.getActiveStage(), 2);
    loadNodeText(mouse, dir,
                 "{\"DPIStages\":{\"StageActive\":1,\"StageDPIs\":" + stages(3, 50) + "}}");
    const std::vector<DpiStage> merged = mouse.readDpiStages();
    ASSERT_EQ(merged.size(), 5u);
    const std::vector<uint16_t> dpiX = {50, 51, 52, 13, 14};
    for (size_t i = 0; i < 5; ++i) EXPECT_EQ(merged[i].dpiX, dpiX[i]) << i;
    EXPECT_EQ(merged[1], (DpiStage{1, 0, 51, 1, 255, 1, 0}));  // dpiY kept to 16 bits
    EXPECT_EQ(mouse.getActiveStage(), 1);

    loadNodeText(mouse, dir, "{}");  // no section: the active stage keeps its value
    EXPECT_EQ(mouse.readDpiStages().size(), 5u);
    EXPECT_EQ(mouse.getActiveStage(), 1);
}

TEST(MouseProfiledata, WritingFewerStagesLeavesLaterFileStages) {
    test::TempFolder dir;
    CMouseProfiledata mouse;
    loadNodeText(mouse, dir,
                 R"({"DPIStages":{"StageDPIs":[{"StageDPIX":1,"Extra":1},{"StageDPIX":2}]}})");
    mouse.writeDpiStages({DpiStage{1, 1, 28, 29, 1, 2, 3}});
    mouse.setActiveStage(4);
    EXPECT_EQ(mouse.deviceNode()["DPIStages"], parseJson(R"({"StageActive":4,"StageDPIs":[
        {"StageActive":1,"StageXY":1,"StageDPIX":28,"StageDPIY":29,"StageColorR":1,
         "StageColorG":2,"StageColorB":3,"Extra":1},{"StageDPIX":2}]})"));
}

TEST(MouseProfiledata, MouseStagesAndCorrections) {
    test::TempFolder dir;
    CMouseProfiledata mouse;
    loadNodeText(mouse, dir, R"({"SystemStages":{"DoubleClickTime":500,"MouseSpeed":10,
        "PointerPrecision":1,"ScorllPage":0,"WheelScorlllinse":3,"FWguanggan":65538},
        "ReportStages":{"StageActive":3},
        "CorrectInfo":[{"CorrectPixThresh":4,"CorrectMinSq":258,"CorrectSelect":1,
                        "CorrectName":"Linear"},{"CorrectName":7}]})");
    EXPECT_EQ(mouse.readMouseStages(),
              (std::array<uint32_t, 4>{(10u << 16) | 500u, 1u, (3u << 16) | 3u, 2u}));
    EXPECT_EQ(mouse.readCorrectInfo(),
              (std::vector<CorrectionEntry>{{4, 2, 1, "Linear"}, {0, 0, 0, ""}}));

    mouse.writeMouseStages((20u << 16) | 400u, (1u << 16) | 0u, (2u << 16) | 5u, 0x10007u);
    EXPECT_EQ(mouse.deviceNode()["SystemStages"], parseJson(R"({"DoubleClickTime":400,
        "MouseSpeed":20,"PointerPrecision":0,"ScorllPage":1,"WheelScorlllinse":5,"FWguanggan":7})"));
    EXPECT_EQ(mouse.deviceNode()["ReportStages"], parseJson(R"({"StageActive":2})"));

    loadNodeText(mouse, dir, R"({"SystemStages":{"MouseSpeed":1}})");  // no "ReportStages"
    EXPECT_EQ(mouse.readMouseStages(), (std::array<uint32_t, 4>{1u << 16, 0, 0, 0}));
    loadNodeText(mouse, dir, R"({"ReportStages":{"StageActive":3}})");  // no "SystemStages"
    EXPECT_EQ(mouse.readMouseStages(), (std::array<uint32_t, 4>{}));
    EXPECT_TRUE(mouse.readCorrectInfo().empty());
}

TEST(Hs6533Profiledata, PresetNumbersMapToEqualiserRows) {
    test::TempFolder dir;
    CHs6533Profiledata hs;
    std::string rows = "[";
    for (int r = 0; r < 13; ++r) {
        rows += r ? ",[" : "[";
        for (int b = 0; b < 10; ++b)
            rows += (b ? "," : "") + std::string("{\"value\":") + std::to_string(r * 100 + b) + "}";
        rows += "]";
    }
    rows += "]";
    loadNodeText(hs, dir, "{\"EQHzValueInfo\":" + rows + "}");
    const Json::Value before = hs.deviceNode();
    struct Case {
        int32_t preset;
        int32_t row;
    };
    for (const Case c : {Case{0, 1}, Case{1, 1}, Case{20, 1}, Case{14, 1}, Case{-3, 1}, Case{2, 2},
                         Case{12, 12}}) {
        const std::vector<int32_t> bands = hs.readEqBands(c.preset);
        ASSERT_EQ(bands.size(), 10u) << c.preset;
        EXPECT_EQ(bands[0], c.row * 100) << c.preset;
        EXPECT_EQ(bands[9], c.row * 100 + 9) << c.preset;
    }
    EXPECT_TRUE(hs.readEqBands(13).empty());
    hs.writeEqBands(13, std::vector<int32_t>(10, 5));
    EXPECT_EQ(hs.deviceNode(), before);

    hs.writeEqBands(0, {-1, -2, -3, -4, -5, -6, -7, -8, -9, -10});
    EXPECT_EQ(hs.readEqBands(1), (std::vector<int32_t>{-1, -2, -3, -4, -5, -6, -7, -8, -9, -10}));
}

TEST(Hs6533Profiledata, MissingBandsAreCreatedWithZero) {
    test::TempFolder dir;
    CHs6533Profiledata hs;
    loadNodeText(hs, dir, "{}");
    EXPECT_EQ(hs.readEqBands(3), std::vector<int32_t>(10, 0));
    const Json::Value& rows = hs.deviceNode()["EQHzValueInfo"];
    ASSERT_EQ(rows.size(), 4u);
    EXPECT_TRUE(rows[2].isNull());
    ASSERT_EQ(rows[3].size(), 10u);
    EXPECT_EQ(rows[3][9], parseJson(R"({"value":0})"));
    EXPECT_EQ(hs.readCustomEqBands(1), std::vector<int32_t>(10, 0));
    EXPECT_EQ(hs.deviceNode()["CustomEQHzValueInfo"][1].size(), 10u);
    EXPECT_TRUE(hs.readCustomEqBands(-1).empty());
    EXPECT_TRUE(hs.readCustomEqBands(1 << 30).empty());
}

TEST(Hs6533Profiledata, StagesNamesAndCustomBands) {
    test::TempFolder dir;
    CHs6533Profiledata hs;
    loadNodeText(hs, dir, R"({"SystemSetStages":{"MagicEnable":1,"MagicType":2,"EqType":13,
        "CustomEqSeletIndex":1,"MicInSelect":1,"MicInValue":80,"MicMoniterSelect":0,
        "MicMoniterValue":55},"CustomEQNameInfo":[{"Name":"B\u00e4ss"},{"Name":3}]})");
    EXPECT_EQ(hs.readHeadsetStages(), (std::array<int32_t, 8>{1, 2, 13, 1, 1, 80, 0, 55}));
    EXPECT_EQ(hs.readCustomEqNames(), (std::vector<std::string>{"B\xC3\xA4ss", ""}));
    hs.writeCustomEqNames({"Rock"});
    EXPECT_EQ(hs.deviceNode()["CustomEQNameInfo"], parseJson(R"([{"Name":"Rock"}])"));
    hs.writeCustomEqBands(0, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11});
    EXPECT_EQ(hs.readCustomEqBands(0), (std::vector<int32_t>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10}));
    hs.writeHeadsetStages({0, 0, 5, 0, 1, 100, 1, 0});
    EXPECT_EQ(hs.deviceNode()["SystemSetStages"], parseJson(R"({"MagicEnable":0,"MagicType":0,
        "EqType":5,"CustomEqSeletIndex":0,"MicInSelect":1,"MicInValue":100,"MicMoniterSelect":1,
        "MicMoniterValue":0})"));
    loadNodeText(hs, dir, "{}");
    EXPECT_EQ(hs.readHeadsetStages(), (std::array<int32_t, 8>{}));
}

}  // namespace
}  // namespace md
