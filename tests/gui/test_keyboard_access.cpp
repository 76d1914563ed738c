// Keyboard access of the program's windows: Esc closes every dialog and pop-up, Tab follows the
// reading order of a window's controls, and a control without a text takes its name from the
// language file or the label in front of it, in the language shown.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QSlider>
#include <functional>

#include "app/shell/about_wnd.h"
#include "app/shell/language_controller.h"
#include "app/shell/main_wnd.h"
#include "app/shell/msg_wnd.h"
#include "app/shell/set_wnd.h"
#include "app/shell/skin_frame.h"
#include "gui_test_support.h"
#include "online/update_time_file.h"
#include "ui/keyboard_access.h"
#include "ui/resource_manager.h"

namespace md {
namespace {

void sendKey(QWidget* to, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QKeyEvent down(QEvent::KeyPress, key, modifiers);
    QApplication::sendEvent(to, &down);
    QKeyEvent up(QEvent::KeyRelease, key, modifiers);
    QApplication::sendEvent(to, &up);
}

TEST(KeyboardAccessWindows, EscClosesEveryDialogAndPopUp) {
    test::useSourceSkin();
    const QString folder = test::freshFolder("escape");
    CMainWnd wnd(std::make_unique<LanguageController>(test::sourceDataFolder() + "Language.config",
                                                      folder + "settings.ini"));
    wnd.show();
    ASSERT_TRUE(test::waitFor([&] { return wnd.isVisible(); }));
    SetWndSetup setup;
    setup.timeFile = folder.toStdString() + kUpdateTimeFileName;
    setup.languages = wnd.language().readLanguageList();

    struct Case {
        const char* name;
        std::function<QWidget*()> open;
    };
    const Case cases[] = {
        {"message box",
         [&]() -> QWidget* {
             auto* box = new CMsgWnd(&wnd);
             box->setText("message_text_22", true);
             box->setButtons(1);
             return box;
         }},
        {"about window", [&]() -> QWidget* { return new CAboutWnd(&wnd); }},
        {"skin picker",
         [&]() -> QWidget* { return new CSkinFrame(wnd.controls().find("skinbtn")); }},
        {"settings window", [&]() -> QWidget* { return new CSetWnd(setup); }},
    };
    for (const Case& c : cases) {
        QPointer<QWidget> w = c.open();
        w->show();
        w->activateWindow();
        ASSERT_TRUE(test::waitFor([&] { return w && w->isVisible(); })) << c.name;
        // Tab first: the keys reach the window's controls, then Esc from wherever the focus is.
        sendKey(w->focusWidget() ? w->focusWidget() : w.data(), Qt::Key_Tab);
        sendKey(w->focusWidget() ? w->focusWidget() : w.data(), Qt::Key_Escape);
        EXPECT_TRUE(test::waitFor([&] { return !w || !w->isVisible(); })) << c.name;
        delete w.data();
    }
}

// A window whose Tab keys go in reading order.
class ReadingOrderWindow : public QWidget {
  protected:
    bool focusNextPrevChild(bool next) override { return moveFocusInReadingOrder(this, next); }
};

TEST(KeyboardAccessWindows, TabFollowsTheReadingOrderAndReachesEveryOption) {
    ReadingOrderWindow window;
    window.resize(400, 300);
    // Made in another order than they are read; a row's controls start at slightly different
    // heights; the options of an exclusive group are reached one by one.
    struct Place {
        const char* name;
        QRect geometry;
        bool exclusive;
    };
    const Place places[] = {
        {"c", {10, 100, 80, 30}, false}, {"b", {200, 12, 80, 30}, false},
        {"a", {10, 10, 80, 30}, false},  {"e", {200, 200, 80, 30}, true},
        {"d", {10, 200, 80, 30}, true},  {"hidden", {300, 10, 40, 30}, false},
    };
    for (const Place& p : places) {
        auto* b = new QPushButton(QString::fromLatin1(p.name), &window);
        b->setObjectName(QString::fromLatin1(p.name));
        b->setGeometry(p.geometry);
        b->setCheckable(p.exclusive);
        b->setAutoExclusive(p.exclusive);
        b->setFocusPolicy(Qt::TabFocus);
        if (p.name == QLatin1String("hidden")) b->hide();
    }
    window.show();
    window.activateWindow();
    ASSERT_TRUE(test::waitFor([&] { return window.isActiveWindow(); }));
    if (QApplication::focusWidget()) QApplication::focusWidget()->clearFocus();
    QStringList order;
    for (int i = 0; i < 6; ++i) {
        sendKey(QApplication::focusWidget() ? QApplication::focusWidget() : &window, Qt::Key_Tab);
        order << QApplication::focusWidget()->objectName();
    }
    EXPECT_EQ(order, QStringList({"a", "b", "c", "d", "e", "a"}));
    sendKey(QApplication::focusWidget(), Qt::Key_Backtab);
    EXPECT_EQ(QApplication::focusWidget()->objectName(), QLatin1String("e"));
}

TEST(KeyboardAccessWindows, NamesComeFromTheLanguageFileOrTheLabelInFront) {
    test::useSourceSkin();
    LanguageController language(test::sourceDataFolder() + "Language.config",
                                test::freshFolder("names") + "settings.ini");
    QWidget window;
    auto* row = new QHBoxLayout(&window);
    auto* label = new QLabel(&window);
    label->setProperty("textId", "light_brightness");
    auto* slider = new QSlider(Qt::Horizontal, &window);  // named by the label in front
    auto* swatch = new QPushButton(&window);              // by "acc_color_option_" %1
    swatch->setObjectName("color_option_0");
    swatch->setToolTip("#FF0000");
    auto* edit = new QLineEdit(&window);  // by its placeholder
    edit->setProperty("placeholderId", "macro_name_placeholder");
    auto* coded = new QPushButton(&window);  // the code's own name stays
    coded->setAccessibleName("named by code");
    for (QWidget* w : std::initializer_list<QWidget*>{label, slider, swatch, edit, coded})
        row->addWidget(w);
    auto name = [](QWidget* w) {
        return QAccessible::queryAccessibleInterface(w)->text(QAccessible::Name);
    };
    struct Step {
        int language;
        const char* brightness;
        const char* red;
        const char* newName;
    };
    const Step steps[] = {{1, "Brightness", "Red", "New name"},
                          {5, "Helligkeit", "Rot", nullptr},
                          {1, "Brightness", "Red", "New name"}};
    for (const Step& s : steps) {
        language.applyLanguage(s.language);
        ResourceManager::instance().applyTexts(&window);
        EXPECT_EQ(name(slider), QString::fromUtf8(s.brightness));
        EXPECT_EQ(name(swatch), QString::fromUtf8(s.red));
        EXPECT_EQ(name(edit), s.newName
                                  ? QString::fromUtf8(s.newName)
                                  : ResourceManager::instance().text("macro_name_placeholder"));
        EXPECT_FALSE(name(edit).isEmpty());
        EXPECT_EQ(name(coded), QLatin1String("named by code"));
    }
}

}  // namespace
}  // namespace md
