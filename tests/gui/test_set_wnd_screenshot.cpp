// Renders the settings window into settings_window.png (an update found for the mouse, the
// autostart switch on), settings_window_updating.png (that update downloading) and
// settings_window_zh_cn.png (the same in Simplified Chinese) when MD_SCREENSHOT_DIR is set
// (docs/screenshots/). The answers come from a TLS server on the loopback interface.
#include <gtest/gtest.h>

#include <QApplication>

#include "app/shell/app_messages.h"
#include "app/shell/language_controller.h"
#include "app/shell/set_wnd.h"
#include "gui_test_support.h"
#include "online/proxy_free_env.h"
#include "online/tls_test_server.h"
#include "online/update_config.h"
#include "online/update_time_file.h"
#include "ui/resource_manager.h"

namespace md {
namespace {

TEST(Screenshots, SettingsWindow) {
    const QString dir = qEnvironmentVariable("MD_SCREENSHOT_DIR");
    if (dir.isEmpty()) GTEST_SKIP() << "MD_SCREENSHOT_DIR not set";
    test::useSourceSkin();
    qApp->setStyleSheet(ResourceManager::instance().styleSheet());
    const QString folder = test::freshFolder("setwnd_shots");
    LanguageController language(test::sourceDataFolder() + "Language.config",
                                folder + "settings.ini");
    language.applyLanguage(1);
    test::ProxyFreeEnv noProxy;
    test::TlsTestServer server;
    server.setHandler([](const test::CapturedRequest& r) {
        if (r.body.rfind("app_key=ZELVO_2_MOUSE_FW_1&", 0) == 0)
            return test::CannedResponse{
                200, R"({"version":"0103","name":"Gaming Mouse"})", {}, false};
        return test::CannedResponse{200, "{}", {}, false};
    });

    SetWndSetup setup;
    const UpdateConfig cfg =
        loadUpdateConfig((test::sourceDataFolder() + "updates.json").toStdString(), "");
    setup.entries = buildVersionList(cfg, installedVersionNumber());
    setup.serviceUrl = server.baseUrl();
    setup.http.caFile = test::TlsTestServer::caFile();
    setup.timeFile = folder.toStdString() + kUpdateTimeFileName;
    setup.languages = language.readLanguageList();
    setup.languageIndex = language.current();
    // The autostart switch on.
    setup.autostart.emplace(folder.toStdString() + "autostart", "/usr/bin/mouse-driver");
    ASSERT_EQ(setup.autostart->setEnabled(true), "");
    // The lighting server offered, off.
    setup.lightingServer.apply = [](bool, const QString&) { return QString(); };
    CSetWnd wnd(setup);
    wnd.show();
    ASSERT_TRUE(test::waitFor([&] { return wnd.overallStatus() == update_status::kUpdatesFound; }));
    test::waitFor([] { return false; }, std::chrono::milliseconds(200));
    EXPECT_TRUE(wnd.grab().save(dir + "/settings_window.png"));

    wnd.controls().find<QAbstractButton>("update_fw_and_ap")->click();
    wnd.controls().find<QAbstractButton>("update_OK_btn")->click();
    wnd.handleMessage(msg::kUpdateProgress, 4, 45);
    test::waitFor([] { return false; }, std::chrono::milliseconds(100));
    EXPECT_TRUE(wnd.grab().save(dir + "/settings_window_updating.png"));

    language.applyLanguage(0);
    wnd.handleMessage(msg::kLanguageChanged, 0, 0);
    test::waitFor([] { return false; }, std::chrono::milliseconds(100));
    EXPECT_TRUE(wnd.grab().save(dir + "/settings_window_zh_cn.png"));
    // The longest texts of the lighting server's row.
    constexpr int kItalian = 9;
    language.applyLanguage(kItalian);
    wnd.handleMessage(msg::kLanguageChanged, kItalian, 0);
    test::waitFor([] { return false; }, std::chrono::milliseconds(100));
    EXPECT_TRUE(wnd.grab().save(dir + "/settings_window_it.png"));
    language.applyLanguage(1);
}

}  // namespace
}  // namespace md
