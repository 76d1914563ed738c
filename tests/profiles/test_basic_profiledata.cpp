#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "profile_test_util.h"
#include "profiles/basic_profiledata.h"
#include "profiles/json_file_io.h"

namespace md {
namespace {

using test::parseJson;
using test::readBytes;
using test::writeBytes;
using test::writeJson;

const char* kTemplate = R"({
  "Device": [ { "LightInfo": { "SelectItem": 3, "Light": 4 },
                "KeyList": [ { "Assignment": 1048832, "DefaultAssignment": 1048832 } ] } ]
})";

class BasicProfiledataTest : public ::testing::Test {
  protected:
    void SetUp() override {
        writeJson(templatePath(), kTemplate);
        data.setDefaultPath(templatePath());
        data.setProfilePath(profilePath());
    }
    std::string templatePath() const { return dir.path() + "mouse.Json"; }
    std::string profilePath() const { return dir.path() + "p1.Json"; }
    Json::Value templateNode() const { return parseJson(kTemplate)["Device"][0]; }

    test::TempFolder dir;
    CBasicProfiledata data;
};

TEST_F(BasicProfiledataTest, EmptyDeviceArrayIsCompletedFromTheTemplateKeepingOtherMembers) {
    writeJson(profilePath(),
              R"({"profilename":"Game","profileUUID":"p1","Device":[],"Extra":{"a":1}})");
    EXPECT_EQ(data.loadNode(profilePath()), templateNode());
    Json::Value expected =
        parseJson(R"({"profilename":"Game","profileUUID":"p1","Extra":{"a":1}})");
    expected["Device"][0] = templateNode();
    EXPECT_EQ(readBytes(profilePath()), JsonFileIO::styledText(expected));
}

TEST_F(BasicProfiledataTest, MissingProfileFileIsCreatedHoldingOnlyDevice) {
    EXPECT_EQ(data.loadNode(profilePath()), templateNode());
    Json::Value expected;
    expected["Device"][0] = templateNode();
    EXPECT_EQ(readBytes(profilePath()), JsonFileIO::styledText(expected));
}

TEST_F(BasicProfiledataTest, UnusableDeviceNodesAreReplacedFromTheTemplate) {
    for (const char* text :
         {R"({"Device":"x"})", R"({"Device":[7]})", R"({"Device":{"0":{}}})", R"([1,2,3])", ""}) {
        writeBytes(profilePath(), text);
        EXPECT_EQ(data.loadNode(profilePath()), templateNode()) << text;
        EXPECT_EQ(test::parseJson(readBytes(profilePath()))["Device"][0], templateNode()) << text;
    }
}

TEST_F(BasicProfiledataTest, DamagedProfileIsReportedAndNeverRewritten) {
    struct Case {
        const char* what;
        std::function<void(const std::string&)> make;
        const char* problem;
    };
    const Case cases[] = {
        {"truncated",
         [](const std::string& p) { writeBytes(p, R"({ "profilename" : "Mine", oo)"); },
         "is not valid JSON"},
        {"directory", [](const std::string& p) { std::filesystem::create_directory(p); },
         "is not a regular file"},
        {"fifo", [](const std::string& p) { ASSERT_EQ(::mkfifo(p.c_str(), 0600), 0); },
         "is not a regular file"},
        {"deep",
         [](const std::string& p) { writeBytes(p, std::string(65, '[') + std::string(65, ']')); },
         "nests deeper than 64 levels"},
    };
    for (const Case& c : cases) {
        std::filesystem::remove_all(profilePath());
        c.make(profilePath());
        const auto before = std::filesystem::status(profilePath()).type();
        const std::string bytes = before == std::filesystem::file_type::regular
                                      ? readBytes(profilePath())
                                      : std::string();
        // The template stands in, in memory only.
        EXPECT_EQ(data.loadNode(profilePath()), templateNode()) << c.what;
        EXPECT_TRUE(data.damaged()) << c.what;
        EXPECT_NE(data.problem().find(profilePath() + " " + c.problem), std::string::npos)
            << data.problem();
        EXPECT_FALSE(data.save()) << c.what;
        EXPECT_EQ(std::filesystem::status(profilePath()).type(), before) << c.what;
        if (before == std::filesystem::file_type::regular)
            EXPECT_EQ(readBytes(profilePath()), bytes) << c.what;
        EXPECT_FALSE(std::filesystem::exists(profilePath() + ".broken")) << c.what;
    }
    // Once the file is usable again, loading clears the state and saving works.
    std::filesystem::remove_all(profilePath());
    data.loadNode(profilePath());
    EXPECT_FALSE(data.damaged());
    EXPECT_TRUE(data.save());
}

