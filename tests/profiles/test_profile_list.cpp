#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "profile_test_util.h"
#include "profiles/app_paths.h"
#include "profiles/profile_list.h"

namespace md {
namespace {

using test::listFolder;
using test::parseJson;
using test::readBytes;
using test::styled;
using test::writeBytes;
using test::writeJson;

const char* kTemplate =
    R"({"profilename":"","profileUUID":"","Device":[{"KeyList":[{"Assignment":1}],
        "CustomEQNameInfo":[],"CustomEQHzValueInfo":[]}]})";

class ProfileListTest : public ::testing::Test {
  protected:
    void SetUp() override {
        std::filesystem::create_directories(dataFolder());
        writeJson(templatePath(), kTemplate);
        list.setDeviceKind(2);
        list.setFolders(dataFolder(), templatePath());
    }
    std::string dataFolder() const { return dir.path() + "data/"; }
    std::string templatePath() const { return dir.path() + "mouse.Json"; }
    Json::Value listDoc() const { return parseJson(readBytes(list.listPath())); }
    Json::Value profileDoc(const std::string& uuid) const {
        return parseJson(readBytes(dataFolder() + uuid + ".Json"));
    }
    // A list file with the given names; identifiers "id0", "id1", ... and their files.
    void makeList(const std::vector<std::string>& names, int select) {
        Json::Value doc;
        for (size_t i = 0; i < names.size(); ++i) {
            const std::string uuid = "id" + std::to_string(i);
            doc["profilelist"][static_cast<Json::ArrayIndex>(i)] = entry(names[i], uuid);
            Json::Value profile = parseJson(kTemplate);
            profile["profilename"] = names[i];
            profile["profileUUID"] = uuid;
            profile["Device"][0]["KeyList"][0]["Assignment"] = static_cast<int>(i) + 100;
            JsonFileIO::storeJsonDocument(dataFolder() + uuid + ".Json", profile);
        }
        doc["profileselect"] = select;
        JsonFileIO::storeJsonDocument(list.listPath(), doc);
    }
    static Json::Value entry(const std::string& name, const std::string& uuid) {
        Json::Value e;
        e["profilename"] = name;
        e["profileUUID"] = uuid;
        e["profileislink"] = 0;
        e["profilelinkmame"] = "";
        return e;
    }
    // The template document named as a profile.
    static Json::Value fromTemplate(const std::string& name, const std::string& uuid) {
        Json::Value doc = parseJson(kTemplate);
        doc["profilename"] = name;
        doc["profileUUID"] = uuid;
        return doc;
    }

    test::TempFolder dir;
    ProfileList list;
};

TEST_F(ProfileListTest, StartWithoutAListMakesOneProfile) {
    // No file, or a list without entries: nothing to keep.
    for (const char* broken : {"", "{\"profilelist\":[]}"}) {
        std::filesystem::remove_all(dataFolder());
        std::filesystem::create_directories(dataFolder());
        if (*broken) writeBytes(list.listPath(), broken);
        list.start();
        const std::string uuid = list.currentProfileUuid();
        ASSERT_TRUE(isSafeFileStem(uuid)) << broken;
        Json::Value expected;
        expected["profilelist"][0] = entry("profile1", uuid);
        expected["profileselect"] = 0;
        EXPECT_EQ(readBytes(list.listPath()), styled(expected)) << broken;
        EXPECT_EQ(readBytes(dataFolder() + uuid + ".Json"), styled(fromTemplate("profile1", uuid)));
        EXPECT_EQ(list.itemNames(), std::vector<std::string>{"profile1"});
        EXPECT_EQ(list.currentSelection(), 0);
        EXPECT_EQ(list.profileNameText(), "profile1");
    }
}

