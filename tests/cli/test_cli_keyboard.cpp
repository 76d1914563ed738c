// The keyboard verbs of the command-line tool against the virtual keyboard, on its cable and
// through its receiver: exit codes and what the keyboard holds afterwards.
#include <gtest/gtest.h>

#include <functional>
#include <sstream>

#include "cli/cli_context.h"
#include "devices/keyboard/keyboard_controller.h"
#include "devices/keyboard/keyboard_layout.h"
#include "profiles/app_paths.h"
#include "profiles/keyboard_profiledata.h"
#include "profiles/temp_folder.h"
#include "sim/sim_devices.h"

namespace md {
namespace {

class CliKeyboard : public ::testing::Test {
  protected:
    void SetUp() override {
        AppPaths::setDataRoot(data.path());
        AppPaths::setApplicationFolder(MD_SOURCE_DIR);
    }
    void TearDown() override {
        AppPaths::setDataRoot("");
        AppPaths::setApplicationFolder("");
    }
    int run(const std::shared_ptr<sim::VirtualBus>& bus, std::vector<std::string> args,
            std::string* outText = nullptr, std::string* errText = nullptr) {
        std::ostringstream out, err;
        const int rc = cli::runCli(args, out, err, bus);
        if (outText) *outText = out.str();
        if (errText) *errText = err.str();
        return rc;
    }
    // Byte b (0-25) of hardware profile p's block as the keyboard holds it.
    static uint8_t recordByte(sim::Firmware& fw, size_t p, size_t b) {
        return fw.config()[25 * p + b];
    }
    test::TempFolder data;
};

TEST_F(CliKeyboard, VerbsChangeTheKeyboardOnItsCableAndThroughItsReceiver) {
    struct Case {
        const char* name;
        std::vector<std::string> args;
        int rc;
        std::function<void(sim::Firmware&)> check;
    };
    const Case cases[] = {
        {"win lock",
         {"settings", "set", "winlock", "on"},
         0,
         [](sim::Firmware& fw) { EXPECT_EQ(recordByte(fw, 0, 21), 1); }},
        {"polling",
         {"settings", "set", "polling", "1"},
         0,
         [](sim::Firmware& fw) { EXPECT_EQ(recordByte(fw, 0, 22), 1); }},
        {"polling verb",
         {"polling", "2"},
         0,
         [](sim::Firmware& fw) { EXPECT_EQ(recordByte(fw, 0, 22), 2); }},
        {"lighting",
         {"lighting", "6", "--colour", "102030", "--speed", "1"},
         0,
         [](sim::Firmware& fw) {
             EXPECT_EQ(recordByte(fw, 0, 1), 6);
             EXPECT_EQ(recordByte(fw, 0, 3), 3);  // 4 - speed
             EXPECT_EQ(recordByte(fw, 0, 6), 0x10);
             EXPECT_EQ(recordByte(fw, 0, 8), 0x30);
         }},
        {"key by name",
         {"keys", "set", "key:capslock", "key:ctrl"},
         0,
         [](sim::Firmware& fw) {
             bool found = false;
             for (size_t k = 0; k < fw.keyEntries(); ++k)
                 found = found || fw.keyEntry(k) == std::array<uint8_t, 3>{0x20, 0x01, 0x00};
             EXPECT_TRUE(found);
         }},
        {"bad setting", {"settings", "set", "polling", "4"}, 2, nullptr},
        {"bad mode", {"lighting", "29"}, 2, nullptr},
        {"fn key", {"keys", "set", "110", "key:a"}, 2, nullptr},
        {"no such key", {"keys", "set", "18", "key:a"}, 2, nullptr},
        {"mouse verb", {"dpi", "set", "1", "800"}, 2, nullptr},
    };
    for (const char* device : {"keyboard", "keyboard-receiver"}) {
        for (const Case& c : cases) {
            auto bus = sim::makeVirtualBus({"keyboard", "keyboard-receiver"}, "");
            std::vector<std::string> args = {"--device", device};
            args.insert(args.end(), c.args.begin(), c.args.end());
            std::string err;
            EXPECT_EQ(run(bus, args, nullptr, &err), c.rc)
                << device << " " << c.name << ": " << err;
            if (c.check) c.check(bus->device("keyboard")->firmware());
        }
    }
}

TEST_F(CliKeyboard, SettingsAndKeysAreListed) {
    auto bus = sim::makeVirtualBus({"keyboard"}, "");
    bus->device("keyboard")->firmware().writeConfigBytes(21, std::array<uint8_t, 1>{1});
    std::string out;
    ASSERT_EQ(run(bus, {"--device", "keyboard", "--json", "settings"}, &out), 0);
    EXPECT_NE(out.find("\"winLock\" : true"), std::string::npos) << out;
    EXPECT_NE(out.find("\"pollingRate\" : \n  {\n    \"hz\" : 1000,\n    \"option\" : 3"),
              std::string::npos)
        << out;
    EXPECT_NE(out.find("\"lighting\" : \n  {\n    \"brightness\""), std::string::npos) << out;
    ASSERT_EQ(run(bus, {"--device", "keyboard", "keys"}, &out), 0);
    EXPECT_NE(out.find("key:capslock"), std::string::npos);
    // The positions that are no keys are not listed.
    EXPECT_EQ(out.find("\n 18 "), std::string::npos);
}

TEST_F(CliKeyboard, ProfileSelectMakesTheProfileCurrentOnTheKeyboard) {
    auto bus = sim::makeVirtualBus({"keyboard"}, "");
    ASSERT_EQ(run(bus, {"--device", "keyboard", "profile", "add", "Second"}), 0);
    // The second profile gets its own lighting; selecting it writes its record.
    ASSERT_EQ(run(bus, {"--device", "keyboard", "profile", "select", "Second"}), 0);
    ASSERT_EQ(run(bus, {"--device", "keyboard", "lighting", "12"}), 0);
    ASSERT_EQ(run(bus, {"--device", "keyboard", "profile", "select", "0"}), 0);
    auto& fw = bus->device("keyboard")->firmware();
    EXPECT_NE(recordByte(fw, 0, 1), 12);
    ASSERT_EQ(run(bus, {"--device", "keyboard", "profile", "select", "Second"}), 0);
    EXPECT_EQ(recordByte(fw, 0, 1), 12);
    std::string out;
    ASSERT_EQ(run(bus, {"--device", "keyboard", "profile", "list"}, &out), 0);
    EXPECT_NE(out.find("* 1  Second"), std::string::npos) << out;
}

TEST_F(CliKeyboard, CustomColoursReachTheKeyboardsColourTable) {
    auto bus = sim::makeVirtualBus({"keyboard"}, "");
    auto& fw = bus->device("keyboard")->firmware();
    auto run = [&](std::vector<std::string> args, std::string* err = nullptr) {
        args.insert(args.begin(), {"--device", "keyboard"});
        return CliKeyboard::run(bus, args, nullptr, err);
    };
    std::string err;
    // Not in custom-colour mode yet: one key's colour is refused.
    EXPECT_EQ(run({"lighting", "key", "key:a", "ff0000"}, &err), 2);
    EXPECT_NE(err.find("lighting 20"), std::string::npos) << err;
    ASSERT_EQ(run({"lighting", "20"}), 0);
    const std::vector<uint8_t> group1 = fw.colourTable(0);
    ASSERT_EQ(run({"lighting", "key", "key:a", "ff0000"}, &err), 0) << err;
    const std::vector<uint8_t> red = fw.colourTable(0);
    // Exactly one LED changed, to red at full intensity.
    std::vector<size_t> changed;
    for (size_t i = 0; i < red.size() && i < group1.size(); ++i)
        if (red[i] != group1[i]) changed.push_back(i);
    ASSERT_FALSE(changed.empty());
    const size_t led = changed.front() / 3 * 3;
    EXPECT_EQ(std::vector<uint8_t>(red.begin() + long(led), red.begin() + long(led) + 3),
              (std::vector<uint8_t>{254, 0, 0}));
    EXPECT_LT(changed.back(), led + 3);
    // Another group shows its own colours; group 1 comes back with the red key.
    ASSERT_EQ(run({"lighting", "20", "--group", "2"}), 0);
    EXPECT_NE(fw.colourTable(0), red);
    ASSERT_EQ(run({"lighting", "20", "--group", "1"}), 0);
    EXPECT_EQ(fw.colourTable(0), red);
    EXPECT_EQ(run({"lighting", "20", "--group", "4"}), 2);
    EXPECT_EQ(run({"lighting", "3", "--group", "1"}), 2);
    EXPECT_EQ(run({"lighting", "key", "key:nosuch", "ff0000"}), 2);
    EXPECT_EQ(run({"lighting", "key", "key:a", "red"}), 2);
}

}  // namespace
}  // namespace md
