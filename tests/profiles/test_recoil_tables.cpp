// The recoil tables: defaults copied on first use, bullets written and read back with the
// document's other members kept, a reset that touches one gun, imports that are no table.
#include <gtest/gtest.h>

#include <fstream>

#include "profiles/json_file_io.h"
#include "profiles/recoil_tables.h"
#include "profiles/temp_folder.h"

namespace md {
namespace {

const std::string kDefaults = std::string(MD_SOURCE_DIR) + "/DefaultData/";

TEST(RecoilTables, DefaultsBulletsAndReset) {
    test::TempFolder dir;
    RecoilTables t(dir.path(), kDefaults);
    EXPECT_EQ(t.init(), 4);
    EXPECT_EQ(t.init(), 0);  // only missing tables
    const RecoilBullet shipped = t.bullet(2, 0);
    const RecoilBullet b{true, 12, false, 200, 85};
    ASSERT_EQ(t.setBullet(1, 29, b), RecoilTables::kOk);
    ASSERT_EQ(t.setBullet(2, 0, b), RecoilTables::kOk);
    EXPECT_EQ(t.bullet(1, 29), b);
    const Json::Value doc = JsonFileIO::loadJsonDocument(t.userPath(1));
    ASSERT_EQ(doc["Events"].size(), 180u);
    EXPECT_EQ(doc["Events"][174], RecoilTables::bulletEvents(b)[0]);  // left press
    EXPECT_EQ(doc["Events"][176]["Action"], "down");                  // moving left
    EXPECT_EQ(doc["Events"][177]["Delay"], 85);
    // Resetting gun 2 brings its shipped table back and leaves gun 1 alone.
    ASSERT_EQ(t.resetGun(2), RecoilTables::kOk);
    EXPECT_EQ(t.bullet(2, 0), shipped);
    EXPECT_EQ(t.bullet(1, 29), b);
    // Out-of-range numbers are clamped.
    EXPECT_EQ(t.bullet(7, 99), t.bullet(3, 29));
}

TEST(RecoilTables, OtherMembersAreKeptAndShortListsFilled) {
    test::TempFolder dir;
    std::ofstream(dir.path() + "ShootData_0.Shoot") << R"({"Name":"mine","Events":[]})";
    RecoilTables t(dir.path(), kDefaults);
    EXPECT_EQ(t.init(), 3);
    EXPECT_EQ(t.bullet(0, 5), RecoilBullet{});  // missing events: zero moves
    ASSERT_EQ(t.setBullet(0, 5, {false, 3, true, 4, 50}), RecoilTables::kOk);
    const Json::Value doc = JsonFileIO::loadJsonDocument(t.userPath(0));
    EXPECT_EQ(doc["Name"], "mine");
    EXPECT_EQ(doc["Events"].size(), 36u);
    EXPECT_EQ(t.bullet(0, 5), (RecoilBullet{false, 3, true, 4, 50}));
}

TEST(RecoilTables, GarbageIsRefusedAndNeverReplacesAGoodTable) {
    test::TempFolder dir;
    RecoilTables t(dir.path(), kDefaults);
    t.init();
    ASSERT_EQ(t.setBullet(3, 0, {true, 1, true, 2, 3}), RecoilTables::kOk);
    const std::string before = test::readBytes(t.userPath(3));
    const std::pair<const char*, const char*> files[] = {
        {"array.shoot", "[1,2,3]"},
        {"no_events.shoot", R"({"Event":[]})"},
        {"short.shoot", R"({"Events":[{"Action":"down","Type":1}]})"},
        {"broken.shoot", "{ not json"},
        {"empty.shoot", ""}};
    for (const auto& [name, text] : files) {
        std::ofstream(dir.path() + name) << text;
        EXPECT_EQ(t.importGun(3, dir.path() + name), RecoilTables::kUnusableFile) << name;
        EXPECT_FALSE(t.problem().empty()) << name;
        EXPECT_EQ(test::readBytes(t.userPath(3)), before) << name;
    }
    // A good table imports, and exports as it is.
    ASSERT_EQ(t.importGun(3, kDefaults + "ShootData_1.Shoot"), RecoilTables::kOk);
    EXPECT_EQ(t.bullet(3, 4), RecoilTables(dir.path(), kDefaults).bullet(1, 4));
    ASSERT_EQ(t.exportGun(3, dir.path() + "out.shoot"), RecoilTables::kOk);
    EXPECT_EQ(JsonFileIO::loadJsonDocument(dir.path() + "out.shoot"),
              JsonFileIO::loadJsonDocument(t.userPath(3)));
    // A damaged table takes no bullet edit.
    std::ofstream(t.userPath(2)) << "{ damaged";
    EXPECT_EQ(t.setBullet(2, 0, {}), RecoilTables::kUnusableFile);
    EXPECT_EQ(test::readBytes(t.userPath(2)), "{ damaged");
}

TEST(RecoilTables, FieldValuesStayInRange) {
    for (const auto& [text, max, want] : std::initializer_list<std::tuple<const char*, int, int>>{
             {"300", 255, 255},
             {"-5", 255, 0},
             {"abc", 255, 0},
             {"", 65535, 0},
             {"70000", 65535, 65535},
             {"99999999999999999999", 255, 255},
             {"42", 255, 42}})
        EXPECT_EQ(RecoilTables::fieldValue(text, max), want) << text;
}

}  // namespace
}  // namespace md
