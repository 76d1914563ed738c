#include <gtest/gtest.h>

#include <QFile>
#include <QSettings>
#include <map>
#include <string>

#include "app/shell/language_controller.h"
#include "gui_test_support.h"
#include "ui/resource_manager.h"

namespace md {

class LanguageTest : public ::testing::Test {
  protected:
    void SetUp() override {
        test::useSourceSkin();
        folder = test::freshFolder("language");
        settingsPath = folder + "settings.ini";
    }
    std::unique_ptr<LanguageController> controller(const QString& list) {
        auto c = std::make_unique<LanguageController>(list, settingsPath);
        c->onFonts = [this](const QString& face) { faces << face; };
        c->environment = [this](const char* name) -> const char* {
            const auto it = environment.find(name);
            return it == environment.end() ? nullptr : it->second.c_str();
        };
        return c;
    }
    int storedId() const {
        return QSettings(settingsPath, QSettings::IniFormat).value("LANGUAGE", -1).toInt();
    }
    QString shippedList() const { return test::sourceDataFolder() + "Language.config"; }
    QString folder, settingsPath;
    QStringList faces;
    std::map<std::string, std::string> environment;  // the locale the controllers see
};

TEST_F(LanguageTest, ShippedListHasSixteenEntriesWithEnglishAt520) {
    auto c = controller(shippedList());
    const auto list = c->readLanguageList();
    ASSERT_GE(list.size(), 16u);
    EXPECT_EQ(list[1].id, 520);
    EXPECT_EQ(list[1].file, "lan_en.xml");
    EXPECT_EQ(list[0].file, "lan_cn.xml");
    EXPECT_EQ(list[2].file, "lan_tw.xml");
    EXPECT_EQ(list[15].file, "lan_th.xml");
    for (const auto& e : list)
        EXPECT_TRUE(QFile::exists(test::sourceSkinFolder() + e.file)) << e.file.toStdString();
}

TEST_F(LanguageTest, StoredChoice) {
    auto c = controller(shippedList());
    EXPECT_EQ(c->readLanguageIndex(), 1);  // no value and no locale: English
    c->writeLanguageId(1028);
    EXPECT_EQ(c->readLanguageIndex(), 2);
    c->writeLanguageId(9999);  // not in the list
    EXPECT_EQ(c->readLanguageIndex(), 0);
    auto noList = controller(folder + "missing.config");
    EXPECT_EQ(noList->readLanguageIndex(), 0);
}

TEST_F(LanguageTest, SwitchRules) {
    struct Step {
        int index;
        bool switched;
        const char* face;  // nullptr: fonts kept
        int storedId;
    };
    // One controller walks the steps in order; each step starts from the previous one.
    const Step steps[] = {
        {3, true, "Verdana Unicode MS", 1041},  // first language (-1 -> 3)
        {3, false, nullptr, 1041},              // same index twice switches nothing
        {4, true, nullptr, 1042},               // 3 -> 4 keeps the fonts
        {15, true, "Noto Sans Thai", 1054},     // -> 15 loads the Thai face
        {4, true, "Verdana Unicode MS", 1042},  // 15 -> 4 loads the common face
        {0, true, "汉仪菱心体简", 2052},        // -> 0
        {1, true, "Verdana Unicode MS", 520},   // 0 -> 1
        {2, true, "Noto Sans CJK TC Regular", 1028},
        {5, true, "Verdana Unicode MS", 1031},  // 2 -> 5
    };
    auto c = controller(shippedList());
    int changes = 0;
    c->onChanged = [&](int) { ++changes; };
    int expectedChanges = 0;
    for (const Step& s : steps) {
        faces.clear();
        QSettings(settingsPath, QSettings::IniFormat).remove("LANGUAGE");
        EXPECT_EQ(c->chooseLanguage(s.index), s.switched) << s.index;
        EXPECT_EQ(faces, s.face ? QStringList{QString::fromUtf8(s.face)} : QStringList{})
            << s.index;
        EXPECT_EQ(storedId(), s.storedId) << s.index;  // the user's choice is kept
        EXPECT_EQ(c->current(), s.index);
        expectedChanges += s.switched ? 1 : 0;
    }
    EXPECT_EQ(changes, expectedChanges);
}

TEST_F(LanguageTest, SwitchLoadsTheLanguageFile) {
    auto c = controller(shippedList());
    c->applyLanguage(2);
    EXPECT_EQ(ResourceManager::instance().language(), "繁體中文");
    EXPECT_EQ(ResourceManager::instance().text("menu_exit"), "結束");
    c->applyLanguage(5);  // partial language: missing texts in English
    EXPECT_EQ(ResourceManager::instance().text("menu_exit"), "Beenden");
    EXPECT_EQ(ResourceManager::instance().text("about_text"),
              ResourceManager::instance().text("about_text"));
    c->applyLanguage(1);
    EXPECT_EQ(ResourceManager::instance().text("menu_exit"), "Exit");
}

TEST_F(LanguageTest, FirstStartFollowsTheLocaleAndStoresNothing) {
    struct Case {
        std::map<std::string, std::string> environment;
        const char* file;  // of the language started with
    };
    const Case cases[] = {
        {{}, "lan_en.xml"},
        {{{"LANG", "de_DE.UTF-8"}}, "lan_de.xml"},
        {{{"LANG", "zh_HK.UTF-8"}}, "lan_tw.xml"},
        {{{"LANG", "eo.UTF-8"}}, "lan_en.xml"},  // not shipped
        {{{"LANGUAGE", "eo:ja:fr"}, {"LANG", "de_DE.UTF-8"}}, "lan_jp.xml"},
        {{{"LC_ALL", "pt_BR.UTF-8"}, {"LC_MESSAGES", "ru_RU"}, {"LANG", "de_DE"}}, "lan_pt.xml"},
        {{{"LC_MESSAGES", "ko_KR.UTF-8"}, {"LANG", "de_DE"}}, "lan_kr.xml"},
        {{{"LC_ALL", "C"}, {"LANG", "th_TH.UTF-8"}}, "lan_en.xml"},
    };
    for (const Case& c : cases) {
        environment = c.environment;
        auto language = controller(shippedList());
        const int index = language->readLanguageIndex();
        const auto list = language->readLanguageList();
        ASSERT_TRUE(index >= 0 && static_cast<std::size_t>(index) < list.size());
        EXPECT_EQ(list[index].file, c.file);
        EXPECT_TRUE(language->applyLanguage(index));
        EXPECT_EQ(storedId(), -1) << c.file;  // nothing written before the user chooses
    }
    // A stored choice outweighs the locale; choosing stores it.
    environment = {{"LANG", "fr_FR.UTF-8"}};
    auto language = controller(shippedList());
    language->chooseLanguage(10);
    EXPECT_EQ(storedId(), 1049);
    EXPECT_EQ(controller(shippedList())->readLanguageIndex(), 10);
}

TEST_F(LanguageTest, MissingListGivesEmptyNames) {
    auto c = controller(folder + "missing.config");
    EXPECT_TRUE(c->applyLanguage(c->readLanguageIndex()));
    EXPECT_EQ(ResourceManager::instance().language(), QString());
    EXPECT_EQ(ResourceManager::instance().text("menu_exit"), "Exit");  // English fallback
    EXPECT_EQ(storedId(), -1);
}

}  // namespace md
