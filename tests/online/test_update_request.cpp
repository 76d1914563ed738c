// The update check's request, answer parser, status rules, configuration and date file.
#include <gtest/gtest.h>
#include <json/json.h>

#include <string>

#include "online/update_check.h"
#include "online/update_config.h"
#include "online/update_request.h"
#include "online/update_time_file.h"
#include "profiles/json_file_io.h"
#include "profiles/temp_folder.h"

namespace md {
namespace {

Json::Value json(const std::string& text) {
    Json::Value v;
    Json::CharReaderBuilder b;
    std::string errs;
    std::unique_ptr<Json::CharReader> r(b.newCharReader());
    r->parse(text.data(), text.data() + text.size(), &v, &errs);
    return v;
}

UpdateEntry hexMouse() {
    UpdateEntry e;
    e.name = "Gaming Mouse";
    e.type = "FW";
    e.version = 0x0102;
    e.hexVersion = true;
    e.appKey = "ZELVO_2_MOUSE_FW_1";
    return e;
}

UpdateEntry application() {
    UpdateEntry e;
    e.name = "AP";
    e.type = kApplicationType;
    e.version = 2302;
    e.appKey = "ZELVO_0_APP_ALL_1";
    return e;
}

TEST(UpdateRequest, ApplicationKeyNeedsFivePartsOfTheRightTypes) {
    const struct {
        const char* parts;
        const char* key;
    } cases[] = {
        {R"(["ZELVO", 2, "MOUSE", "FW", 1])", "ZELVO_2_MOUSE_FW_1"},
        {R"(["ZELVO", 0, "APP", "ALL", 12])", "ZELVO_0_APP_ALL_12"},
        {R"(["ZELVO", 2, "MOUSE", "FW"])", "NULL"},
        {R"(["ZELVO", "2", "MOUSE", "FW", 1])", "NULL"},
        {R"(["ZELVO", -2, "MOUSE", "FW", 1])", "NULL"},
        {R"(["", 2, "MOUSE", "FW", 1])", "NULL"},
        {R"(["ZELVO", 2, "MOUSE", "FW", 1.5])", "NULL"},
        {R"({"a": 1})", "NULL"},
        {"null", "NULL"},
    };
    for (const auto& c : cases) EXPECT_EQ(buildAppKey(json(c.parts)), c.key) << c.parts;
}

TEST(UpdateRequest, BodyAndVersionTextsFollowTheEntrysBase) {
    EXPECT_EQ(updateRequestBody(hexMouse()), "app_key=ZELVO_2_MOUSE_FW_1&version=102");
    EXPECT_EQ(currentVersionText(hexMouse()), "V0102");
    EXPECT_EQ(updateRequestBody(application()), "app_key=ZELVO_0_APP_ALL_1&version=2302");
    EXPECT_EQ(currentVersionText(application()), "2.3.0.2");
    UpdateEntry odd = application();
    odd.appKey = "A&B=C D_ü";
    EXPECT_EQ(updateRequestBody(odd), "app_key=A%26B%3DC%20D_%C3%BC&version=2302");
    EXPECT_EQ(updateRequestBody(UpdateEntry{}), "app_key=NULL&version=0");

    EXPECT_EQ(updateServiceUrl("https://u.example/"), "https://u.example/api/updates");
    EXPECT_EQ(updateServiceUrl("https://u.example/v2"), "https://u.example/v2/api/updates");

    EXPECT_EQ(installedVersionNumber("2.3.0.2"), 2302u);
    EXPECT_EQ(installedVersionNumber("10.0"), 100u);
    EXPECT_EQ(installedVersionNumber(""), 0u);
    EXPECT_EQ(installedVersionNumber("2.3-beta"), 0u);
    EXPECT_EQ(installedVersionNumber("99999999999"), 0u);
    EXPECT_EQ(installedVersionNumber(), 2302u);  // this build's project version
}

// Every answer of the service, well-formed or not, gives a record and never an exception.
TEST(UpdateRequest, AnswersOfEveryShapeGiveARecord) {
    const struct {
        const char* answer;
        bool hex;
        int status;
        bool answered;
        const char* latest;
    } cases[] = {
        {R"({"version":"0103","name":"Mouse FW","path":"https://d/fw.bin","device_id":5})", true, 1,
         true, "V0103"},
        {R"({"version":"0102"})", true, 7, true, "V0102"},
        {R"({"version":"0101"})", true, 7, true, "V0101"},
        {R"({"version":103})", true, 1, true, "V103"},
        {R"({"version":["0103"]})", true, 7, true, ""},
        {R"({"version":{"v":"0103"}})", true, 7, true, ""},
        // A version that cannot be read is no answer, never "up to date".
        {R"({"version":"zz"})", true, 7, false, ""},
        {R"({"version":"-1"})", true, 7, false, ""},
        {R"({"version":"99999999999"})", true, 7, false, ""},
        {R"({"version":"0x0200"})", true, 1, true, "V0200"},
        {R"({"version":"0X0101"})", true, 7, true, "V0101"},
        {R"({"version":true,"name":42,"path":[],"device_id":"5"})", true, 7, true, ""},
        {R"({})", true, 7, true, ""},
        {"", true, 7, true, ""},
        {R"([1, 2])", true, 7, false, ""},
        {"null", true, 7, false, ""},
        {"<html>502 Bad Gateway</html>", true, 7, false, ""},
        {R"({"version":"0103")", true, 7, false, ""},
        {R"({"version":"2400","version_name":"2.4.0.0"})", false, 1, true, "2.4.0.0"},
        {R"({"version":"2302","version_name":"2.3.0.2"})", false, 7, true, "2.3.0.2"},
        {R"({"version":"0x2400"})", false, 7, false, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.answer);
        const UpdateEntry entry = c.hex ? hexMouse() : application();
        const UpdateInfo info = parseUpdateAnswer(c.answer, entry);
        EXPECT_EQ(info.status, c.status);
        EXPECT_EQ(info.answered, c.answered);
        EXPECT_EQ(info.latestVersionText, c.latest);
        EXPECT_EQ(info.currentVersionText, c.hex ? "V0102" : "2.3.0.2");
    }
    const UpdateInfo full = parseUpdateAnswer(
        R"({"version":"0103","name":"Mouse FW","path":"https://d/fw.bin","device_id":5})",
        hexMouse());
    EXPECT_EQ(full.name, "Mouse FW");
    EXPECT_EQ(full.downloadPath, "https://d/fw.bin");
    EXPECT_EQ(full.deviceId, 5);
    const UpdateInfo typed =
        parseUpdateAnswer(R"({"name":42,"path":[],"device_id":"5"})", hexMouse());
    EXPECT_EQ(typed.name, "Gaming Mouse");
    EXPECT_EQ(typed.downloadPath, "");
    EXPECT_EQ(typed.deviceId, 0);
    EXPECT_EQ(parseUpdateAnswer("{}", application()).name, "AP");
}

TEST(UpdateRequest, HostileAnswersAreBounded) {
    const std::string deep = std::string(5000, '[') + std::string(5000, ']');
    EXPECT_FALSE(parseUpdateAnswer(deep, hexMouse()).answered);
    const std::string longName = R"({"name":")" + std::string(1000, 'n') + "\\u0007\\n" +
                                 R"(","version_name":")" + std::string(500, '9') + R"("})";
    const UpdateInfo info = parseUpdateAnswer(longName, application());
    EXPECT_EQ(info.name, std::string(128, 'n'));
    EXPECT_EQ(info.versionName.size(), 32u);
    // A cut never splits a character.
    std::string cjk;
    for (int i = 0; i < 60; ++i) cjk += "鼠";
    EXPECT_EQ(parseUpdateAnswer(R"({"name":")" + cjk + R"("})", hexMouse()).name.size(), 126u);
}

