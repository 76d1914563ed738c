#include <gtest/gtest.h>

#include <QLabel>
#include <QProgressBar>
#include <memory>
#include <optional>
#include <vector>

#include "controls/mp_device_power_ui.h"
#include "controls_test_support.h"
#include "gui_test_support.h"
#include "ui/control_registry.h"
#include "ui/resource_manager.h"

namespace md {
namespace {

class ControlsPowerTile : public ::testing::Test {
  protected:
    void SetUp() override {
        test::useSourceSkin();
        ResourceManager::instance().loadLanguage("lan_en.xml");
        tile.reset(CMpDevicePowerUI::build());
        ASSERT_NE(tile, nullptr);
    }
    QLabel* value() const { return tile->findChild<QLabel*>("device_power_value"); }
    QProgressBar* progress() const {
        return tile->findChild<QProgressBar*>("device_Power_progress");
    }
    QWidget* child(const char* name) const { return tile->findChild<QWidget*>(name); }
    QString status() const { return CMpDevicePowerUI::backgroundOf(child("device_power_status")); }

    std::unique_ptr<CMpDevicePowerUI> tile;
};

TEST_F(ControlsPowerTile, LayoutHoldsTheChildrenTheTileUses) {
    EXPECT_EQ(tile->property("controlClass").toString(), "CMpDevicePowerUI");
    for (const char* name : {"device_power_Layout", "device_power_value", "device_wuxian_logo",
                             "device_Power_progress", "device_power_status", "device_phone_type"})
        EXPECT_NE(child(name), nullptr) << name;
    EXPECT_EQ(progress()->minimum(), 0);
    EXPECT_EQ(progress()->maximum(), 100);
}

TEST_F(ControlsPowerTile, ShowsLevelChargingAndWirelessState) {
    struct Case {
        uint32_t kind;
        std::vector<uint8_t> block;
        QString text;
        int progressValue;
        std::optional<bool> logoShown;  // nothing: left as it was
        bool progressShown;
        QString status;
    };
    const Case cases[] = {
        {2, {85, 1, 0, 1, 0, 0}, "85%", 15, true, false, "file='power/wuxian_powering.png'"},
        {2, {85, 1, 0, 0, 0, 0}, "85%", 15, false, true, "file='power/powering.png'"},
        {2, {57}, "57%", 43, false, true, "file='power/powered.png'"},
        {2, {100, 2, 0, 0}, "100%", 0, false, true, "file='power/power.png'"},
        {1, {40, 1, 0, 1}, "40%", 60, std::nullopt, false, "file='power/wuxian_powering.png'"},
        // The mousepad's charger has no battery: no level bar.
        {3, {0, 0, 0, 1, 0, 1}, "0%", 100, std::nullopt, false, "file='power/powered.png'"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text.toStdString() + " kind " + std::to_string(c.kind));
        tile.reset(CMpDevicePowerUI::build());
        child("device_wuxian_logo")->setVisible(true);
        tile->setKindRole(c.kind, 0);
        tile->showPowerStatus(c.block);
        EXPECT_EQ(value()->text(), c.text);
        EXPECT_EQ(progress()->value(), c.progressValue);
        EXPECT_EQ(!child("device_wuxian_logo")->isHidden(), c.logoShown.value_or(true));
        EXPECT_EQ(!progress()->isHidden(), c.progressShown);
        EXPECT_EQ(status(), c.status);
        EXPECT_FALSE(qobject_cast<QLabel*>(child("device_power_status"))->pixmap().isNull());
    }
}

TEST_F(ControlsPowerTile, UnknownChargingStateChangesNeitherBarNorStatus) {
    tile->setKindRole(2, 0);
    tile->showPowerStatus(std::vector<uint8_t>{85, 1, 0, 1, 0, 0});
    tile->showPowerStatus(std::vector<uint8_t>{30, 9, 0, 0, 0, 0});
    EXPECT_EQ(value()->text(), "30%");
    EXPECT_TRUE(progress()->isHidden());
    EXPECT_EQ(status(), "file='power/wuxian_powering.png'");
}

TEST_F(ControlsPowerTile, OnlyTheFirst64BytesCount) {
    std::vector<uint8_t> block(80, 0);
    block[0] = 20;
    block[64] = 99;
    tile->showPowerStatus(block);
    EXPECT_EQ(value()->text(), "20%");
    tile->showPowerStatus({});
    EXPECT_EQ(value()->text(), "0%");
    EXPECT_EQ(progress()->value(), 100);
}

TEST_F(ControlsPowerTile, MousepadShowsThePhoneOnTheCharger) {
    struct Case {
        uint8_t phone;
        const char* id;
        const char* tip;
    };
    const Case cases[] = {
        {1, "Phone_type_iphone", "iPhone on the charger"},
        {2, "Phone_type_samsung", "Samsung phone on the charger"},
        {3, "Phone_type_other", "Other phone on the charger"},
        {7, "Phone_type_no_device", "No phone on the charger"},
        {0, "Phone_type_no_device", "No phone on the charger"},
    };
    tile->setKindRole(3, 0);
    QWidget* phone = child("device_phone_type");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.id);
        tile->showPowerStatus(std::vector<uint8_t>{60, 0, 0, 0, 0, c.phone});
        EXPECT_EQ(phone->property("tipId").toString(), c.id);
        EXPECT_EQ(phone->toolTip(), c.tip);
        EXPECT_EQ(CMpDevicePowerUI::backgroundOf(phone), QString("file='power/%1.png'").arg(c.id));
        // A charger has no battery level to show.
        EXPECT_FALSE(child("device_power_value")->isVisibleTo(tile.get()));
        EXPECT_FALSE(child("device_Power_progress")->isVisibleTo(tile.get()));
    }
}