TEST_F(BasicProfiledataTest, AProfileDeletedMeanwhileIsNotWrittenAgain) {
    // The list beside the profile names it; another program deletes it (list entry, then file)
    // while this one still holds it.
    writeJson(dir.path() + "ProfileList.ini",
              R"({"profilelist":[{"profilename":"a","profileUUID":"p1"}],"profileselect":0})");
    data.loadNode(profilePath());
    ASSERT_TRUE(data.save());
    writeJson(dir.path() + "ProfileList.ini",
              R"({"profilelist":[{"profilename":"b","profileUUID":"p2"}],"profileselect":0})");
    std::filesystem::remove(profilePath());
    EXPECT_FALSE(data.save());
    EXPECT_NE(data.problem().find("removed by another program"), std::string::npos)
        << data.problem();
    EXPECT_FALSE(std::filesystem::exists(profilePath()));
    // Loading it again creates nothing either; a listed but missing profile is still repaired.
    data.loadNode(profilePath());
    EXPECT_FALSE(std::filesystem::exists(profilePath()));
    const std::string listed = dir.path() + "p2.Json";
    data.setProfilePath(listed);
    data.loadNode(listed);
    EXPECT_TRUE(std::filesystem::exists(listed));
}

TEST_F(BasicProfiledataTest, ExistingNodeIsLoadedWithoutRewritingTheFile) {
    const std::string text = "// mine\n{\"Device\":[{\"KeyList\":[]}]}";
    writeBytes(profilePath(), text);
    EXPECT_EQ(data.loadNode(profilePath()), parseJson(R"({"KeyList":[]})"));
    EXPECT_EQ(readBytes(profilePath()), text);
}

TEST_F(BasicProfiledataTest, KeyListRoundTripAndPartialWrite) {
    writeJson(profilePath(), R"({"Device":[{"KeyList":[
        {"Assignment":66292,"DefaultAssignment":1048832},
        {"Assignment":1049088,"DefaultAssignment":1049088},
        {"Assignment":13,"DefaultAssignment":14},
        {"Assignment":16777215,"DefaultAssignment":0}]}]})");
    data.loadNode(profilePath());
    std::vector<KeyBinding> keys = data.readKeyList();
    ASSERT_EQ(keys.size(), 4u);
    for (uint16_t i = 0; i < 4; ++i) {
        EXPECT_EQ(keys[i].keyIndex, i);
        EXPECT_EQ(keys[i].defaultKeyIndex, i);
    }
    EXPECT_EQ(keys[0].assignment, (std::array<uint8_t, 3>{0x01, 0x02, 0xF4}));
    EXPECT_EQ(keys[0].defaultAssignment, (std::array<uint8_t, 3>{0x10, 0x01, 0x00}));
    EXPECT_EQ(keys[3].assignment, (std::array<uint8_t, 3>{0xFF, 0xFF, 0xFF}));

    // Write two entries whose key index fields disagree with their positions.
    std::vector<KeyBinding> changed = {keys[1], keys[0]};
    changed[0].assignment = {0xA0, 0x32, 0x00};
    changed[0].defaultAssignment = {0, 0, 0};
    changed[0].keyIndex = 9;
    data.writeKeyList(changed);
    ASSERT_TRUE(data.save());
    const Json::Value saved = parseJson(readBytes(profilePath()))["Device"][0]["KeyList"];
    EXPECT_EQ(saved, parseJson(R"([
        {"Assignment":10498560,"DefaultAssignment":1048832},
        {"Assignment":66292,"DefaultAssignment":1049088},
        {"Assignment":13,"DefaultAssignment":14},
        {"Assignment":16777215,"DefaultAssignment":0}])"));
    EXPECT_EQ(data.keyBindings(), changed);
}

TEST_F(BasicProfiledataTest, LightListWithNullElementsAndMissingList) {
    writeJson(profilePath(), R"({"Device":[{"LightList":[
        {"LEDREGMode":2,"LEDBrightness":3,"LEDSpeed":1,"LEDDirection":5,"LEDMultiColor":true,
         "red":300,"green":20,"blue":30},
        null,
        {"LEDREGMode":1}]}]})");
    data.loadNode(profilePath());
    const std::vector<LightSetting> list = data.readLightList();
    ASSERT_EQ(list.size(), 3u);
    LightSetting first;
    first.mode = 2;
    first.brightness = 3;
    first.speed = 1;
    first.direction = 1;  // read as a boolean
    first.multiColor = 1;
    first.red = 300 & 0xFF;
    first.green = 20;
    first.blue = 30;
    first.present = 1;
    EXPECT_EQ(list[0], first);
    EXPECT_EQ(list[1], LightSetting{});
    EXPECT_EQ(list[2].present, 1);
    EXPECT_EQ(list[2].mode, 1);

    writeJson(profilePath(), R"({"Device":[{"LightInfo":{}}]})");
    data.loadNode(profilePath());
    EXPECT_TRUE(data.readLightList().empty());
    EXPECT_TRUE(data.lightList().empty());
}