TEST(UpdateRequest, OverallStatusNeedsEveryAnswerForUpToDate) {
    auto row = [](int status, bool answered) {
        UpdateInfo i;
        i.status = status;
        i.answered = answered;
        return i;
    };
    const struct {
        std::vector<UpdateInfo> rows;
        int status;
    } cases[] = {
        {{row(7, true), row(7, true)}, update_status::kUpToDate},
        {{row(7, true), row(1, true)}, update_status::kUpdatesFound},
        {{row(7, false), row(1, true)}, update_status::kUpdatesFound},
        {{row(7, false), row(7, false)}, update_status::kNoAnswer},
        {{row(7, true), row(7, false)}, update_status::kNoAnswer},
        {{row(0, true)}, update_status::kUpToDate},
    };
    for (const auto& c : cases) EXPECT_EQ(overallUpdateStatus(c.rows), c.status);
}

TEST(UpdateTimeFile, KeepsTheDateOfTheLastCheck) {
    test::TempFolder dir;
    const std::string path = dir.path() + kUpdateTimeFileName;
    const std::string today = todayDateText();
    EXPECT_EQ(readLastCheckDate(path), "");
    EXPECT_EQ(lastCheckDateOrToday(path), today);
    EXPECT_EQ(readLastCheckDate(path), today);

    ASSERT_TRUE(writeLastCheckDate(path, "2024-1-9"));
    Json::Value expected;
    expected["updatelasttime"]["value"] = "2024-1-9";
    EXPECT_EQ(test::readBytes(path), JsonFileIO::styledText(expected));
    EXPECT_EQ(lastCheckDateOrToday(path), "2024-1-9");

    for (const char* damaged :
         {"not json", R"({"updatelasttime":{"value":7}})", R"({"updatelasttime":"2024-1-9"})",
          R"({"updatelasttime":{"value":"2024-1-9; rm -rf"}})"}) {
        test::writeBytes(path, damaged);
        EXPECT_EQ(readLastCheckDate(path), "") << damaged;
        EXPECT_EQ(lastCheckDateOrToday(path), today) << damaged;
    }
}

