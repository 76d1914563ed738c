// The main window through the keyboard and through Qt's accessibility tree, on every view of
// every virtual device: Tab alone reaches every control a screen reader lists as interactive,
// every such control has a name in the current language, and the controls that paint
// themselves tell their role, value and state.
#include <QAbstractButton>
#include <QAccessible>
#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QSet>

#include "app/shell/about_wnd.h"
#include "app/shell/app_messages.h"
#include "app/shell/msg_wnd.h"
#include "app/shell/skin_frame.h"
#include "controls/color_palette_ui.h"
#include "controls/device_key_button_ui.h"
#include "devmgmt_fixture.h"
#include "ui/keyboard_access.h"
#include "ui/resource_manager.h"

namespace md::test {
namespace {

constexpr int kDevices = 4;  // mouse, keyboard, mousepad, headset

// Sends a key press and release to the widget with the focus (else to w).
void press(QWidget* w, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QWidget* to = QApplication::focusWidget() ? QApplication::focusWidget() : w;
    QKeyEvent down(QEvent::KeyPress, key, modifiers);
    QApplication::sendEvent(to, &down);
    QKeyEvent up(QEvent::KeyRelease, key, modifiers);
    QApplication::sendEvent(to, &up);
}

bool isInteractiveRole(QAccessible::Role role) {
    switch (role) {
        case QAccessible::Button:
        case QAccessible::CheckBox:
        case QAccessible::RadioButton:
        case QAccessible::ComboBox:
        case QAccessible::Slider:
        case QAccessible::SpinBox:
        case QAccessible::EditableText:
        case QAccessible::List:
        case QAccessible::Table:
        case QAccessible::Tree:
        case QAccessible::PageTab:
        case QAccessible::ColorChooser:
        case QAccessible::ButtonMenu:
        case QAccessible::ButtonDropDown:
            return true;
        default:
            return false;
    }
}

// The shown, enabled interactive controls of the accessibility tree under iface, with the
// names the tree gives them. The cells of item views are the views' own business.
void collectInteractive(QAccessibleInterface* iface, QList<QPair<QWidget*, QString>>& out) {
    if (!iface || !iface->isValid()) return;
    const QAccessible::State state = iface->state();
    if (state.invisible) return;
    const QAccessible::Role role = iface->role();
    if (isInteractiveRole(role) && !state.disabled)
        if (auto* w = qobject_cast<QWidget*>(iface->object()))
            out.append({w, iface->text(QAccessible::Name)});
    if (role == QAccessible::List || role == QAccessible::Table || role == QAccessible::Tree ||
        role == QAccessible::ComboBox)
        return;
    for (int i = 0; i < iface->childCount(); ++i) collectInteractive(iface->child(i), out);
}

QString describe(const QWidget* w) {
    return QStringLiteral("%1 \"%2\"")
        .arg(QString::fromLatin1(w->metaObject()->className()), w->objectName());
}

class KeyboardAccess : public DeviceManagementTest {
  protected:
    KeyboardAccess() { labels = {"mouse", "receiver", "keyboard", "mousepad", "headset"}; }

    void settle() {
        waitFor([] { return false; }, std::chrono::milliseconds(60));
    }

    void startAll() {
        qApp->setStyleSheet(ResourceManager::instance().styleSheet());
        start();
        ASSERT_TRUE(waitFor([&] { return manager->firstShownTile().second == kDevices; }));
        ASSERT_TRUE(waitFor([&] {
            for (int d = 0; d < kDevices; ++d)
                if (manager->tile(d)->attachCount() < 1) return false;
            return true;
        }));
        wnd->resize(CMainWnd::kAdaptedWidth, CMainWnd::kAdaptedHeight);
        wnd->activateWindow();
        ASSERT_TRUE(waitFor([&] { return wnd->isActiveWindow(); }));
    }

    // Calls look(view) on every tab of every device's page.
    void everyView(const std::function<void(const QString& view)>& look) {
        for (int d = 0; d < kDevices; ++d) {
            manager->showTile(d, true, true);
            settle();
            COrrivaleUSBDevice* model = manager->model(d);
            QList<QAbstractButton*> tabs;
            for (auto* b : model->findChildren<QAbstractButton*>())
                if (b->objectName().endsWith(QLatin1String("_Op_tab")) && b->isVisible()) tabs << b;
            if (tabs.isEmpty()) look(QStringLiteral("device %1").arg(d));
            for (QAbstractButton* tab : tabs) {
                tab->click();
                settle();
                look(QStringLiteral("device %1 %2").arg(d).arg(tab->objectName()));
            }
        }
    }

