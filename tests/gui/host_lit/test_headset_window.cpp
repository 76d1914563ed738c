// The headset in the main window, as in the demo: its tile and page appear, the lighting
// thread runs, and the equaliser page's controls reach the headset's audio through the main
// window's routing. With MD_SCREENSHOT_DIR set it renders main_window_headset.png.
#include <QAbstractButton>
#include <QApplication>
#include <QLineEdit>
#include <QSlider>
#include <filesystem>

#include "app/devmgmt/app_device_host.h"
#include "app/devmgmt/page_router.h"
#include "audio/audio_state_file.h"
#include "audio/headset_audio.h"
#include "audio/sim_state_path.h"
#include "devmgmt/devmgmt_fixture.h"
#include "pages/headset/orrivale_hs6533_device.h"
#include "panels/voice6533_control_ui.h"
#include "ui/resource_manager.h"

namespace md::test {
namespace {

class HeadsetWindow : public DeviceManagementTest {
  protected:
    HeadsetWindow() { labels = {"headset"}; }
    void SetUp() override {
        ::setenv(kAudioSimVariable, simStatePath().c_str(), 1);
        ASSERT_TRUE(AudioStateFile::fresh().save(simStatePath()));
        DeviceManagementTest::SetUp();
    }
    void TearDown() override {
        DeviceManagementTest::TearDown();
        std::error_code ec;
        std::filesystem::remove(simStatePath(), ec);
    }
};

TEST_F(HeadsetWindow, AppearsRunsItsLightingAndRoutesItsAudioPages) {
    qApp->setStyleSheet(ResourceManager::instance().styleSheet());
    start();
    int index = -1;
    for (int i = 0; i < manager->tileCount(); ++i)
        if (qobject_cast<COrrivaleHS6533Device*>(manager->model(i))) index = i;
    ASSERT_GE(index, 0);
    CDeviceOptionUI* tile = manager->tile(index);
    ASSERT_TRUE(waitFor([&] { return tile->attachCount() >= 1 && !tile->isHidden(); }));
    auto* headset = qobject_cast<COrrivaleHS6533Device*>(manager->model(index));
    EXPECT_TRUE(headset->lightingRunning());
    EXPECT_EQ(manager->selectedModel(), headset);
    ASSERT_TRUE(
        waitFor([&] { return bus->device("headset")->firmware().headsetLedReportCount() >= 12; }));

    // The tests' program folder has no SDK folder: the audio starts again on the built library.
    headset->audio().startAudio(MD_CONF_LIB_PATH);
    ASSERT_TRUE(headset->audio().libraryLoaded());
    // The microphone slider of the equaliser page, moved by the user.
    headset->setWorkingMode(6);
    auto* slider = headset->findChild<QSlider*>("6533_MicIn_slider");
    ASSERT_NE(slider, nullptr);
    slider->setValue(23);
    EXPECT_EQ(headset->audio().stages()[kMicInValue], 23);

    // Deleting a custom equaliser is asked first; "no" keeps it.
    auto* eq = headset->findChild<CVoice6533ControlUI*>();
    ASSERT_NE(eq, nullptr);
    eq->findChild<QAbstractButton*>("6533_eq_option_13")->click();  // custom: its controls open
    eq->findChild<QLineEdit*>("custom_eq_name_edit")->setText("Mine");
    eq->findChild<QAbstractButton*>("hs_EQ_btn_save")->click();
    ASSERT_EQ(headset->audio().customEqNames().size(), 1u);
    QStringList asked;
    bool answer = false;
    manager->router().confirm = [&](const QString& id) {
        asked << id;
        return answer;
    };
    eq->findChild<QAbstractButton*>("hs_EQ_btn_delete")->click();
    EXPECT_EQ(asked, QStringList{"message_eq_delete"});
    EXPECT_EQ(headset->audio().customEqNames().size(), 1u);
    answer = true;
    eq->findChild<QAbstractButton*>("hs_EQ_btn_delete")->click();
    EXPECT_TRUE(headset->audio().customEqNames().empty());

    // A command-line verb run by the application works on the page's own lighting.
    AppDeviceHost host(*manager);
    std::string out, err;
    ASSERT_EQ(runHostedCommand(host,
                               {"lighting", "3", "--device", "headset", "--brightness", "4",
                                "--colour", "00ff40"},
                               out, err),
              0)
        << err;
    EXPECT_EQ(headset->lighting().mode, 3);
    EXPECT_EQ(headset->lighting().blue, 0x40);
    const auto block = bus->device("headset")->firmware().configBlock(0);
    EXPECT_EQ(block[1], 3);
    EXPECT_EQ(block[7], 0xFF);
    ASSERT_TRUE(waitFor([&] {
        return bus->device("headset")->firmware().headsetLeds(0x22)[0] == sim::Rgb{0, 247, 63};
    }));
    ASSERT_EQ(runHostedCommand(host, {"settings", "--device", "headset"}, out, err), 0) << err;
    EXPECT_NE(out.find("mode 3 (steady)"), std::string::npos) << out;

    const QString dir = qEnvironmentVariable("MD_SCREENSHOT_DIR");
    if (dir.isEmpty()) return;
    headset->setWorkingMode(1);
    waitFor([] { return false; }, std::chrono::milliseconds(300));  // let the page settle
    EXPECT_TRUE(wnd->grab().save(dir + "/main_window_headset.png"));
}

}  // namespace
}  // namespace md::test
