// The two headset pages built from their layouts, driven through their widgets: each
// notification reaches its audio operation on the simulated library, the pages' setters raise
// no notifications, and both pages render (docs/screenshots/headset_panels.png when
// MD_SCREENSHOT_DIR is set).
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QSlider>
#include <filesystem>
#include <memory>
#include <optional>

#include "app/shell/main_wnd.h"
#include "audio/audio_state_file.h"
#include "audio/headset_audio.h"
#include "audio/headset_audio_routes.h"
#include "audio/sim_state_path.h"
#include "gui_test_support.h"
#include "pages/device_page_classes.h"
#include "panels/magic_control_ui.h"
#include "panels/voice6533_control_ui.h"
#include "profiles/hs6533_profiledata.h"
#include "ui/layout_builder.h"
#include "ui/notify_dispatcher.h"
#include "ui/resource_manager.h"

namespace md::test {
namespace {

// The main window's part for the headset pages: every notification goes to the routes.
struct HeadsetRouter : NotifyTarget {
    void notify(const Notification& n) override {
        seen.push_back(n.type + ":" + n.sender);
        // As the headset page: the save button saves under the name field's text.
        if (routeHeadsetNotification(*audio, n.type.toStdString(), n.sender.toStdString(), n.wParam,
                                     eq ? eq->customNameText() : std::string()) ==
            HeadsetRoute::ShowNameTaken)
            ++nameTaken;
    }
    HeadsetAudio* audio = nullptr;
    CVoice6533ControlUI* eq = nullptr;
    QStringList seen;
    int nameTaken = 0;
};

class HeadsetPanels : public ::testing::Test {
  protected:
    void SetUp() override {
        useSourceSkin();
        registerDevicePageControls();
        ::setenv(kAudioSimVariable, simStatePath().c_str(), 1);
        ASSERT_TRUE(AudioStateFile::fresh().save(simStatePath()));
        const std::string folder = freshFolder("headset_panels").toStdString();
        profile.setDefaultPath(sourceDataFolder().toStdString() + "headset.Json");
        profile.setProfilePath(folder + "headset.Json");
        profile.loadNode(folder + "headset.Json");

        host = std::make_unique<QWidget>();
        auto* row = new QHBoxLayout(host.get());
        LayoutBuilder builder(&CMainWnd::layoutTags());
        eqPage = qobject_cast<CVoice6533ControlUI*>(
            builder.build("XML/CustomControlXML/Voice6533Control.xml", host.get()));
        magicPage = qobject_cast<CMagicControlUI*>(
            builder.build("XML/CustomControlXML/MagicControl.xml", host.get()));
        ASSERT_NE(eqPage, nullptr);
        ASSERT_NE(magicPage, nullptr);
        row->addWidget(eqPage);
        row->addWidget(magicPage, 0, Qt::AlignTop);
        router.audio = &audio;
        router.eq = eqPage;
        new NotifyDispatcher(router, eqPage);
        new NotifyDispatcher(router, magicPage);
        audio.setPages(magicPage, eqPage);
        audio.loadFromProfile();
        audio.startAudio(MD_CONF_LIB_PATH);
        audio.showSettings();
        host->show();
    }
    void TearDown() override {
        host.reset();
        std::error_code ec;
        std::filesystem::remove(simStatePath(), ec);
    }
    template <typename T>
    T* find(QWidget* page, const QString& name) {
        T* w = page->findChild<T*>(name);
        EXPECT_NE(w, nullptr) << name.toStdString();
        return w;
    }
    static std::optional<double> value(char ep, const char* name) {
        return AudioStateFile::load(simStatePath())->value(ep, name);
    }

