// The macro editor of the mouse page through the main window on the virtual mouse: a macro
// recorded from keys and mouse buttons (recorded, fixed and no delays), assigned to a button
// and written to the mouse, whose macro memory then holds exactly the recorded events; a
// delete that renumbers the keys of a later macro.
#include <linux/input-event-codes.h>

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>

#include "app/devmgmt/macro_router.h"
#include "app/devmgmt/page_router.h"
#include "app/services/window_input_capture.h"
#include "devmgmt_fixture.h"
#include "panels/key_set_control_ui.h"
#include "panels/macro_action_model.h"
#include "panels/macro_control_ui.h"

namespace md::test {
namespace {

class MacroPanelTest : public DeviceManagementTest {
  protected:
    void attach() {
        startOnOneLink(false);
        click(model(), "macro_Op_tab");
        panel = model()->findChild<CMacroControlUI*>();
        ASSERT_TRUE(panel);
        router = wnd->findChild<PageRouter*>();
        router->macros().confirm = [](const QString&) { return true; };
        router->macros().inform = [this](const QString& t, bool) { told << t; };
    }
    void click(QWidget* in, const char* name) {
        auto* b = in->findChild<QAbstractButton*>(name);
        ASSERT_TRUE(b) << name;
        b->click();
    }
    void key(uint16_t evdev, bool down, ulong t) {
        QKeyEvent e(down ? QEvent::KeyPress : QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier,
                    evdev + 8, 0, 0);
        e.setTimestamp(t);
        QApplication::sendEvent(panel, &e);
    }
    void mouseButton(Qt::MouseButton b, bool down, ulong t) {
        QWidget* target = panel->findChild<QWidget*>("macro_action_list");
        QMouseEvent e(down ? QEvent::MouseButtonPress : QEvent::MouseButtonRelease, QPointF(5, 5),
                      QPointF(5, 5), b, down ? b : Qt::NoButton, Qt::NoModifier);
        e.setTimestamp(t);
        QApplication::sendEvent(target, &e);
    }
    std::vector<MacroEvent> recorded() { return panel->actions().events(); }

