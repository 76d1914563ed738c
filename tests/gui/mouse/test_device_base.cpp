// The device base control: binding of the page's device buttons, LED and light-setting
// records, working-mode pages and the paths of a model.
#include <gtest/gtest.h>

#include <QDir>
#include <QStackedWidget>

#include "pages/base/orrivale_usb_device.h"
#include "gui_test_support.h"
#include "profiles/app_paths.h"

namespace md::test {
namespace {

QWidget* makeControl(QWidget* parent, const char* cls, const QString& name) {
    auto* w = new QWidget(parent);
    w->setObjectName(name);
    w->setProperty("controlClass", cls);
    return w;
}

TEST(DeviceBase, BindsTheDeviceButtonsOfItsSelectPanel) {
    COrrivaleUSBDevice model;
    QWidget* panel = makeControl(&model, "SelectPanel", "SelectPanel");
    for (const char* name : {"key_0", "KEY_11", "key_12", "light_0", "light_1", "light_2", "logo"})
        makeControl(panel, "DeviceKeyButton", name);
    makeControl(panel, "Other", "key_1");
    model.setKeyCount(12);
    model.setLedCount(2);
    model.bindPageControls();
    EXPECT_EQ(model.selectPanel(), nullptr);  // no layout file: nothing is bound
    EXPECT_EQ(model.getKeyCount(), 0);

    model.setLayoutFile("XML/DeviceXml/test.xml");
    model.setKeyCount(12);
    model.setLedCount(2);
    model.bindPageControls();
    EXPECT_EQ(model.selectPanel(), panel);
    EXPECT_EQ(model.keyButton(0), panel->findChild<QWidget*>("key_0"));
    EXPECT_EQ(model.keyButton(1), nullptr);  // not a device button
    EXPECT_EQ(model.keyButton(11), panel->findChild<QWidget*>("KEY_11"));
    EXPECT_EQ(model.keyButton(12), nullptr);
    EXPECT_EQ(model.lightButton(1), panel->findChild<QWidget*>("light_1"));
    EXPECT_EQ(model.lightButton(2), nullptr);
    EXPECT_EQ(model.getLedColour(0), 0xFFFFFFFFu);
    EXPECT_EQ(model.lightButton(0)->property("ledColour").value<QColor>(), QColor(Qt::white));
}

TEST(DeviceBase, LedRecords) {
    COrrivaleUSBDevice model;
    model.setLedCount(3);
    model.setLedColour(1, 0x80112233);
    EXPECT_EQ(model.getLedColour(1), 0x80112233u);
    for (int outside : {-1, 3}) {
        model.setLedColour(outside, 0xFFFFFFFF);
        EXPECT_EQ(model.getLedColour(outside), 0u) << outside;
    }
    model.setLedCount(3);  // the same count still clears every record
    EXPECT_EQ(model.getLedColour(1), 0u);
    EXPECT_EQ(model.ledSettings().size(), 3u);

    model.setLightSetting(0x04030201, 0x08070605, 0x0C0B0A09, 0x0E0D);
    const LightSetting& l = model.lighting();
    const uint8_t fields[] = {l.mode,    l.brightness,  l.speed,       l.direction, l.multiColor,
                              l.red,     l.green,       l.blue,        l.reserved1, l.reserved2,
                              l.present, l.zzccLedMode, l.customGroup, l.oldLedMode};
    for (int i = 0; i < 14; ++i) EXPECT_EQ(fields[i], i + 1) << i;
}

TEST(DeviceBase, WorkingModePages) {
    const struct {
        int mode;
        uint16_t kind;
        int functionPage, keyPage;
    } cases[] = {{2, 2, 0, 1}, {6, 2, 0, 1}, {3, 2, 1, 1}, {8, 2, 1, 1}, {5, 2, 2, 1},
                 {4, 2, 3, 1}, {4, 1, 3, 1}, {4, 7, 0, 2}, {7, 2, 0, 2}, {1, 2, 0, 0}};
    for (const auto& c : cases) {
        COrrivaleUSBDevice model;
        auto* functions = new QStackedWidget(&model);
        functions->setObjectName("device_function_switch");
        auto* keys = new QStackedWidget(&model);
        keys->setObjectName("device_key_function_switch");
        for (int i = 0; i < 4; ++i) functions->addWidget(new QWidget), keys->addWidget(new QWidget);
        keys->setCurrentIndex(1);
        DeviceIdentity id;
        id.deviceKind = c.kind;
        model.setIdentity(id);
        model.setWorkingMode(c.mode);
        EXPECT_EQ(model.getWorkingMode(), c.mode);
        EXPECT_EQ(functions->currentIndex(), c.functionPage) << c.mode << " kind " << c.kind;
        EXPECT_EQ(keys->currentIndex(), c.keyPage) << c.mode << " kind " << c.kind;
    }
}

TEST(DeviceBase, Paths) {
    const QString root = freshFolder("base_paths");
    AppPaths::setDataRoot(root.toStdString());
    COrrivaleUSBDevice model;
    model.setModelFolder("MousePad");
    model.setProfileName("p1");
    model.setLightListName("LightList");
    EXPECT_EQ(model.defaultTemplatePath(), AppPaths::defaultDataFolder() + "MousePad.Json");
    EXPECT_EQ(model.dataFolderPath(), root.toStdString() + "MousePad/");
    EXPECT_TRUE(QDir(root + "MousePad").exists());
    EXPECT_EQ(model.profileFilePath(), root.toStdString() + "MousePad/p1.Json");
    EXPECT_EQ(model.lightListFilePath(), root.toStdString() + "MousePad/LightList.config");
    AppPaths::setDataRoot("");
}

TEST(DeviceBase, PowerTileShowsItsBatteryPartOnlyWithAPowerStatus) {
    QWidget tile;
    auto* part = new QWidget(&tile);
    part->setObjectName("device_power_Layout");
    tile.show();
    COrrivaleUSBDevice model;
    model.setHasPowerStatus(true);
    model.setPowerTile(&tile);
    EXPECT_TRUE(part->isVisible());
    model.setHasPowerStatus(false);
    EXPECT_FALSE(part->isVisible());
}

}  // namespace
}  // namespace md::test
