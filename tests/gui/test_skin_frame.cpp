#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QFile>
#include <QSettings>
#include <QStackedWidget>

#include "app/shell/language_controller.h"
#include "app/shell/main_wnd.h"
#include "app/shell/skin_frame.h"
#include "gui_test_support.h"
#include "profiles/app_paths.h"
#include "ui/background_panel.h"

namespace md {

class SkinFrameTest : public ::testing::Test {
  protected:
    void SetUp() override {
        test::useSourceSkin();
        dataRoot = test::freshFolder("skindata");
        AppPaths::setDataRoot(dataRoot.toStdString());
        wnd = std::make_unique<CMainWnd>(std::make_unique<LanguageController>(
            test::sourceDataFolder() + "Language.config", dataRoot + "settings.ini"));
        root = wnd->controls().find<BackgroundPanel>("root");
        ASSERT_TRUE(root);
        frame = new CSkinFrame(wnd->controls().find("skinbtn"));
    }
    void TearDown() override {
        delete frame.data();
        AppPaths::setDataRoot("");
    }
    QAbstractButton* button(const char* name, int i = 0) {
        auto all = frame->findChildren<QAbstractButton*>(name);
        return i < all.size() ? all[i] : nullptr;
    }
    QByteArray ini() const {
        QFile f(dataRoot + "main.ini");
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    QString dataRoot;
    std::unique_ptr<CMainWnd> wnd;
    BackgroundPanel* root = nullptr;
    QPointer<CSkinFrame> frame;
};

TEST_F(SkinFrameTest, ResetWritesMainIniAndSetsTheDefaultImage) {
    root->setBackgroundImage("bg/aurora.png");
    button("skin_reset")->click();
    EXPECT_EQ(root->backgroundImage(), "common/background.png");
    EXPECT_EQ(root->backgroundColor().alpha(), 0);
    QSettings s(dataRoot + "main.ini", QSettings::IniFormat);
    EXPECT_EQ(s.value("SKINIMAGE/FLAGS").toString(), "0");
    EXPECT_EQ(s.value("SKINIMAGE/IMAGE").toString(), "common/background.png");
}

TEST_F(SkinFrameTest, ImageWritesFlagOneColourLeavesTheFileUnchanged) {
    QAbstractButton* image = button("skin_image_btn", 1);
    ASSERT_TRUE(image);
    image->click();
    const QString chosen = image->property("userdata").toString();
    EXPECT_EQ(root->backgroundImage(), chosen);
    const QByteArray before = ini();
    EXPECT_TRUE(before.contains("FLAGS=1"));
    EXPECT_TRUE(before.contains(chosen.toUtf8()));

    QAbstractButton* colour = button("skin_color_btn", 3);
    ASSERT_TRUE(colour);
    colour->click();
    EXPECT_EQ(root->backgroundColor(), colour->property("bkcolor").value<QColor>());
    EXPECT_EQ(root->backgroundImage(), QString());
    EXPECT_EQ(ini(), before);
}

TEST_F(SkinFrameTest, ColourFirstWritesNoFileAndCustomImageIsNotStored) {
    button("skin_color_btn", 0)->click();
    EXPECT_FALSE(QFile::exists(dataRoot + "main.ini"));
    auto saved = CSkinFrame::customImageChooser();
    CSkinFrame::customImageChooser() = [](QWidget*) { return QString("/tmp/own.png"); };
    button("skin_Custom")->click();
    CSkinFrame::customImageChooser() = [](QWidget*) { return QString(); };  // cancelled
    if (frame) button("skin_Custom")->click();
    CSkinFrame::customImageChooser() = saved;
    EXPECT_EQ(root->backgroundImage(), "/tmp/own.png");
    EXPECT_FALSE(QFile::exists(dataRoot + "main.ini"));
}

TEST_F(SkinFrameTest, PageButtonsSwitchTheTab) {
    auto* tab = frame->controls().find<QStackedWidget>("skin_tab");
    ASSERT_TRUE(tab);
    button("skin_color")->click();
    EXPECT_EQ(tab->currentIndex(), 1);
    button("skin_image")->click();
    EXPECT_EQ(tab->currentIndex(), 0);
}

}  // namespace md
