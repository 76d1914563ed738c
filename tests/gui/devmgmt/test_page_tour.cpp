// Every page and tab of every device, as a new user clicks through them, at the window's
// default and smallest size, in English and in the longest translations (German, Russian):
// no text cut, no control over another. With MD_SCREENSHOT_DIR set, each view is also saved
// as <dir>/<language>/<device>_<tab>.png.
#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QFile>

#include "app/shell/app_messages.h"
#include "devmgmt_fixture.h"
#include "layout_check.h"
#include "ui/resource_manager.h"

namespace md::test {
namespace {

struct Language {
    int index;  // in Language.config
    const char* code;
    const char* file;
};
constexpr Language kEnglish{1, "en", "lan_en.xml"}, kJapanese{3, "ja", "lan_jp.xml"},
    kGerman{5, "de", "lan_de.xml"}, kRussian{10, "ru", "lan_ru.xml"};

// The texts of a language file by id.
QHash<QString, QString> texts(const char* file) {
    QHash<QString, QString> out;
    ResourceManager::readLanguageFile(sourceSkinFolder() + file, out);
    return out;
}

struct Tab {
    const char* button;
    const char* name;
};
constexpr Tab kTabs[] = {{"deng_Op_tab", "lighting"}, {"key_Op_tab", "keys"},
                         {"macro_Op_tab", "macros"},  {"system_Op_tab", "performance"},
                         {"cursor_Op_tab", "recoil"}, {"6533_voice_Op_tab", "equaliser"},
                         {"magic_Op_tab", "voice"}};
constexpr const char* kDevices[] = {"mouse", "keyboard", "mousepad", "headset"};

class PageTour : public DeviceManagementTest {
  protected:
    PageTour() { labels = {"mouse", "receiver", "keyboard", "mousepad", "headset"}; }

    void settle() {
        waitFor([] { return false; }, std::chrono::milliseconds(60));
    }

    // Visits every tab of every device; returns the problems found, each named by its view.
    QStringList tour(Language lang, QSize size, bool screenshots) {
        wnd->handleMessage(msg::kLanguageChanged, static_cast<uintptr_t>(lang.index), 0);
        wnd->resize(size);
        const QString dir = qEnvironmentVariable("MD_SCREENSHOT_DIR");
        if (screenshots && !dir.isEmpty()) QDir().mkpath(dir + "/" + lang.code);
        QStringList problems;
        const QHash<QString, QString> english = texts("lan_en.xml");
        const QHash<QString, QString> shown = texts(lang.file);
        auto look = [&](const QString& view) {
            settle();
            QStringList found = layoutProblems(wnd.get());
            if (lang.index != kEnglish.index) found << englishLeftOver(wnd.get(), english, shown);
            for (const QString& p : found)
                problems << QStringLiteral("%1 %2x%3 %4: %5")
                                .arg(lang.code)
                                .arg(size.width())
                                .arg(size.height())
                                .arg(view, p);
            if (screenshots && !dir.isEmpty())
                wnd->grab().save(QStringLiteral("%1/%2/%3.png").arg(dir, lang.code, view));
        };
        for (int d = 0; d < 4; ++d) {
            manager->showTile(d, true, true);
            settle();
            COrrivaleUSBDevice* model = manager->model(d);
            int tabs = 0;
            for (const Tab& t : kTabs) {
                auto* b = model->findChild<QAbstractButton*>(t.button);
                if (!b || !b->isVisible()) continue;
                b->click();
                look(QStringLiteral("%1_%2").arg(kDevices[d], t.name));
                ++tabs;
            }
            if (tabs == 0) look(QStringLiteral("%1_page").arg(kDevices[d]));
        }
        return problems;
    }

    void startAll() {
        qApp->setStyleSheet(ResourceManager::instance().styleSheet());
        start();
        ASSERT_TRUE(waitFor([&] { return manager->firstShownTile().second == 4; }));
        ASSERT_TRUE(waitFor([&] {
            for (int d = 0; d < 4; ++d)
                if (manager->tile(d)->attachCount() < 1) return false;
            return true;
        }));
    }
};

TEST_F(PageTour, EveryViewFitsAtTheDefaultAndTheSmallestSize) {
    startAll();
    QStringList problems;
    for (const Language lang : {kEnglish, kGerman, kRussian}) {
        problems << tour(lang, {CMainWnd::kAdaptedWidth, CMainWnd::kAdaptedHeight}, true);
        problems << tour(lang, wnd->minimumSize(), false);
    }
    if (const QString list = qEnvironmentVariable("MD_TOUR_PROBLEMS"); !list.isEmpty()) {
        QFile out(list);
        if (out.open(QIODevice::WriteOnly)) out.write(problems.join('\n').toUtf8() + '\n');
    }
    EXPECT_TRUE(problems.isEmpty()) << problems.size() << " problems:\n"
                                    << problems.join('\n').toStdString();
}

TEST_F(PageTour, MainPageScreenshotsInEveryScript) {
    const QString dir = qEnvironmentVariable("MD_SCREENSHOT_DIR");
    if (dir.isEmpty()) GTEST_SKIP() << "MD_SCREENSHOT_DIR not set";
    startAll();
    wnd->resize(CMainWnd::kAdaptedWidth, CMainWnd::kAdaptedHeight);
    for (const Language lang : {kEnglish, kGerman, kJapanese, kRussian}) {
        wnd->handleMessage(msg::kLanguageChanged, static_cast<uintptr_t>(lang.index), 0);
        manager->showTile(0, true, true);
        settle();
        EXPECT_TRUE(wnd->grab().save(QStringLiteral("%1/main_window_%2.png").arg(dir, lang.code)));
    }
}

}  // namespace
}  // namespace md::test
