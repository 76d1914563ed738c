#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>
#include <regex>
#include <set>
#include <string>
#include <vector>

#include "common/dbg_out.h"
#include "profiles/json_fields.h"
#include "profiles/json_file_io.h"
#include "temp_folder.h"

namespace md {
namespace {

using test::readBytes;
using test::TempFolder;
using test::writeBytes;

const std::string kDataDir = MD_SOURCE_DIR "/tests/profiles/data/";

Json::Value sampleDocument() {
    Json::Value doc;
    doc["profilename"] = "G\xC3\xA4me \"1\"";
    doc["profileUUID"] = "2021_11_10_09_05_07_042";
    Json::Value node;
    node["KeyList"][0]["DefaultAssignment"] = 1048832;
    node["KeyList"][0]["Assignment"] = 66292;
    node["LightInfo"]["Red"] = 255;
    node["LightInfo"]["MultiColor"] = true;
    node["DPIStages"]["StageDPIs"][0]["StageDPIX"] = 28;
    node["DPIStages"]["StageDPIs"][0]["StageActive"] = 1;
    node["DPIStages"]["StageActive"] = 1;
    node["Empty"] = Json::Value(Json::arrayValue);
    node["EmptyObject"] = Json::Value(Json::objectValue);
    for (int i = 1; i <= 3; ++i) node["Flags"].append(i);
    node["Negative"] = -5;
    node["Nothing"] = Json::Value();
    node["Ratio"] = 0.5;
    doc["Device"][0] = node;
    return doc;
}

TEST(JsonFileIO, StoredTextIsStyledWriterTextPlusOneLineEnd) {
    TempFolder dir;
    const std::string path = dir.path() + "p.Json";
    ASSERT_EQ(JsonFileIO::storeJsonDocument(path, sampleDocument()), 0);
    EXPECT_EQ(readBytes(path), readBytes(kDataDir + "styled_expected.json"));
    // Reading the file back gives the same document.
    EXPECT_EQ(JsonFileIO::loadJsonDocument(path), sampleDocument());
}

TEST(JsonFileIO, CommentsAreAllowedWhenLoading) {
    TempFolder dir;
    const std::string path = dir.path() + "c.Json";
    writeBytes(path, "// profile\n{ /* node */ \"a\" : 1 }\n");
    const Json::Value v = JsonFileIO::loadJsonDocument(path);
    ASSERT_TRUE(v.isObject());
    EXPECT_EQ(v["a"].asInt(), 1);
}

TEST(JsonFileIO, UnusableFilesReadAsNull) {
    TempFolder dir;
    struct Case {
        const char* name;
        std::string bytes;
    };
    const std::vector<Case> cases = {
        {"empty", ""},
        {"truncated", "{ \"Device\" : [ { \"KeyList\" : [ 1, "},
        {"garbage", "\x01\x02not json"},
        {"too deep", std::string(5000, '[') + std::string(5000, ']')},
    };
    for (const Case& c : cases) {
        const std::string path = dir.path() + c.name;
        writeBytes(path, c.bytes);
        EXPECT_TRUE(JsonFileIO::loadJsonDocument(path).isNull()) << c.name;
    }
    EXPECT_TRUE(JsonFileIO::loadJsonDocument(dir.path() + "missing").isNull());
    EXPECT_TRUE(JsonFileIO::loadJsonDocument(dir.path()).isNull());  // a folder
}

TEST(JsonFileIO, HostileFilesAreRefusedBeforeParsing) {
    TempFolder dir;
    // A FIFO with no writer: opening it must not wait.
    const std::string fifo = dir.path() + "fifo.Json";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    EXPECT_TRUE(JsonFileIO::loadJsonDocument(fifo).isNull());
    EXPECT_TRUE(JsonFileIO::loadJsonDocument("/dev/null").isNull());
    // Larger than the limit (sparse, so nothing is really written).
    const std::string huge = dir.path() + "huge.Json";
    writeBytes(huge, "{}");
    std::filesystem::resize_file(huge, JsonFileIO::kMaxFileBytes + 1);
    EXPECT_TRUE(JsonFileIO::readjsonFile(huge).empty());
    // Nesting: the limit is read, one more level is not; brackets in strings do not count.
    auto nested = [](int depth) {
        return std::string(size_t(depth), '[') + "\"[[{{\\\"\"" + std::string(size_t(depth), ']');
    };
    const std::string ok = dir.path() + "ok.Json", deep = dir.path() + "deep.Json";
    writeBytes(ok, nested(JsonFileIO::kMaxNesting));
    writeBytes(deep, nested(JsonFileIO::kMaxNesting + 1));
    EXPECT_TRUE(JsonFileIO::loadJsonDocument(ok).isArray());
    EXPECT_TRUE(JsonFileIO::loadJsonDocument(deep).isNull());
}

TEST(JsonFileIO, ReadWritesItsDebuggerLineWithTheSystemError) {
    TempFolder dir;
    std::vector<std::string> lines;
    setDbgSink([&](std::string_view l) { lines.emplace_back(l); });
    EXPECT_EQ(JsonFileIO::readjsonFile(dir.path() + "missing"), "");
    writeBytes(dir.path() + "f", "abc");
    EXPECT_EQ(JsonFileIO::readjsonFile(dir.path() + "f"), "abc");
    setDbgSink(nullptr);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0], "readjsonFile 错误吗：：2");  // ENOENT
    EXPECT_EQ(lines[1], "readjsonFile 错误吗：：0");
}

