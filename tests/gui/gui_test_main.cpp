// Entry of gui_tests: one QApplication on the offscreen platform, private XDG folders.
#include <gtest/gtest.h>

#include <QApplication>
#include <QTemporaryDir>

#include "app/shell/font_holder.h"
#include "app/shell/main_wnd.h"
#include "profiles/app_paths.h"
#include "ui/resource_manager.h"

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir root;
    qputenv("MD_GUI_TEST_ROOT", root.path().toUtf8());
    qputenv("XDG_CONFIG_HOME", (root.path() + "/config").toUtf8());
    qputenv("XDG_DATA_HOME", (root.path() + "/data").toUtf8());
    qputenv("XDG_RUNTIME_DIR", root.path().toUtf8());
    // Without a stored choice the window starts in the locale's language: English here.
    qputenv("LANGUAGE", "en");
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    md::installFontSubstitutes();
    // The offscreen platform has no notification area; the tests expect one unless they say.
    md::CMainWnd::setTrayProbe([] { return true; });
    md::AppPaths::setApplicationFolder(MD_SOURCE_DIR "/");
    ::testing::InitGoogleTest(&argc, argv);
    const int rc = RUN_ALL_TESTS();
    md::ResourceManager::instance().release();
    return rc;
}