TEST_F(ProfileListTest, DamagedListIsReportedAndLeftAlone) {
    // Truncated, empty, or valid JSON of another shape (a profile saved over the list).
    const std::vector<std::string> contents = {
        "{\"profilelist\":[{\"profilename\":\"a\"",
        std::string(),
        "{}",
        "{\"profilelist\":5}",
        "{\"profilelist\":\"x\"}",
        "[1]",
        "null",
        styled(fromTemplate("exported", "20240101120000000")),
        "directory"};
    for (const std::string& content : contents) {
        SCOPED_TRACE(content);
        const bool directory = content == "directory";
        std::filesystem::remove_all(dataFolder());
        std::filesystem::create_directories(dataFolder());
        if (directory)
            std::filesystem::create_directory(list.listPath());
        else
            writeBytes(list.listPath(), content);
        EXPECT_FALSE(list.start());
        EXPECT_TRUE(list.damaged());
        EXPECT_NE(list.problem().find(list.listPath()), std::string::npos) << list.problem();
        EXPECT_TRUE(list.itemNames().empty());
        EXPECT_EQ(list.currentProfileUuid(), "");
        EXPECT_FALSE(list.addProfile());
        EXPECT_FALSE(list.selectProfile(0));
        // Nothing was written: no profile files, no replacement list.
        EXPECT_EQ(listFolder(dataFolder()), std::vector<std::string>{"ProfileList.ini"});
        if (!directory) EXPECT_EQ(readBytes(list.listPath()), content);
    }
}

TEST_F(ProfileListTest, ReadOnlyFolderIsReportedAsSuch) {
    if (::geteuid() == 0) GTEST_SKIP() << "permissions do not bind root";
    makeList({"a"}, 0);
    list.start();
    std::filesystem::permissions(dataFolder(), std::filesystem::perms::owner_read |
                                                   std::filesystem::perms::owner_exec);
    EXPECT_FALSE(list.addProfile());
    EXPECT_NE(list.problem().find("could not be written (Permission denied)"), std::string::npos)
        << list.problem();
    std::filesystem::permissions(dataFolder(), std::filesystem::perms::owner_all);
}

TEST_F(ProfileListTest, WriteFailuresNameTheFileAndTheReason) {
    makeList({"a"}, 0);
    list.start();
    // The data folder replaced by a file: every write fails.
    std::filesystem::remove_all(dataFolder());
    writeBytes(dir.path() + "data", "x");
    list.setFolders(dir.path() + "data/", templatePath());
    EXPECT_FALSE(list.start());
    EXPECT_NE(list.problem().find("could not be written (Not a directory)"), std::string::npos)
        << list.problem();
}

TEST_F(ProfileListTest, StartSelectsTheStoredSelection) {
    struct Case {
        Json::Value stored;
        int selected;
    };
    for (const Case& c : {Case{2, 2}, Case{7, 0}, Case{-1, 0}, Case{"1", 0}}) {
        makeList({"a", "b", "c"}, 0);
        Json::Value doc = listDoc();
        doc["profileselect"] = c.stored;
        JsonFileIO::storeJsonDocument(list.listPath(), doc);
        list.start();
        EXPECT_EQ(list.itemNames(), (std::vector<std::string>{"a", "b", "c"}));
        EXPECT_EQ(list.currentSelection(), c.selected);
        EXPECT_EQ(list.currentProfileUuid(), "id" + std::to_string(c.selected));
        EXPECT_EQ(listDoc()["profileselect"], c.selected);
    }
}

TEST_F(ProfileListTest, AddTakesTheFirstFreeNumberAndMarksItSelectedInTheFileOnly) {
    makeList({"profile1", "Profile2"}, 0);
    list.start();
    ASSERT_TRUE(list.addProfile());
    EXPECT_EQ(list.itemNames(), (std::vector<std::string>{"profile1", "Profile2", "profile3"}));
    EXPECT_EQ(list.currentSelection(), 0);
    EXPECT_EQ(list.currentProfileUuid(), "id0");
    const Json::Value doc = listDoc();
    EXPECT_EQ(doc["profileselect"], 2);
    const std::string uuid = doc["profilelist"][2]["profileUUID"].asString();
    EXPECT_EQ(styled(doc["profilelist"][2]), styled(entry("profile3", uuid)));
    EXPECT_EQ(readBytes(dataFolder() + uuid + ".Json"), styled(fromTemplate("profile3", uuid)));

    ProfileList again;
    again.setFolders(dataFolder(), templatePath());
    again.start();
    EXPECT_EQ(again.currentSelection(), 2);
    EXPECT_EQ(again.currentProfileUuid(), uuid);
}

TEST_F(ProfileListTest, AddStopsAtFiftyProfiles) {
    std::vector<std::string> names;
    for (int i = 0; i < 50; ++i) names.push_back("n" + std::to_string(i));
    makeList(names, 0);
    list.start();
    const std::string before = readBytes(list.listPath());
    EXPECT_FALSE(list.addProfile());
    EXPECT_EQ(list.itemNames().size(), 50u);
    EXPECT_EQ(readBytes(list.listPath()), before);
}

