#include "keyboard_model_fixture.h"

#include "app/shell/main_wnd.h"
#include "devlink/sim_link_fixture.h"
#include "gui_test_support.h"
#include "pages/device_page_classes.h"
#include "profiles/app_paths.h"
#include "ui/layout_builder.h"

namespace md::test {

void KeyboardModelTest::SetUp() {
    useSourceSkin();
    registerDevicePageControls();
    bus = sim::makeVirtualBus({"keyboard", "keyboard-receiver"}, "");
    ASSERT_TRUE(bus);
    keyboard = bus->device("keyboard");
    receiver = bus->device("keyboard-receiver");
    setDefaultHidBackend(bus);
    AppPaths::setDataRoot(freshFolder("keyboard_model").toStdString());

    LayoutBuilder builder(&CMainWnd::layoutTags());
    model = qobject_cast<COrrivaleKeyboardDevice*>(
        builder.build("XML/DeviceXml/keyboarddevice.xml", &owner));
    ASSERT_NE(model, nullptr);
    DeviceIdentity identity;
    identity.vendorId = sim::kKeyboardIds.vendorId;
    identity.productId = sim::kKeyboardIds.productId;
    identity.deviceKind = kind::kKeyboard;
    // The creation sequence of the main window.
    model->setLayoutFile("XML/DeviceXml/keyboarddevice.xml");
    model->setOwnerWindow(&owner);
    model->setKeyCount(126);
    model->setLedCount(126);
    model->setTableIndex(1);
    model->setHasPowerStatus(false);
    model->setProfileName("");
    model->setModelFolder("keyboard");
    model->setIdentity(identity);
    model->setLightTableIndex(0);
    model->setLightListName("zelvo_light");
    model->bindPageControls();
}

void KeyboardModelTest::TearDown() {
    delete model;
    model = nullptr;
    setDefaultHidBackend(nullptr);
    AppPaths::setDataRoot("");
}

std::string KeyboardModelTest::commandPath() const {
    const sim::UsbIds ids = wireless() ? sim::kKeyboardReceiverIds : sim::kKeyboardIds;
    return simPath(bus, ids.vendorId, ids.productId, 1, 4);
}

void KeyboardModelTest::attach() {
    ASSERT_TRUE(model->commandLink().openLink(commandPath(), wireless() ? 2 : 1));
    model->onDeviceAttached();
}

std::vector<uint8_t> KeyboardModelTest::record(uint8_t p) {
    const auto cfg = firmware().config();
    const size_t from = size_t(p) * 25 + 1;
    return {cfg.begin() + long(from), cfg.begin() + long(from + 25)};
}

std::unique_ptr<CKeyboardProfiledata> KeyboardModelTest::profileFile() {
    auto p = std::make_unique<CKeyboardProfiledata>();
    p->setDefaultPath(model->defaultTemplatePath());
    p->setProfilePath(model->profileFilePath());
    p->loadNode(model->profileFilePath());
    return p;
}

}  // namespace md::test
