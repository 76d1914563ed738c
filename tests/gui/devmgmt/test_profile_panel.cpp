// The profile panel of the mouse page through the main window, on the virtual mouse over its
// cable and through its receiver: every switch writes the whole profile (settings block, macro
// and recoil images, key table with dangling macro keys reset); quick selections make one
// switch; delete, import, export, rename and the 51st add behave and tell the user.
#include <QAbstractButton>
#include <QComboBox>
#include <QCoreApplication>
#include <filesystem>
#include <fstream>

#include "app/devmgmt/page_router.h"
#include "app/devmgmt/profile_router.h"
#include "common/le_bytes.h"
#include "devices/mouse/mouse_key_table.h"
#include "devmgmt_fixture.h"
#include "panels/device_profile_ui.h"
#include "profiles/app_paths.h"
#include "profiles/json_file_io.h"
#include "profiles/temp_folder.h"

namespace md::test {
namespace {

// Two macros and four recoil tables in the mouse's data folder.
void writeMacroAndRecoilFiles(const std::string& folder) {
    auto events = [](int n) {
        Json::Value doc;
        doc["Events"] = Json::Value(Json::arrayValue);
        for (int k = 0; k < n; ++k) {
            Json::Value e;
            e["Type"] = 10;
            e["Button"] = 4 + k;
            e["Action"] = k % 2 ? "up" : "down";
            e["Delay"] = "15";
            doc["Events"].append(e);
        }
        return doc;
    };
    Json::Value list;
    for (const char* guid : {"m0", "m1"}) {
        Json::Value m;
        m["MacroName"] = guid;
        m["Guid"] = guid;
        list["MacroInfo"].append(m);
        JsonFileIO::storeJsonDocument(folder + guid + ".mac", events(4));
    }
    JsonFileIO::storeJsonDocument(folder + "macro.config", list);
    for (int gun = 0; gun < 4; ++gun)
        JsonFileIO::storeJsonDocument(folder + "ShootData_" + std::to_string(gun) + ".Shoot",
                                      events(2));
}

class ProfilePanelTest : public DeviceManagementTest, public ::testing::WithParamInterface<bool> {
  protected:
    void attach() {
        startOnOneLink(GetParam());
        panel = model()->findChild<CDeviceProfileUI*>();
        ASSERT_TRUE(panel);
        router().inform = [this](const QString& text, bool isId) {
            told << (isId ? "id:" + text : text);
        };
        router().confirm = [](const QString&) { return true; };
    }
    ProfileRouter& router() { return manager->router().profiles(); }
    sim::Firmware& fw() { return mouse->firmware(); }
    int stagePosition() { return getLe16(fw().configBlock(0), 15); }
    std::string folder() { return model()->dataFolderPath(); }
    // The three bytes the mouse holds for button b.
    std::array<uint8_t, 3> keyEntry(size_t b) {
        const int pos = model()->controller().keyPositionMap().at(b);
        const std::vector<uint8_t> table = fw().keyTable();
        return {table[3 * pos], table[3 * pos + 1], table[3 * pos + 2]};
    }
    // Changes a profile file of the list: stage 0 position, and buttons 4 and 7 on macros.
    void editProfile(int item, int position, bool danglingMacros) {
        const std::string path =
            panel->profileList().profilePath(panel->profileList().itemUuid(item));
        Json::Value doc = JsonFileIO::loadJsonDocument(path);
        doc["Device"][0]["DPIStages"]["StageDPIs"][0]["StageDPIX"] = position;
        if (danglingMacros) {
            doc["Device"][0]["KeyList"][4]["Assignment"] = 0x700500;  // macro 5 of 2
            doc["Device"][0]["KeyList"][7]["Assignment"] = 0x710205;
        }
        ASSERT_EQ(JsonFileIO::storeJsonDocument(path, doc), 0);
    }
    void pick(int item) {
        panel->findChild<QComboBox*>("device_profile_combo")->setCurrentIndex(item);
    }
    // A real click on the button (the menu's buttons live in its popup window).
    void click(const char* name) {
        auto* button = panel->findChild<QAbstractButton*>(name);
        ASSERT_TRUE(button) << name;
        button->click();
    }

