// Renders the windows offscreen into PNGs when MD_SCREENSHOT_DIR is set (docs/screenshots/).
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QMenu>

#include "app/shell/about_wnd.h"
#include "app/shell/app_messages.h"
#include "app/shell/language_controller.h"
#include "app/shell/main_wnd.h"
#include "app/shell/msg_wnd.h"
#include "app/shell/skin_frame.h"
#include "gui_test_support.h"
#include "ui/resource_manager.h"

namespace md {

TEST(Screenshots, Windows) {
    const QString dir = qEnvironmentVariable("MD_SCREENSHOT_DIR");
    if (dir.isEmpty()) GTEST_SKIP() << "MD_SCREENSHOT_DIR not set";
    test::useSourceSkin();
    qApp->setStyleSheet(ResourceManager::instance().styleSheet());
    const QString folder = test::freshFolder("shots");
    CMainWnd wnd(std::make_unique<LanguageController>(test::sourceDataFolder() + "Language.config",
                                                      folder + "settings.ini"));
    wnd.show();
    ASSERT_TRUE(test::waitFor([&] { return wnd.isVisible() && wnd.language().current() == 1; }));
    wnd.resize(CMainWnd::kAdaptedWidth, CMainWnd::kAdaptedHeight);
    test::waitFor([] { return false; }, std::chrono::milliseconds(200));
    auto save = [&](QWidget* w, const char* name) { w->grab().save(dir + "/" + name); };
    save(&wnd, "main_window.png");

    wnd.handleMessage(msg::kLanguageChanged, 0, 0);
    save(&wnd, "main_window_zh_cn.png");
    wnd.handleMessage(msg::kLanguageChanged, 1, 0);
    wnd.handleMessage(msg::kLightOwnerSet, 1, 0);
    save(&wnd, "main_window_light_released.png");
    wnd.handleMessage(msg::kLightOwnerSet, 1, 1);

    {
        CMsgWnd box(&wnd);
        box.setText("message_text_22", true);
        box.setButtons(1);
        box.adjustSize();
        box.show();
        test::waitFor([] { return false; }, std::chrono::milliseconds(100));
        save(&box, "message_box.png");
    }
    {
        CAboutWnd about(&wnd);
        about.show();
        test::waitFor([] { return false; }, std::chrono::milliseconds(100));
        save(&about, "about_window.png");
    }
    {
        auto* frame = new CSkinFrame(wnd.controls().find("skinbtn"));
        frame->show();
        test::waitFor([] { return false; }, std::chrono::milliseconds(100));
        save(frame, "skin_picker_images.png");
        frame->findChildren<QAbstractButton*>("skin_color").first()->click();
        save(frame, "skin_picker_colours.png");
        frame->findChildren<QAbstractButton*>("skin_image_btn").at(0)->click();
        save(&wnd, "main_window_skin_aurora.png");
        frame->findChildren<QAbstractButton*>("skin_color_btn").at(3)->click();
        save(&wnd, "main_window_skin_colour.png");
        frame->findChildren<QAbstractButton*>("skin_reset").first()->click();
        delete frame;
    }
    wnd.showTrayMenu();
    if (wnd.trayMenu()) {
        test::waitFor([] { return false; }, std::chrono::milliseconds(100));
        save(wnd.trayMenu(), "tray_menu.png");
        wnd.trayMenu()->hide();
    }
}

}  // namespace md
