// The recoil panel of the mouse page through the main window, on the virtual mouse over its
// cable and through its receiver: a bullet edited and saved reaches the mouse's recoil image
// exactly as the tables hold it; bullets stay within 1-30; a reset touches one gun; a garbage
// import is refused with a message.
#include <QAbstractButton>
#include <QLineEdit>
#include <fstream>

#include "app/devmgmt/page_router.h"
#include "app/devmgmt/shoot_router.h"
#include "devices/memory_image/memory_image.h"
#include "devmgmt_fixture.h"
#include "panels/shoot_control_ui.h"

namespace md::test {
namespace {

class ShootPanelTest : public DeviceManagementTest, public ::testing::WithParamInterface<bool> {
  protected:
    void attach() {
        startOnOneLink(GetParam());
        click(model(), "cursor_Op_tab");
        panel = model()->findChild<CShootControlUI*>();
        ASSERT_TRUE(panel);
        router = wnd->findChild<PageRouter*>();
        router->shoot().confirm = [](const QString&) { return true; };
        router->shoot().inform = [this](const QString& t, bool) { told << t; };
    }
    void click(QWidget* in, const char* name) {
        auto* b = in->findChild<QAbstractButton*>(name);
        ASSERT_TRUE(b) << name;
        b->click();
    }
    void leave(const char* name, const QString& text) {
        auto* e = panel->findChild<QLineEdit*>(name);
        e->setText(text);
        wnd->notify(Notification{"killfocus", name, e, 0, 0});
    }

    CShootControlUI* panel = nullptr;
    PageRouter* router = nullptr;
    QStringList told;
};

TEST_P(ShootPanelTest, SavedTablesReachTheMouse) {
    attach();
    click(panel, "shoot_gun_op_2");
    click(panel, "bullet_op_4");
    ASSERT_EQ(panel->selectedGun(), 2);
    ASSERT_EQ(panel->selectedBullet(), 4);
    panel->findChild<QAbstractButton*>("bullet_x_check")->setChecked(true);  // left
    leave("bullet_x_eidt", "300");                                           // clamped
    leave("bullet_y_eidt", "-5");
    leave("bullet_delay_eidt", "70000");
    EXPECT_EQ(panel->findChild<QLineEdit*>("bullet_x_eidt")->text(), "255");
    EXPECT_EQ(panel->tables().bullet(2, 4), (RecoilBullet{true, 255, false, 0, 65535}));
    click(panel, "shootdate_save_btn");
    EXPECT_TRUE(told.isEmpty()) << told.join("; ").toStdString();
    // The mouse holds the four tables as the files say, event for event.
    const auto image = mouse->firmware().recoilImage();
    ASSERT_TRUE(image.valid) << image.error;
    ASSERT_EQ(image.entries.size(), 4u);
    const auto files = memimg::loadRecoilEntries(model()->dataFolderPath());
    for (size_t g = 0; g < 4; ++g) {
        ASSERT_EQ(image.entries[g].events.size() * 4, files[g].size()) << g;
        for (size_t i = 0; i < image.entries[g].events.size(); ++i) {
            const auto& e = image.entries[g].events[i];
            EXPECT_EQ(e.delayMs, files[g][4 * i] | files[g][4 * i + 1] << 8) << g << " " << i;
            EXPECT_EQ(e.button, files[g][4 * i + 3]) << g << " " << i;
        }
    }
    const auto& moved = image.entries[2].events[4 * 6 + 2];
    EXPECT_EQ(moved.button, 255);
    EXPECT_TRUE(moved.down);  // to the left
    EXPECT_EQ(image.entries[2].events[4 * 6 + 3].delayMs, 65535);
}

TEST_P(ShootPanelTest, BulletsStayInRangeAndResetTouchesOneGun) {
    attach();
    click(panel, "bullet_op_29");
    click(panel, "bullet_selected_next");
    EXPECT_EQ(panel->selectedBullet(), 29);
    click(panel, "bullet_op_0");
    click(panel, "bullet_selected_prev");
    EXPECT_EQ(panel->selectedBullet(), 0);
    // A direction changed without leaving a field is not stored.
    const RecoilBullet before = panel->tables().bullet(0, 0);
    panel->findChild<QAbstractButton*>("bullet_y_check")->click();
    click(panel, "bullet_op_1");
    EXPECT_EQ(panel->tables().bullet(0, 0), before);

    click(panel, "shoot_gun_op_1");
    leave("bullet_y_eidt", "77");
    click(panel, "shoot_gun_op_3");
    leave("bullet_y_eidt", "77");
    const RecoilBullet gun1 = panel->tables().bullet(1, 1);
    click(panel, "shootdate_reset_btn");  // gun 3 only
    EXPECT_NE(panel->tables().bullet(3, 1).y, 77);
    EXPECT_EQ(panel->tables().bullet(1, 1), gun1);
}

TEST_P(ShootPanelTest, GarbageImportIsRefused) {
    attach();
    const std::string garbage = model()->dataFolderPath() + "garbage.shoot";
    std::ofstream(garbage) << R"({"Events": "many"})";
    const RecoilBullet before = panel->tables().bullet(0, 3);
    router->shoot().chooseFile = [&](bool) { return QString::fromStdString(garbage); };
    click(panel, "shootdate_import_btn");
    ASSERT_EQ(told.size(), 1);
    EXPECT_TRUE(told[0].contains("garbage.shoot")) << told[0].toStdString();
    EXPECT_EQ(panel->tables().bullet(0, 3), before);
}

INSTANTIATE_TEST_SUITE_P(CableAndReceiver, ShootPanelTest, ::testing::Bool(),
                         [](const auto& info) { return info.param ? "Receiver" : "Cable"; });

}  // namespace
}  // namespace md::test
