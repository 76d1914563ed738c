#include <gtest/gtest.h>

#include <QFile>
#include <QLabel>
#include <QPushButton>

#include "gui_test_support.h"
#include "ui/control_finder.h"
#include "ui/resource_manager.h"

namespace md {
namespace {
void writeFile(const QString& path, const QByteArray& text) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(text);
}
}  // namespace

class ResourceManagerTest : public ::testing::Test {
  protected:
    void SetUp() override {
        folder = test::freshFolder("res");
        writeFile(folder + "lan_en.xml",
                  "<Language name=\"English\"><Text id=\"a\">A-en</Text>"
                  "<Text id=\"b\">B-en</Text></Language>");
        writeFile(folder + "lan_de.xml",
                  "<Language name=\"Deutsch\"><Text id=\"a\">A-de</Text></Language>");
        writeFile(folder + "res.xml", "<Res><xml id=\"XML_MAIN\" path=\"main.xml\"/></Res>");
        res.release();
        res.setSkinFolder(folder);
    }
    void TearDown() override { test::useSourceSkin(); }
    ResourceManager& res = ResourceManager::instance();
    QString folder;
};

TEST_F(ResourceManagerTest, TextFallsBackToEnglishThenToTheId) {
    ASSERT_TRUE(res.loadLanguage("lan_de.xml"));
    EXPECT_EQ(res.text("a"), "A-de");
    EXPECT_EQ(res.text("b"), "B-en");
    EXPECT_EQ(res.text("zz"), "zz");
    EXPECT_FALSE(res.loadLanguage("missing.xml"));
    EXPECT_EQ(res.text("a"), "A-de");  // a failed load keeps the language
}

TEST_F(ResourceManagerTest, ResolvesIdsThroughTheIndex) {
    ASSERT_TRUE(res.loadResource("res.xml"));
    EXPECT_EQ(res.resolve("XML_MAIN"), folder + "main.xml");
    EXPECT_EQ(res.resolve("XML\\DeviceXml\\x.xml"), folder + "XML/DeviceXml/x.xml");
    EXPECT_EQ(res.resolve("/abs/pic.png"), "/abs/pic.png");
}

TEST_F(ResourceManagerTest, ReloadTextAndTheTextTestLabel) {
    QWidget root;
    auto* button = new QPushButton(&root);
    button->setObjectName("confirm_btn");
    auto* probe = new QLabel(&root);
    probe->setObjectName("text_test");
    res.loadLanguage("lan_en.xml");
    res.setTextId(button, "a");
    EXPECT_EQ(button->text(), "A-en");
    res.loadLanguage("lan_de.xml");
    res.reloadText();
    EXPECT_EQ(button->text(), "A-de");

    ControlFinder finder(&root);
    EXPECT_EQ(finder.queryText("b"), "B-en");
    EXPECT_EQ(probe->text(), "B-en");
}

}  // namespace md
