// The windows besides the main page (settings, about, a message box, the skin picker, the tray
// menu) in English and in the longest translations: no text cut, no control over another.
// With MD_SCREENSHOT_DIR set, each is also saved as <dir>/<language>/<window>.png.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QMenu>

#include "app/shell/about_wnd.h"
#include "app/shell/app_messages.h"
#include "app/shell/language_controller.h"
#include "app/shell/main_wnd.h"
#include "app/shell/msg_wnd.h"
#include "app/shell/set_wnd.h"
#include "app/shell/skin_frame.h"
#include "gui_test_support.h"
#include "layout_check.h"
#include "online/update_time_file.h"
#include "ui/resource_manager.h"

namespace md {
namespace {

struct Language {
    int index;  // in Language.config
    const char* code;
};
constexpr Language kLanguages[] = {{1, "en"}, {5, "de"}, {10, "ru"}};

void settle() {
    test::waitFor([] { return false; }, std::chrono::milliseconds(80));
}

TEST(SecondaryWindows, FitInEveryLongLanguage) {
    test::useSourceSkin();
    qApp->setStyleSheet(ResourceManager::instance().styleSheet());
    const QString folder = test::freshFolder("secondary");
    CMainWnd wnd(std::make_unique<LanguageController>(test::sourceDataFolder() + "Language.config",
                                                      folder + "settings.ini"));
    wnd.show();
    ASSERT_TRUE(test::waitFor([&] { return wnd.isVisible(); }));
    const QString dir = qEnvironmentVariable("MD_SCREENSHOT_DIR");

    QStringList problems;
    for (const Language lang : kLanguages) {
        wnd.handleMessage(msg::kLanguageChanged, static_cast<uintptr_t>(lang.index), 0);
        if (!dir.isEmpty()) QDir().mkpath(dir + "/" + lang.code);
        auto look = [&](QWidget* w, const char* name) {
            // Word-wrapped labels take their height in a later layout pass; a loaded machine
            // may need a while for it.
            settle();
            test::waitFor([&] { return test::layoutProblems(w).isEmpty(); },
                          std::chrono::milliseconds(2000));
            for (const QString& p : test::layoutProblems(w))
                problems << QStringLiteral("%1 %2: %3").arg(lang.code, name, p);
            if (!dir.isEmpty())
                w->grab().save(QStringLiteral("%1/%2/%3.png").arg(dir, lang.code, name));
        };

        SetWndSetup setup;
        setup.timeFile = folder.toStdString() + kUpdateTimeFileName;
        setup.languages = wnd.language().readLanguageList();
        setup.languageIndex = wnd.language().current();
        {
            CSetWnd settings(setup);
            settings.show();
            look(&settings, "settings_window");
        }
        {
            CAboutWnd about(&wnd);
            about.show();
            look(&about, "about_window");
        }
        {
            CMsgWnd box(&wnd);
            box.setText("message_text_22", true);
            box.setButtons(1);
            box.adjustSize();
            box.show();
            look(&box, "message_box");
        }
        {
            auto* frame = new CSkinFrame(wnd.controls().find("skinbtn"));
            frame->show();
            look(frame, "skin_picker");
            delete frame;
        }
        wnd.showTrayMenu();
        if (QMenu* menu = wnd.trayMenu()) {
            look(menu, "tray_menu");
            menu->hide();
        }
    }
    EXPECT_TRUE(problems.isEmpty()) << problems.join('\n').toStdString();
}

}  // namespace
}  // namespace md
