// The macro list and files: naming, limits, rename rules, hostile and oversized imports, an
// export that cannot read its macro, and the renumbering of assignments after a delete in
// every profile of the device.
#include <gtest/gtest.h>

#include <fstream>

#include "devlink/link/device_identity.h"
#include "profiles/basic_profiledata.h"
#include "profiles/json_file_io.h"
#include "profiles/macro_list.h"
#include "profiles/profile_list.h"
#include "profiles/temp_folder.h"

namespace md {
namespace {

void writeText(const std::string& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

TEST(MacroList, NamesLimitsAndRename) {
    test::TempFolder dir;
    MacroList list(dir.path());
    ASSERT_TRUE(list.load());
    EXPECT_EQ(list.size(), 0u);
    ASSERT_EQ(list.add(), 0);
    ASSERT_EQ(list.add(), 1);
    ASSERT_EQ(list.add(), 2);
    EXPECT_EQ(list.names(), (std::vector<std::string>{"macro_1", "macro_2", "macro_3"}));
    ASSERT_EQ(list.remove(1), 0);
    EXPECT_EQ(list.add(), 2);  // the first free number again
    EXPECT_EQ(list.name(2), "macro_2");
    EXPECT_EQ(MacroList::freeName({"MACRO_1", "macro_3"}), "macro_2");

    EXPECT_EQ(list.rename(0, "  Reload  "), 0);
    EXPECT_EQ(list.name(0), "Reload");
    EXPECT_EQ(list.rename(1, "RELOAD"), MacroList::kNameTaken);
    EXPECT_EQ(list.rename(0, "reload"), MacroList::kNameTaken);  // itself too, case aside
    EXPECT_EQ(list.rename(1, "   "), MacroList::kEmptyName);
    EXPECT_EQ(list.rename(9, "x"), MacroList::kNoSuchMacro);

    // What was written is what a new reader sees.
    MacroList again(dir.path());
    ASSERT_TRUE(again.load());
    EXPECT_EQ(again.names(), list.names());
    while (list.size() < kMaxMacros) ASSERT_GE(list.add(), 0);
    EXPECT_EQ(list.add(), MacroList::kFull);
}

TEST(MacroList, EventsRoundTripAndAreNormalised) {
    test::TempFolder dir;
    MacroList list(dir.path());
    ASSERT_TRUE(list.load());
    ASSERT_EQ(list.add(), 0);
    const std::vector<MacroEvent> events = {{MacroEvent::kKey, 0x04, true, 120},
                                            {MacroEvent::kKey, 0x04, false, 0},
                                            {MacroEvent::kMouseButton, 0x01, true, 65535},
                                            {MacroEvent::kMoveX, 10, false, 5}};
    ASSERT_EQ(list.saveEvents(0, events), 0);
    EXPECT_EQ(list.events(0), events);
    const Json::Value doc = JsonFileIO::loadJsonDocument(list.filePath(0));
    EXPECT_EQ(doc["Version"], 64);
    EXPECT_EQ(doc["Events"][0]["Delay"], "120");  // delays as decimal text
    EXPECT_EQ(doc["MacroName"], "macro_1");
}

TEST(MacroList, HostileAndOversizedImports) {
    test::TempFolder dir;
    MacroList list(dir.path());
    ASSERT_TRUE(list.load());
    // Delays beyond the format, unknown types and wrong types: normalised or left out.
    const std::string mixed = dir.path() + "mixed.mac";
    writeText(mixed, R"({"MacroName":"x","Guid":"../../etc/passwd","Events":[
        {"Type":10,"Button":4,"Action":"down","Delay":"70000"},
        {"Type":10,"Button":4,"Action":"up","Delay":-3},
        {"Type":77,"Button":4,"Action":"down","Delay":"1"},
        {"Type":10,"Button":999,"Action":"down","Delay":"1"},
        {"Type":10,"Button":4,"Action":"sideways","Delay":"1"},
        "not an event",
        {"Type":"9","Button":"2","Action":"down","Delay":"99999999999999999999"}],"Version":64})");
    const int i = list.importFile(mixed);
    ASSERT_GE(i, 0) << list.problem();
    const std::vector<MacroEvent> want = {{MacroEvent::kKey, 4, true, 65535},
                                          {MacroEvent::kKey, 4, false, 0},
                                          {MacroEvent::kModifier, 2, true, 65535}};
    EXPECT_EQ(list.events(size_t(i)), want);
    // The imported file's own Guid never names a file: the new macro has a fresh one.
    EXPECT_NE(list.guid(size_t(i)), "../../etc/passwd");
    EXPECT_EQ(list.filePath(size_t(i)).rfind(dir.path(), 0), 0u);

    // Oversized: only the first 4000 events.
    Json::Value big(Json::objectValue);
    for (int n = 0; n < 4100; ++n)
        big["Events"].append(macroEventJson({MacroEvent::kKey, 5, n % 2 == 0, 1}));
    ASSERT_EQ(JsonFileIO::storeJsonDocument(dir.path() + "big.mac", big), 0);
    const int b = list.importFile(dir.path() + "big.mac");
    ASSERT_GE(b, 0);
    EXPECT_EQ(list.events(size_t(b)).size(), kMaxMacroEvents);

