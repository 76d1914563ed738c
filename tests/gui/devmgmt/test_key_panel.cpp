// The key panel of the mouse page through the main window, on the virtual mouse over its cable
// and through its receiver: buttons chosen on the picture, functions chosen on the panel (a
// key captured from the keyboard among them), the key table the mouse holds after "save to
// device" and the profile's "KeyList"; capture that cannot start is said.
#include <linux/input-event-codes.h>

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>

#include "app/devmgmt/key_router.h"
#include "app/devmgmt/page_router.h"
#include "app/services/window_input_capture.h"
#include "devices/mouse/mouse_key_table.h"
#include "devmgmt_fixture.h"
#include "panels/key_set_control_ui.h"
#include "profiles/json_file_io.h"

namespace md::test {
namespace {

class KeyPanelTest : public DeviceManagementTest, public ::testing::WithParamInterface<bool> {
  protected:
    void attach() {
        startOnOneLink(GetParam());
        // The key panel is built when its page is first shown.
        EXPECT_FALSE(model()->findChild<CKeySetControlUI*>());
        tab("key_Op_tab");
        panel = model()->findChild<CKeySetControlUI*>();
        ASSERT_TRUE(panel);
        router = wnd->findChild<PageRouter*>();
        ASSERT_TRUE(router);
        router->keys().inform = [this](const QString& text, bool) { told << text; };
        router->confirm = [](const QString&) { return true; };
    }
    void tab(const char* name) {
        // The mouse page's own tab: every device page has its profile panel.
        auto* b = model()->findChild<QAbstractButton*>(name);
        ASSERT_TRUE(b) << name;
        b->click();
    }
    template <typename T = QWidget>
    T* control(const char* name) {
        return panel->findChild<T*>(name);
    }
    void chooseKey(int i) {
        QWidget* b = model()->keyButton(i);
        ASSERT_TRUE(b) << i;
        ASSERT_TRUE(b->isVisible()) << i;
        static_cast<QAbstractButton*>(b)->click();
        ASSERT_EQ(model()->selectedKey(), i);
    }
    void chooseFunction(int f) {
        auto* c = control<QComboBox>("keyset_function_combo");
        c->setCurrentIndex(c->findData(QString::number(f)));
    }
    void pressKey(QWidget* to, uint16_t evdev, Qt::Key key) {
        for (QEvent::Type t : {QEvent::KeyPress, QEvent::KeyRelease}) {
            QKeyEvent e(t, key, Qt::NoModifier, evdev + 8, 0, 0);
            QApplication::sendEvent(to, &e);
        }
    }
    // The three bytes the mouse holds for a button.
    std::array<uint8_t, 3> entryOf(int button) {
        const int pos = model()->controller().keyPositionMap().at(size_t(button));
        return mouse->firmware().keyEntry(size_t(pos));
    }
    int keyListCode(int button) {
        return JsonFileIO::loadJsonDocument(
                   model()->getProfileFilePath())["Device"][0]["KeyList"][button]["Assignment"]
            .asInt();
    }

