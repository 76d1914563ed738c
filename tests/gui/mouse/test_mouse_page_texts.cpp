// The mouse page shows its texts in the chosen language and follows a switch.
#include <QAbstractButton>
#include <QLabel>

#include "mouse_model_fixture.h"
#include "ui/resource_manager.h"

namespace md::test {
namespace {

class MousePageTexts : public MouseModelTest {};

TEST_P(MousePageTexts, FollowTheLanguage) {
    ResourceManager& res = ResourceManager::instance();
    struct Case {
        const char* file;
        const char* stage;
        const char* current;
        const char* dpiTab;
    };
    const Case cases[] = {{"lan_cn.xml", "档位 1", "当前", "DPI 与回报率"},
                          {"lan_tw.xml", "段位 1", "目前", "DPI 與回報率"},
                          {"lan_en.xml", "Stage 1", "Current", "DPI && polling rate"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        ASSERT_TRUE(res.loadLanguage(c.file));
        res.reloadText();
        EXPECT_EQ(control<QAbstractButton>("DPI_enable_check_0")->text(),
                  QString::fromUtf8(c.stage));
        EXPECT_EQ(control<QAbstractButton>("DPI_model_4")->text(), QString::fromUtf8(c.current));
        EXPECT_EQ(control<QAbstractButton>("mouse_device_seting_option_0")->text(),
                  QString::fromUtf8(c.dpiTab));
    }
}

INSTANTIATE_TEST_SUITE_P(Cable, MousePageTexts, ::testing::Values(false));

}  // namespace
}  // namespace md::test
