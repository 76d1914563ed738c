// Device tiles and the routing around them: icons by kind, the timer chain of a tile on the
// 2.4G receiver, several devices at once, an edit in progress when its device goes, and the
// page routes that reach the selected model.
#include <QAbstractButton>
#include <QLabel>
#include <QStackedWidget>

#include "app/devmgmt/page_router.h"
#include "app/shell/app_messages.h"
#include "devmgmt_fixture.h"
#include "profiles/profile_list.h"

namespace md::test {
namespace {

using Tile = CDeviceOptionUI;

// The mouse attached through its receiver only, its tile's chains stopped so that a test runs
// each handler itself.
class ReceiverTileTest : public DeviceManagementTest {
  protected:
    Tile* attachedOnReceiver() {
        bus->unplug(mouse);
        start();
        if (!waitFor([&] { return !tile()->isHidden() && tile()->attachCount() >= 1; })) {
            ADD_FAILURE() << "the mouse was not attached through its receiver";
            return nullptr;
        }
        tile()->stopTimers();
        return tile();
    }
};

TEST_F(DeviceManagementTest, TileIconsFollowTheDeviceKind) {
    start();
    Tile* t = tile();
    struct Case {
        uint32_t kind, role;
        const char* prefix;
    };
    const Case cases[] = {{1, 0, "kb"},      {2, 0, "ms"},     {3, 0, "hard_mp"},
                          {3, 1, "soft_mp"}, {4, 0, "hd"},     {7, 0, "hd"},
                          {5, 0, "hub"},     {6, 0, "unknow"}, {42, 0, "unknow"}};
    for (const Case& c : cases) {
        t->setTileKind(c.kind, c.role);
        const QString base = QString("common/device_ico/") + c.prefix;
        EXPECT_EQ(t->normalImage(), base + "_device_normal.png") << c.kind << "/" << c.role;
        EXPECT_EQ(t->selectedImage(), base + "_device_selected.png");
        EXPECT_EQ(t->synchroSelectedImage(), base + "_device_synchro_selected.png");
        EXPECT_EQ(t->synchroNormalImage(), base + "_device_synchro_normal.png");
        EXPECT_EQ(t->findChild<QAbstractButton*>("device_select")->property("tipId").toString(),
                  QString(c.prefix) + "_device_name_text");
    }
    // A mousepad of an unknown role keeps what it had, but its kind and role are stored.
    t->setTileKind(2, 0);
    t->setTileKind(3, 2);
    EXPECT_EQ(t->kind(), 3u);
    EXPECT_EQ(t->role(), 2u);
    EXPECT_EQ(t->normalImage(), "common/device_ico/ms_device_normal.png");

    // The synchronised option switches the images the tile shows.
    t->selectSynchro(true);
    EXPECT_EQ(t->shownNormalImage(), t->synchroNormalImage());
    t->selectSynchro(false);
    EXPECT_EQ(t->shownSelectedImage(), t->selectedImage());
}

TEST_F(DeviceManagementTest, FreshTileShowsTheUnknownDeviceAndIgnoresANullPowerSwitch) {
    Tile t;
    EXPECT_EQ(t.normalImage(), "common/device_ico/unknow_device_normal.png");
    EXPECT_EQ(t.boundPowerIndex(), -1);
    EXPECT_FALSE(t.isTileSelected());  // no "device_select" child
    EXPECT_EQ(t.boundPageIndex(), -1);
    t.bindPowerTile(QString(), 3);
    EXPECT_EQ(t.boundPowerIndex(), -1);
    t.bindPowerTile("device_power_switch", -1);
    EXPECT_EQ(t.boundPowerSwitch(), "device_power_switch");
    EXPECT_EQ(t.boundPowerIndex(), -1);
    t.bindPowerTile("device_power_switch", 2);
    EXPECT_EQ(t.boundPowerIndex(), 2);
}

TEST_F(ReceiverTileTest, LinkPollOfAnAnsweringReceiverStartsTheChains) {
    Tile* t = attachedOnReceiver();
    ASSERT_NE(t, nullptr);
    const int attached = t->attachCount();
    // The handler runs here on the UI thread: no timer can fire before the checks.
    t->onTimer(Tile::kLinkPollTimer);
    EXPECT_EQ(t->attachCount(), attached + 1);
    EXPECT_FALSE(t->timerActive(Tile::kLinkPollTimer));
    EXPECT_TRUE(t->timerActive(Tile::kFrameRefreshTimer));
    EXPECT_EQ(t->timerInterval(Tile::kFrameRefreshTimer), 5);
    EXPECT_TRUE(t->timerActive(Tile::kPowerRefreshTimer));
    EXPECT_EQ(t->timerInterval(Tile::kPowerRefreshTimer), 50);
    EXPECT_TRUE(t->timerActive(Tile::kLinkCheckTimer));
    EXPECT_EQ(t->timerInterval(Tile::kLinkCheckTimer), 2000);

    // The first frame is pushed once; later frames come from the model's own changes.
    t->onTimer(Tile::kFrameRefreshTimer);
    EXPECT_FALSE(t->timerActive(Tile::kFrameRefreshTimer));
    // Power and link checks go on with their own periods, and slower while the window is
    // hidden.
    t->onTimer(Tile::kPowerRefreshTimer);
    EXPECT_EQ(t->timerInterval(Tile::kPowerRefreshTimer), 5000);
    t->onTimer(Tile::kLinkCheckTimer);
    EXPECT_EQ(t->timerInterval(Tile::kLinkCheckTimer), 3000);
    wnd->hide();
    t->onTimer(Tile::kPowerRefreshTimer);
    EXPECT_EQ(t->timerInterval(Tile::kPowerRefreshTimer), Tile::kHiddenPowerRefreshMs);
    t->onTimer(Tile::kLinkCheckTimer);
    EXPECT_EQ(t->timerInterval(Tile::kLinkCheckTimer), Tile::kHiddenLinkCheckMs);
}

TEST_F(DeviceManagementTest, PreviewChangesReachThePictureWithoutPollingAndNotWhileHidden) {
    start();
    ASSERT_TRUE(waitFor([&] { return tile()->attachCount() >= 1; }));
    auto* mouse = manager->selectedMouse();
    ASSERT_NE(mouse, nullptr);
    mouse->setPreviewEnabled(true);
    auto paintedBlue = [&] {
        const QColor c = mouse->lightButton(0)->property("ledColour").value<QColor>();
        return c.blue() > 0 && c.red() == 0;
    };
    // Steady blue: the preview worker reports the change, the page repaints on its own.
    mouse->setLightSetting(2 | 4 << 8 | 4 << 16, uint32_t(0xFF) << 24, 0, 0);
    EXPECT_TRUE(waitFor(paintedBlue));
    EXPECT_FALSE(tile()->timerActive(Tile::kFrameRefreshTimer));

    // Hidden: nothing reaches the picture; shown and active again, it catches up at once.
    wnd->hide();
    mouse->setLightSetting(2 | 4 << 8 | 4 << 16, uint32_t(0xFF) << 8, 0, 0);  // red
    waitFor([] { return false; }, std::chrono::milliseconds(200));
    EXPECT_TRUE(paintedBlue());
    wnd->show();
    mouse->setPreviewEnabled(true);  // what the window's activation does
    EXPECT_TRUE(waitFor(
        [&] { return mouse->lightButton(0)->property("ledColour").value<QColor>().red() > 0; }));
}

TEST_F(ReceiverTileTest, MouseSwitchedOffBehindItsReceiverIsHiddenAndPolled) {
    Tile* t = attachedOnReceiver();
    ASSERT_NE(t, nullptr);
    mouse->firmware().setPoweredOn(false);
    const int attached = t->attachCount();
    t->onTimer(Tile::kLinkPollTimer);
    EXPECT_TRUE(t->isHidden());  // message 3331 with lParam 0 reached the window
    EXPECT_EQ(manager->selectedModel(), nullptr);
    EXPECT_TRUE(wnd->controls().find("No_device_Link")->isVisible());
    EXPECT_EQ(t->attachCount(), attached);
    EXPECT_EQ(t->timerInterval(Tile::kLinkPollTimer), 3000);
    EXPECT_FALSE(t->timerActive(Tile::kFrameRefreshTimer));

    // Switched on again: the next poll attaches and shows the tile.
    mouse->firmware().setPoweredOn(true);
    t->onTimer(Tile::kLinkPollTimer);
    EXPECT_FALSE(t->isHidden());
    EXPECT_EQ(t->attachCount(), attached + 1);
    EXPECT_EQ(manager->selectedModel(), model());
}

TEST_F(ReceiverTileTest, LinkCheckHidesAndShowsAReceiversTile) {
    Tile* t = attachedOnReceiver();
    ASSERT_NE(t, nullptr);
    mouse->firmware().setPoweredOn(false);
    t->onTimer(Tile::kLinkCheckTimer);
    EXPECT_TRUE(t->isHidden());
    EXPECT_EQ(t->timerInterval(Tile::kLinkCheckTimer), 3000);
    mouse->firmware().setPoweredOn(true);
    t->onTimer(Tile::kLinkCheckTimer);
    EXPECT_FALSE(t->isHidden());
}

class SeveralDevicesTest : public DeviceManagementTest {
  protected:
    SeveralDevicesTest() { labels = {"mouse", "keyboard", "mousepad", "headset"}; }
    // Tile index of each row: mouse, keyboard, mousepad, headset.
    Tile* tileOf(int row) const { return manager->tile(row); }
    void waitAllShown() {
        ASSERT_TRUE(waitFor([&] { return manager->firstShownTile().second == 4; }));
    }
};

TEST_F(SeveralDevicesTest, EveryDeviceGetsItsTileAndPage) {
    start();
    waitAllShown();
    auto* pages = wnd->controls().find<QStackedWidget>("device_switch");
    for (int i = 0; i < 4; ++i) {
        EXPECT_TRUE(manager->model(i)->commandLink().isOpen()) << i;
        EXPECT_EQ(pages->widget(tileOf(i)->boundPageIndex()), manager->model(i)) << i;
        EXPECT_EQ(tileOf(i)->boundPageName(), "device_switch");
    }
    EXPECT_EQ(tileOf(1)->kind(), 1u);
    EXPECT_EQ(tileOf(2)->kind(), 3u);
    EXPECT_EQ(tileOf(3)->kind(), 7u);
    EXPECT_EQ(tileOf(1)->findChild<QLabel*>("device_select_name")->text(), "Gaming Keyboard");
    // Only one tile is selected: the first that arrived.
    int selected = 0;
    for (int i = 0; i < 4; ++i) selected += tileOf(i)->isTileSelected();
    EXPECT_EQ(selected, 1);
}

TEST_F(SeveralDevicesTest, ClickingATileSelectsItsPageAndNextPreviousWalkTheList) {
    start();
    waitAllShown();
    manager->showTile(0, true, true);
    auto* pages = wnd->controls().find<QStackedWidget>("device_switch");
    // A click on the keyboard's tile.
    tileOf(1)->findChild<QAbstractButton*>("device_select")->click();
    EXPECT_TRUE(tileOf(1)->isTileSelected());
    EXPECT_FALSE(tileOf(0)->isTileSelected());
    EXPECT_EQ(pages->currentWidget(), manager->model(1));
    EXPECT_EQ(manager->selectedIndex(), 1);
    wnd->controls().find<QAbstractButton>("device_select_next")->click();
    EXPECT_EQ(manager->selectedModel(), manager->model(2));
    wnd->controls().find<QAbstractButton>("device_select_prev")->click();
    wnd->controls().find<QAbstractButton>("device_select_prev")->click();
    EXPECT_EQ(manager->selectedModel(), manager->model(0));
    wnd->controls().find<QAbstractButton>("device_select_prev")->click();
    EXPECT_EQ(manager->selectedModel(), manager->model(0));
}

TEST_F(SeveralDevicesTest, RemovingTheSelectedDeviceSelectsTheFirstOtherShownTile) {
    start();
    waitAllShown();
    manager->showTile(2, true, true);
    ASSERT_EQ(manager->selectedModel(), manager->model(2));
    bus->unplug(bus->device("mousepad"));
    ASSERT_TRUE(waitFor([&] { return tileOf(2)->isHidden(); }));
    EXPECT_EQ(manager->selectedModel(), manager->model(0));
    EXPECT_EQ(wnd->controls().find<QStackedWidget>("device_switch")->currentWidget(),
              manager->model(0));
    // Removing a tile that is not selected leaves the selection alone.
    bus->unplug(bus->device("headset"));
    ASSERT_TRUE(waitFor([&] { return tileOf(3)->isHidden(); }));
    EXPECT_EQ(manager->selectedModel(), manager->model(0));
    EXPECT_FALSE(wnd->controls().find("No_device_Link")->isVisible());
}

TEST_F(SeveralDevicesTest, EditInProgressEndsWhenItsDeviceGoes) {
    start();
    waitAllShown();
    manager->showTile(1, true, true);
    bool hookRemoved = false;
    wnd->hooks().onKeyCaptureHook = [&](bool on) {
        if (!on) hookRemoved = true;
    };
    // A key edit holds the hook and has disabled the device list and the page.
    QWidget* list = wnd->controls().find("device_select_layout");
    list->setEnabled(false);
    manager->model(1)->setEnabled(false);
    manager->setEditInProgress(true);

    bus->unplug(bus->device("keyboard"));
    ASSERT_TRUE(waitFor([&] { return tileOf(1)->isHidden(); }));
    EXPECT_TRUE(hookRemoved);
    EXPECT_TRUE(list->isEnabled());
    EXPECT_TRUE(manager->model(1)->isEnabled());
    EXPECT_FALSE(manager->editInProgress());
    EXPECT_EQ(manager->selectedModel(), manager->model(0));
}

TEST_F(SeveralDevicesTest, PageTabsSetTheSelectedModelsWorkingMode) {
    start();
    waitAllShown();
    manager->showTile(1, true, true);
    for (int page = 1; page <= 8; ++page) {
        const char* const tabs[] = {"deng_Op_tab",   "key_Op_tab",       "macro_Op_tab",
                                    "system_Op_tab", "cursor_Op_tab",    "6533_voice_Op_tab",
                                    "magic_Op_tab",  "Virtual7.1_Op_tab"};
        EXPECT_EQ(PageRouter::workingModeOf(tabs[page - 1]), page);
        wnd->notify(Notification{"selectchanged", tabs[page - 1], nullptr, 1, 0});
        EXPECT_EQ(manager->model(1)->getWorkingMode(), page);
        EXPECT_EQ(manager->model(0)->getWorkingMode(), 1);  // not selected: unchanged
    }
    EXPECT_EQ(PageRouter::workingModeOf("DENG_Op_tab"), 0);
}

TEST_F(DeviceManagementTest, DefaultButtonAsksAndResetsTheSelectedMouse) {
    bus->unplug(receiver);
    start();
    ASSERT_TRUE(waitFor([&] { return tile()->attachCount() >= 1; }));
    QStringList asked;
    bool answer = false;
    manager->router().confirm = [&](const QString& id) {
        asked << id;
        return answer;
    };
    const uint64_t sessions = mouse->firmware().sessionsBegun();
    wnd->notify(Notification{"click", "default_btn", nullptr, 0, 0});
    EXPECT_EQ(asked, QStringList{"message_text_22"});
    EXPECT_EQ(mouse->firmware().sessionsBegun(), sessions);  // cancelled: nothing written

    answer = true;
    wnd->notify(Notification{"click", "DEFAULT_BTN", nullptr, 0, 0});
    EXPECT_EQ(asked.size(), 2);
    EXPECT_GT(mouse->firmware().sessionsBegun(), sessions);
}

TEST_F(DeviceManagementTest, GameLightingShowsTheEffectAndRestoresTheProfilesLighting) {
    bus->unplug(receiver);
    start();
    ASSERT_TRUE(waitFor([&] { return tile()->attachCount() >= 1; }));
    const LightSetting before = model()->lighting();
    const uint8_t effect = before.mode == 3 ? 4 : 3;
    // The block as the host writes it for the profile.
    ASSERT_EQ(model()->writeSettingsToDevice(0, 0), 1);
    const auto blockBefore = mouse->firmware().configBlock(0);
    wnd->handleMessage(msg::kGameStart, 0, effect);
    EXPECT_EQ(model()->lighting().mode, effect);
    EXPECT_NE(mouse->firmware().configBlock(0), blockBefore);
    // A second message while the effect shows keeps the profile's lighting to come back to.
    wnd->handleMessage(msg::kGameKill, 1, effect);
    // Timer 1066, run at once instead of 5 s later.
    manager->router().onGameLightingEnd();
    EXPECT_EQ(model()->lighting().mode, before.mode);
    EXPECT_EQ(mouse->firmware().configBlock(0), blockBefore);
}

class KeyboardLinksTest : public DeviceManagementTest {
  protected:
    KeyboardLinksTest() { labels = {"keyboard", "keyboard-receiver"}; }
};

TEST_F(KeyboardLinksTest, KeyboardSwitchesBetweenCableAndReceiverLikeTheMouse) {
    start();
    COrrivaleUSBDevice* keyboard = manager->model(1);
    Tile* t = manager->tile(1);
    ASSERT_TRUE(waitFor([&] { return t->isShown() && keyboard->commandLink().isOpen(); }));
    EXPECT_FALSE(keyboard->commandLink().isWireless());
    EXPECT_FALSE(manager->onReceiver(keyboard));

    bus->unplug(bus->device("keyboard"));
    ASSERT_TRUE(waitFor([&] { return manager->onReceiver(keyboard); }));
    EXPECT_TRUE(keyboard->commandLink().isOpen());
    EXPECT_TRUE(keyboard->commandLink().isWireless());
    EXPECT_TRUE(t->isShown());

    bus->unplug(bus->device("keyboard-receiver"));
    ASSERT_TRUE(waitFor([&] { return !t->isShown(); }));
    EXPECT_FALSE(keyboard->commandLink().isOpen());
    EXPECT_TRUE(wnd->controls().find("No_device_Link")->isVisible());
}

TEST_F(DeviceManagementTest, MouseWorksOnTheProfileListsCurrentProfile) {
    bus->unplug(receiver);
    start();
    ASSERT_TRUE(waitFor([&] { return tile()->attachCount() >= 1; }));
    // The same profile the command-line tool changes: the list's current one.
    ProfileList list;
    list.setDeviceKind(2);
    list.setFolders(model()->dataFolderPath(), model()->defaultTemplatePath());
    list.start();
    ASSERT_FALSE(list.currentProfileUuid().empty());
    EXPECT_EQ(model()->profileName(), list.currentProfileUuid());
    EXPECT_EQ(model()->getProfileFilePath(), list.profilePath(list.currentProfileUuid()));
}

TEST(PageRouterTest, DeviceSettingsCommandOnlyForKeyboardAndMouse) {
    EXPECT_TRUE(PageRouter::deviceSettingsCommand(2).isEmpty());
    EXPECT_TRUE(PageRouter::deviceSettingsCommand(-1).isEmpty());
}

}  // namespace
}  // namespace md::test