    CKeySetControlUI* panel = nullptr;
    PageRouter* router = nullptr;
    QStringList told;
};

TEST_P(KeyPanelTest, FunctionsChosenOnThePanelReachTheMouseAndTheProfile) {
    attach();
    EXPECT_FALSE(control("keyset_layout")->isVisible());  // until a button is chosen
    chooseKey(1);  // right button: shown as its factory function
    EXPECT_TRUE(control("keyset_layout")->isVisible());
    EXPECT_EQ(panel->selectedFunction(), keys::kFactory);
    chooseFunction(keys::kFunctionDpi);
    control<QComboBox>("keyset_mousedpi_combo")->setCurrentIndex(0);  // DPI up

    chooseKey(3);  // forward: a keyboard key, captured, with Ctrl
    chooseFunction(keys::kFunctionKeyboard);
    auto* edit = control<QLineEdit>("keyset_keyboard_text_edit");
    edit->setFocus();
    QApplication::processEvents();
    ASSERT_TRUE(panel->capturing());
    pressKey(edit, KEY_C, Qt::Key_C);
    EXPECT_EQ(edit->text(), "C");
    control<QAbstractButton>("key_ComBox_check_1")->click();  // Ctrl
    edit->clearFocus();
    QApplication::processEvents();
    EXPECT_FALSE(panel->capturing());
    EXPECT_FALSE(router->inputCapture().installed());

    chooseKey(5);  // the DPI button: a media key
    chooseFunction(keys::kFunctionMedia);
    control<QComboBox>("keyset_media_combo")->setCurrentIndex(1);  // play / pause

    // Held in the profile data only; the mouse still has its factory table.
    EXPECT_EQ(entryOf(1), (std::array<uint8_t, 3>{0x10, 0x02, 0x00}));
    EXPECT_TRUE(control<QAbstractButton>("key_butt_prosave")->isEnabled());
    control<QAbstractButton>("key_butt_prosave")->click();
    EXPECT_TRUE(told.isEmpty()) << told.join("; ").toStdString();
    EXPECT_EQ(entryOf(1), (std::array<uint8_t, 3>{0x13, 0x01, 0x00}));
    EXPECT_EQ(entryOf(3), (std::array<uint8_t, 3>{0x20, 0x01, 0x06}));
    EXPECT_EQ(entryOf(5), (std::array<uint8_t, 3>{0x30, 0xCD, 0x00}));
    EXPECT_EQ(entryOf(0), (std::array<uint8_t, 3>{0x10, 0x01, 0x00}));  // untouched
    EXPECT_EQ(keyListCode(1), 0x130100);
    EXPECT_EQ(keyListCode(3), 0x200106);
    EXPECT_EQ(keyListCode(5), 0x30CD00);
    EXPECT_FALSE(control<QAbstractButton>("key_butt_prosave")->isEnabled());
    // The picture tells each button's function.
    EXPECT_TRUE(model()->keyButton(3)->toolTip().contains("C"))
        << model()->keyButton(3)->toolTip().toStdString();

    // Choosing the button again shows what it holds; "default" shows the factory function.
    chooseKey(3);
    EXPECT_EQ(panel->selectedFunction(), keys::kFunctionKeyboard);
    EXPECT_EQ(panel->selectedModifierOption(), 1);
    control<QAbstractButton>("key_butt_keydefalut")->click();
    EXPECT_EQ(panel->selectedFunction(), keys::kFactory);
    control<QAbstractButton>("key_butt_keysave")->click();
    control<QAbstractButton>("key_butt_prosave")->click();
    EXPECT_EQ(entryOf(3), mouseFactoryEntries()[3]);
}

TEST_P(KeyPanelTest, UndoTakesBackTheEditsOfTheChosenButton) {
    attach();
    chooseKey(3);  // forward
    const int before = keyListCode(3);
    chooseFunction(keys::kFunctionKeyboard);
    control<QAbstractButton>("key_ComBox_check_1")->click();  // Ctrl: applied at once
    EXPECT_NE(model()->keyBindings()[3].assignment, model()->keyBindings()[3].defaultAssignment);
    control<QAbstractButton>("key_butt_keycancel")->click();  // Undo
    EXPECT_EQ(model()->keyBindings()[3].assignment, model()->keyBindings()[3].defaultAssignment);
    EXPECT_EQ(panel->selectedFunction(), keys::kFactory);
    EXPECT_EQ(keyListCode(3), before);
    control<QAbstractButton>("key_butt_prosave")->click();
    EXPECT_EQ(entryOf(3), mouseFactoryEntries()[3]);
}

TEST_P(KeyPanelTest, TheLastClickingButtonIsOnlyReassignedWhenConfirmed) {
    attach();
    QStringList asked;
    bool answer = false;
    router->confirm = [&](const QString& id) {
        asked << id;
        return answer;
    };
    auto* dpi = control<QComboBox>("keyset_mousedpi_combo");
    chooseKey(1);  // right button: no question
    chooseFunction(keys::kFunctionDpi);
    dpi->setCurrentIndex(0);
    EXPECT_TRUE(asked.isEmpty());
    chooseKey(0);  // left button, the only one that clicks
    chooseFunction(keys::kFunctionDpi);
    dpi->setCurrentIndex(1);
    EXPECT_EQ(asked, QStringList{"message_primary_button"});
    EXPECT_EQ(model()->keyBindings()[0].assignment, (std::array<uint8_t, 3>{0x10, 0x01, 0x00}));
    EXPECT_EQ(panel->selectedFunction(), keys::kFactory);  // the panel shows it unchanged
    answer = true;
    chooseFunction(keys::kFunctionDpi);
    dpi->setCurrentIndex(2);
    EXPECT_EQ(asked.size(), 2);
    EXPECT_NE(model()->keyBindings()[0].assignment, (std::array<uint8_t, 3>{0x10, 0x01, 0x00}));
}

TEST_P(KeyPanelTest, KeyButtonsShowOnTheKeyPageOnly) {
    attach();
    EXPECT_TRUE(model()->keyButton(0)->isVisible());
    tab("deng_Op_tab");
    EXPECT_FALSE(model()->keyButton(0)->isVisible());
}

TEST_P(KeyPanelTest, CaptureThatCannotStartIsSaid) {
    attach();
    chooseKey(0);
    chooseFunction(keys::kFunctionKeyboard);
    // Capture needs the window shown; with it hidden the edit does not claim to capture.
    auto& capture = router->inputCapture();
    wnd->hide();
    QApplication::processEvents();
    wnd->notify(Notification{"setfocus", "keyset_keyboard_text_edit",
                             control("keyset_keyboard_text_edit"), 0, 0});
    EXPECT_FALSE(capture.installed());
    EXPECT_FALSE(panel->capturing());
    EXPECT_FALSE(control<QLabel>("keyset_capture_state")->text().isEmpty());
}

INSTANTIATE_TEST_SUITE_P(CableAndReceiver, KeyPanelTest, ::testing::Bool(),
                         [](const auto& info) { return info.param ? "Receiver" : "Cable"; });

// The in-window capture on its own: records, swallowing, lock keys, repeats, modes.
class Recorder : public QWidget {
  public:
    void keyPressEvent(QKeyEvent* e) override { received << e->nativeScanCode() - 8; }
    QList<quint32> received;
};

TEST(WindowInputCapture, DeliversSwallowsAndReleases) {
    Recorder window;
    window.show();
    WindowInputCapture capture(&window);
    std::vector<std::pair<int, capture::KeyRecord>> keys;
    bool released = false;
    capture.setSink({[&](int mode, const capture::KeyRecord& r) { keys.emplace_back(mode, r); },
                     nullptr, [&] { released = true; }});
    const auto send = [&](QEvent::Type t, uint16_t evdev, bool repeat = false) {
        QKeyEvent e(t, Qt::Key_unknown, Qt::NoModifier, evdev + 8, 0, 0, QString(), repeat);
        QApplication::sendEvent(&window, &e);
    };
    ASSERT_TRUE(capture.install(capture::kSingleKey, true, false));
    send(QEvent::KeyPress, KEY_DELETE);
    send(QEvent::KeyPress, KEY_DELETE, true);  // repeat: dropped
    send(QEvent::KeyRelease, KEY_DELETE);
    send(QEvent::KeyPress, KEY_CAPSLOCK);  // passes on
    ASSERT_EQ(keys.size(), 3u);
    EXPECT_EQ(keys[0].second.scanCode, 0x53);
    EXPECT_TRUE(keys[0].second.extended);
    EXPECT_TRUE(keys[0].second.down);
    EXPECT_FALSE(keys[1].second.down);
    EXPECT_EQ(window.received, (QList<quint32>{KEY_CAPSLOCK}));

    // A second install replaces the mode.
    ASSERT_TRUE(capture.install(capture::kRecordAppend, true, true));
    send(QEvent::KeyPress, KEY_A);
    EXPECT_EQ(keys.back().first, int(capture::kRecordAppend));

    // Hiding the window ends capture: keys reach it again.
    window.hide();
    EXPECT_TRUE(released);
    EXPECT_FALSE(capture.installed());
    window.show();
    send(QEvent::KeyPress, KEY_B);
    EXPECT_EQ(window.received.back(), quint32(KEY_B));
    EXPECT_FALSE(capture.uninstall());  // nothing installed
}

}  // namespace
}  // namespace md::test
