// The main window with its device manager on a virtual bus: the detection worker reports the
// virtual mouse and its receiver, tiles appear and go, the model switches between cable and
// receiver, and a slider of the mouse page reaches the mouse's memory.
#include "app/devmgmt/router_dialogs.h"
#include "devlink/link/ui_dispatcher.h"
#include "devmgmt_fixture.h"
#include "ui/resource_manager.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFileDialog>
#include <QKeyEvent>
#include <QPushButton>
#include <QMenu>
#include <QSlider>
#include <QStackedWidget>

namespace md::test {
namespace {

TEST_F(DeviceManagementTest, StartUpWithoutDeviceShowsNoDeviceLink) {
    bus->unplug(mouse);
    bus->unplug(receiver);
    start();
    // One page and tile per model-table row: mouse, keyboard, mousepad, headset.
    ASSERT_EQ(manager->tileCount(), 4);
    EXPECT_TRUE(wnd->controls().find("No_device_Link")->isVisible());
    for (int i = 0; i < 4; ++i) EXPECT_TRUE(manager->tile(i)->isHidden()) << i;
    EXPECT_EQ(wnd->controls().find<QStackedWidget>("device_switch")->currentIndex(), 0);
    EXPECT_EQ(wnd->controls().find<QStackedWidget>("device_power_switch")->currentIndex(), 0);
    EXPECT_EQ(manager->selectedModel(), nullptr);
    // Page operations with nothing selected do nothing.
    wnd->notify(Notification{"valuechanged", "DPI_slider_0", nullptr, 0, 0});
}

TEST_F(DeviceManagementTest, WiredMouseShowsAndSelectsItsTileAndIsAttached) {
    bus->unplug(receiver);
    start();
    ASSERT_TRUE(waitFor([&] { return !tile()->isHidden() && tile()->isTileSelected(); }));
    EXPECT_EQ(manager->selectedModel(), model());
    EXPECT_TRUE(model()->commandLink().isOpen());
    EXPECT_FALSE(model()->commandLink().isWireless());  // link mode 1
    EXPECT_FALSE(manager->onReceiver(model()));
    ASSERT_TRUE(waitFor([&] { return tile()->attachCount() >= 1; }));
    EXPECT_GT(mouse->firmware().sessionsBegun(), 0u);
    EXPECT_EQ(tile()->linkText(), "Cable");
    EXPECT_FALSE(wnd->controls().find("No_device_Link")->isVisible());
    EXPECT_TRUE(wnd->controls().find("device_switch")->isVisible());
    EXPECT_EQ(wnd->controls().find<QStackedWidget>("device_switch")->currentWidget(), model());
}

TEST_F(DeviceManagementTest, CablePulledReceiverTakesOverAndCableBackReturns) {
    start();
    ASSERT_TRUE(waitFor([&] {
        return !tile()->isHidden() && model()->commandLink().isOpen() &&
               !model()->commandLink().isWireless() && tile()->attachCount() >= 1;
    }));
    // The receiver was there too: nothing changed, the mouse stays on its cable.
    EXPECT_FALSE(manager->onReceiver(model()));

    bus->unplug(mouse);
    ASSERT_TRUE(waitFor([&] {
        return manager->onReceiver(model()) && model()->commandLink().isOpen() &&
               model()->commandLink().isWireless();
    }));
    EXPECT_FALSE(tile()->isHidden());
    EXPECT_EQ(manager->selectedModel(), model());
    ASSERT_TRUE(waitFor([&] { return tile()->linkText() == "2.4G"; }));

    bus->plug(mouse);
    ASSERT_TRUE(waitFor([&] {
        return !manager->onReceiver(model()) && model()->commandLink().isOpen() &&
               !model()->commandLink().isWireless();
    }));
    EXPECT_FALSE(tile()->isHidden());
}

TEST_F(DeviceManagementTest, RemovingTheLastDeviceShowsNoDeviceLink) {
    start();
    ASSERT_TRUE(waitFor([&] { return !tile()->isHidden() && tile()->attachCount() >= 1; }));
    bus->unplug(mouse);
    ASSERT_TRUE(waitFor([&] { return manager->onReceiver(model()); }));
    bus->unplug(receiver);
    ASSERT_TRUE(waitFor([&] { return tile()->isHidden(); }));
    EXPECT_FALSE(model()->commandLink().isOpen());
    EXPECT_TRUE(wnd->controls().find("No_device_Link")->isVisible());
    EXPECT_FALSE(wnd->controls().find("device_switch")->isVisible());
    EXPECT_EQ(manager->selectedModel(), nullptr);
}

TEST_F(DeviceManagementTest, ArrivalOfAnAlreadyOpenLinkOnlyBringsTheWindowForward) {
    bus->unplug(receiver);
    start();
    ASSERT_TRUE(waitFor([&] { return tile()->attachCount() >= 1; }));
    const int slot = findTableRow(manager->slotList().table(), 0x248A, 0x5B50, 2, 0);
    ASSERT_GE(slot, 0);
    wnd->hide();
    wnd->handleMessage(msg::kSlotClaimed, static_cast<uintptr_t>(slot), 0);
    EXPECT_TRUE(wnd->isVisible());
    EXPECT_FALSE(tile()->timerActive(CDeviceOptionUI::kLinkPollTimer));
    EXPECT_TRUE(model()->commandLink().isOpen());
    EXPECT_FALSE(model()->commandLink().isWireless());
}

TEST_F(DeviceManagementTest, TrayMenuTakesTheDemoEntries) {
    wnd->hooks().extendTrayMenu = [](QMenu* menu) {
        menu->addMenu("Virtual devices")->setObjectName("demo_devices_menu");
    };
    start();
    wnd->showTrayMenu();
    ASSERT_NE(wnd->trayMenu(), nullptr);
    EXPECT_NE(wnd->trayMenu()->findChild<QMenu*>("demo_devices_menu"), nullptr);
    wnd->trayMenu()->close();
}

TEST_F(DeviceManagementTest, PreviousAndNextAtTheEndsDoNothing) {
    bus->unplug(receiver);
    start();
    ASSERT_TRUE(waitFor([&] { return !tile()->isHidden() && tile()->isTileSelected(); }));
    wnd->controls().find<QAbstractButton>("device_select_prev")->click();
    wnd->controls().find<QAbstractButton>("device_select_next")->click();
    EXPECT_TRUE(tile()->isTileSelected());
    EXPECT_EQ(manager->selectedModel(), model());
}

TEST_F(DeviceManagementTest, ReceiverOnlyShowsTheTileThroughItsLinkPoll) {
    bus->unplug(mouse);
    start();
    ASSERT_TRUE(waitFor([&] { return !tile()->isHidden() && tile()->attachCount() >= 1; }));
    EXPECT_TRUE(model()->commandLink().isWireless());  // link mode 2
    EXPECT_TRUE(manager->onReceiver(model()));
    EXPECT_TRUE(tile()->isTileSelected());
}

TEST_F(DeviceManagementTest, DpiSliderOnThePageReachesTheMouse) {
    bus->unplug(receiver);
    start();
    ASSERT_TRUE(waitFor([&] { return tile()->attachCount() >= 1; }));
    auto* slider = model()->findChild<QSlider*>("DPI_slider_0");
    ASSERT_NE(slider, nullptr);
    const auto before = mouse->firmware().configBlock(0);
    const int value = slider->value();
    const uint64_t sessions = mouse->firmware().sessionsBegun();
    // A key press on the slider, as the user moves it with the keyboard.
    QKeyEvent press(QEvent::KeyPress, value >= slider->maximum() ? Qt::Key_Down : Qt::Key_Up,
                    Qt::NoModifier);
    QApplication::sendEvent(slider, &press);
    ASSERT_NE(slider->value(), value);
    ASSERT_TRUE(waitFor([&] {
        return mouse->firmware().sessionsBegun() > sessions &&
               mouse->firmware().configBlock(0) != before;
    }));
}

TEST_F(DeviceManagementTest, FileDialogsKeepTheDesktopsLook) {
    qApp->setStyleSheet(QString());
    ResourceManager::instance().applyStyle(wnd.get());
    start();
    const auto dialog =
        makeFileDialog(wnd.get(), false, QStringLiteral("Profile Files (*.json)"), "json", {});
    EXPECT_EQ(dialog->parentWidget(), nullptr);
    // The program's windows are styled; nothing in the dialog is.
    EXPECT_TRUE(wnd->findChild<QPushButton*>()->testAttribute(Qt::WA_StyleSheet));
    dialog->ensurePolished();
    for (QWidget* w : dialog->findChildren<QWidget*>()) {
        w->ensurePolished();
        EXPECT_FALSE(w->testAttribute(Qt::WA_StyleSheet)) << w->objectName().toStdString();
    }
    EXPECT_EQ(dialog->palette().color(QPalette::Window),
              QApplication::palette().color(QPalette::Window));
}

}  // namespace
}  // namespace md::test