TEST(UpdateConfig, ShippedFileGivesThreeFirmwareEntriesAndTheApplication) {
    std::string problems;
    const UpdateConfig cfg =
        loadUpdateConfig(MD_SOURCE_DIR "/DefaultData/updates.json", "/nonexistent", &problems);
    EXPECT_EQ(problems, "");
    EXPECT_EQ(cfg.serviceUrl, "");
    const std::vector<UpdateEntry> list = buildVersionList(cfg, 2302);
    ASSERT_EQ(list.size(), 4u);
    EXPECT_TRUE(list[0].hexVersion);
    EXPECT_EQ(list[0].appKey, "ZELVO_2_MOUSE_FW_1");
    EXPECT_EQ(list[3].type, "ALL");
    EXPECT_EQ(list[3].name, "AP");
    EXPECT_EQ(list[3].versionText, "V0100");
    EXPECT_EQ(list[3].version, 2302u);
    EXPECT_FALSE(list[3].hexVersion);
}

TEST(UpdateConfig, UserFileOverridesAndBadFilesAreRefused) {
    test::TempFolder dir;
    const std::string user = dir.path() + "updates.json";
    test::writeBytes(user, R"({ "serviceUrl": "https://updates.example/", "caFile": "/x/ca.pem",
        "firmware": [ { "name": "Pad", "version": 7, "key": ["ZELVO", 3, "PAD", "FW", 1] } ] })");
    std::string problems;
    UpdateConfig cfg = loadUpdateConfig(MD_SOURCE_DIR "/DefaultData/updates.json", user, &problems);
    EXPECT_EQ(problems, "");
    EXPECT_EQ(cfg.serviceUrl, "https://updates.example/");
    EXPECT_EQ(cfg.caFile, "/x/ca.pem");
    const auto list = buildVersionList(cfg, 1);
    ASSERT_EQ(list.size(), 2u);
    EXPECT_EQ(list[0].name, "Pad");
    EXPECT_EQ(list[0].version, 7u);
    EXPECT_EQ(list[1].appKey, "ZELVO_0_APP_ALL_1");  // from the shipped file

    const char* bad[] = {
        "{ not json",
        R"([1])",
        R"({"serviceUrl": "http://plain.example/"})",
        R"({"serviceUrl": 5})",
        R"({"firmware": {"name": "x"}})",
        R"({"firmware": [{"name": "", "version": 1}]})",
        R"({"firmware": [{"name": "x"}]})",
        R"({"firmware": [{"name": "x", "version": "0xZZ"}]})",
        R"({"firmware": [{"name": "x", "version": 1, "key": [1, 2, 3]}]})",
        R"({"application": {"key": "ZELVO"}})",
    };
    for (const char* text : bad) {
        test::writeBytes(user, text);
        UpdateConfig before;
        before.serviceUrl = "https://kept.example/";
        std::string error;
        EXPECT_FALSE(readUpdateConfig(user, before, error)) << text;
        EXPECT_NE(error, "") << text;
        EXPECT_EQ(before.serviceUrl, "https://kept.example/") << text;
    }
    EXPECT_TRUE(readUpdateConfig(dir.path() + "missing.json", cfg, problems));
}

}  // namespace
}  // namespace md
