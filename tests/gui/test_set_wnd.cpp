// The settings window: rows and overall status from the update check (against a TLS server on
// the loopback interface), the update flow driven by the update-progress message, the language
// choice, the autostart switch, closing, and how the main window opens it.
#include <gtest/gtest.h>

#include <QLineEdit>

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QCoreApplication>
#include <QFile>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QStackedWidget>
#include <chrono>
#include <iostream>

#include "app/shell/app_messages.h"
#include "app/shell/language_controller.h"
#include "app/shell/main_wnd.h"
#include "app/shell/set_wnd.h"
#include "app/shell/settings_window_hooks.h"
#include "app/shell/update_info_list_item_ui.h"
#include "gui_test_support.h"
#include "online/proxy_free_env.h"
#include "online/tls_test_server.h"
#include "online/update_test_entries.h"
#include "online/update_time_file.h"
#include "ui/resource_manager.h"

namespace md {
namespace {

using namespace std::chrono_literals;
using test::CannedResponse;
using test::CapturedRequest;
using test::TlsTestServer;

struct Sent {
    uint32_t message;
    uintptr_t wParam;
};

// The mouse's firmware has a newer version; everything else is current.
CannedResponse newerMouse(const CapturedRequest& r) {
    if (r.body.rfind("app_key=ZELVO_2_MOUSE_FW_1&", 0) == 0)
        return {200, R"({"version":"0103","path":"https://d/m.bin"})", {}, false};
    return {200, "{}", {}, false};
}

class SetWndTest : public ::testing::Test {
  protected:
    void SetUp() override {
        test::useSourceSkin();
        folder = test::freshFolder("setwnd");
        language = std::make_unique<LanguageController>(
            test::sourceDataFolder() + "Language.config", folder + "settings.ini");
        language->applyLanguage(1);
    }
    SetWndSetup setup(const std::string& serviceUrl) {
        SetWndSetup s;
        s.entries = test::sampleVersionList();
        s.serviceUrl = serviceUrl;
        s.http.caFile = TlsTestServer::caFile();
        s.timeFile = folder.toStdString() + kUpdateTimeFileName;
        s.languages = language->readLanguageList();
        s.languageIndex = language->current();
        s.sendToMain = [this](uint32_t m, uintptr_t w, intptr_t) { sent.push_back({m, w}); };
        return s;
    }
    bool sentMessage(uint32_t m) const {
        return std::any_of(sent.begin(), sent.end(), [m](const Sent& s) { return s.message == m; });
    }
    static bool waitForStatus(CSetWnd& wnd, int status) {
        return test::waitFor([&] { return wnd.overallStatus() == status; });
    }
    static QAbstractButton* button(CSetWnd& wnd, const char* name) {
        return wnd.controls().find<QAbstractButton>(name);
    }

    test::ProxyFreeEnv noProxy;
    QString folder;
    std::unique_ptr<LanguageController> language;
    std::vector<Sent> sent;
};

TEST_F(SetWndTest, WithoutAServiceTheInstalledVersionsAreShownAndNothingIsAsked) {
    CSetWnd wnd(setup(""));
    EXPECT_EQ(wnd.objectName(), "SetWnd");
    EXPECT_EQ(wnd.size(), QSize(CSetWnd::kWidth, CSetWnd::kHeight));
    ASSERT_TRUE(waitForStatus(wnd, update_status::kNoService));
    const auto rows = wnd.rows();
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0]->name(), "Gaming Mouse firmware");
    EXPECT_EQ(rows[0]->oldRev(), "V0102");
    EXPECT_EQ(rows[1]->oldRev(), "V103");
    EXPECT_EQ(rows[2]->name(), "Mouse Driver");
    EXPECT_EQ(rows[2]->oldRev(), "2.3.0.2");
    for (auto* row : rows) {
        EXPECT_EQ(row->state(), update_row::kUpdated);
        EXPECT_FALSE(row->checkBox()->isEnabled());
        EXPECT_EQ(row->height(), CUpdateInfoListItemUI::kHeight);
    }
    EXPECT_EQ(wnd.controls().text("Update_Status_text"),
              ResourceManager::instance().text("UpdateNoServiceText"));
    EXPECT_TRUE(wnd.controls().find("update_status_ring")->isHidden());
    EXPECT_FALSE(wnd.controls().find("update_status_image")->isHidden());
    EXPECT_TRUE(wnd.controls().find("update_fw_and_ap")->isHidden());
    // Opening keeps the date of the last check (today's when there was none).
    EXPECT_EQ(readLastCheckDate(folder.toStdString() + kUpdateTimeFileName), todayDateText());
    auto* combo = wnd.controls().find<QComboBox>("Language_combox_info");
    ASSERT_TRUE(combo);
    EXPECT_GE(combo->count(), 16);
    EXPECT_EQ(combo->currentIndex(), 1);
    EXPECT_FALSE(sentMessage(msg::kClearUpdateBadge));
}

TEST_F(SetWndTest, NewerFirmwareIsTickedAndUpdatedThroughTheProgressMessage) {
    TlsTestServer server;
    server.setHandler(newerMouse);
    CSetWnd wnd(setup(server.baseUrl()));
    ASSERT_TRUE(waitForStatus(wnd, update_status::kUpdatesFound));
    EXPECT_EQ(server.requests().size(), 3u);
    auto rows = wnd.rows();
    CUpdateInfoListItemUI* mouse = rows[0];
    EXPECT_EQ(mouse->state(), update_row::kNeedUpdate);
    EXPECT_EQ(mouse->updateRev(), "V0103");
    EXPECT_EQ(mouse->downloadPath(), "https://d/m.bin");
    EXPECT_TRUE(mouse->isTicked());
    EXPECT_TRUE(mouse->checkBox()->isEnabled());
    EXPECT_EQ(rows[1]->state(), update_row::kUpdated);
    EXPECT_FALSE(rows[1]->checkBox()->isEnabled());
    QAbstractButton* start = button(wnd, "update_fw_and_ap");
    EXPECT_FALSE(start->isHidden());
    EXPECT_TRUE(start->isEnabled());
    EXPECT_EQ(wnd.controls().text("Update_Status_text"),
              ResourceManager::instance().text("HaveUpdateInfoText"));

    auto* tabs = wnd.controls().find<QStackedWidget>("get_update_tab_layout");
    start->click();
    EXPECT_EQ(tabs->currentIndex(), 1);
    button(wnd, "update_OK_btn")->click();
    EXPECT_EQ(tabs->currentIndex(), 0);
    EXPECT_EQ(mouse->state(), update_row::kDownloadWait);
    EXPECT_FALSE(start->isEnabled());
    EXPECT_EQ(wnd.overallStatus(), update_status::kUpdating);

    // Download, install, done.
    const struct {
        uintptr_t wParam;
        intptr_t lParam;
        int state;
        const char* progress;
    } steps[] = {
        {4, 30, update_row::kDownloading, "30%"}, {4, 250, update_row::kDownloaded, "100%"},
        {4, 10, update_row::kUpdating, "10%"},    {4, -5, update_row::kUpdating, "0%"},
        {1, 0, update_row::kUpdated, nullptr},
    };
    for (const auto& s : steps) {
        EXPECT_TRUE(wnd.handleMessage(msg::kUpdateProgress, s.wParam, s.lParam));
        EXPECT_EQ(mouse->state(), s.state) << s.wParam << " " << s.lParam;
        if (s.progress) {
            EXPECT_EQ(mouse->findChild<QLabel*>("update_progress_value")->text(), s.progress);
        }
    }
    EXPECT_EQ(mouse->oldRev(), "V0103");
    EXPECT_EQ(mouse->updateRev(), "");
    EXPECT_FALSE(mouse->isTicked());
    EXPECT_EQ(wnd.overallStatus(), update_status::kUpToDate);
    EXPECT_TRUE(sentMessage(msg::kClearUpdateBadge));
    EXPECT_TRUE(start->isHidden());
    // Nothing is being updated any more: further progress changes nothing.
    wnd.handleMessage(msg::kUpdateProgress, 2, 0);
    EXPECT_EQ(mouse->state(), update_row::kUpdated);
}

TEST_F(SetWndTest, FailedUpdateCanBeChosenAgainAndTheWindowAlwaysCloses) {
    TlsTestServer server;
    server.setHandler(newerMouse);
    CSetWnd wnd(setup(server.baseUrl()));
    wnd.show();
    ASSERT_TRUE(waitForStatus(wnd, update_status::kUpdatesFound));
    CUpdateInfoListItemUI* mouse = wnd.rows()[0];
    button(wnd, "update_fw_and_ap")->click();
    button(wnd, "update_OK_btn")->click();
    wnd.handleMessage(msg::kUpdateProgress, 3, 0);
    EXPECT_EQ(mouse->state(), update_row::kUpdateFailed);
    EXPECT_TRUE(mouse->checkBox()->isEnabled());
    EXPECT_EQ(wnd.overallStatus(), update_status::kUpdatesFound);
    EXPECT_TRUE(button(wnd, "update_fw_and_ap")->isEnabled());

    // Unticking the last ticked row takes the start button away.
    mouse->checkBox()->click();
    EXPECT_FALSE(mouse->isTicked());
    EXPECT_FALSE(button(wnd, "update_fw_and_ap")->isEnabled());
    EXPECT_TRUE(button(wnd, "update_fw_and_ap")->isHidden());
    mouse->checkBox()->click();
    EXPECT_FALSE(button(wnd, "update_fw_and_ap")->isHidden());

    // A row waiting for the updater does not keep the window open.
    button(wnd, "update_fw_and_ap")->click();
    button(wnd, "update_OK_btn")->click();
    EXPECT_EQ(mouse->state(), update_row::kDownloadWait);
    button(wnd, "laterbtn")->click();
    EXPECT_FALSE(wnd.isVisible());
}

TEST_F(SetWndTest, UpToDateClearsTheBadgeAndFollowsTheLanguage) {
    TlsTestServer server;
    CSetWnd wnd(setup(server.baseUrl()));
    ASSERT_TRUE(waitForStatus(wnd, update_status::kUpToDate));
    EXPECT_TRUE(sentMessage(msg::kClearUpdateBadge));
    const QString date = QString::fromStdString(todayDateText());
    EXPECT_EQ(wnd.checkDate(), todayDateText());
    EXPECT_EQ(wnd.controls().text("Update_Status_text"),
              "Everything is up to date. Last checked: " + date);
    for (auto* row : wnd.rows()) EXPECT_FALSE(row->checkBox()->isEnabled());

    // Choosing a language asks the main window; its switch comes back as message 3089.
    auto* combo = wnd.controls().find<QComboBox>("Language_combox_info");
    combo->setCurrentIndex(0);
    ASSERT_FALSE(sent.empty());
    EXPECT_EQ(sent.back().message, msg::kLanguageChanged);
    EXPECT_EQ(sent.back().wParam, 0u);
    language->applyLanguage(0);
    wnd.handleMessage(msg::kLanguageChanged, 0, 0);
    EXPECT_EQ(wnd.controls().text("Update_Status_text"), "已是最新版本。上次检查：" + date);
    EXPECT_EQ(wnd.rows()[0]->findChild<QLabel*>("update_status_text")->text(), "已安装");
    language->applyLanguage(1);
}

TEST_F(SetWndTest, UnreachableServiceSaysSoAndClosingStopsAStalledCheckAtOnce) {
    {
        TlsTestServer server(test::ServerCert::WrongHost);
        CSetWnd wnd(setup(server.baseUrl()));
        ASSERT_TRUE(waitForStatus(wnd, update_status::kNoAnswer));
        EXPECT_EQ(wnd.controls().text("Update_Status_text"),
                  ResourceManager::instance().text("NoUpdateInfoText"));
        EXPECT_FALSE(sentMessage(msg::kClearUpdateBadge));
    }
    TlsTestServer server;
    server.respond(CannedResponse{200, "", {}, true});
    CSetWnd wnd(setup(server.baseUrl()));
    wnd.show();
    ASSERT_TRUE(server.waitForRequests(1, 10s));
    EXPECT_EQ(wnd.overallStatus(), update_status::kChecking);
    EXPECT_FALSE(wnd.controls().find("update_status_ring")->isHidden());
    const auto t0 = std::chrono::steady_clock::now();
    button(wnd, "closebtn")->click();
    const auto took =
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0);
    std::cout << "[ figure ] settings window closed during a stalled check in " << took.count()
              << " ms\n";
    EXPECT_FALSE(wnd.checkRunning());
    EXPECT_LT(took, 2s);
    EXPECT_FALSE(wnd.isVisible());
}

