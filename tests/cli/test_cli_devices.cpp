// The device verbs of the command-line tool against virtual devices.
#include <gtest/gtest.h>
#include <json/json.h>

#include <sstream>

#include "cli/cli_context.h"
#include "profiles/app_paths.h"
#include "profiles/temp_folder.h"

namespace md {
namespace {

struct CliRun {
    int rc;
    std::string out, err;
};

CliRun run(std::vector<std::string> args) {
    std::ostringstream out, err;
    const int rc = cli::runCli(args, out, err);
    return {rc, out.str(), err.str()};
}

TEST(CliDevices, SimulatedCollectionsAreListed) {
    const CliRun r = run({"--simulate", "mouse,receiver,keyboard,mousepad,headset", "list"});
    ASSERT_EQ(r.rc, 0) << r.err;
    EXPECT_NE(r.out.find("#vid_248a&pid_5b50&mi_01&col04  vid=248a pid=5b50 if=1 col=4 page=ff1c "
                         "usage=0092 in=64 out=64"),
              std::string::npos);
    EXPECT_NE(
        r.out.find(
            "#vid_320f&pid_221d&mi_01&col03  vid=320f pid=221d if=1 col=3 page=000c usage=0001"),
        std::string::npos);
    EXPECT_NE(
        r.out.find("#vid_0c76&pid_1630&mi_03  vid=0c76 pid=1630 if=3 col=0 page=000c usage=0001"),
        std::string::npos);
}

TEST(CliDevices, InfoReadsTheChosenDevice) {
    const CliRun r =
        run({"--simulate", "mouse,receiver", "--device", "receiver", "--json", "info"});
    ASSERT_EQ(r.rc, 0) << r.err;
    Json::Value v;
    std::istringstream in(r.out);
    Json::CharReaderBuilder rb;
    std::string errs;
    ASSERT_TRUE(Json::parseFromStream(rb, in, &v, &errs)) << errs;
    EXPECT_EQ(v["device"].asString(), "receiver");
    EXPECT_EQ(v["slot"].asUInt(), 6u);
    EXPECT_EQ(v["deviceInfo"].size(), 34u);
    EXPECT_EQ(v["wireless"].asUInt(), 1u);
    EXPECT_EQ(v["keys"].asUInt(), v["deviceInfo"][5].asUInt());
}

TEST(CliDevices, TracePrintsEveryPacketAndReply) {
    const CliRun r = run({"--simulate", "mouse", "--trace", "info"});
    ASSERT_EQ(r.rc, 0) << r.err;
    EXPECT_EQ(r.out.rfind("命令\n04 01 00 01   00 00 00 00", 0), 0u);
    size_t commands = 0;
    for (size_t at = 0; (at = r.out.find("命令\n", at)) != std::string::npos; ++at) ++commands;
    EXPECT_EQ(commands, 4u);  // begin, device information, power status, end
}

TEST(CliDevices, ExitCodesForMissingDevicesAndBadArguments) {
    EXPECT_EQ(run({"--simulate", "mouse", "--device", "keyboard", "info"}).rc, 3);
    EXPECT_EQ(run({"--simulate", "mouse", "--device", "toaster", "info"}).rc, 2);
    EXPECT_EQ(run({"--simulate", "toaster", "list"}).rc, 2);
    EXPECT_EQ(run({"--sim-state", "/tmp/x.json", "list"}).rc, 2);
    EXPECT_EQ(run({"--simulate", "mouse", "watch", "--script", "soon unplug mouse"}).rc, 2);
    EXPECT_EQ(run({"--simulate", "mouse", "watch", "--script", "10 unplug receiver"}).rc, 2);
    EXPECT_EQ(run({"watch", "--script", "10 unplug mouse"}).rc, 2);
}

TEST(CliDevices, WatchFollowsAScriptedTimeLine) {
    const CliRun r = run(
        {"--simulate", "receiver", "watch", "--script", "50 unplug receiver; 250 plug receiver"});
    ASSERT_EQ(r.rc, 0) << r.err;
    std::istringstream lines(r.out);
    std::vector<std::string> got;
    for (std::string l; std::getline(lines, l);) got.push_back(l.substr(0, l.find(" sim:")));
    EXPECT_EQ(got, (std::vector<std::string>{
                       "arrived slot 7 receiver event", "arrived slot 6 receiver command",
                       "removed slot 6 receiver command", "removed slot 7 receiver event",
                       "arrived slot 7 receiver event", "arrived slot 6 receiver command"}));
}

// --json: one JSON object per line, the same events as the text.
TEST(CliDevices, WatchJsonIsOneObjectPerLine) {
    const CliRun r = run({"--simulate", "receiver", "--json", "watch", "--script",
                          "50 unplug receiver; 250 plug receiver"});
    ASSERT_EQ(r.rc, 0) << r.err;
    std::istringstream lines(r.out);
    std::vector<std::string> got;
    for (std::string l; std::getline(lines, l);) {
        Json::Value v;
        std::istringstream in(l);
        ASSERT_TRUE(Json::parseFromStream(Json::CharReaderBuilder(), in, &v, nullptr)) << l;
        got.push_back(v["event"].asString() + " " + v["device"].asString() + " " +
                      v["collection"].asString() + " " + std::to_string(v["slot"].asInt()) +
                      (v.isMember("path") ? " path" : ""));
    }
    EXPECT_EQ(got, (std::vector<std::string>{
                       "arrived receiver event 7 path", "arrived receiver command 6 path",
                       "removed receiver command 6", "removed receiver event 7",
                       "arrived receiver event 7 path", "arrived receiver command 6 path"}));
}

// The settings of every kind name their lighting and polling rate with the same fields.
TEST(CliDevices, SettingsRecordsShareTheirFieldNames) {
    struct Case {
        const char* device;
        bool polling;
    };
    // The keyboard's and mousepad's identifiers come with the program's data.
    test::TempFolder data;
    AppPaths::setDataRoot(data.path());
    AppPaths::setApplicationFolder(std::string(MD_BINARY_DIR) + "/bin/");
    for (const Case c : {Case{"mouse", true}, Case{"keyboard", true}, Case{"mousepad", false},
                         Case{"headset", false}}) {
        SCOPED_TRACE(c.device);
        const CliRun r = run({"--simulate", c.device, "--device", c.device, "--json", "settings"});
        ASSERT_EQ(r.rc, 0) << r.err;
        Json::Value v;
        std::istringstream in(r.out);
        ASSERT_TRUE(Json::parseFromStream(Json::CharReaderBuilder(), in, &v, nullptr)) << r.out;
        EXPECT_TRUE(v["hardwareProfile"].isIntegral());
        for (const char* field : {"mode", "brightness", "speed", "multicolour", "colour"})
            EXPECT_TRUE(v["lighting"].isMember(field)) << field;
        EXPECT_EQ(v["lighting"]["colour"].asString().size(), 6u);
        EXPECT_EQ(v.isMember("pollingRate"), c.polling);
        if (c.polling) {
            EXPECT_TRUE(v["pollingRate"]["option"].isIntegral());
            EXPECT_TRUE(v["pollingRate"].isMember("hz"));
        }
    }
    AppPaths::setDataRoot("");
    AppPaths::setApplicationFolder("");
}

}  // namespace
}  // namespace md
