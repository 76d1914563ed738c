// Command-line verbs run inside the application (what RunCommand does for mouse-driver-cli):
// they drive the application's own mouse link and profile, and the page shows the outcome.
// Damaged profile files are reported to the user once and left as they are.
#include <QCoreApplication>
#include <QSlider>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "app/devmgmt/app_device_host.h"
#include "cli/routing.h"
#include "common/le_bytes.h"
#include "devmgmt_fixture.h"
#include "profiles/app_paths.h"
#include "profiles/json_file_io.h"
#include "profiles/profile_list.h"

namespace md::test {
namespace {

struct Ran {
    int rc = -1;
    std::string out, err;
};

class HostedCommandsTest : public DeviceManagementTest {
  protected:
    void SetUp() override {
        labels = {"mouse"};
        DeviceManagementTest::SetUp();
    }
    Ran run(std::vector<std::string> args) {
        AppDeviceHost host(*manager);
        Ran r;
        r.rc = runHostedCommand(host, args, r.out, r.err);
        return r;
    }
    void attach() {
        start();
        ASSERT_TRUE(waitFor([&] { return tile()->attachCount() >= 1; }));
    }
    int slider(int stage) {
        auto* s = model()->findChild<QSlider*>("DPI_slider_" + QString::number(stage));
        return s ? s->value() : -1;
    }
};

std::string bytesOf(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TEST_F(HostedCommandsTest, VerbsDriveTheApplicationsMouseAndItsPageFollows) {
    attach();
    const Ran dpi = run({"dpi", "set", "0", "1600"});
    ASSERT_EQ(dpi.rc, 0) << dpi.err;
    EXPECT_EQ(dpi.out, "stage 0: 1600 DPI (position 28)\n");
    EXPECT_EQ(getLe16(mouse->firmware().configBlock(0), 15), 28);
    EXPECT_EQ(model()->profileData().dpiStages().at(0).dpiX, 28);
    EXPECT_EQ(slider(0), 28);

    // An imported profile becomes the model's profile and the page shows it.
    const std::string file = AppPaths::dataRoot() + "in.json";
    std::ofstream(file) << R"({"profilename":"imported","profileUUID":"x","Device":[
        {"DPIStages":{"StageActive":0,"StageDPIs":[{"StageActive":1,"StageDPIX":61}]}}]})";
    const Ran apply = run({"profile", "apply", file});
    ASSERT_EQ(apply.rc, 0) << apply.err;
    ProfileList list;
    list.setDeviceKind(2);
    list.setFolders(model()->dataFolderPath(), model()->defaultTemplatePath());
    list.start();
    EXPECT_EQ(list.profileNameText(), "imported");
    EXPECT_EQ(model()->profileName(), list.currentProfileUuid());
    EXPECT_EQ(slider(0), 61);
    EXPECT_EQ(getLe16(mouse->firmware().configBlock(0), 15), 61);

    // Verbs that do not drive a device stay in the tool; a watch would never return.
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"watch"}, {"list"}, {"--simulate", "mouse", "settings"}, {}}) {
        const Ran r = run(args);
        EXPECT_EQ(r.rc, 2);
        EXPECT_NE(r.err.find("runs in mouse-driver-cli itself"), std::string::npos) << r.err;
    }

    bus->unplug(mouse);
    ASSERT_TRUE(waitFor([&] { return !model()->commandLink().isOpen(); }));
    const Ran none = run({"settings"});
    EXPECT_EQ(none.rc, 3);
    EXPECT_EQ(none.err, "no mouse found, on its cable or through its receiver\n");
}

TEST_F(HostedCommandsTest, NamesStayNamesAndFilesMustBeAbsolute) {
    attach();
    // What the tool hands over: the profile name is not a file.
    const Ran add = run(cli::withAbsoluteFiles({"profile", "add", "Work"}));
    ASSERT_EQ(add.rc, 0) << add.err;
    ProfileList list;
    list.setDeviceKind(2);
    list.setFolders(model()->dataFolderPath(), model()->defaultTemplatePath());
    ASSERT_TRUE(list.start());
    EXPECT_EQ(list.itemNames(), (std::vector<std::string>{"profile1", "Work"}));
    const Ran select = run(cli::withAbsoluteFiles({"profile", "select", "work"}));
    EXPECT_EQ(select.rc, 0) << select.err;
    // Another caller on the bus sends a relative file: refused, nothing written anywhere.
    const Ran relative = run({"profile", "export", "out.json"});
    EXPECT_EQ(relative.rc, 2);
    EXPECT_NE(relative.err.find("absolute path"), std::string::npos) << relative.err;
    EXPECT_FALSE(std::filesystem::exists("out.json"));
}

TEST_F(HostedCommandsTest, DamagedProfileIsShownOnceAndLeftAsItIs) {
    ProfileList list;
    list.setDeviceKind(2);
    list.setFolders(AppPaths::deviceDataFolder("mouse"), AppPaths::defaultTemplatePath("mouse"));
    ASSERT_TRUE(list.start());
    const std::string path = list.profilePath(list.currentProfileUuid());
    const std::string truncated = bytesOf(path).substr(0, 200);
    std::ofstream(path, std::ios::trunc) << truncated;

    attach();
    ASSERT_TRUE(waitFor([&] { return !wnd->problemsShown().isEmpty(); }));
    ASSERT_EQ(wnd->problemsShown().size(), 1);
    EXPECT_TRUE(wnd->problemsShown()[0].contains(QString::fromStdString(path)));
    EXPECT_TRUE(wnd->problemsShown()[0].contains("is not valid JSON"));
    // Page actions and command-line verbs leave the file alone until the user acts.
    model()->onPollingRate(2);
    const Ran r = run({"polling", "3"});
    EXPECT_EQ(r.rc, 1);
    EXPECT_NE(r.err.find(path), std::string::npos) << r.err;
    EXPECT_EQ(bytesOf(path), truncated);
    EXPECT_FALSE(std::filesystem::exists(path + ".broken"));
    // Reloading reports nothing new.
    model()->reloadAfterOutsideChange();
    QCoreApplication::processEvents();
    EXPECT_EQ(wnd->problemsShown().size(), 1);
}

}  // namespace
}  // namespace md::test