TEST_F(ProfileListTest, DeleteRemovesTheEntryAndItsFile) {
    makeList({"a", "b", "c"}, 0);
    list.start();
    ASSERT_TRUE(list.deleteProfile());
    EXPECT_EQ(list.itemNames(), (std::vector<std::string>{"b", "c"}));
    EXPECT_EQ(listDoc()["profileselect"], 0);
    EXPECT_EQ(listDoc()["profilelist"].size(), 2u);
    EXPECT_EQ(listDoc()["profilelist"][0]["profileUUID"], "id1");
    EXPECT_FALSE(std::filesystem::exists(dataFolder() + "id0.Json"));
    EXPECT_EQ(list.currentProfileUuid(), "id1");

    list.setCurrentSelection(1);
    ASSERT_TRUE(list.deleteProfile());
    EXPECT_EQ(list.itemNames(), std::vector<std::string>{"b"});
    EXPECT_EQ(listDoc()["profileselect"], 0);
    EXPECT_EQ(list.currentProfileUuid(), "id1");
    EXPECT_FALSE(std::filesystem::exists(dataFolder() + "id2.Json"));

    EXPECT_FALSE(list.deleteProfile());  // the last profile stays
    EXPECT_TRUE(std::filesystem::exists(dataFolder() + "id1.Json"));
}

TEST_F(ProfileListTest, CopyAppendsCopyUntilTheNameIsFree) {
    makeList({"Game", "game COPY"}, 0);
    list.start();
    ASSERT_TRUE(list.copyProfile());
    EXPECT_EQ(list.itemNames(), (std::vector<std::string>{"Game", "game COPY", "Game copy copy"}));
    const Json::Value doc = listDoc();
    EXPECT_EQ(doc["profileselect"], 0);
    const std::string uuid = doc["profilelist"][2]["profileUUID"].asString();
    EXPECT_EQ(styled(doc["profilelist"][2]), styled(entry("Game copy copy", uuid)));
    Json::Value expected = profileDoc("id0");
    expected["profilename"] = "Game copy copy";
    expected["profileUUID"] = uuid;
    EXPECT_EQ(readBytes(dataFolder() + uuid + ".Json"), styled(expected));
}

TEST_F(ProfileListTest, RenameResults) {
    makeList({"game", "Other"}, 0);
    list.start();
    struct Case {
        std::string name;
        int result;
    };
    for (const Case& c :
         {Case{"  ", ProfileList::kNameBlank}, Case{"\t\n", ProfileList::kNameBlank},
          Case{"OTHER", ProfileList::kNameTaken}, Case{"GAME", ProfileList::kRenamed},
          Case{" New ", ProfileList::kRenamed}}) {
        EXPECT_EQ(list.renameProfile(c.name), c.result) << c.name;
    }
    EXPECT_EQ(list.itemNames(), (std::vector<std::string>{" New ", "Other"}));
    EXPECT_EQ(list.profileNameText(), " New ");
    EXPECT_EQ(listDoc()["profilelist"][0]["profilename"], " New ");
    EXPECT_EQ(profileDoc("id0")["profilename"], " New ");
    EXPECT_EQ(profileDoc("id0")["Device"][0]["KeyList"][0]["Assignment"], 100);
}

TEST_F(ProfileListTest, ImportAddsSuffixesAndANewIdentifier) {
    makeList({"Work"}, 0);
    list.start();
    const std::string importPath = dir.path() + "work.json";
    writeJson(importPath, R"({"profilename":"Work","profileUUID":"../../evil","Extra":1,
        "Device":[{"KeyList":[{"Assignment":7}]}]})");
    ASSERT_TRUE(list.importProfile(importPath));
    ASSERT_TRUE(list.importProfile(importPath));
    EXPECT_EQ(list.itemNames(), (std::vector<std::string>{"Work", "Work(1)", "Work(1)(2)"}));
    const Json::Value doc = listDoc();
    for (Json::ArrayIndex i = 1; i <= 2; ++i) {
        const std::string uuid = doc["profilelist"][i]["profileUUID"].asString();
        ASSERT_TRUE(isSafeFileStem(uuid));
        Json::Value expected = parseJson(readBytes(importPath));
        expected["profilename"] = list.itemNames()[i];
        expected["profileUUID"] = uuid;
        EXPECT_EQ(readBytes(dataFolder() + uuid + ".Json"), styled(expected));
    }
    EXPECT_EQ(list.currentSelection(), 0);

    for (const char* bad : {"not json", R"({"profilename":"x"})", R"({"profileUUID":"x"})",
                            R"({"profilename":5,"profileUUID":"x"})"}) {
        writeBytes(importPath, bad);
        EXPECT_FALSE(list.importProfile(importPath)) << bad;
    }
    EXPECT_EQ(list.itemNames().size(), 3u);
}