TEST_F(BasicProfiledataTest, LightInfoReadAndWrite) {
    writeJson(profilePath(), R"({"Device":[{"LightInfo":{"SelectItem":261,"Light":4,"Speed":2,
        "Fx":1,"MultiColor":true,"Red":1,"Green":2,"Blue":3,"ZZCCLedMode":4,"CustomGroup":5,
        "OldLedmode":6,"Unknown":"kept"}}]})");
    data.loadNode(profilePath());
    const LightSetting s = data.readLightInfo();
    EXPECT_EQ(s.toWords(), (LightSetting::Words{0x01020405u, 0x03020101u, 0x04000000u, 0x0605}));

    data.writeLightInfo(0x01030209u, 0x30201000u, 0x07AAAAAAu, 0x0908);
    EXPECT_EQ(data.deviceNode()["LightInfo"], parseJson(R"({"SelectItem":9,"Light":2,"Speed":3,
        "Fx":1,"MultiColor":0,"Red":16,"Green":32,"Blue":48,"ZZCCLedMode":7,"CustomGroup":8,
        "OldLedmode":9,"Unknown":"kept"})"));
    EXPECT_EQ(data.lightSetting().reserved1, 0xAA);  // kept in memory, not written

    writeJson(profilePath(), R"({"Device":[{}]})");
    data.loadNode(profilePath());
    EXPECT_EQ(data.readLightInfo(), LightSetting{});
}

TEST_F(BasicProfiledataTest, LightEffectStepsFollowTheCurrentMode) {
    // Effect files are looked up beside the light list, by the last part of "Guid" only.
    const std::string effect = dir.path() + "fx1";
    std::filesystem::create_directories(dir.path() + "effects");
    writeJson(dir.path() + "effects/out.light", R"({"LEDEffectList":[{"Time":1}]})");
    writeJson(effect + ".light", R"({"LEDEffectList":[
        {"LEDREGMode":1,"LEDBrightness":2,"LEDSpeed":3,"LEDDirection":1,"LEDMultiColor":0,
         "red":255,"green":256,"blue":7,"Time":1500,"Cyle":-2},
        {"Time":20}]})");
    Json::Value lightList;
    lightList["LightInfo"][0][0]["Guid"] = dir.path() + "effects/none";
    lightList["LightInfo"][0][1]["Guid"] = "C:\\Users\\me\\AppData\\fx1";
    lightList["LightInfo"][0][2]["Guid"] = dir.path() + "effects/out";  // not beside the list
    lightList["LightInfo"][0][3]["Guid"] = "..";
    JsonFileIO::storeJsonDocument(dir.path() + "zelvo_light.config", lightList);

    writeJson(profilePath(), R"({"Device":[{"LightInfo":{"SelectItem":1}}]})");
    data.loadNode(profilePath());
    data.readLightInfo();
    EXPECT_TRUE(data.readLightEffectSteps().empty());  // no light list loaded yet
    EXPECT_EQ(data.loadLightListDocument(dir.path() + "zelvo_light.config"), lightList);
    const std::vector<LightEffectStep> steps = data.readLightEffectSteps();
    ASSERT_EQ(steps.size(), 2u);
    LightEffectStep first;
    first.mode = 1;
    first.brightness = 2;
    first.speed = 3;
    first.direction = 1;
    first.red = 255;
    first.green = 0;
    first.blue = 7;
    first.time = 1500;
    first.cycle = -2;
    EXPECT_EQ(steps[0], first);
    EXPECT_EQ(steps[1].time, 20);
    EXPECT_EQ(steps[1].mode, 0);

    for (uint32_t mode : {0u, 2u, 3u}) {  // missing beside the list, or no file name
        data.writeLightInfo(mode, 0, 0, 0);
        EXPECT_TRUE(data.readLightEffectSteps().empty()) << mode;
        EXPECT_TRUE(data.lightEffectSteps().empty()) << mode;
    }
}