// The switch writes the autostart entry and removes it, and shows what the file says: also when
// a window opens later, and when a change fails (then the user is told why).
TEST_F(SetWndTest, AutostartSwitchWritesAndRemovesTheEntry) {
    SetWndSetup s = setup("");
    s.autostart.emplace(folder.toStdString() + "autostart", "/usr/bin/mouse-driver");
    const QString entryPath = folder + "autostart/mouse-driver.desktop";
    std::vector<QString> problems;
    s.reportProblem = [&problems](const QString& p) { problems.push_back(p); };
    {
        CSetWnd wnd(s);
        QAbstractButton* box = button(wnd, "autostart_check");
        ASSERT_TRUE(box);
        EXPECT_FALSE(box->isHidden());
        EXPECT_FALSE(box->isChecked());
        EXPECT_EQ(box->text(), ResourceManager::instance().text("set_autostart"));
        box->click();
        EXPECT_TRUE(box->isChecked());
        QFile entry(entryPath);
        ASSERT_TRUE(entry.open(QIODevice::ReadOnly));
        EXPECT_TRUE(entry.readAll().contains("\nExec=/usr/bin/mouse-driver --hidden\n"));
        box->click();
        EXPECT_FALSE(box->isChecked());
        EXPECT_FALSE(QFile::exists(entryPath));
        box->click();
    }
    {
        CSetWnd wnd(s);
        EXPECT_TRUE(button(wnd, "autostart_check")->isChecked());
    }
    EXPECT_TRUE(problems.empty());

    // The autostart folder's place is taken by a file: the switch stays off and says why.
    QFile blocker(folder + "blocked");
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    s.autostart.emplace(folder.toStdString() + "blocked", "/usr/bin/mouse-driver");
    CSetWnd wnd(s);
    QAbstractButton* box = button(wnd, "autostart_check");
    box->click();
    EXPECT_FALSE(box->isChecked());
    ASSERT_EQ(problems.size(), 1u);
    EXPECT_TRUE(problems[0].contains(folder + "blocked")) << problems[0].toStdString();

    // Without an entry to manage the switch is not offered.
    s.autostart.reset();
    CSetWnd without(s);
    EXPECT_TRUE(button(without, "autostart_check")->isHidden());
}

