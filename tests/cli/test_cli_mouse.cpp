// The mouse verbs of the command-line tool against the virtual mouse, on its cable and through
// its receiver: exit codes and what the mouse holds afterwards.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <sstream>

#include "cli/cli_context.h"
#include "common/bounded_file.h"
#include "common/le_bytes.h"
#include "devices/mouse/mouse_key_table.h"
#include "profiles/app_paths.h"
#include "profiles/json_file_io.h"
#include "profiles/temp_folder.h"
#include "sim/sim_devices.h"

namespace md {
namespace {

struct MouseVerbCase {
    const char* name;
    std::vector<std::string> args;
    int rc;
    std::function<void(sim::Firmware&, bool wireless)> check;
};

std::vector<uint8_t> block0(sim::Firmware& fw) {
    return fw.configBlock(0);
}

class CliMouse : public ::testing::Test {
  protected:
    void SetUp() override {
        AppPaths::setDataRoot(data.path());
        AppPaths::setApplicationFolder(MD_SOURCE_DIR);  // DefaultData/ lies in the source tree
    }
    void TearDown() override {
        AppPaths::setDataRoot("");
        AppPaths::setApplicationFolder("");
    }
    int run(std::shared_ptr<sim::VirtualBus> bus, std::vector<std::string> args,
            std::string* errOut = nullptr) {
        std::ostringstream out, err;
        const int rc = cli::runCli(args, out, err, bus);
        if (errOut) *errOut = err.str();
        return rc;
    }
    test::TempFolder data;
};

TEST_F(CliMouse, VerbsChangeTheMouseOnItsCableAndThroughItsReceiver) {
    const MouseVerbCase cases[] = {
        {"dpi set",
         {"dpi", "set", "2", "3200"},
         0,
         [](sim::Firmware& fw, bool) { EXPECT_EQ(getLe16(block0(fw), 19), 59); }},
        {"dpi active",
         {"dpi", "active", "3"},
         0,
         [](sim::Firmware& fw, bool) { EXPECT_EQ(block0(fw)[25], 3); }},
        {"dpi disable", {"dpi", "disable", "1"}, 0, nullptr},
        {"polling",
         {"polling", "4"},
         0,
         [](sim::Firmware& fw, bool) { EXPECT_EQ(block0(fw)[14], 4); }},
        {"lighting",
         {"lighting", "3", "--brightness", "2", "--speed", "1", "--colour", "102030"},
         0,
         [](sim::Firmware& fw, bool wireless) {
             const auto b = block0(fw);
             EXPECT_EQ(b[1], 3);
             EXPECT_EQ(b[2], 2);
             EXPECT_EQ(b[3], wireless ? 3 : 1);  // the receiver takes the speed reversed
             EXPECT_EQ(b[6], 0x10);
             EXPECT_EQ(b[8], 0x30);
         }},
        {"keys set",
         {"keys", "set", "3", "110001"},
         0,
         [](sim::Firmware& fw, bool) {
             const auto layout = fw.keyLayout();
             for (size_t k = 0; k < fw.keyEntries(); ++k) {
                 if (std::equal(layout.begin() + 3 * k, layout.begin() + 3 * k + 3,
                                mouseFactoryEntries()[3].begin())) {
                     EXPECT_EQ(fw.keyEntry(k), (std::array<uint8_t, 3>{0x11, 0x00, 0x01}));
                 }
             }
         }},
        {"keys set by name",
         {"keys", "set", "2", "key:ctrl+c"},
         0,
         [](sim::Firmware& fw, bool) {
             const auto layout = fw.keyLayout();
             for (size_t k = 0; k < fw.keyEntries(); ++k) {
                 if (std::equal(layout.begin() + 3 * k, layout.begin() + 3 * k + 3,
                                mouseFactoryEntries()[2].begin())) {
                     EXPECT_EQ(fw.keyEntry(k), (std::array<uint8_t, 3>{0x20, 0x01, 0x06}));
                 }
             }
         }},
        {"settings", {"settings"}, 0, nullptr},
        {"keys", {"--json", "keys"}, 0, nullptr},
        {"no such macro", {"keys", "set", "1", "macro:0"}, 2, nullptr},
        {"unknown function", {"keys", "set", "1", "teleport"}, 2, nullptr},
        {"stage out of range", {"dpi", "set", "9", "800"}, 2, nullptr},
        {"resolution not a number", {"dpi", "set", "1", "fast"}, 2, nullptr},
        {"polling out of range", {"polling", "5"}, 2, nullptr},
        {"unknown mode", {"lighting", "12"}, 2, nullptr},
        {"bad colour", {"lighting", "1", "--colour", "zz0000"}, 2, nullptr},
        {"button out of range", {"keys", "set", "11", "100100"}, 2, nullptr},
        {"short code", {"keys", "set", "1", "1001"}, 2, nullptr},
    };
    for (const bool wireless : {false, true}) {
        for (const auto& c : cases) {
            SCOPED_TRACE(std::string(c.name) + (wireless ? " (receiver)" : " (cable)"));
            auto bus = sim::makeVirtualBus({"mouse", "receiver"}, "");
            auto args = c.args;
            args.insert(args.begin(), {"--device", wireless ? "receiver" : "mouse"});
            std::string err;
            EXPECT_EQ(run(bus, args, &err), c.rc) << err;
            if (c.check) c.check(bus->device("mouse")->firmware(), wireless);
        }
    }
}

TEST_F(CliMouse, KeyNamesRoundTripThroughTheProfile) {
    auto bus = sim::makeVirtualBus({"mouse"}, "");
    const char* const names[] = {"dpi-up", "key:shift+f4",    "wheel-left", "fire:30:3",
                                 "back",   "media:volume-up", "disabled"};
    for (int b = 0; b < 7; ++b)
        ASSERT_EQ(run(bus, {"keys", "set", std::to_string(b), names[b]}), 0);
    std::ostringstream out, err;
    ASSERT_EQ(cli::runCli({"--json", "keys"}, out, err, bus), 0) << err.str();
    Json::Value v;
    ASSERT_TRUE(parseJsonText(out.str(), v));
    for (int b = 0; b < 7; ++b) EXPECT_EQ(v[b]["function"].asString(), names[b]) << b;
    // "default" puts the factory function back.
    ASSERT_EQ(run(bus, {"keys", "set", "0", "default"}), 0);
    std::ostringstream again;
    ASSERT_EQ(cli::runCli({"--json", "keys"}, again, err, bus), 0);
    ASSERT_TRUE(parseJsonText(again.str(), v));
    EXPECT_TRUE(v[0]["factory"].asBool());
}

TEST_F(CliMouse, DisablingTheLastEnabledStageIsRefused) {
    auto bus = sim::makeVirtualBus({"mouse"}, "");
    for (const char* s : {"0", "1", "2", "3"}) ASSERT_EQ(run(bus, {"dpi", "disable", s}), 0);
    EXPECT_EQ(run(bus, {"dpi", "disable", "4"}), 2);
    EXPECT_EQ(run(bus, {"dpi", "enable", "0"}), 0);
    EXPECT_EQ(run(bus, {"dpi", "disable", "4"}), 0);
}

TEST_F(CliMouse, UnreachableOrMissingMouse) {
    auto bus = sim::makeVirtualBus({"mouse", "receiver"}, "");
    bus->device("mouse")->firmware().setPoweredOn(false);
    std::string err;
    EXPECT_EQ(run(bus, {"--device", "receiver", "polling", "1"}, &err), 1);
    EXPECT_NE(err.find("switched off"), std::string::npos) << err;
    auto onlyReceiver = sim::makeVirtualBus({"receiver"}, "");
    EXPECT_EQ(run(onlyReceiver, {"--device", "mouse", "settings"}), 3);
    EXPECT_EQ(run(onlyReceiver, {"--device", "headset", "polling", "1"}), 2);
    EXPECT_EQ(run(onlyReceiver, {"--device", "headset", "settings"}), 3);  // no headset here
    auto keyboardOnly = sim::makeVirtualBus({"keyboard"}, "");
    EXPECT_EQ(run(keyboardOnly, {"settings"}), 3);
}

TEST_F(CliMouse, ProfileDumpAndApplyRoundTrip) {
    auto bus = sim::makeVirtualBus({"mouse"}, "");
    auto& fw = bus->device("mouse")->firmware();
    ASSERT_EQ(run(bus, {"dpi", "set", "0", "5000"}), 0);
    ASSERT_EQ(run(bus, {"lighting", "2", "--colour", "123456"}), 0);
    const auto saved = fw.configBlock(0);
    const std::string file = data.path() + "dump.json";
    ASSERT_EQ(run(bus, {"profile", "dump", file}), 0);
    ASSERT_EQ(run(bus, {"lighting", "1", "--colour", "ffffff"}), 0);
    ASSERT_EQ(run(bus, {"dpi", "set", "0", "800"}), 0);
    EXPECT_NE(fw.configBlock(0), saved);
    ASSERT_EQ(run(bus, {"profile", "apply", file}), 0);
    const auto applied = fw.configBlock(0);
    EXPECT_TRUE(std::equal(saved.begin(), saved.begin() + 48, applied.begin()));

    const std::string junk = data.path() + "junk.json";
    std::ofstream(junk) << "{ \"not\": \"a profile\" }";
    EXPECT_EQ(run(bus, {"profile", "apply", junk}), 2);
    EXPECT_EQ(run(bus, {"profile", "dump"}), 2);
    EXPECT_EQ(run(bus, {"profile", "dump", "/nonexistent/dir/x.json"}), 1);
}

// Writes a macro list with one macro of n key events, and four recoil files of 3 events each,
// into the mouse's data folder.
void writeMouseFiles(const std::string& dataRoot, int macroEvents) {
    const std::string folder = dataRoot + "mouse/";
    std::filesystem::create_directories(folder);
    auto events = [](int n) {
        Json::Value doc;
        doc["Events"] = Json::Value(Json::arrayValue);
        for (int k = 0; k < n; ++k) {
            Json::Value e;
            e["Type"] = 10;
            e["Button"] = 4 + k % 20;
            e["Action"] = k % 2 ? "up" : "down";
            e["Delay"] = "20";
            doc["Events"].append(e);
        }
        return doc;
    };
    Json::Value list;
    Json::Value m;
    m["MacroName"] = "burst";
    m["Guid"] = "burst";
    list["MacroInfo"].append(m);
    ASSERT_EQ(JsonFileIO::storeJsonDocument(folder + "macro.config", list), 0);
    ASSERT_EQ(JsonFileIO::storeJsonDocument(folder + "burst.mac", events(macroEvents)), 0);
    for (int gun = 1; gun <= 4; ++gun) {
        ASSERT_EQ(JsonFileIO::storeJsonDocument(
                      folder + "ShootData_" + std::to_string(gun) + ".Shoot", events(3)),
                  0);
    }
}

TEST_F(CliMouse, MacroAndRecoilImagesAreUploaded) {
    writeMouseFiles(data.path(), 10);
    for (const char* device : {"mouse", "receiver"}) {
        SCOPED_TRACE(device);
        auto bus = sim::makeVirtualBus({"mouse", "receiver"}, "");
        auto& fw = bus->device("mouse")->firmware();
        ASSERT_EQ(run(bus, {"--device", device, "macros", "upload"}), 0);
        const auto macros = fw.macroImage();
        ASSERT_TRUE(macros.valid) << macros.error;
        ASSERT_EQ(macros.entries.size(), 1u);
        EXPECT_EQ(macros.entries[0].events.size(), 10u);
        ASSERT_EQ(run(bus, {"--device", device, "recoil", "upload"}), 0);
        const auto recoil = fw.recoilImage();
        ASSERT_TRUE(recoil.valid) << recoil.error;
        EXPECT_EQ(recoil.entries.size(), 4u);
    }
    EXPECT_EQ(run(sim::makeVirtualBus({"mouse"}, ""), {"macros", "upload", "extra"}), 2);
}

TEST_F(CliMouse, MacrosThatDoNotFitAreRefusedWithTheEventsToRemove) {
    writeMouseFiles(data.path(), 2000);  // far beyond the mouse's 4 KiB
    auto bus = sim::makeVirtualBus({"mouse"}, "");
    std::string err;
    EXPECT_EQ(run(bus, {"macros", "upload"}, &err), 1);
    EXPECT_NE(err.find("remove"), std::string::npos) << err;
    EXPECT_TRUE(bus->device("mouse")->firmware().macroImage().entries.empty());
}

TEST_F(CliMouse, FailingWritesExitWithTheResultCode) {
    auto bus = sim::makeVirtualBus({"mouse"}, "");
    bus->device("mouse")->injectFault(sim::Fault::statusAt(5, 0xFF, true));  // after attach
    std::string err;
    EXPECT_EQ(run(bus, {"polling", "2"}, &err), 1);
    EXPECT_NE(err.find("-102"), std::string::npos) << err;
}

// The mouse's current profile file, as the list names it.
std::string currentProfilePath(const std::string& dataRoot) {
    const std::string folder = dataRoot + "mouse/";
    const Json::Value list = JsonFileIO::loadJsonDocument(folder + "ProfileList.ini");
    const int sel = list["profileselect"].asInt();
    return folder + list["profilelist"][sel]["profileUUID"].asString() + ".Json";
}

std::string bytesOf(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TEST_F(CliMouse, HostileProfileFilesAreRefusedWithAMessage) {
    auto bus = sim::makeVirtualBus({"mouse"}, "");
    auto& fw = bus->device("mouse")->firmware();
    ASSERT_EQ(run(bus, {"polling", "1"}), 0);
    const auto block = fw.configBlock(0);
    const std::string listPath = data.path() + "mouse/ProfileList.ini";
    const std::string listBefore = bytesOf(listPath);
    const std::string in = data.path() + "in.json";
    auto profileWith = [](const std::string& device) {
        return R"({"profilename":"x","profileUUID":"y","Device":[)" + device + "]}";
    };
    struct Case {
        const char* name;
        std::function<void()> make;
        const char* message;
    };
    const Case cases[] = {
        {"fifo", [&] { ASSERT_EQ(::mkfifo(in.c_str(), 0600), 0); }, "is not a regular file"},
        {"directory", [&] { std::filesystem::create_directory(in); }, "is not a regular file"},
        {"huge",
         [&] {
             std::ofstream(in) << "{}";
             std::filesystem::resize_file(in, 17u * 1024 * 1024);
         },
         "is larger than 16 MB"},
        {"deep", [&] { std::ofstream(in) << std::string(100, '[') << std::string(100, ']'); },
         "nests deeper than 64 levels"},
        {"truncated", [&] { std::ofstream(in) << R"({"profilename":"x",)"; }, "is not valid JSON"},
        {"out of range",
         [&] {
             std::ofstream(in) << profileWith(
                 R"({"ReportStages":{"StageActive":77},"DPIStages":{"StageActive":99}})");
         },
         R"("DPIStages.StageActive" is 99 (allowed 0 to 4))"},
        {"wrong type", [&] { std::ofstream(in) << profileWith(R"({"LightInfo":{"Light":[4]}})"); },
         R"("LightInfo.Light" is not a whole number)"},
        {"missing", [] {}, "does not exist"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::filesystem::remove_all(in);
        c.make();
        std::string err;
        EXPECT_EQ(run(bus, {"profile", "apply", in}, &err), 2);
        EXPECT_NE(err.find("profile apply: " + in), std::string::npos) << err;
        EXPECT_NE(err.find(c.message), std::string::npos) << err;
        EXPECT_EQ(bytesOf(listPath), listBefore);
        EXPECT_EQ(fw.configBlock(0), block);
    }
}

TEST_F(CliMouse, DamagedListOrProfileIsReportedAndNothingIsRewritten) {
    auto bus = sim::makeVirtualBus({"mouse"}, "");
    auto& fw = bus->device("mouse")->firmware();
    ASSERT_EQ(run(bus, {"polling", "1"}), 0);
    const auto block = fw.configBlock(0);
    const std::string listPath = data.path() + "mouse/ProfileList.ini";
    const std::string profilePath = currentProfilePath(data.path());
    for (const std::string& damaged : {listPath, profilePath}) {
        SCOPED_TRACE(damaged);
        const std::string good = bytesOf(damaged);
        const std::string truncated = good.substr(0, good.size() / 2);
        std::ofstream(damaged, std::ios::trunc) << truncated;
        std::string err;
        EXPECT_EQ(run(bus, {"polling", "3"}, &err), 1);
        EXPECT_NE(err.find(damaged + " is not valid JSON"), std::string::npos) << err;
        EXPECT_EQ(bytesOf(damaged), truncated);
        EXPECT_FALSE(std::filesystem::exists(damaged + ".broken"));
        EXPECT_EQ(fw.configBlock(0), block);  // the mouse was not reset
        std::ofstream(damaged, std::ios::trunc) << good;
    }
    EXPECT_EQ(run(bus, {"polling", "3"}), 0);
}

TEST_F(CliMouse, DeviceErrorsLeaveTheProfileAsItWas) {
    auto bus = sim::makeVirtualBus({"mouse"}, "");
    ASSERT_EQ(run(bus, {"dpi", "set", "0", "1600"}), 0);
    const std::string profilePath = currentProfilePath(data.path());
    const std::string before = bytesOf(profilePath);
    const std::string listBefore = bytesOf(data.path() + "mouse/ProfileList.ini");
    const std::string dump = data.path() + "dump.json";
    ASSERT_EQ(run(bus, {"profile", "dump", dump}), 0);
    const std::vector<std::vector<std::string>> verbs = {{"dpi", "set", "0", "1500"},
                                                         {"polling", "2"},
                                                         {"lighting", "4"},
                                                         {"keys", "set", "3", "110001"},
                                                         {"profile", "apply", dump}};
    for (const auto& verb : verbs) {
        SCOPED_TRACE(verb[0]);
        bus->device("mouse")->injectFault(sim::Fault::statusAt(5, 0xFF, true));  // after attach
        EXPECT_EQ(run(bus, verb), 1);
        EXPECT_EQ(bytesOf(profilePath), before);
        EXPECT_EQ(bytesOf(data.path() + "mouse/ProfileList.ini"), listBefore);
    }
}

TEST_F(CliMouse, OutOfRangeProfileValuesAreClampedBeforeTheyReachTheMouse) {
    auto bus = sim::makeVirtualBus({"mouse"}, "");
    auto& fw = bus->device("mouse")->firmware();
    ASSERT_EQ(run(bus, {"polling", "1"}), 0);
    const std::string path = currentProfilePath(data.path());
    Json::Value doc = JsonFileIO::loadJsonDocument(path);
    doc["Device"][0]["ReportStages"]["StageActive"] = 77;
    doc["Device"][0]["LightInfo"]["Light"] = 44;
    doc["Device"][0]["DPIStages"]["StageDPIs"][1]["StageDPIX"] = 34463;
    ASSERT_EQ(JsonFileIO::storeJsonDocument(path, doc), 0);
    ASSERT_EQ(run(bus, {"dpi", "active", "0"}), 0);
    const auto b = fw.configBlock(0);
    EXPECT_EQ(b[14], 4);                // report rate
    EXPECT_EQ(b[2], 4);                 // brightness
    EXPECT_EQ(getLe16(b, 15 + 2), 96);  // stage 1 position
}

TEST_F(CliMouse, UploadsWithNothingWholeToWriteFailAndKeepTheMousesTables) {
    auto bus = sim::makeVirtualBus({"mouse"}, "");
    auto& fw = bus->device("mouse")->firmware();
    std::string err;
    EXPECT_EQ(run(bus, {"macros", "upload"}, &err), 1);
    EXPECT_NE(err.find("macro.config: nothing to upload"), std::string::npos) << err;
    EXPECT_EQ(run(bus, {"recoil", "upload"}, &err), 1);
    EXPECT_NE(err.find("nothing to upload"), std::string::npos) << err;

    writeMouseFiles(data.path(), 10);
    ASSERT_EQ(run(bus, {"macros", "upload"}), 0);
    ASSERT_EQ(run(bus, {"recoil", "upload"}), 0);
    const auto macros = fw.macroImage();
    const auto recoil = fw.recoilImage();
    const std::string folder = data.path() + "mouse/";
    struct Case {
        const char* verb;
        const char* file;
        const char* text;
        const char* message;
    };
    const Case cases[] = {
        {"recoil", "ShootData_2.Shoot", "{\"Events\":[{", "is not valid JSON"},
        {"recoil", "ShootData_1.Shoot", "{\"Events\":5}", "has no \"Events\" list"},
        {"macros", "burst.mac", "[]", "has no \"Events\" list"},
        {"macros", "macro.config", "{\"MacroInfo\":[]}", "no macros in"},
        {"macros", "macro.config", "{\"MacroInfo\":[{\"Guid\":\"gone\"}]}", "does not exist"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        writeMouseFiles(data.path(), 10);
        std::ofstream(folder + c.file, std::ios::trunc) << c.text;
        EXPECT_EQ(run(bus, {c.verb, "upload"}, &err), 1);
        EXPECT_NE(err.find(c.message), std::string::npos) << err;
        EXPECT_EQ(fw.macroImage().entries.size(), macros.entries.size());
        EXPECT_EQ(fw.recoilImage().entries.size(), recoil.entries.size());
    }
}

TEST_F(CliMouse, SimStateRefusesFilesItDidNotWrite) {
    const std::string state = data.path() + "state.json";
    std::ostringstream out, err;
    ASSERT_EQ(cli::runCli({"--simulate", "mouse", "--sim-state", state, "polling", "2"}, out, err),
              0)
        << err.str();
    ASSERT_EQ(cli::runCli({"--simulate", "mouse", "--sim-state", state, "settings"}, out, err), 0);
    for (const std::string& text :
         {std::string("just some notes\n"), std::string(R"({"devices":{}})"),
          std::string(200, '[') + std::string(200, ']')}) {
        SCOPED_TRACE(text.substr(0, 20));
        const std::string other = data.path() + "notes.txt";
        std::ofstream(other, std::ios::trunc) << text;
        std::ostringstream o, e;
        EXPECT_EQ(cli::runCli({"--simulate", "mouse", "--sim-state", other, "polling", "2"}, o, e),
                  2);
        EXPECT_NE(e.str().find(other), std::string::npos) << e.str();
        EXPECT_EQ(bytesOf(other), text);
    }
}

TEST_F(CliMouse, ProfileApplyWritesTheImagesAndResetsDanglingMacroKeys) {
    writeMouseFiles(data.path(), 6);  // one macro, recoil tables
    auto bus = sim::makeVirtualBus({"mouse"}, "");
    auto& fw = bus->device("mouse")->firmware();
    ASSERT_EQ(run(bus, {"settings"}), 0);
    Json::Value doc = JsonFileIO::loadJsonDocument(currentProfilePath(data.path()));
    doc["Device"][0]["KeyList"][4]["Assignment"] = 0x700500;  // macro 5 of 1
    doc["Device"][0]["KeyList"][7]["Assignment"] = 0x710205;
    doc["Device"][0]["KeyList"][3]["Assignment"] = 0x700000;  // macro 0 exists
    const std::string file = data.path() + "mine.json";
    ASSERT_EQ(JsonFileIO::storeJsonDocument(file, doc), 0);

    std::string err;
    ASSERT_EQ(run(bus, {"profile", "apply", file}, &err), 0) << err;
    const auto macros = fw.macroImage();
    ASSERT_TRUE(macros.valid) << macros.error;
    EXPECT_EQ(macros.entries.size(), 1u);
    const auto recoil = fw.recoilImage();
    ASSERT_TRUE(recoil.valid) << recoil.error;
    EXPECT_EQ(recoil.entries.size(), 4u);
    // No key names a macro the list does not have; macro 0 stays on its key.
    const std::vector<uint8_t> table = fw.keyTable();
    int macroKeys = 0;
    for (size_t i = 0; i + 2 < table.size(); i += 3) {
        if (table[i] != 0x70 && table[i] != 0x71) continue;
        EXPECT_EQ(table[i + 1], 0) << "entry " << i / 3;
        ++macroKeys;
    }
    EXPECT_EQ(macroKeys, 1);
    const Json::Value applied = JsonFileIO::loadJsonDocument(currentProfilePath(data.path()));
    EXPECT_EQ(applied["Device"][0]["KeyList"][4]["Assignment"],
              applied["Device"][0]["KeyList"][4]["DefaultAssignment"]);
}

TEST_F(CliMouse, ProfileListSelectAddDeleteAndExport) {
    auto bus = sim::makeVirtualBus({"mouse"}, "");
    auto& fw = bus->device("mouse")->firmware();
    ASSERT_EQ(run(bus, {"dpi", "set", "0", "800"}), 0);
    ASSERT_EQ(run(bus, {"profile", "add", "Work"}), 0);
    std::string err;
    EXPECT_EQ(run(bus, {"profile", "add", "work"}, &err), 2);  // names compare without case
    EXPECT_NE(err.find("exists already"), std::string::npos) << err;

    std::ostringstream out, e;
    ASSERT_EQ(cli::runCli({"--json", "profile", "list"}, out, e, bus), 0);
    Json::Value listed;
    ASSERT_TRUE(parseJsonText(out.str(), listed)) << out.str();
    ASSERT_EQ(listed.size(), 2u);
    EXPECT_EQ(listed[0]["name"], "profile1");
    EXPECT_TRUE(listed[0]["current"].asBool());  // adding did not change the current profile
    EXPECT_EQ(listed[1]["name"], "Work");
    EXPECT_FALSE(listed[1]["current"].asBool());

    // Select by name: the mouse gets Work's settings (the template's 800 DPI is not 1600).
    ASSERT_EQ(run(bus, {"dpi", "set", "0", "1600"}), 0);
    ASSERT_EQ(run(bus, {"profile", "select", "WORK"}), 0);
    EXPECT_NE(getLe16(block0(fw), 15), 28);
    ASSERT_EQ(run(bus, {"dpi", "set", "0", "3200"}), 0);
    const std::string workFile = currentProfilePath(data.path());
    const std::string exported = data.path() + "work-copy.json";
    ASSERT_EQ(run(bus, {"profile", "export", exported}), 0);
    EXPECT_EQ(bytesOf(exported), bytesOf(workFile));

    // Delete the current profile: the mouse follows the profile selected after it.
    ASSERT_EQ(run(bus, {"profile", "delete"}), 0);
    EXPECT_FALSE(std::filesystem::exists(workFile));
    EXPECT_EQ(getLe16(block0(fw), 15), 28);  // profile1's 1600 DPI
    EXPECT_EQ(run(bus, {"profile", "delete"}, &err), 2);
    EXPECT_NE(err.find("last profile"), std::string::npos) << err;
    EXPECT_EQ(run(bus, {"profile", "select", "7"}, &err), 2);
    EXPECT_EQ(run(bus, {"profile", "select", "0"}), 0);
}

TEST_F(CliMouse, FailedSelectKeepsTheListAndTheMouseOnTheProfileBefore) {
    auto bus = sim::makeVirtualBus({"mouse"}, "");
    auto& fw = bus->device("mouse")->firmware();
    ASSERT_EQ(run(bus, {"profile", "add", "Work"}), 0);
    ASSERT_EQ(run(bus, {"dpi", "set", "0", "1600"}), 0);  // profile1, current
    const std::string listPath = data.path() + "mouse/ProfileList.ini";
    const std::string listBefore = bytesOf(listPath);
    // The settings write of the switch fails once: the device is lost half-way.
    bus->device("mouse")->injectFault(sim::Fault::statusAt(5, 0xFF));
    std::string err;
    EXPECT_EQ(run(bus, {"profile", "select", "Work"}, &err), 1);
    EXPECT_EQ(bytesOf(listPath), listBefore) << err;
    EXPECT_EQ(getLe16(block0(fw), 15), 28);  // profile1's 1600 DPI written back
    // Device gone for good: the list still stays on profile1.
    bus->device("mouse")->injectFault(sim::Fault::statusAt(5, 0xFF, true));
    EXPECT_EQ(run(bus, {"profile", "select", "Work"}), 1);
    EXPECT_EQ(bytesOf(listPath), listBefore);
}

TEST_F(CliMouse, ProfileNamesHaveALengthLimit) {
    auto bus = sim::makeVirtualBus({"mouse"}, "");
    const std::string listPath = data.path() + "mouse/ProfileList.ini";
    std::string err;
    ASSERT_EQ(run(bus, {"profile", "list"}), 0);
    const std::string listBefore = bytesOf(listPath);
    EXPECT_EQ(run(bus, {"profile", "add", std::string(65, 'x')}, &err), 2);
    EXPECT_NE(err.find("longer than 64"), std::string::npos) << err;
    EXPECT_EQ(bytesOf(listPath), listBefore);  // no stray "profile2"
    // 64 characters of three bytes each are fine.
    std::string wide;
    for (int i = 0; i < 64; ++i) wide += "\xe5\x90\x8d";
    EXPECT_EQ(run(bus, {"profile", "add", wide}), 0);
    EXPECT_EQ(run(bus, {"profile", "add", wide + "x"}), 2);
}

TEST_F(CliMouse, MessagesSayWhatIsWrong) {
    struct Case {
        std::vector<std::string> simulate;
        std::vector<std::string> args;
        int rc;
        const char* says;
    };
    const Case cases[] = {
        {{"keyboard"}, {"polling", "1"}, 3, "no mouse found, on its cable or through its receiver"},
        {{"mouse"}, {"profile", "apply", "/proc/self/mem"}, 2, "/proc/self/mem is empty"},
        {{"mouse"}, {"profile", "apply", "/nonexistent.json"}, 2, "does not exist"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.args.back());
        std::string err;
        EXPECT_EQ(run(sim::makeVirtualBus(c.simulate, ""), c.args, &err), c.rc);
        EXPECT_NE(err.find(c.says), std::string::npos) << err;
    }
    // No reply at all: a time-out, not "result 0".
    auto bus = sim::makeVirtualBus({"mouse"}, "");
    bus->device("mouse")->injectFault(sim::Fault::dropReply(1, true));
    std::string err;
    EXPECT_EQ(run(bus, {"info"}, &err), 1);
    EXPECT_EQ(err.find("answered"), std::string::npos) << err;
    EXPECT_NE(err.find("no reply"), std::string::npos) << err;
}

}  // namespace
}  // namespace md