    // Unreadable sources add nothing.
    const size_t before = list.size();
    for (const std::string& bad : {dir.path() + "missing.mac", dir.path() + "broken.mac",
                                   dir.path() + "noevents.mac", std::string("/dev/zero")}) {
        writeText(dir.path() + "broken.mac", "{ nope");
        writeText(dir.path() + "noevents.mac", R"({"MacroName":"y"})");
        EXPECT_EQ(list.importFile(bad), MacroList::kUnusableFile) << bad;
        EXPECT_FALSE(list.problem().empty()) << bad;
    }
    EXPECT_EQ(list.size(), before);
}

TEST(MacroList, ExportOfAnUnreadableMacroWritesNothing) {
    test::TempFolder dir;
    MacroList list(dir.path());
    ASSERT_TRUE(list.load());
    ASSERT_EQ(list.add(), 0);
    ASSERT_EQ(list.saveEvents(0, {{MacroEvent::kKey, 4, true, 1}}), 0);
    const std::string target = dir.path() + "out.mac";
    ASSERT_EQ(list.exportFile(0, target), 0);
    std::string problem;
    EXPECT_EQ(readMacroFile(target, problem).events.size(), 1u);
    writeText(target, "keep me");
    writeText(list.filePath(0), "{ damaged");
    EXPECT_EQ(list.exportFile(0, target), MacroList::kUnusableFile);
    EXPECT_EQ(test::readBytes(target), "keep me");  // the target is not clobbered
}

TEST(MacroList, ADamagedListIsNeverOverwritten) {
    test::TempFolder dir;
    writeText(dir.path() + "macro.config", "{ \"MacroInfo\": [ oops");
    MacroList list(dir.path());
    EXPECT_FALSE(list.load());
    EXPECT_NE(list.problem().find("macro.config"), std::string::npos);
    EXPECT_EQ(list.add(), MacroList::kListDamaged);
    EXPECT_EQ(test::readBytes(dir.path() + "macro.config"), "{ \"MacroInfo\": [ oops");
}

TEST(MacroList, DeletingRenumbersAssignmentsInEveryProfile) {
    auto binding = [](uint8_t type, uint8_t macro) {
        KeyBinding b;
        b.assignment = {type, macro, 0};
        b.defaultAssignment = {0x10, 0x01, 0x00};
        return b;
    };
    std::vector<KeyBinding> keys = {binding(0x70, 1), binding(0x71, 2), binding(0x70, 3),
                                    binding(0x70, 0), binding(0x10, 2)};
    EXPECT_TRUE(renumberMacroAssignments(keys, 1));
    EXPECT_EQ(keys[0].assignment, (std::array<uint8_t, 3>{0x10, 0x01, 0x00}));  // reset
    EXPECT_EQ(keys[1].assignment, (std::array<uint8_t, 3>{0x71, 1, 0}));
    EXPECT_EQ(keys[2].assignment, (std::array<uint8_t, 3>{0x70, 2, 0}));
    EXPECT_EQ(keys[3].assignment, (std::array<uint8_t, 3>{0x70, 0, 0}));
    EXPECT_EQ(keys[4].assignment, (std::array<uint8_t, 3>{0x10, 2, 0}));  // no macro
    EXPECT_FALSE(renumberMacroAssignments(keys, 7));

    // Two profiles of the mouse, each with a key on macro 3 (of 4): after deleting macro 1
    // both say macro 2.
    test::TempFolder dir;
    const std::string tmpl = std::string(MD_SOURCE_DIR) + "/DefaultData/mouse.Json";
    ProfileList profiles;
    profiles.setDeviceKind(kind::kMouseWired);
    profiles.setFolders(dir.path(), tmpl);
    ASSERT_TRUE(profiles.start()) << profiles.problem();
    ASSERT_TRUE(profiles.addProfile());
    ASSERT_EQ(profiles.itemNames().size(), 2u);
    for (int p = 0; p < 2; ++p) {
        CBasicProfiledata data;
        const std::string path = dir.path() + profiles.itemUuid(p) + ".Json";
        data.setProfilePath(path);
        data.loadNode(path);
        auto list = data.readKeyList();
        ASSERT_GT(list.size(), 4u);
        list[4].assignment = {0x70, 3, 0};
        data.writeKeyList(list);
        ASSERT_TRUE(data.save());
    }
    EXPECT_EQ(renumberMacroAssignmentsInProfiles(dir.path(), kind::kMouseWired, tmpl, 1), 2);
    for (int p = 0; p < 2; ++p) {
        CBasicProfiledata data;
        const std::string path = dir.path() + profiles.itemUuid(p) + ".Json";
        data.loadNode(path);
        EXPECT_EQ(data.readKeyList()[4].assignment, (std::array<uint8_t, 3>{0x70, 2, 0})) << p;
    }
}

}  // namespace
}  // namespace md