TEST_F(BasicProfiledataTest, SaveWritesMembersInKeyOrderAndKeepsUnknownMembers) {
    writeJson(profilePath(), R"({"zzz":1,"profilename":"A","Device":[{"Vendor":{"x":[1]}}]})");
    data.loadNode(profilePath());
    data.writeLightInfo(0, 0, 0, 0);
    data.writeKeyList({KeyBinding{}});
    data.writeLightInfo(1, 0, 0, 0);
    ASSERT_TRUE(data.save());
    const std::string text = readBytes(profilePath());
    const auto keyList = text.find("\"KeyList\"");
    const auto lightInfo = text.find("\"LightInfo\"");
    const auto vendor = text.find("\"Vendor\"");
    EXPECT_LT(keyList, lightInfo);
    EXPECT_LT(lightInfo, vendor);
    const Json::Value doc = parseJson(text);
    EXPECT_EQ(doc["zzz"], 1);
    EXPECT_EQ(doc["profilename"], "A");
    EXPECT_EQ(doc["Device"][0]["Vendor"], parseJson(R"({"x":[1]})"));
}

TEST_F(BasicProfiledataTest, SaveNodeIntoMissingFileHoldsOnlyDeviceAndWriteDocumentWritesWhole) {
    const Json::Value node = parseJson(R"({"KeyList":[]})");
    ASSERT_TRUE(data.saveNode(node, dir.path() + "new.Json"));
    Json::Value expected;
    expected["Device"][0] = node;
    EXPECT_EQ(readBytes(dir.path() + "new.Json"), JsonFileIO::styledText(expected));
    ASSERT_TRUE(data.writeDocument(node, dir.path() + "whole.Json"));
    EXPECT_EQ(readBytes(dir.path() + "whole.Json"), JsonFileIO::styledText(node));
    CBasicProfiledata fresh;
    EXPECT_FALSE(fresh.save());  // no profile path yet
}

TEST_F(BasicProfiledataTest, WrongTypedMembersReadAsDefaultsAndWritersRepairThem) {
    writeJson(profilePath(), R"({"Device":[{
        "LightInfo":{"SelectItem":"3","Light":[4],"MultiColor":"yes","Speed":2,"Red":2.9},
        "LightList":[5,"x",{"LEDREGMode":{}}],
        "KeyList":["x",{"Assignment":"12","DefaultAssignment":true},7]}]})");
    data.loadNode(profilePath());
    LightSetting info;
    info.speed = 2;
    info.red = 2;
    EXPECT_EQ(data.readLightInfo(), info);
    const std::vector<LightSetting> list = data.readLightList();
    ASSERT_EQ(list.size(), 3u);
    EXPECT_EQ(list[0].present, 0);
    EXPECT_EQ(list[1].present, 0);
    EXPECT_EQ(list[2].present, 1);
    EXPECT_EQ(list[2].mode, 0);
    const std::vector<KeyBinding> keys = data.readKeyList();
    ASSERT_EQ(keys.size(), 3u);
    EXPECT_EQ(keys[1].assignment, (std::array<uint8_t, 3>{0, 0, 0}));
    EXPECT_EQ(keys[1].defaultAssignment, (std::array<uint8_t, 3>{0, 0, 1}));
    data.writeKeyList(keys);
    ASSERT_TRUE(data.save());
    EXPECT_EQ(parseJson(readBytes(profilePath()))["Device"][0]["KeyList"][0],
              parseJson(R"({"Assignment":0})"));

    // Whole sections of the wrong kind.
    writeJson(profilePath(), R"({"Device":[{"LightInfo":7,"LightList":{"a":1},"KeyList":"k"}]})");
    data.loadNode(profilePath());
    EXPECT_EQ(data.readLightInfo(), LightSetting{});
    EXPECT_TRUE(data.readLightList().empty());
    EXPECT_TRUE(data.readKeyList().empty());
    data.writeLightInfo(1, 0, 0, 0);
    data.writeKeyList({KeyBinding{}});
    EXPECT_EQ(data.deviceNode()["LightInfo"]["SelectItem"], 1);
    EXPECT_EQ(data.deviceNode()["KeyList"][0]["Assignment"], 0);
}

TEST_F(BasicProfiledataTest, MissingTemplateLeavesANullNodeThatReadsAsEmpty) {
    CBasicProfiledata bare;
    bare.setDefaultPath(dir.path() + "none.Json");
    EXPECT_TRUE(bare.loadNode(profilePath()).isNull());
    EXPECT_EQ(bare.readLightInfo(), LightSetting{});
    EXPECT_TRUE(bare.readKeyList().empty());
    EXPECT_TRUE(bare.readLightList().empty());
}

}  // namespace
}  // namespace md