    CDeviceProfileUI* panel = nullptr;
    QStringList told;
};

TEST_P(ProfilePanelTest, SwitchWritesTheWholeProfile) {
    attach();
    // The panel's start() selected the stored profile without switching the device.
    const uint64_t sessionsAtAttach = fw().sessionsBegun();
    waitFor([] { return false; }, std::chrono::milliseconds(ProfileRouter::kSwitchDelayMs + 200));
    EXPECT_EQ(fw().sessionsBegun(), sessionsAtAttach);
    writeMacroAndRecoilFiles(folder());
    ASSERT_TRUE(panel->addProfile());
    editProfile(1, 61, true);

    pick(1);
    ASSERT_TRUE(waitFor([&] { return stagePosition() == 61; }));
    EXPECT_EQ(model()->profileName(), panel->currentProfileUuid());
    EXPECT_EQ(keyEntry(4), mouseFactoryEntries()[4]);  // dangling macro keys reset
    EXPECT_EQ(keyEntry(7), mouseFactoryEntries()[7]);
    const auto macros = fw().macroImage();
    ASSERT_TRUE(macros.valid) << macros.error;
    EXPECT_EQ(macros.entries.size(), 2u);
    const auto recoil = fw().recoilImage();
    ASSERT_TRUE(recoil.valid) << recoil.error;
    EXPECT_EQ(recoil.entries.size(), 4u);
    // The profile file no longer names the missing macros either.
    const Json::Value doc = JsonFileIO::loadJsonDocument(model()->getProfileFilePath());
    EXPECT_EQ(doc["Device"][0]["KeyList"][4]["Assignment"],
              doc["Device"][0]["KeyList"][4]["DefaultAssignment"]);
    EXPECT_TRUE(told.isEmpty()) << told.join("; ").toStdString();
}

TEST_P(ProfilePanelTest, QuickSelectionsMakeOneSwitchToTheLast) {
    attach();
    ASSERT_TRUE(panel->addProfile());
    ASSERT_TRUE(panel->addProfile());
    editProfile(1, 40, false);
    editProfile(2, 80, false);
    // One switch, measured.
    uint64_t before = fw().sessionsBegun();
    pick(1);
    ASSERT_TRUE(waitFor([&] { return stagePosition() == 40; }));
    const uint64_t perSwitch = fw().sessionsBegun() - before;
    ASSERT_GT(perSwitch, 0u);

    before = fw().sessionsBegun();
    pick(0);
    pick(2);
    pick(1);
    pick(2);  // all within the delay
    ASSERT_TRUE(waitFor([&] { return stagePosition() == 80; }));
    waitFor([] { return false; }, std::chrono::milliseconds(ProfileRouter::kSwitchDelayMs + 200));
    EXPECT_EQ(fw().sessionsBegun() - before, perSwitch);
    EXPECT_EQ(panel->profileList().currentSelection(), 2);
}

TEST_P(ProfilePanelTest, DeletingTheCurrentProfileSwitchesTheDevice) {
    attach();
    ASSERT_TRUE(panel->addProfile());
    editProfile(0, 20, false);
    editProfile(1, 70, false);
    pick(1);
    ASSERT_TRUE(waitFor([&] { return stagePosition() == 70; }));
    const std::string deleted = model()->getProfileFilePath();

    // Asked first: "no" keeps it.
    QStringList asked;
    bool answer = false;
    router().confirm = [&](const QString& id) {
        asked << id;
        return answer;
    };
    click("device_sub_btn");
    EXPECT_EQ(asked, QStringList{"message_profile_delete"});
    EXPECT_EQ(panel->itemCount(), 2);
    EXPECT_TRUE(std::filesystem::exists(deleted));
    answer = true;
    click("device_sub_btn");
    EXPECT_EQ(stagePosition(), 20);
    EXPECT_EQ(panel->itemCount(), 1);
    EXPECT_FALSE(std::filesystem::exists(deleted));
    // The page's next save goes to the profile now current, not to the deleted file.
    model()->onPollingRate(2);
    EXPECT_FALSE(std::filesystem::exists(deleted));
    EXPECT_NE(model()->getProfileFilePath(), deleted);
    click("device_sub_btn");  // the last profile stays, nothing is asked
    EXPECT_EQ(panel->itemCount(), 1);
    EXPECT_EQ(asked.size(), 2);
}

TEST_P(ProfilePanelTest, ImportExportRenameAndTheFiftyFirstAdd) {
    attach();
    test::TempFolder outside;
    QString chosen;
    router().chooseFile = [&](bool, const QString&) { return chosen; };

    // Hostile imports are refused with the reason, or take a safe identifier.
    struct Case {
        const char* text;
        const char* told;  // "" when taken
    };
    const Case cases[] = {
        {"{\"profilename\":", "is not valid JSON"},
        {R"({"profilename":7,"profileUUID":"x"})", "is not a profile file"},
        {R"({"profilename":"p","profileUUID":"x","Device":[{"LightInfo":{"Light":"max"}}]})",
         "\"LightInfo.Light\" is not a whole number"},
        {R"({"profilename":"../../evil","profileUUID":"../../../evil","Device":[{}]})", ""},
    };
    for (const Case& c : cases) {
        const std::string file = outside.path() + "in.json";
        std::ofstream(file, std::ios::trunc) << c.text;
        chosen = QString::fromStdString(file);
        told.clear();
        const int items = panel->itemCount();
        click("device_import_btn");
        if (*c.told) {
            ASSERT_EQ(told.size(), 1) << c.text;
            EXPECT_TRUE(told[0].contains(c.told)) << told[0].toStdString();
            EXPECT_EQ(panel->itemCount(), items);
        } else {
            EXPECT_TRUE(told.isEmpty()) << told.join("; ").toStdString();
            EXPECT_EQ(panel->itemCount(), items + 1);
            EXPECT_EQ(panel->currentSelection(), items);  // the import became current
            EXPECT_EQ(model()->profileName(), panel->currentProfileUuid());
            EXPECT_TRUE(isSafeFileStem(panel->currentProfileUuid()));
        }
    }
    for (const auto& e : std::filesystem::directory_iterator(folder()))
        EXPECT_TRUE(e.is_regular_file()) << e.path();

    // Export writes the selected profile where the user chose; ".json" is added when missing.
    chosen = QString::fromStdString(outside.path() + "saved");
    click("device_export_btn");
    EXPECT_TRUE(std::filesystem::exists(outside.path() + "saved.json"));

    // Rename: a taken name and a blank one are refused with their texts.
    panel->setProfileNameText("PROFILE1");
    told.clear();
    click("device_profile_edit_save_btn");
    EXPECT_EQ(told, QStringList{"id:message_text_5"});
    panel->setProfileNameText("   ");
    click("device_profile_edit_save_btn");
    EXPECT_EQ(told.last(), "id:message_text_25");

    while (panel->itemCount() < ProfileList::kMaxAddCount) ASSERT_TRUE(panel->addProfile());
    told.clear();
    click("device_add_btn");
    EXPECT_EQ(panel->itemCount(), ProfileList::kMaxAddCount);
    EXPECT_TRUE(told.isEmpty());
    // Nothing but the user's own files outside the data folder.
    EXPECT_EQ(test::listFolder(outside.path()),
              (std::vector<std::string>{"in.json", "saved.json"}));
}

TEST_P(ProfilePanelTest, MenuOpensBelowTheComboAndClosesOnItsButton) {
    attach();
    EXPECT_FALSE(panel->isMenuVisible());
    click("profile_fun_spread_btn");
    EXPECT_TRUE(panel->isMenuVisible());
    click("profile_fun_spread_btn");
    EXPECT_FALSE(panel->isMenuVisible());
}

INSTANTIATE_TEST_SUITE_P(Links, ProfilePanelTest, ::testing::Values(false, true),
                         [](const auto& info) { return info.param ? "Receiver" : "Cable"; });

}  // namespace
}  // namespace md::test