// The lighting server's switch and address take effect at once through the program's apply;
// a server that cannot listen leaves the switch off and says why. Without apply, no switch.
TEST_F(SetWndTest, LightingServerSwitchAndAddress) {
    SetWndSetup s = setup("");
    std::vector<std::pair<bool, QString>> applied;
    QString refuse;  // what apply answers
    s.lightingServer.address = "";
    s.lightingServer.apply = [&](bool on, const QString& address) {
        applied.emplace_back(on, address);
        return on ? refuse : QString();  // turning off always works
    };
    std::vector<QString> problems;
    s.reportProblem = [&problems](const QString& p) { problems.push_back(p); };
    CSetWnd wnd(s);
    QAbstractButton* box = button(wnd, "sdk_server_check");
    auto* edit = wnd.controls().find<QLineEdit>("sdk_address_edit");
    ASSERT_TRUE(box && edit);
    EXPECT_FALSE(box->isHidden());
    EXPECT_FALSE(box->isChecked());
    EXPECT_EQ(box->text(), ResourceManager::instance().text("set_sdk_server"));
    EXPECT_EQ(edit->placeholderText(), ResourceManager::instance().text("set_sdk_address_hint"));
    box->click();
    EXPECT_TRUE(box->isChecked());
    // A new address goes to apply when it is entered (Enter, or leaving the field).
    edit->setText(" 192.168.1.5 ");
    emit edit->returnPressed();
    ASSERT_EQ(applied.size(), 2u);
    EXPECT_EQ(applied[0], (std::pair<bool, QString>{true, ""}));
    EXPECT_EQ(applied[1], (std::pair<bool, QString>{true, "192.168.1.5"}));
    // The server cannot listen: the switch falls back and the user learns why.
    refuse = "port taken";
    box->click();  // off: nothing to refuse
    box->click();
    EXPECT_FALSE(box->isChecked());
    ASSERT_EQ(problems.size(), 1u);
    EXPECT_EQ(problems[0], "port taken");

    s.lightingServer.apply = nullptr;
    CSetWnd without(s);
    EXPECT_TRUE(without.controls().find("sdk_server_row")->isHidden());
    EXPECT_TRUE(without.controls().find("sdk_address_note")->isHidden());
}

