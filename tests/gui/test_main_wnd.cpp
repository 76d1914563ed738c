#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QEnterEvent>
#include <QMenu>
#include <QMouseEvent>

#include "app/shell/app_messages.h"
#include "app/shell/language_controller.h"
#include "app/shell/main_wnd.h"
#include "gui_test_support.h"
#include "ui/control_timers.h"
#include "ui/resource_manager.h"

namespace md {

class MainWndTest : public ::testing::Test {
  protected:
    void SetUp() override {
        test::useSourceSkin();
        const QString folder = test::freshFolder("mainwnd");
        wnd = std::make_unique<CMainWnd>(std::make_unique<LanguageController>(
            test::sourceDataFolder() + "Language.config", folder + "settings.ini"));
        wnd->hooks().onLightControl = [this](int flag) { flags.push_back(flag); };
        wnd->hooks().onDeviceArrived = [this](int slot) { arrived.push_back(slot); };
        wnd->hooks().onDeviceRemoved = [this](int slot) { removed.push_back(slot); };
    }
    void showAndInit() {
        wnd->show();
        ASSERT_TRUE(test::waitFor([&] { return wnd->initialised(); }));
        ASSERT_TRUE(test::waitFor([&] { return wnd->isVisible(); }));  // brought forward
    }
    std::unique_ptr<CMainWnd> wnd;
    std::vector<int> flags, arrived, removed;
};

TEST_F(MainWndTest, FrameAndFirstInit) {
    EXPECT_EQ(wnd->windowTitle(), "Mouse Driver");
    EXPECT_EQ(wnd->size(), QSize(800, 572));
    showAndInit();
    EXPECT_EQ(wnd->language().current(), 1);  // fresh install: English
    EXPECT_TRUE(wnd->controls().find("No_device_Link")->isVisible());
    EXPECT_FALSE(wnd->controls().find("device_switch")->isVisible());
    EXPECT_EQ(wnd->controls().text("nodevice_title"), "No device connected");
}

TEST_F(MainWndTest, HiddenStartInitialisesAndWaitsForTheUser) {
    bool detectionStarted = false;
    wnd->hooks().onFirstInit = [&] { return detectionStarted = true; };
    wnd->startHidden();
    ASSERT_TRUE(test::waitFor([&] { return wnd->initialised(); }));
    EXPECT_TRUE(detectionStarted);
    // The activation detection posts after its first pass, and arrivals, keep it hidden.
    wnd->handleMessage(msg::kActivateInstance, 0, 0);
    wnd->bringToFront();
    QApplication::processEvents();
    EXPECT_FALSE(wnd->isVisible());
    // A second start brings it up.
    wnd->handleMessage(msg::kActivateInstance, 0, 1);
    EXPECT_TRUE(wnd->isVisible());
}

TEST_F(MainWndTest, CloseHidesAndTrayTogglesExitOnlyFromTheMenu) {
    showAndInit();
    wnd->controls().find<QAbstractButton>("closebtn")->click();
    EXPECT_FALSE(wnd->isVisible());
    wnd->handleMessage(msg::kTrayIcon, 0, 0x0202);  // left click on the icon
    EXPECT_TRUE(wnd->isVisible());
    wnd->handleMessage(msg::kTrayIcon, 0, 0x0202);
    EXPECT_FALSE(wnd->isVisible());
    wnd->show();
    EXPECT_FALSE(wnd->close());  // the window system's close request only hides
    EXPECT_FALSE(wnd->isVisible());
    wnd->handleMessage(msg::kActivateInstance, 0, 1);
    EXPECT_TRUE(wnd->isVisible());

    wnd->handleMessage(msg::kTrayIcon, 0, 0x0205);  // right click: menu after timer 1032
    ASSERT_TRUE(test::waitFor([&] { return wnd->trayMenu() && wnd->trayMenu()->isVisible(); }));
    QStringList names;
    for (QAction* a : wnd->trayMenu()->actions())
        if (!a->isSeparator()) names << a->objectName() + "=" + a->text();
    EXPECT_EQ(names, (QStringList{"setwnd_menu=Settings", "about_menu=About", "exit=Exit"}));
    wnd->trayMenu()->hide();
}

// A desktop without a notification area (GNOME): closing ends the program, a hidden start
// shows the window, and the window says so; a tray that appears later brings hiding back.
TEST_F(MainWndTest, WithoutATrayCloseEndsAndHiddenStartShows) {
    CMainWnd::setTrayProbe([] { return false; });
    wnd->startHidden();
    ASSERT_TRUE(test::waitFor([&] { return wnd->initialised() && wnd->isVisible(); }));
    EXPECT_EQ(wnd->controls().text("footer_status"), "Closing the window quits Mouse Driver");
    EXPECT_EQ(wnd->controls().find("closebtn")->toolTip(), "Exit Mouse Driver");
    std::atomic<bool> stopped{false};
    wnd->workers().start(WorkerSlots::kLightingSlot, [&](const StopEvent& stop) {
        stop.wait(std::chrono::seconds(60));
        stopped = true;
    });
    wnd->controls().find<QAbstractButton>("closebtn")->click();
    EXPECT_FALSE(wnd->isVisible());
    EXPECT_TRUE(stopped);  // shut down, not hidden

    CMainWnd::setTrayProbe([] { return true; });
    SetUp();
    showAndInit();
    EXPECT_EQ(wnd->controls().text("footer_status"),
              "Runs in the notification area — close hides the window");
    EXPECT_FALSE(wnd->close());
}

TEST_F(MainWndTest, LightOwnerSetOnlyWithWParamOne) {
    struct Case {
        uintptr_t wParam;
        intptr_t lParam;
        int flag;
        const char* textId;
    };
    const Case cases[] = {
        {1, 0, 0, "不控制灯光"}, {2, 1, 0, "不控制灯光"}, {0, 1, 0, "不控制灯光"},
        {1, 1, 1, "控制灯光"},   {7, 0, 1, "控制灯光"},
    };
    QWidget* status = wnd->controls().find("control_light_status");
    ASSERT_TRUE(status);
    for (const Case& c : cases) {
        const std::size_t before = flags.size();
        wnd->handleMessage(msg::kLightOwnerSet, c.wParam, c.lParam);
        EXPECT_EQ(wnd->lightControlFlag(), c.flag) << c.wParam << "," << c.lParam;
        EXPECT_EQ(flags.size(), before + (c.wParam == 1 ? 1 : 0));
        EXPECT_EQ(status->property("textId").toString(), QString::fromUtf8(c.textId));
    }
    // The user's toggle tells other programs.
    std::vector<std::pair<uint, int>> notices;
    QObject::connect(wnd.get(), &CMainWnd::lightOwnerNotify,
                     [&](uint w, int l) { notices.emplace_back(w, l); });
    wnd->controls().find<QAbstractButton>("control_light_status")->click();
    EXPECT_EQ(wnd->lightControlFlag(), 0);
    EXPECT_EQ(notices, (std::vector<std::pair<uint, int>>{{1, 0}}));
}

TEST_F(MainWndTest, ArrivalsIgnoredWhileSuspended) {
    wnd->handleMessage(msg::kSlotClaimed, 2, 0);
    wnd->handleMessage(msg::kPowerBroadcast, msg::kPowerSuspend, 0);
    EXPECT_TRUE(wnd->isSuspended());
    EXPECT_FALSE(wnd->handleMessage(msg::kSlotClaimed, 3, 0));
    EXPECT_FALSE(wnd->handleMessage(msg::kSlotFreed, 2, 0));
    EXPECT_TRUE(wnd->handleMessage(msg::kLightOwnerSet, 1, 1));  // still handled
    wnd->handleMessage(msg::kPowerBroadcast, msg::kPowerResume, 0);
    wnd->handleMessage(msg::kSlotClaimed, 4, 0);
    wnd->handleMessage(msg::kSlotFreed, 4, 0);
    EXPECT_EQ(arrived, (std::vector<int>{2, 4}));
    EXPECT_EQ(removed, (std::vector<int>{4}));
    // Suspend tells the models 0, the owner message 1, resume the current flag.
    EXPECT_EQ(flags, (std::vector<int>{0, 1, 1}));
}

TEST_F(MainWndTest, WorkerSlotsStopOnShutdown) {
    std::atomic<bool> ended{false};
    ASSERT_TRUE(wnd->workers().start(WorkerSlots::kDetectionSlot, [&](const StopEvent& stop) {
        stop.wait(std::chrono::seconds(60));
        ended = true;
    }));
    EXPECT_FALSE(wnd->workers().start(WorkerSlots::kDetectionSlot, [](const StopEvent&) {}));
    EXPECT_EQ(wnd->workers().stopAll(), 1);
    EXPECT_TRUE(ended);
}

TEST_F(MainWndTest, LanguageMessageSwitchesLive) {
    showAndInit();
    wnd->handleMessage(msg::kLanguageChanged, 0, 0);
    EXPECT_EQ(wnd->controls().text("nodevice_title"), "未连接设备");
    wnd->handleMessage(msg::kLanguageChanged, 1, 0);
    EXPECT_EQ(wnd->controls().text("nodevice_title"), "No device connected");
}

TEST_F(MainWndTest, GameLightingRoutesAndArmsTheRestoreTimer) {
    std::vector<std::pair<uint32_t, intptr_t>> games;
    int restored = 0;
    wnd->hooks().onGameLighting = [&](uint32_t m, uintptr_t, intptr_t l) {
        games.emplace_back(m, l);
    };
    wnd->hooks().onGameLightingEnd = [&] { ++restored; };
    struct Case {
        uint32_t message;
        uintptr_t wParam;
        bool routed;
    };
    const Case cases[] = {{msg::kGameStart, 0, true},
                          {msg::kGameEnd, 1, true},
                          {msg::kGameKill, 2, true},
                          {msg::kGameDeath, 3, false}};
    for (const Case& c : cases) {
        wnd->timers().kill(wnd.get(), msg::kTimerGameLighting);
        const std::size_t before = games.size();
        EXPECT_TRUE(wnd->handleMessage(c.message, c.wParam, 3));
        EXPECT_EQ(games.size(), before + (c.routed ? 1 : 0)) << c.message;
        EXPECT_TRUE(wnd->timers().isActive(wnd.get(), msg::kTimerGameLighting)) << c.message;
    }
    EXPECT_EQ(games.front(), std::make_pair(msg::kGameStart, intptr_t{3}));
    wnd->timers().kill(wnd.get(), msg::kTimerGameLighting);
    EXPECT_EQ(restored, 0);
}

TEST_F(MainWndTest, ExitFromTheMenuClosesForGood) {
    showAndInit();
    std::atomic<bool> stopped{false};
    wnd->workers().start(WorkerSlots::kLightingSlot, [&](const StopEvent& stop) {
        stop.wait(std::chrono::seconds(60));
        stopped = true;
    });
    wnd->onMenuCommand("exit");
    EXPECT_FALSE(wnd->isVisible());
    EXPECT_TRUE(stopped);
    EXPECT_TRUE(wnd->close());  // after exit a close request is accepted
}

TEST_F(MainWndTest, SkinButtonOpensThePickerUnderIt) {
    showAndInit();
    QWidget* skinbtn = wnd->controls().find("skinbtn");
    wnd->controls().find<QAbstractButton>("skinbtn")->click();
    QWidget* picker = nullptr;
    ASSERT_TRUE(test::waitFor([&] {
        picker = wnd->findChild<QWidget*>("skinframe");
        return picker && picker->isVisible();
    }));
    const QPoint corner = skinbtn->mapToGlobal(QPoint(skinbtn->width(), skinbtn->height()));
    EXPECT_EQ(picker->frameGeometry().right() + 1, corner.x());
    EXPECT_EQ(picker->frameGeometry().top(), corner.y());
    picker->close();
}

TEST_F(MainWndTest, DraggingTheTitleBarMovesTheWindow) {
    showAndInit();
    QWidget* bar = wnd->controls().find("title_bar");
    ASSERT_TRUE(bar);
    const QPoint start = wnd->pos();
    const QPoint local(200, 20);
    const QPoint global = bar->mapToGlobal(local);
    auto send = [&](QEvent::Type type, QPoint g, Qt::MouseButtons buttons) {
        QMouseEvent e(type, bar->mapFromGlobal(g), g, Qt::LeftButton, buttons, Qt::NoModifier);
        QApplication::sendEvent(bar, &e);
    };
    send(QEvent::MouseButtonPress, global, Qt::LeftButton);
    send(QEvent::MouseMove, global + QPoint(50, 30), Qt::LeftButton);
    send(QEvent::MouseButtonRelease, global + QPoint(50, 30), Qt::NoButton);
    EXPECT_EQ(wnd->pos(), start + QPoint(50, 30));
}

TEST_F(MainWndTest, HoverWhileInactiveIsToldEvenWhenSuspended) {
    std::vector<std::pair<bool, bool>> seen;
    wnd->hooks().onActivity = [&](bool a, bool h) { seen.emplace_back(a, h); };
    wnd->handleMessage(msg::kPowerBroadcast, msg::kPowerSuspend, 0);
    QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
    QApplication::sendEvent(wnd.get(), &enter);
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(wnd.get(), &leave);
    EXPECT_EQ(seen, (std::vector<std::pair<bool, bool>>{{false, true}, {false, false}}));
}

}  // namespace md
