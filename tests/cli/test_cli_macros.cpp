// The macro and recoil verbs (list, show, import, export) on the mouse's data folder, and the
// routing helpers that hand a running application absolute file names.
#include <gtest/gtest.h>
#include <json/json.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "cli/cli_context.h"
#include "cli/routing.h"
#include "common/bounded_file.h"
#include "profiles/app_paths.h"
#include "profiles/macro_list.h"
#include "profiles/temp_folder.h"

namespace md {
namespace {

class CliMacros : public ::testing::Test {
  protected:
    void SetUp() override {
        AppPaths::setDataRoot(data.path());
        AppPaths::setApplicationFolder(MD_SOURCE_DIR);  // the shipped recoil tables
    }
    void TearDown() override {
        AppPaths::setDataRoot("");
        AppPaths::setApplicationFolder("");
    }
    int run(std::vector<std::string> args, std::string* out = nullptr) {
        std::ostringstream o, e;
        const int rc = cli::runCli(args, o, e, nullptr);
        if (out) *out = o.str() + e.str();
        return rc;
    }
    test::TempFolder data;
};

TEST_F(CliMacros, ImportListExport) {
    const std::string file = data.path() + "in.mac";
    std::ofstream(file) << R"({"MacroName":"Reload","Guid":"x","Events":[
        {"Type":10,"Button":21,"Action":"down","Delay":"30"},
        {"Type":10,"Button":21,"Action":"up","Delay":"70000"}],"Version":64})";
    std::string out;
    ASSERT_EQ(run({"macros", "import", file}, &out), 0) << out;
    ASSERT_EQ(run({"macros", "import", file}, &out), 0) << out;
    ASSERT_EQ(run({"--json", "macros", "list"}, &out), 0) << out;
    Json::Value v;
    ASSERT_TRUE(parseJsonText(out, v)) << out;
    ASSERT_EQ(v.size(), 2u);
    EXPECT_EQ(v[0]["name"], "macro_1");
    EXPECT_EQ(v[1]["name"], "macro_2");
    EXPECT_EQ(v[1]["events"], 2);

    const std::string target = data.path() + "out.mac";
    ASSERT_EQ(run({"macros", "export", "MACRO_2", target}, &out), 0) << out;
    Json::Value exported;
    ASSERT_TRUE(parseJsonText(test::readBytes(target), exported));
    EXPECT_EQ(exported["Events"][1]["Delay"], "65535");  // clamped on import

    EXPECT_EQ(run({"macros", "export", "nope", target}), 2);
    EXPECT_EQ(run({"macros", "import", data.path() + "missing.mac"}), 2);
    EXPECT_EQ(run({"macros", "frobnicate"}), 2);
}

TEST_F(CliMacros, RecoilShowImportExport) {
    std::string out;
    ASSERT_EQ(run({"--json", "recoil", "show", "1"}, &out), 0) << out;
    Json::Value v;
    ASSERT_TRUE(parseJsonText(out, v)) << out;
    ASSERT_EQ(v.size(), 30u);
    const std::string file = data.path() + "gun.shoot";
    ASSERT_EQ(run({"recoil", "export", "3", file}, &out), 0) << out;
    ASSERT_EQ(run({"recoil", "import", "0", file}, &out), 0) << out;
    std::string zero, three;
    run({"recoil", "show", "0"}, &zero);
    run({"recoil", "show", "3"}, &three);
    EXPECT_EQ(zero, three);
    std::ofstream(data.path() + "bad.shoot") << "[]";
    EXPECT_EQ(run({"recoil", "import", "0", data.path() + "bad.shoot"}, &out), 2);
    EXPECT_NE(out.find("bad.shoot"), std::string::npos) << out;
    EXPECT_EQ(run({"recoil", "show", "4"}), 2);
}

TEST_F(CliMacros, ListingSaysWhenAFileHoldsMoreEventsThanAreUsed) {
    const std::string file = data.path() + "in.mac";
    std::ofstream(file) << R"({"MacroName":"Big","Guid":"x","Events":[
        {"Type":10,"Button":21,"Action":"down","Delay":"30"}],"Version":64})";
    std::string out;
    ASSERT_EQ(run({"macros", "import", file}, &out), 0) << out;
    // The stored file grows beyond what a macro takes (another program wrote it).
    Json::Value doc;
    doc["MacroName"] = "macro_1";
    for (int i = 0; i < 5000; ++i) {
        Json::Value e;
        e["Type"] = 10;
        e["Button"] = 21;
        e["Action"] = i % 2 ? "up" : "down";
        e["Delay"] = "1";
        doc["Events"].append(e);
    }
    for (const auto& entry : std::filesystem::directory_iterator(data.path() + "mouse"))
        if (entry.path().extension() == ".mac")
            std::ofstream(entry.path()) << Json::writeString(Json::StreamWriterBuilder(), doc);
    ASSERT_EQ(run({"macros", "list"}, &out), 0) << out;
    EXPECT_NE(out.find("4000 events  (the file lists 5000 events; only the first 4000 are used)"),
              std::string::npos)
        << out;
}

TEST(CliRouting, RelativeFileArgumentsAreFound) {
    EXPECT_EQ(cli::relativeFileArgument({"profile", "apply", "p.json"}), "p.json");
    EXPECT_EQ(cli::relativeFileArgument({"macros", "export", "m", "out/m.mac"}), "out/m.mac");
    EXPECT_EQ(cli::relativeFileArgument({"profile", "apply", "/tmp/p.json"}), "");
    EXPECT_EQ(cli::relativeFileArgument({"profile", "select", "Work"}), "");
    EXPECT_EQ(cli::relativeFileArgument({"--device", "keyboard", "lighting", "20", "--group", "2"}),
              "");
}

TEST(CliRouting, FileArgumentsBecomeAbsolute) {
    const std::string cwd = std::filesystem::current_path().string();
    struct Case {
        std::vector<std::string> in;
        size_t fileAt;  // 0: nothing changes
    };
    for (const Case& c :
         std::initializer_list<Case>{{{"profile", "dump", "a.json"}, 2},
                                     {{"profile", "apply", "p.json"}, 2},
                                     {{"--device", "keyboard", "profile", "export", "k.json"}, 4},
                                     {{"profile", "add", "Work"}, 0},
                                     {{"profile", "select", "profile1"}, 0},
                                     {{"profile", "select", "1"}, 0},
                                     {{"profile", "list"}, 0},
                                     {{"--json", "macros", "import", "m.mac"}, 3},
                                     {{"macros", "export", "macro_1", "out/m.mac"}, 3},
                                     {{"macros", "list"}, 0},
                                     {{"recoil", "import", "2", "g.shoot"}, 3},
                                     {{"recoil", "show", "2"}, 0},
                                     {{"macros", "upload"}, 0},
                                     {{"keys", "set", "1", "left"}, 0}}) {
        const auto out = cli::withAbsoluteFiles(c.in);
        for (size_t i = 0; i < c.in.size(); ++i) {
            if (i == c.fileAt && c.fileAt != 0)
                EXPECT_EQ(out[i],
                          (std::filesystem::path(cwd) / c.in[i]).lexically_normal().string());
            else
                EXPECT_EQ(out[i], c.in[i]);
        }
    }
}

}  // namespace
}  // namespace md
