// The headset page on the virtual headset and the simulated audio library: attaching, a
// lighting change reaching the lighting block and the LED reports byte for byte, the lighting
// thread ending within its bound, and the audio state of the library on the equaliser page.
// With MD_SCREENSHOT_DIR set it renders headset_page_*.png (docs/screenshots/).
#include <QApplication>
#include <QComboBox>
#include <filesystem>

#include "audio/audio_state_file.h"
#include "audio/sim_state_path.h"
#include "devices/headset/headset_reports.h"
#include "gui_test_support.h"
#include "host_lit_page_fixture.h"
#include "pages/headset/orrivale_hs6533_device.h"
#include "panels/device_profile_ui.h"
#include "profiles/app_paths.h"
#include "ui/resource_manager.h"

namespace md::test {
namespace {

class HeadsetPage : public HostLitPageTest {
  protected:
    void SetUp() override {
        ::setenv(kAudioSimVariable, simStatePath().c_str(), 1);
        AudioStateFile state = AudioStateFile::fresh();
        state.values["C:VolumeScalarControl"] = 0.37;    // microphone at 37
        state.values["C:AAVolumeScalarControl"] = 0.62;  // monitoring at 62, muted
        ASSERT_TRUE(state.save(simStatePath()));
        setUpPage("headset");
        headset = qobject_cast<COrrivaleHS6533Device*>(model);
        ASSERT_NE(headset, nullptr);
    }
    void TearDown() override {
        HostLitPageTest::TearDown();
        std::error_code ec;
        std::filesystem::remove(simStatePath(), ec);
    }
    COrrivaleHS6533Device* headset = nullptr;
};

TEST_F(HeadsetPage, AttachLightingReportsAudioAndStop) {
    // The page as built: picture with its thirteen lights, the three pages (built when the page
    // is first shown), the tabs of the headset only.
    for (int i = 0; i < 13; ++i) EXPECT_NE(model->lightButton(i), nullptr) << i;
    EXPECT_EQ(headset->eqPage(), nullptr);
    EXPECT_EQ(model->profilePanel(), nullptr);
    model->ensurePanels();
    EXPECT_NE(headset->eqPage(), nullptr);
    EXPECT_NE(headset->voicePage(), nullptr);
    auto* profiles = model->profilePanel();
    ASSERT_NE(profiles, nullptr);
    EXPECT_FALSE(profiles->findChild<QWidget*>("key_Op_tab")->isVisibleTo(profiles));
    EXPECT_TRUE(profiles->findChild<QWidget*>("magic_Op_tab")->isVisibleTo(profiles));
    EXPECT_FALSE(profiles->findChild<QWidget*>("Virtual7.1_Op_tab")->isVisibleTo(profiles));
    // Profiles live in their own folder of the data root.
    EXPECT_EQ(model->dataFolderPath(), AppPaths::dataRoot() + "headset/");
    EXPECT_TRUE(std::filesystem::exists(model->profileFilePath()));

    attach();
    EXPECT_TRUE(model->lightingRunning());
    // The audio state of the library is on the equaliser page.
    EXPECT_EQ(headset->eqPage()->micLevel(), 37);
    EXPECT_EQ(headset->eqPage()->monitorLevel(), 62);

    // Steady orange at full brightness, speed 2: the block and the reports.
    LightSetting l = model->lighting();
    l.mode = 3, l.brightness = 4, l.speed = 2, l.multiColor = 0;
    l.red = 255, l.green = 128, l.blue = 0;
    commit(l);
    const auto block = firmware().configBlock(0);
    EXPECT_EQ(std::vector<uint8_t>(block.begin() + 1, block.begin() + 9),
              (std::vector<uint8_t>{3, 4, 2, 0x01, 0, 255, 128, 0}));
    ASSERT_TRUE(waitFor([&] { return firmware().headsetLeds(0x22)[12] == sim::Rgb{247, 127, 0}; }));
    std::vector<lighting::LedColour> leds(13, lighting::LedColour{255, 128, 0, 255});
    lighting::HeadsetReports expected;
    lighting::buildHeadsetReports(leds, expected);
    const auto got = firmware().headsetLedReports();
    ASSERT_GE(got.size(), 12u);
    for (size_t r = 0; r < 12; ++r)
        EXPECT_EQ(got[got.size() - 12 + r],
                  std::vector<uint8_t>(expected[r].begin(), expected[r].end()))
            << r;
    // The second report of a colour repeats LED 6 in byte 10 (the carry rule).
    EXPECT_EQ(got[got.size() - 11][10], 247);
    // The picture shows the colours the worker computed (while it can be seen).
    owner.show();
    ASSERT_TRUE(waitFor([&] {
        return model->lightButton(4)->property("ledColour").value<QColor>() ==
               QColor(255, 128, 0, 255);
    }));
    // Speed 0 is stored as 4.
    l.speed = 0;
    commit(l);
    EXPECT_EQ(firmware().configBlock(0)[3], 4);

    // The thread ends within its bound; a new attach starts it again.
    EXPECT_TRUE(model->stopLightingThread());
    EXPECT_FALSE(model->lightingRunning());
    model->onDeviceAttached();
    EXPECT_TRUE(model->lightingRunning());
}

TEST_F(HeadsetPage, Screenshots) {
    const QString dir = qEnvironmentVariable("MD_SCREENSHOT_DIR");
    if (dir.isEmpty()) GTEST_SKIP() << "MD_SCREENSHOT_DIR not set";
    qApp->setStyleSheet(ResourceManager::instance().styleSheet());
    attach();
    LightSetting l = model->lighting();
    l.mode = 0, l.brightness = 4, l.speed = 3, l.multiColor = 1;
    const LightSetting::Words w = l.toWords();
    model->setLightSetting(w.w0, w.w1, w.w2, w.w3);
    model->showSettings();
    owner.setObjectName("shot");
    owner.setStyleSheet("#shot { background: #0E1117; }");
    owner.resize(820, 560);
    model->setGeometry(10, 10, 800, 540);
    owner.show();
    ASSERT_TRUE(waitFor([&] {
        const QColor c = model->lightButton(0)->property("ledColour").value<QColor>();
        return c.alpha() > 0 && c != QColor(255, 255, 255, 255);
    }));
    waitFor([] { return false; }, std::chrono::milliseconds(100));
    EXPECT_TRUE(owner.grab().save(dir + "/headset_page_lighting.png"));
    auto* profiles = model->profilePanel();
    model->setWorkingMode(6);
    if (profiles) profiles->selectTab(6);
    EXPECT_TRUE(owner.grab().save(dir + "/headset_page_equaliser.png"));
    model->setWorkingMode(7);
    if (profiles) profiles->selectTab(7);
    EXPECT_TRUE(owner.grab().save(dir + "/headset_page_voice.png"));
}

}  // namespace
}  // namespace md::test