TEST_F(ControlsPowerTile, OtherKindsLeaveThePhoneAlone) {
    tile->setKindRole(2, 0);
    tile->showPowerStatus(std::vector<uint8_t>{60, 0, 0, 0, 0, 1});
    EXPECT_TRUE(CMpDevicePowerUI::backgroundOf(child("device_phone_type")).isEmpty());
}

TEST_F(ControlsPowerTile, MissingChildChangesNothing) {
    for (const char* name : {"device_power_value", "device_wuxian_logo", "device_Power_progress",
                             "device_power_status", "device_phone_type"}) {
        SCOPED_TRACE(name);
        tile.reset(CMpDevicePowerUI::build());
        tile->setKindRole(2, 0);
        delete child(name);
        tile->showPowerStatus(std::vector<uint8_t>{85, 1, 0, 1, 0, 0});
        if (value()) {
            EXPECT_EQ(value()->text(), "0%");
        }
        if (progress()) {
            EXPECT_EQ(progress()->value(), 0);
            EXPECT_FALSE(progress()->isHidden());
        }
        if (child("device_power_status")) {
            EXPECT_TRUE(status().isEmpty());
        }
    }
}

TEST_F(ControlsPowerTile, PowerLayoutFollowsTheFlag) {
    tile->showPowerLayout(false);
    EXPECT_TRUE(child("device_power_Layout")->isHidden());
    tile->showPowerLayout(true);
    EXPECT_FALSE(child("device_power_Layout")->isHidden());
}

TEST_F(ControlsPowerTile, ActivationNotifiesSelectChanged) {
    QWidget root;
    auto* owned = CMpDevicePowerUI::build(&root);
    ASSERT_NE(owned, nullptr);
    owned->setObjectName("power_tile");
    test::NotifyRecorder rec(&root);
    EXPECT_TRUE(owned->activate());
    owned->setEnabled(false);
    EXPECT_FALSE(owned->activate());
    EXPECT_EQ(rec.list(), QStringList{"selectchanged:power_tile"});
}

}  // namespace
}  // namespace md
