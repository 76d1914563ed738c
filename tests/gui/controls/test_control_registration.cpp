#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <memory>

#include "app/shell/main_wnd.h"
#include "controls/circle_progress_ui.h"
#include "controls/color_palette_ui.h"
#include "controls/device_key_button_ui.h"
#include "controls/hand_img_button_ui.h"
#include "controls/select_panel_ui.h"
#include "gui_test_support.h"
#include "ui/control_registry.h"
#include "ui/layout_builder.h"
#include "ui/resource_manager.h"

namespace md {

TEST(ControlsRegistration, ClassNamesCreateTheRealControls) {
    test::useSourceSkin();
    const std::pair<const char*, const char*> classes[] = {
        {"CCircleProgressUI", "md::CCircleProgressUI"},
        {"CChartViewUI", "md::CChartViewUI"},
        {"CWndUI", "md::CWndUI"},
        {"CSelectPanelUI", "md::CSelectPanelUI"},
        {"CDeviceKeyButtonUI", "md::CDeviceKeyButtonUI"},
        {"CCloudShareListItemUI", "md::CCloudShareListItemUI"},
        {"CMpDevicePowerUI", "md::CMpDevicePowerUI"},
        {"CComboEditContainerElementUI", "md::CComboEditContainerElementUI"},
        {"CHandImgButtonUI", "md::CHandImgButtonUI"},
        {"CHandImgSelectButtonUI", "md::CHandImgSelectButtonUI"},
        {"CRedioMacroButtonUI", "md::CRedioMacroButtonUI"},
        {"CColorPaletteUI", "md::CColorPaletteUI"},
    };
    QWidget root;
    for (const auto& [name, cls] : classes) {
        QWidget* w = ControlRegistry::instance().create(name, &root);
        ASSERT_NE(w, nullptr) << name;
        EXPECT_STREQ(w->metaObject()->className(), cls);
    }
}

TEST(ControlsRegistration, MainWindowTagsBuildTheControls) {
    test::useSourceSkin();
    const QString folder = test::freshFolder("control_tags");
    ResourceManager::instance().setSkinFolder(folder);
    QFile f(folder + "page.xml");
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(R"(<?xml version="1.0"?><ui version="4.0"><widget class="QWidget" name="page">
<widget class="SelectPanel" name="SelectPanel">
  <widget class="DeviceKeyButton" name="light_0">
    <property name="lightimage" stdset="0"><string>file='common/dot.svg'</string></property>
  </widget>
</widget>
<widget class="CircleProgress" name="ring"><property name="bkcolor" stdset="0"><string>#FF203040</string></property></widget>
<widget class="HandImgButton" name="hand"><property name="HandImage" stdset="0"><string>common/dot.svg</string></property></widget>
<widget class="ColorPalette" name="deng_Color_Pallet"/>
</widget></ui>)");
    f.close();
    LayoutBuilder builder(&CMainWnd::layoutTags());
    std::unique_ptr<QWidget> page(builder.build("page.xml"));
    ASSERT_NE(page, nullptr);
    auto* key = page->findChild<CDeviceKeyButtonUI*>("light_0");
    ASSERT_NE(key, nullptr);
    EXPECT_EQ(key->lightImage(), "file='common/dot.svg'");
    EXPECT_TRUE(CSelectPanelUI::isKeyButton(key));
    EXPECT_NE(page->findChild<CSelectPanelUI*>("SelectPanel"), nullptr);
    auto* ring = page->findChild<CCircleProgressUI*>("ring");
    ASSERT_NE(ring, nullptr);
    EXPECT_EQ(ring->backgroundColour(), QColor(0x20, 0x30, 0x40));
    auto* hand = page->findChild<CHandImgButtonUI*>("hand");
    ASSERT_NE(hand, nullptr);
    EXPECT_EQ(hand->handImage(), "common/dot.svg");
    EXPECT_NE(page->findChild<CColorPaletteUI*>("deng_Color_Pallet"), nullptr);
    test::useSourceSkin();
}

}  // namespace md