    CMacroControlUI* panel = nullptr;
    PageRouter* router = nullptr;
    QStringList told;
};

TEST_F(MacroPanelTest, RecordedMacroReachesTheMouse) {
    attach();
    click(panel, "macro_btn_name_add");
    ASSERT_EQ(panel->selectedMacro(), 0);
    // Recorded delays: the time between the events' own time stamps.
    click(panel, "macro_btn_starredio");
    ASSERT_TRUE(panel->recording());
    key(KEY_A, true, 1000);
    key(KEY_A, true, 1030);  // auto-repeat of a held key
    key(KEY_A, false, 1100);
    mouseButton(Qt::RightButton, true, 1350);
    mouseButton(Qt::RightButton, false, 1400);
    click(panel, "macro_btn_stopredio");
    EXPECT_FALSE(panel->recording());
    const std::vector<MacroEvent> want = {{MacroEvent::kKey, 0x04, true, 100},
                                          {MacroEvent::kKey, 0x04, false, 250},
                                          {MacroEvent::kMouseButton, 0x02, true, 50},
                                          {MacroEvent::kMouseButton, 0x02, false, 0}};
    EXPECT_EQ(recorded(), want);
    EXPECT_EQ(panel->list().events(0), want);  // saved on stop

    // Assign it to the forward button and write keys and macros to the mouse.
    click(model(), "key_Op_tab");
    static_cast<QAbstractButton*>(model()->keyButton(3))->click();
    auto* keys = model()->findChild<CKeySetControlUI*>();
    auto* functions = keys->findChild<QComboBox*>("keyset_function_combo");
    functions->setCurrentIndex(functions->findData(QString::number(keys::kFunctionMacro)));
    keys->findChild<QComboBox*>("keyset_macro_combo")->setCurrentIndex(0);
    keys->findChild<QComboBox*>("keyset_macro_over_combo")->setCurrentIndex(0);
    click(keys, "key_butt_prosave");
    EXPECT_TRUE(told.isEmpty()) << told.join("; ").toStdString();
    const auto image = mouse->firmware().macroImage();
    ASSERT_TRUE(image.valid) << image.error;
    ASSERT_EQ(image.entries.size(), 1u);
    std::vector<sim::ImageEvent> events;
    for (const MacroEvent& e : want) events.push_back({e.delay, e.type, e.down, e.button});
    EXPECT_EQ(image.entries[0].events, events);
    const int pos = model()->controller().keyPositionMap().at(3);
    EXPECT_EQ(mouse->firmware().keyEntry(size_t(pos)), (std::array<uint8_t, 3>{0x70, 0, 0}));
}

TEST_F(MacroPanelTest, RecordingTakesOnlyInputMeantForIt) {
    attach();
    click(panel, "macro_btn_name_add");
    click(panel, "macro_btn_starredio");
    auto clickOn = [](QWidget* target, ulong t) {
        for (const bool down : {true, false}) {
            QMouseEvent e(down ? QEvent::MouseButtonPress : QEvent::MouseButtonRelease,
                          QPointF(3, 3), QPointF(3, 3), Qt::LeftButton,
                          down ? Qt::LeftButton : Qt::NoButton, Qt::NoModifier);
            e.setTimestamp(t + (down ? 0 : 10));
            QApplication::sendEvent(target, &e);
        }
    };
    // The program's own controls and windows: a button of the window, a menu such as the
    // tray's.
    auto* button = new QPushButton(QStringLiteral("Apply"), model());
    button->show();
    clickOn(button, 1000);
    QMenu tray;
    tray.addAction("Exit");
    clickOn(&tray, 1100);
    EXPECT_TRUE(recorded().empty());
    mouseButton(Qt::LeftButton, true, 1200);  // the action list: recorded
    mouseButton(Qt::LeftButton, false, 1250);
    EXPECT_EQ(recorded().size(), 2u);
    click(panel, "macro_btn_stopredio");
}

TEST_F(MacroPanelTest, RecordingStopsKeepingItsEventsWhenTheDeviceLeaves) {
    attach();
    click(panel, "macro_btn_name_add");
    click(panel, "macro_btn_starredio");
    key(KEY_A, true, 1000);
    key(KEY_A, false, 1100);
    bus->unplug(mouse);
    ASSERT_TRUE(waitFor([&] { return !panel->recording(); }));
    EXPECT_FALSE(router->inputCapture().installed());
    EXPECT_EQ(panel->list().events(0).size(), 2u);  // kept and saved
    // Plugged again: nothing records until the user starts again.
    bus->plug(mouse);
    ASSERT_TRUE(waitFor([&] { return tile()->attachCount() >= 2; }));
    key(KEY_B, true, 2000);
    EXPECT_EQ(panel->list().events(0).size(), 2u);
    EXPECT_FALSE(panel->recording());
}

TEST_F(MacroPanelTest, RevertBringsBackDeletedActions) {
    attach();
    click(panel, "macro_btn_name_add");
    click(panel, "macro_btn_starredio");
    key(KEY_A, true, 1000);
    key(KEY_A, false, 1100);
    key(KEY_B, true, 1200);
    key(KEY_B, false, 1300);
    click(panel, "macro_btn_stopredio");
    const std::vector<MacroEvent> recordedEvents = panel->list().events(0);
    ASSERT_EQ(recordedEvents.size(), 4u);
    click(panel, "macro_btn_save");
    // Two edits, each written at once.
    panel->selectAction(1);
    click(panel, "macro_btn_delete");
    click(panel, "macro_btn_deleteall");
    EXPECT_TRUE(panel->list().events(0).empty());
    click(panel, "macro_btn_cancel");  // Revert
    EXPECT_EQ(panel->list().events(0), recordedEvents);
    EXPECT_EQ(recorded(), recordedEvents);
    // Choosing the macro again starts from what it holds now.
    panel->selectAction(0);
    click(panel, "macro_btn_delete");
    panel->selectMacro(0);
    click(panel, "macro_btn_cancel");
    EXPECT_EQ(panel->list().events(0).size(), 3u);
}

TEST_F(MacroPanelTest, FixedAndNoDelays) {
    attach();
    click(panel, "macro_btn_name_add");
    // A fixed delay beyond the format is its longest, for every action.
    panel->findChild<QAbstractButton*>("macro_check_time")->setChecked(true);
    panel->findChild<QLineEdit*>("macro_fixed_time_edit")->setText("70000");
    click(panel, "macro_btn_starredio");
    EXPECT_EQ(panel->findChild<QLineEdit*>("macro_fixed_time_edit")->text(), "65535");
    key(KEY_B, true, 10);
    key(KEY_B, false, 20);
    click(panel, "macro_btn_stopredio");
    ASSERT_EQ(recorded().size(), 2u);
    EXPECT_EQ(recorded()[0].delay, 65535);
    EXPECT_EQ(recorded()[1].delay, 65535);
    // No delays, inserted before the first action from the context menu.
    panel->selectAction(0);
    router->macros().chooseMenuItem = [](const QPoint&) {
        return QStringLiteral("redio_previous_ignore_time");
    };
    wnd->notify(Notification{"menu", "macro_action_list",
                             panel->findChild<QWidget*>("macro_action_list"), 1, 1});
    ASSERT_TRUE(panel->recording());
    key(KEY_LEFTSHIFT, true, 5000);
    click(panel, "macro_btn_stopredio");
    ASSERT_EQ(recorded().size(), 3u);
    EXPECT_EQ(recorded()[0], (MacroEvent{MacroEvent::kModifier, 0x02, true, 0}));
    EXPECT_EQ(recorded()[1].button, 0x05);
}

TEST_F(MacroPanelTest, DeletingRenumbersTheKeysOfLaterMacros) {
    attach();
    click(panel, "macro_btn_name_add");
    click(panel, "macro_btn_name_add");
    ASSERT_EQ(panel->list().size(), 2u);
    KeyBinding b = model()->keyBindings().at(4);
    b.assignment = {0x70, 1, 0};  // the second macro
    model()->selectKey(4);
    model()->storeKeyAssignment(b);
    model()->saveProfile();
    panel->selectMacro(0);
    click(panel, "macro_btn_name_sub");
    ASSERT_EQ(panel->list().size(), 1u);
    EXPECT_EQ(model()->keyBindings().at(4).assignment, (std::array<uint8_t, 3>{0x70, 0, 0}));
    const int pos = model()->controller().keyPositionMap().at(4);
    EXPECT_EQ(mouse->firmware().keyEntry(size_t(pos)), (std::array<uint8_t, 3>{0x70, 0, 0}));
}

}  // namespace
}  // namespace md::test