TEST(JsonFileIO, InterruptedWriteLeavesTheOldFileIntact) {
    TempFolder dir;
    const std::string path = dir.path() + "p.Json";
    Json::Value oldDoc;
    oldDoc["profilename"] = "old";
    ASSERT_EQ(JsonFileIO::storeJsonDocument(path, oldDoc), 0);
    const std::string before = readBytes(path);

    std::string seenTemp;
    JsonFileIO::setCommitHookForTesting([&](const std::string& temp) {
        seenTemp = temp;
        // The new text is complete in the temporary file, beside the target.
        EXPECT_EQ(readBytes(temp), JsonFileIO::styledText(sampleDocument()));
        return false;  // the machine stops here
    });
    EXPECT_EQ(JsonFileIO::storeJsonDocument(path, sampleDocument()), -1);
    JsonFileIO::setCommitHookForTesting(nullptr);

    EXPECT_EQ(seenTemp.rfind(dir.path(), 0), 0u);
    EXPECT_EQ(readBytes(path), before);
    EXPECT_EQ(test::listFolder(dir.path()), std::vector<std::string>{"p.Json"});
}

TEST(JsonFileIO, StaleTempFilesAreRemoved) {
    TempFolder dir;
    for (const char* name : {"p.Json.tmp-a1B2c3", "ProfileList.ini.tmp-XXXXXX", "p.Json",
                             "p.Json.tmp-short", "q.tmp-1234567", ".tmp-abcdef"})
        writeBytes(dir.path() + name, "x");
    EXPECT_EQ(JsonFileIO::removeStaleTempFiles(dir.path()), 2);
    EXPECT_EQ(
        test::listFolder(dir.path()),
        (std::vector<std::string>{".tmp-abcdef", "p.Json", "p.Json.tmp-short", "q.tmp-1234567"}));
    EXPECT_EQ(JsonFileIO::removeStaleTempFiles(dir.path() + "missing/"), 0);
}

TEST(JsonFileIO, WriteIntoMissingFolderFailsAndSaysSo) {
    TempFolder dir;
    EXPECT_EQ(JsonFileIO::storeJsonDocument(dir.path() + "no/such/p.Json", sampleDocument()), -1);
}

TEST(JsonFileIO, TimestampNames) {
    EXPECT_EQ(JsonFileIO::formatTimestampName(2021, 11, 10, 9, 5, 7, 42),
              "2021_11_10_09_05_07_042");
    EXPECT_EQ(JsonFileIO::formatTimestampName(1999, 1, 2, 23, 59, 58, 999),
              "1999_01_02_23_59_58_999");
    // Names made in quick succession (many within one millisecond) are all distinct.
    const std::regex shape(R"(\d{4}_\d\d_\d\d_\d\d_\d\d_\d\d_\d{3})");
    std::set<std::string> names;
    for (int i = 0; i < 2000; ++i) {
        const std::string name = JsonFileIO::makeTimestampName();
        ASSERT_TRUE(std::regex_match(name, shape)) << name;
        names.insert(name);
    }
    EXPECT_EQ(names.size(), 2000u);
}

TEST(JsonFields, WrongTypedMembersReadAsMissing) {
    Json::Value v;
    v["int"] = 300;
    v["big"] = Json::UInt64(0x1'0000'0102ull);
    v["neg"] = -1;
    v["real"] = 7.9;
    v["hugeReal"] = 1e300;
    v["bool"] = true;
    v["text"] = "12";
    v["list"][0] = 1;
    v["obj"]["a"] = 1;
    struct Case {
        const char* key;
        int32_t asInt;
        bool asBool;
        std::string asString;
    };
    const std::vector<Case> cases = {
        {"int", 300, true, ""},    {"big", 0x102, true, ""},  {"neg", -1, true, ""},
        {"real", 7, true, ""},     {"hugeReal", 0, true, ""}, {"bool", 1, true, ""},
        {"text", 0, false, "12"},  {"list", 0, false, ""},    {"obj", 0, false, ""},
        {"missing", 0, false, ""},
    };
    for (const Case& c : cases) {
        const Json::Value& m = json::member(v, c.key);
        EXPECT_EQ(json::toInt(m), c.asInt) << c.key;
        EXPECT_EQ(json::toBool(m), c.asBool) << c.key;
        EXPECT_EQ(json::toString(m), c.asString) << c.key;
    }
    // Member and element access on values of the wrong kind give null instead of throwing.
    EXPECT_TRUE(json::member(Json::Value(5), "a").isNull());
    EXPECT_TRUE(json::element(v, 0).isNull());
    EXPECT_TRUE(json::element(v["list"], 1).isNull());
}

TEST(JsonFields, WritersReplaceContainersOfTheWrongKindAndRefuseHugeIndexes) {
    Json::Value v = "text";
    json::objectMember(v, "a") = 1;
    EXPECT_TRUE(v.isObject());
    Json::Value list = 5;
    ASSERT_NE(json::arrayElement(list, 2), nullptr);
    EXPECT_EQ(list.size(), 3u);
    EXPECT_EQ(json::arrayElement(list, json::kMaxGrowIndex + 1), nullptr);
    EXPECT_EQ(list.size(), 3u);
}

}  // namespace
}  // namespace md