    QList<QPair<QWidget*, QString>> interactive() {
        QList<QPair<QWidget*, QString>> out;
        collectInteractive(QAccessible::queryAccessibleInterface(wnd.get()), out);
        return out;
    }
};

TEST_F(KeyboardAccess, TabAloneReachesEveryInteractiveControlOfEveryView) {
    startAll();
    QStringList problems;
    int checked = 0;
    everyView([&](const QString& view) {
        const auto controls = interactive();
        QSet<QWidget*> missing;
        for (const auto& c : controls) missing.insert(c.first);
        // Twice round the chain at most; a control counts as reached when the focus is in it.
        const int presses = 2 * int(readingOrderFocusChain(wnd.get()).size()) + 2;
        for (int i = 0; i < presses && !missing.isEmpty(); ++i) {
            press(wnd.get(), Qt::Key_Tab);
            for (QWidget* f = QApplication::focusWidget(); f && f != wnd.get();
                 f = f->parentWidget())
                missing.remove(f);
        }
        for (QWidget* w : std::as_const(missing)) problems << view + ": not reached " + describe(w);
        checked += int(controls.size());
    });
    EXPECT_GT(checked, 0);
    EXPECT_TRUE(problems.isEmpty()) << problems.size() << " problems:\n"
                                    << problems.join('\n').toStdString();
}

TEST_F(KeyboardAccess, EveryInteractiveControlHasANameInEveryLanguage) {
    startAll();
    struct Language {
        int index;
        const char* code;
    };
    QStringList problems;
    QSet<QWidget*> seen;
    for (const Language lang : {Language{1, "en"}, Language{5, "de"}, Language{3, "ja"}}) {
        wnd->handleMessage(msg::kLanguageChanged, static_cast<uintptr_t>(lang.index), 0);
        everyView([&](const QString& view) {
            for (const auto& [w, name] : interactive()) {
                seen.insert(w);
                if (name.trimmed().isEmpty())
                    problems << QStringLiteral("%1 %2: no name for %3")
                                    .arg(QString::fromLatin1(lang.code), view, describe(w));
            }
        });
    }
    std::printf("[ names    ] %lld interactive controls checked\n",
                static_cast<long long>(seen.size()));
    EXPECT_GT(seen.size(), 100);
    problems.removeDuplicates();
    EXPECT_TRUE(problems.isEmpty()) << problems.size() << " problems:\n"
                                    << problems.join('\n').toStdString();
}

TEST_F(KeyboardAccess, SelfPaintedControlsTellRoleNameValueAndState) {
    startAll();
    struct Case {
        const char* what;
        int device;        // whose page shows the control
        const char* tab;   // the page's tab, or nullptr
        const char* name;  // the control's object name
        QAccessible::Role role;
        bool focusable;
    };
    const Case cases[] = {
        {"key cap", 1, "key_Op_tab", "key_0", QAccessible::Button, true},
        {"lamp", 1, "deng_Op_tab", "light_0", QAccessible::Indicator, false},
        {"colour picker", 1, "deng_Op_tab", "deng_Color_Pallet", QAccessible::ColorChooser, true},
        {"mouse key spot", 0, "key_Op_tab", "key_0", QAccessible::Button, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        manager->showTile(c.device, true, true);
        settle();
        COrrivaleUSBDevice* page = manager->model(c.device);
        if (c.tab) page->findChild<QAbstractButton*>(c.tab)->click();
        settle();
        QWidget* w = nullptr;
        for (QWidget* candidate : page->findChildren<QWidget*>(c.name))
            if (candidate->isVisible()) w = candidate;
        ASSERT_TRUE(w);
        QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(w);
        ASSERT_TRUE(iface);
        EXPECT_EQ(iface->role(), c.role);
        EXPECT_FALSE(iface->text(QAccessible::Name).isEmpty());
        EXPECT_EQ(bool(iface->state().focusable), c.focusable);
        EXPECT_EQ(w->focusPolicy() != Qt::NoFocus, c.focusable);
        if (auto* lamp = qobject_cast<CDeviceKeyButtonUI*>(w);
            lamp && c.role == QAccessible::Indicator) {
            EXPECT_EQ(iface->text(QAccessible::Value), lamp->ledColour().name().toUpper());
        }
        if (auto* palette = qobject_cast<CColorPaletteUI*>(w)) {
            EXPECT_FALSE(iface->text(QAccessible::Description).isEmpty());
            palette->setFocus(Qt::TabFocusReason);
            const QColor before = palette->colour();
            press(wnd.get(), Qt::Key_Right);
            // The hue turned by a step (give or take the rounding of the RGB colour).
            EXPECT_NEAR((palette->colour().hsvHue() - before.hsvHue() + 360) % 360,
                        CColorPaletteUI::kHueStep, 1);
            EXPECT_EQ(iface->text(QAccessible::Value), palette->colour().name().toUpper());
        }
    }

    // The tiles: a radio button each, named by its device, its connection and battery told.
    for (int d = 0; d < kDevices; ++d) {
        CDeviceOptionUI* tile = manager->tile(d);
        QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(tile);
        ASSERT_TRUE(iface);
        EXPECT_EQ(iface->role(), QAccessible::RadioButton);
        EXPECT_EQ(iface->text(QAccessible::Name), tile->tileName());
        EXPECT_FALSE(tile->tileName().isEmpty());
        EXPECT_EQ(iface->text(QAccessible::Description), tile->linkText());
        EXPECT_EQ(iface->text(QAccessible::Value), tile->batteryText());
        EXPECT_TRUE(iface->state().checkable);
        // Its icon option is the tile's face, not a control of its own in the tree.
        for (int i = 0; i < iface->childCount(); ++i)
            EXPECT_NE(iface->child(i)->object()->objectName(), QLatin1String("device_select"));
    }
    // Space on a tile selects it; the tree tells which one is checked.
    for (int d : {2, 0}) {
        manager->tile(d)->setFocus(Qt::TabFocusReason);
        press(wnd.get(), Qt::Key_Space);
        settle();
        for (int other = 0; other < kDevices; ++other)
            EXPECT_EQ(
                bool(QAccessible::queryAccessibleInterface(manager->tile(other))->state().checked),
                other == d)
                << d << " " << other;
    }
}

TEST_F(KeyboardAccess, EnterPressesAndTheRingShowsWhereTabWent) {
    startAll();
    manager->showTile(0, true, true);
    settle();
    auto* keysTab = manager->model(0)->findChild<QAbstractButton*>("key_Op_tab");
    ASSERT_TRUE(keysTab && !keysTab->isChecked());
    keysTab->setFocus(Qt::TabFocusReason);
    press(wnd.get(), Qt::Key_Return);
    EXPECT_TRUE(keysTab->isChecked());

    // Tab shows the ring around the control it reached; a mouse focus elsewhere hides it.
    press(wnd.get(), Qt::Key_Tab);
    QWidget* reached = QApplication::focusWidget();
    ASSERT_TRUE(reached);
    QWidget* ring = focusRing(wnd.get());
    ASSERT_TRUE(ring);
    EXPECT_TRUE(ring->isVisible());
    EXPECT_TRUE(ring->geometry().contains(
        QRect(reached->mapTo(wnd.get(), QPoint(0, 0)), reached->size()).center()));
    press(wnd.get(), Qt::Key_Backtab);
    EXPECT_EQ(QApplication::focusWidget(), keysTab);
    QWidget* other = manager->tile(1);
    other->setFocus(Qt::MouseFocusReason);
    EXPECT_FALSE(ring->isVisible());
}

// With MD_SCREENSHOT_DIR set: the focus ring where Tab went, in the longest translation, saved
// as <dir>/keyboard_focus_<view>.png.
class ScreenshotsOfKeyboardFocus : public KeyboardAccess {};

TEST_F(ScreenshotsOfKeyboardFocus, RingOnAPageOfEachKind) {
    const QString dir = qEnvironmentVariable("MD_SCREENSHOT_DIR");
    if (dir.isEmpty()) GTEST_SKIP() << "MD_SCREENSHOT_DIR not set";
    startAll();
    wnd->handleMessage(msg::kLanguageChanged, 10, 0);  // Russian
    struct View {
        int device;
        const char* tab;
        const char* target;  // Tab is pressed until this control has the focus
        const char* file;
    };
    const View views[] = {
        {0, "system_Op_tab", "DPI_slider_1", "mouse_performance"},
        {1, "deng_Op_tab", "light_combo_modeSelect", "keyboard_lighting"},
        {1, "key_Op_tab", "key_21", "keyboard_keys"},
        {3, "6533_voice_Op_tab", "6533_eq_option_2", "headset_equaliser"},
    };
    for (const View& v : views) {
        manager->showTile(v.device, true, true);
        settle();
        manager->model(v.device)->findChild<QAbstractButton*>(v.tab)->click();
        settle();
        const int presses = int(readingOrderFocusChain(wnd.get()).size());
        for (int i = 0; i < presses; ++i) {
            press(wnd.get(), Qt::Key_Tab);
            if (QApplication::focusWidget()->objectName() == QLatin1String(v.target)) break;
        }
        EXPECT_EQ(QApplication::focusWidget()->objectName(), QLatin1String(v.target));
        settle();
        EXPECT_TRUE(wnd->grab().save(QStringLiteral("%1/keyboard_focus_%2.png").arg(dir, v.file)));
    }
}

}  // namespace
}  // namespace md::test