    CHs6533Profiledata profile;
    HeadsetAudio audio{profile};
    HeadsetRouter router;
    std::unique_ptr<QWidget> host;
    CVoice6533ControlUI* eqPage = nullptr;
    CMagicControlUI* magicPage = nullptr;
};

TEST_F(HeadsetPanels, SettersRaiseNoNotifications) {
    router.seen.clear();
    audio.showSettings();
    eqPage->selectPreset(3);
    eqPage->setBand(4, 7);
    eqPage->setMicOn(false);
    eqPage->setMonitorLevel(12);
    eqPage->addCustomName("Quiet");
    eqPage->selectCustom(0);
    eqPage->setCustomNameText("x");
    magicPage->setVoiceEnabled(true);
    magicPage->selectVoice(2);
    EXPECT_TRUE(router.seen.isEmpty()) << router.seen.join(", ").toStdString();
    // Shown: the profile's preset and the headset's microphone state.
    EXPECT_EQ(eqPage->band(4), 7);
    EXPECT_EQ(eqPage->customName(0), "Quiet");
    EXPECT_EQ(eqPage->selectedCustom(), 0);
    EXPECT_EQ(eqPage->customNameText(), "x");
}

TEST_F(HeadsetPanels, OptionEdgeCases) {
    eqPage->selectPreset(4);
    eqPage->selectPreset(14);
    EXPECT_EQ(eqPage->selectedPreset(), 0);
    for (int n = 1; n <= 13; ++n)
        EXPECT_FALSE(
            find<QAbstractButton>(eqPage, QString("6533_eq_option_%1").arg(n))->isChecked())
            << n;
    magicPage->selectVoice(2);
    magicPage->selectVoice(0);
    EXPECT_EQ(magicPage->selectedVoice(), 0);
    for (int n = 1; n <= 4; ++n)
        EXPECT_FALSE(
            find<QAbstractButton>(magicPage, QString("magic_option_%1").arg(n))->isChecked());
    eqPage->addCustomName("A");
    eqPage->selectCustom(0);
    eqPage->setCustomNameText("typed");
    eqPage->selectCustom(-1);
    EXPECT_EQ(eqPage->selectedCustom(), -1);
    EXPECT_TRUE(eqPage->customNameText().empty());
    delete find<QSlider>(eqPage, "6533_MicIn_slider");
    EXPECT_EQ(eqPage->micLevel(), -1);
    eqPage->setMicLevel(30);  // tolerated
}

TEST_F(HeadsetPanels, UserActionsReachTheHeadset) {
    // A preset option: its bands on the sliders and on the headset.
    find<QAbstractButton>(eqPage, "6533_eq_option_7")->click();
    EXPECT_EQ(audio.stages()[kEqType], 7);
    EXPECT_EQ(find<QSlider>(eqPage, "6533_eq_hz_slider_0")->value(), 14);
    EXPECT_EQ(value('R', "EQ_Slider1"), 14.0);
    // Another preset: the one losing its selection asks for nothing.
    find<QAbstractButton>(eqPage, "6533_eq_option_2")->click();
    EXPECT_EQ(audio.stages()[kEqType], 2);
    EXPECT_EQ(value('R', "EQ_Slider5"), -11.0);
    // A band slider: the page switches to the user's own equaliser.
    find<QSlider>(eqPage, "6533_eq_hz_slider_4")->setValue(3);
    EXPECT_EQ(value('R', "EQ_Slider5"), 3.0);
    EXPECT_TRUE(find<QAbstractButton>(eqPage, "6533_eq_option_13")->isChecked());
    EXPECT_TRUE(find<QWidget>(eqPage, "custom_eq_option_layout")->isEnabled());
    // Save under a name, then the same name in other case: refused with the message.
    find<QLineEdit>(eqPage, "custom_eq_name_edit")->setText("Night");
    find<QAbstractButton>(eqPage, "hs_EQ_btn_save")->click();
    EXPECT_EQ(eqPage->customCount(), 1);
    EXPECT_EQ(eqPage->selectedCustom(), 0);
    find<QLineEdit>(eqPage, "custom_eq_name_edit")->setText("NIGHT");
    find<QAbstractButton>(eqPage, "hs_EQ_btn_save")->click();
    EXPECT_EQ(router.nameTaken, 1);
    EXPECT_EQ(eqPage->customCount(), 1);
    // Microphone: mute by the option, level by the slider.
    find<QAbstractButton>(eqPage, "6533_MicIn_option")->click();
    EXPECT_EQ(value('C', "MuteControl"), 1.0);
    find<QSlider>(eqPage, "6533_MicIn_slider")->setValue(58);
    EXPECT_EQ(audio.stages()[kMicInValue], 58);
    // Voice changer on, voice 4.
    find<QAbstractButton>(magicPage, "magic_enable_option")->click();
    EXPECT_EQ(value('C', "Enable_MAGICVOICE"), 1.0);
    EXPECT_TRUE(find<QWidget>(magicPage, "magic_option_layout")->isEnabled());
    find<QAbstractButton>(magicPage, "magic_option_4")->click();
    EXPECT_EQ(value('C', "MagicVoice_Selection"), 3.0);
    // Delete the custom equaliser: none left, back to preset 1.
    find<QAbstractButton>(eqPage, "hs_EQ_btn_delete")->click();
    EXPECT_EQ(eqPage->customCount(), 0);
    EXPECT_EQ(eqPage->selectedPreset(), 1);
    EXPECT_FALSE(find<QWidget>(eqPage, "custom_eq_option_layout")->isEnabled());
}

TEST_F(HeadsetPanels, Screenshot) {
    const QString dir = qEnvironmentVariable("MD_SCREENSHOT_DIR");
    if (dir.isEmpty()) GTEST_SKIP() << "MD_SCREENSHOT_DIR not set";
    ResourceManager::instance().loadLanguage("lan_en.xml");
    qApp->setStyleSheet(ResourceManager::instance().styleSheet());
    eqPage->setCustomNameText("");
    find<QAbstractButton>(eqPage, "6533_eq_option_13")->click();
    for (int i = 0; i < kEqBandCount; ++i) eqPage->setBand(i, (i * 7) % 15 - 6);
    find<QLineEdit>(eqPage, "custom_eq_name_edit")->setText("Evening");
    find<QAbstractButton>(eqPage, "hs_EQ_btn_save")->click();
    find<QAbstractButton>(magicPage, "magic_enable_option")->click();
    find<QAbstractButton>(magicPage, "magic_option_2")->click();
    host->setObjectName("headset_sheet");
    host->setAttribute(Qt::WA_StyledBackground, true);
    host->setStyleSheet("#headset_sheet { background: #0E1117; } QLabel { color: #DCE2EC; }");
    host->layout()->setContentsMargins(24, 20, 24, 24);
    host->adjustSize();
    waitFor([] { return false; }, std::chrono::milliseconds(100));
    EXPECT_TRUE(host->grab().save(dir + "/headset_panels.png"));
    qApp->setStyleSheet(QString());
}

}  // namespace
}  // namespace md::test
