#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QStackedWidget>

#include "app/shell/main_wnd.h"
#include "gui_test_support.h"
#include "ui/control_registry.h"
#include "ui/layout_builder.h"
#include "ui/layout_tag_table.h"
#include "ui/resource_manager.h"

namespace md {
namespace {
QByteArray uiWith(const QString& innerClass, const QString& innerName) {
    return QString(
               "<?xml version=\"1.0\"?><ui version=\"4.0\"><widget class=\"QWidget\" "
               "name=\"page\"><widget class=\"%1\" name=\"%2\"/></widget></ui>")
        .arg(innerClass, innerName)
        .toUtf8();
}

void writeFile(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(path).path());
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}
}  // namespace

class LayoutBuilderTest : public ::testing::Test {
  protected:
    void SetUp() override {
        test::useSourceSkin();
        folder = test::freshFolder("layouts");
        ResourceManager::instance().setSkinFolder(folder);
    }
    void TearDown() override { test::useSourceSkin(); }
    QString folder;
};

TEST_F(LayoutBuilderTest, MainWindowTagsCreateTheApplicationsClasses) {
    const char* const tags[][2] = {
        {"CircleProgress", "CCircleProgressUI"},
        {"SelectPanel", "CSelectPanelUI"},
        {"DeviceKeyButton", "CDeviceKeyButtonUI"},
        {"HandImgButton", "CHandImgButtonUI"},
        {"HandImgSelectButton", "CHandImgSelectButtonUI"},
        {"RedioMacroButton", "CRedioMacroButtonUI"},
        {"ComboEditContainerElement", "CComboEditContainerElementUI"},
        {"OrrivaleMousePadDevice", "COrrivaleMousePadDevice"},
        {"OrrivaleHS6533Device", "COrrivaleHS6533Device"},
        {"OrrivaleMouseDevice", "COrrivaleMouseDevice"},
        {"OrrivaleKeyboardDevice", "COrrivaleKeyboardDevice"},
        {"DeviceProfile", "CDeviceProfileUI"},
        {"LightControl", "CLightControlUI"},
        {"magiccontrol", "CMagicControlUI"},  // tags compare without regard to case
        {"VOICE6533CONTROL", "CVoice6533ControlUI"},
        {"KeySetControl", "CKeySetControlUI"},
        {"ShootControl", "CShootControlUI"},
    };
    for (const auto& t : tags) {
        writeFile(folder + "t.xml", uiWith(t[0], "inner"));
        LayoutBuilder builder(&CMainWnd::layoutTags());
        std::unique_ptr<QWidget> page(builder.build("t.xml"));
        ASSERT_TRUE(page) << t[0];
        QWidget* inner = page->findChild<QWidget*>("inner");
        ASSERT_TRUE(inner) << t[0];
        EXPECT_EQ(inner->property("controlClass").toString(), QString(t[1])) << t[0];
    }
}

TEST_F(LayoutBuilderTest, SubTreeTagsBuildTheirOwnFiles) {
    const char* const subTrees[][2] = {
        {"DeviceProfileUI", "DeviceProfile.xml"},
        {"LightSetControlUI", "LightControl.xml"},
        {"Voice6533SetControlUI", "Voice6533Control.xml"},
        {"MagicSetControlUI", "MagicControl.xml"},
        {"KeySetControlUI", "KeySetControl.xml"},
        {"MacroSetControlUI", "MacroControl.xml"},
        {"ShootKeySetControlUI", "ShootControl.xml"},
        {"VirtualSetControlUI", "VirtualSet.xml"},
    };
    for (const auto& s : subTrees) {
        // Inside a sub-tree, classes resolve through the registration only.
        writeFile(folder + "XML/CustomControlXML/" + s[1],
                  QString("<?xml version=\"1.0\"?><ui version=\"4.0\"><widget class=\"QWidget\" "
                          "name=\"sub_root\"><widget class=\"QLabel\" name=\"from_%1\"/>"
                          "<widget class=\"CLightControlUI\" name=\"registered\"/>"
                          "<widget class=\"LightControl\" name=\"tag_inside\"/></widget></ui>")
                      .arg(s[1])
                      .toUtf8());
        writeFile(folder + "page.xml", uiWith(s[0], "placeholder"));
        LayoutBuilder builder(&CMainWnd::layoutTags());
        std::unique_ptr<QWidget> page(builder.build("page.xml"));
        ASSERT_TRUE(page) << s[0];
        EXPECT_TRUE(page->findChild<QLabel*>(QString("from_%1").arg(s[1]))) << s[0];
        QWidget* reg = page->findChild<QWidget*>("registered");
        ASSERT_TRUE(reg);
        EXPECT_EQ(reg->property("controlClass").toString(), "CLightControlUI");
        QWidget* tagInside = page->findChild<QWidget*>("tag_inside");
        EXPECT_TRUE(!tagInside || tagInside->property("controlClass").isNull()) << s[0];
    }
}

TEST_F(LayoutBuilderTest, RegisteredFactoryReplacesThePlaceholder) {
    ControlRegistry::instance().registerClass<QPushButton>("CTestButtonUI");
    writeFile(folder + "b.xml", uiWith("CTestButtonUI", "made"));
    LayoutBuilder builder;
    std::unique_ptr<QWidget> page(builder.build("b.xml"));
    ASSERT_TRUE(page);
    EXPECT_TRUE(page->findChild<QPushButton*>("made"));
    EXPECT_EQ(builder.build("missing.xml"), nullptr);
}

TEST_F(LayoutBuilderTest, ShippedLayoutsBuildWithTheirNamedControls) {
    test::useSourceSkin();
    struct Case {
        const char* file;
        std::vector<const char*> names;
    };
    const Case cases[] = {
        {"XML_MAIN",
         {"root",
          "title_bar",
          "closebtn",
          "minbtn",
          "maxbtn",
          "restorebtn",
          "skinbtn",
          "setbtn",
          "gamemodebtn",
          "cloudbtn",
          "smarteyesbtn",
          "control_light_status",
          "device_select_layout",
          "device_switch",
          "device_power_switch",
          "No_device_Link",
          "nodevice_ok_btn",
          "device_select_prev",
          "device_select_next",
          "text_test",
          "setting_progress"}},
        {"XML_MSG", {"MessageTitle", "MessageText", "confirm_btn", "cancel_btn", "closebtn"}},
        {"AboutWnd.xml",
         {"closebtn", "maxbtn", "restorebtn", "minbtn", "menubtn", "software_ver_label",
          "text_test", "homepage_btn"}},
        {"skin.xml",
         {"skin_tab", "skin_image", "skin_color", "skin_reset", "skin_Custom", "skin_image_btn",
          "skin_color_btn"}},
    };
    for (const Case& c : cases) {
        LayoutBuilder builder(&CMainWnd::layoutTags());
        std::unique_ptr<QWidget> root(builder.build(c.file));
        ASSERT_TRUE(root) << c.file;
        for (const char* name : c.names)
            EXPECT_TRUE(root->objectName() == name || root->findChild<QWidget*>(name))
                << c.file << ": " << name;
    }
    EXPECT_TRUE(
        qobject_cast<QStackedWidget*>(std::unique_ptr<QWidget>(LayoutBuilder().build("XML_MAIN"))
                                          ->findChild<QWidget*>("device_switch")));
}

}  // namespace md