TEST_F(ProfileListTest, ImportRefusesValuesOutsideTheMouseRanges) {
    makeList({"a"}, 0);
    list.start();
    const std::string importPath = dir.path() + "in.json";
    struct Case {
        const char* device;
        const char* problem;  // "" when the import is taken
    };
    const Case cases[] = {
        {R"({"ReportStages":{"StageActive":77}})",
         R"("ReportStages.StageActive" is 77 (allowed 0 to 4))"},
        {R"({"DPIStages":{"StageActive":99}})",
         R"("DPIStages.StageActive" is 99 (allowed 0 to 4))"},
        {R"({"DPIStages":{"StageDPIs":[{"StageDPIX":5},{"StageDPIX":34463}]}})",
         R"("DPIStages.StageDPIs[1].StageDPIX" is 34463 (allowed 0 to 96))"},
        {R"({"LightInfo":{"Light":44}})", R"("LightInfo.Light" is 44 (allowed 0 to 4))"},
        {R"({"LightInfo":{"Light":"bright"}})", R"("LightInfo.Light" is not a whole number)"},
        {R"({"SystemStages":{"MouseSpeed":2.5}})",
         R"("SystemStages.MouseSpeed" is not a whole number)"},
        {R"({"LightInfo":{"Light":4,"MultiColor":true},"ReportStages":{"StageActive":4}})", ""},
    };
    size_t taken = 1;
    for (const Case& c : cases) {
        writeBytes(importPath, std::string(R"({"profilename":"p","profileUUID":"u","Device":[)") +
                                   c.device + "]}");
        const bool ok = list.importProfile(importPath);
        EXPECT_EQ(ok, *c.problem == '\0') << c.device;
        if (*c.problem) {
            EXPECT_EQ(list.problem(), importPath + ": " + c.problem);
        } else {
            ++taken;
        }
        EXPECT_EQ(list.itemNames().size(), taken);
    }
    writeBytes(importPath, R"({"profilename":"p","profileUUID":"u","Device":{"a":1}})");
    EXPECT_FALSE(list.importProfile(importPath));
    EXPECT_NE(list.problem().find("\"Device\" is not a list"), std::string::npos);
}

TEST_F(ProfileListTest, TwoProcessesChangingTheListAtOnceLoseNothing) {
    makeList({"a"}, 0);
    const std::string importPath = dir.path() + "in.json";
    writeBytes(importPath, R"({"profilename":"p","profileUUID":"u","Device":[{}]})");
    constexpr int kRounds = 15;
    auto work = [&](bool imports) {
        ProfileList mine;
        mine.setDeviceKind(2);
        mine.setFolders(dataFolder(), templatePath());
        mine.start();
        bool ok = true;
        for (int i = 0; i < kRounds; ++i)
            ok = (imports ? mine.importProfile(importPath) : mine.copyProfile()) && ok;
        return ok;
    };
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) ::_exit(work(true) ? 0 : 1);
    const bool parentOk = work(false);
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    EXPECT_TRUE(parentOk);

    // Every change is in the list, every entry has its file and no file is an orphan.
    const Json::Value doc = listDoc();
    ASSERT_EQ(doc["profilelist"].size(), 1u + 2 * kRounds);
    std::vector<std::string> expected{"ProfileList.ini"};
    for (const Json::Value& e : doc["profilelist"])
        expected.push_back(e["profileUUID"].asString() + ".Json");
    std::sort(expected.begin(), expected.end());
    std::vector<std::string> files = listFolder(dataFolder());
    std::sort(files.begin(), files.end());
    EXPECT_EQ(files, expected);
}