// Tab goes through the window in reading order: the language, the autostart switch, then the
// lighting server's switch and its address.
TEST_F(SetWndTest, TabFollowsTheReadingOrder) {
    SetWndSetup s = setup("");
    s.autostart.emplace(folder.toStdString() + "autostart", "/usr/bin/mouse-driver");
    s.lightingServer.apply = [](bool, const QString&) { return QString(); };
    CSetWnd wnd(s);
    wnd.show();
    wnd.activateWindow();
    ASSERT_TRUE(test::waitFor([&] { return wnd.isActiveWindow(); }));
    QStringList seen;
    for (int i = 0; i < 16; ++i) {
        QWidget* from = QApplication::focusWidget() ? QApplication::focusWidget() : &wnd;
        QKeyEvent tab(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier);
        QApplication::sendEvent(from, &tab);
        if (QApplication::focusWidget()) seen << QApplication::focusWidget()->objectName();
    }
    const QStringList order = {"Language_combox_info", "autostart_check", "sdk_server_check",
                               "sdk_address_edit"};
    int last = -1;
    for (const QString& name : order) {
        const int at = int(seen.indexOf(name));
        EXPECT_GT(at, last) << name.toStdString() << " in " << seen.join(' ').toStdString();
        last = at;
    }
}

TEST_F(SetWndTest, MainWindowOpensOneSettingsWindowAndForwardsProgress) {
    CMainWnd main(std::make_unique<LanguageController>(test::sourceDataFolder() + "Language.config",
                                                       folder + "main.ini"));
    installSettingsWindow(main);
    EXPECT_FALSE(main.hooks().forwardUpdateProgress(4, 50));
    main.handleMessage(msg::kOpenSettings, 0, 0);
    auto findOpen = [&] { return main.findChildren<CSetWnd*>(); };
    ASSERT_EQ(findOpen().size(), 1u);
    CSetWnd* set = findOpen().front();
    EXPECT_TRUE(set->isVisible());
    EXPECT_TRUE(set->isModal());
    main.hooks().openSettings(false);  // a second request raises the open one
    EXPECT_EQ(findOpen().size(), 1u);
    // The shipped configuration names no service: nothing is asked.
    ASSERT_TRUE(waitForStatus(*set, update_status::kNoService));
    EXPECT_EQ(set->rows().size(), 4u);
    // Its autostart switch manages the user's entry for this program.
    QAbstractButton* autostart = button(*set, "autostart_check");
    ASSERT_TRUE(autostart);
    const QString entryPath =
        qEnvironmentVariable("XDG_CONFIG_HOME") + "/autostart/mouse-driver.desktop";
    autostart->click();
    QFile entry(entryPath);
    ASSERT_TRUE(entry.open(QIODevice::ReadOnly));
    EXPECT_TRUE(entry.readAll().contains(
        "\nExec=" + QCoreApplication::applicationFilePath().toUtf8() + " --hidden\n"));
    autostart->click();
    EXPECT_FALSE(QFile::exists(entryPath));
    EXPECT_TRUE(main.hooks().forwardUpdateProgress(4, 50));
    main.closeSecondaryWindows();
    ASSERT_TRUE(test::waitFor([&] { return findOpen().empty(); }));
    EXPECT_FALSE(main.hooks().forwardUpdateProgress(4, 50));
}

}  // namespace
}  // namespace md
