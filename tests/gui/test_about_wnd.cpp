#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QTimer>

#include "app/shell/about_wnd.h"
#include "app/shell/app_messages.h"
#include "app/shell/language_controller.h"
#include "app/shell/main_wnd.h"
#include "gui_test_support.h"

namespace md {

class AboutWndTest : public ::testing::Test {
  protected:
    void SetUp() override {
        test::useSourceSkin();
        wnd = std::make_unique<CMainWnd>(
            std::make_unique<LanguageController>(test::sourceDataFolder() + "Language.config",
                                                 test::freshFolder("about") + "settings.ini"));
        wnd->language().applyLanguage(1);
    }
    std::unique_ptr<CMainWnd> wnd;
};

TEST_F(AboutWndTest, VersionLabelFollowsTheLanguage) {
    CAboutWnd about(wnd.get());
    EXPECT_EQ(about.size(), QSize(800, 572));
    EXPECT_EQ(about.windowTitle(), "  ");
    EXPECT_EQ(about.controls().text("software_ver_label"), "Software version " MD_VERSION_TEXT);
    wnd->language().applyLanguage(2);
    about.handleMessage(msg::kLanguageChanged, 0, 0);
    EXPECT_EQ(about.controls().text("software_ver_label"), "軟體版本 " MD_VERSION_TEXT);
}

TEST_F(AboutWndTest, ClosingTheAboutWindowKeepsTheProgram) {
    wnd->show();
    ASSERT_TRUE(test::waitFor([&] { return wnd->initialised(); }));
    ASSERT_TRUE(test::waitFor([&] { return wnd->isVisible(); }));
    bool wasOpen = false;
    QTimer::singleShot(0, [&] {
        wasOpen = wnd->aboutOpen();
        wnd->openAbout();  // a second request while open does nothing
        auto* about = qobject_cast<CAboutWnd*>(QApplication::activeModalWidget());
        ASSERT_TRUE(about);
        about->close();  // what Alt+F4 asks for
    });
    wnd->onMenuCommand("about_menu");
    EXPECT_TRUE(wasOpen);
    EXPECT_FALSE(wnd->aboutOpen());
    EXPECT_TRUE(wnd->isVisible());

    QTimer::singleShot(0, [&] {
        auto* about = qobject_cast<CAboutWnd*>(QApplication::activeModalWidget());
        ASSERT_TRUE(about);
        about->controls().find<QAbstractButton>("closebtn")->click();
    });
    wnd->openAbout();
    EXPECT_FALSE(wnd->aboutOpen());
}

}  // namespace md