TEST_F(ProfileListTest, ExportWritesTheSelectedProfile) {
    makeList({"a", "b"}, 1);
    list.start();
    const std::string out = dir.path() + "out.json";
    ASSERT_TRUE(list.exportProfile(out));
    EXPECT_EQ(readBytes(out), readBytes(dataFolder() + "id1.Json"));
    std::filesystem::remove(dataFolder() + "id1.Json");
    EXPECT_FALSE(list.exportProfile(dir.path() + "none.json"));
    EXPECT_FALSE(std::filesystem::exists(dir.path() + "none.json"));
}

TEST_F(ProfileListTest, ResetKeepsNameIdentifierAndTheHeadsetsOwnEqualisers) {
    for (const int kind : {2, ProfileList::kHeadsetKind}) {
        makeList({"a", "b"}, 1);
        Json::Value changed = profileDoc("id1");
        changed["Device"][0]["CustomEQNameInfo"][0]["Name"] = "Mine";
        changed["Device"][0]["CustomEQHzValueInfo"][0][0]["value"] = 4;
        changed["Extra"] = 1;
        JsonFileIO::storeJsonDocument(dataFolder() + "id1.Json", changed);
        list.setDeviceKind(kind);
        list.start();
        ASSERT_TRUE(list.resetProfile());
        Json::Value expected = fromTemplate("b", "id1");
        if (kind == ProfileList::kHeadsetKind) {
            expected["Device"][0]["CustomEQNameInfo"] = changed["Device"][0]["CustomEQNameInfo"];
            expected["Device"][0]["CustomEQHzValueInfo"] =
                changed["Device"][0]["CustomEQHzValueInfo"];
        }
        EXPECT_EQ(readBytes(dataFolder() + "id1.Json"), styled(expected)) << kind;
    }
}

TEST_F(ProfileListTest, HostileIdentifiersNeverLeaveTheDataFolder) {
    // A file beside the data folder that a hostile identifier points at.
    writeBytes(dir.path() + "victim.Json", "keep");
    const std::vector<std::string> hostile = {
        "../victim", "/tmp/x", "a/b", "..", "", "x.y", std::string(200, 'a')};
    Json::Value doc;
    for (size_t i = 0; i < hostile.size(); ++i)
        doc["profilelist"][static_cast<Json::ArrayIndex>(i)] =
            entry("p" + std::to_string(i), hostile[i]);
    doc["profileselect"] = 0;
    JsonFileIO::storeJsonDocument(list.listPath(), doc);
    const auto outsideBefore = listFolder(dir.path());

    list.start();
    // The selected entry got a fresh identifier and a profile file inside the folder.
    const std::string uuid = list.currentProfileUuid();
    ASSERT_TRUE(isSafeFileStem(uuid));
    EXPECT_EQ(listDoc()["profilelist"][0]["profileUUID"], uuid);
    EXPECT_TRUE(std::filesystem::exists(dataFolder() + uuid + ".Json"));

    for (size_t i = 1; i < hostile.size(); ++i) {
        list.setCurrentSelection(static_cast<int32_t>(i));
        EXPECT_FALSE(list.resetProfile()) << hostile[i];
        EXPECT_FALSE(list.exportProfile(dir.path() + "out.json")) << hostile[i];
        EXPECT_EQ(list.renameProfile("r" + std::to_string(i)), ProfileList::kRenamed);
        EXPECT_TRUE(list.copyProfile());
    }
    list.setCurrentSelection(1);
    EXPECT_TRUE(list.deleteProfile());
    EXPECT_EQ(readBytes(dir.path() + "victim.Json"), "keep");
    EXPECT_EQ(listFolder(dir.path()), outsideBefore);
    for (const std::string& name : listFolder(dataFolder())) {
        const bool known = name == "ProfileList.ini" ||
                           (name.size() > 5 && isSafeFileStem(name.substr(0, name.size() - 5)) &&
                            name.substr(name.size() - 5) == ".Json");
        EXPECT_TRUE(known) << name;
    }
}

TEST(SafeFileStem, Rules) {
    for (const char* ok : {"2021_11_10_09_05_07_042", "a", "A-b_9"})
        EXPECT_TRUE(isSafeFileStem(ok)) << ok;
    for (const char* bad : {"", ".", "..", "a/b", "a\\b", "a.b", " a", "ä", "a\nb"})
        EXPECT_FALSE(isSafeFileStem(bad)) << bad;
    EXPECT_TRUE(isSafeFileStem(std::string(128, 'a')));
    EXPECT_FALSE(isSafeFileStem(std::string(129, 'a')));
}

}  // namespace
}  // namespace md
