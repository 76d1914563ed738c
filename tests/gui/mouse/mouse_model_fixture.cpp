#include "mouse_model_fixture.h"

#include <QLabel>

#include "app/shell/main_wnd.h"
#include "pages/device_page_classes.h"
#include "devlink/sim_link_fixture.h"
#include "gui_test_support.h"
#include "profiles/app_paths.h"
#include "ui/layout_builder.h"

namespace md::test {

std::string simCollectionPath(const std::shared_ptr<sim::VirtualBus>& bus, uint16_t vid,
                              uint16_t pid, uint16_t itf, uint16_t col) {
    return simPath(bus, vid, pid, itf, col);
}

void MouseModelTest::SetUp() {
    useSourceSkin();
    registerDevicePageControls();
    bus = sim::makeVirtualBus({"mouse", "receiver"}, "");
    ASSERT_TRUE(bus);
    mouse = bus->device("mouse");
    receiver = bus->device("receiver");
    setDefaultHidBackend(bus);
    AppPaths::setDataRoot(freshFolder("mouse_model").toStdString());

    LayoutBuilder builder(&CMainWnd::layoutTags());
    QWidget* page = builder.build("XML/DeviceXml/mousedevice.xml", &owner);
    model = qobject_cast<COrrivaleMouseDevice*>(page);
    ASSERT_NE(model, nullptr);
    DeviceIdentity identity;
    identity.vendorId = 0x248A;
    identity.productId = 0x5B50;
    identity.deviceKind = 2;
    // The creation sequence of the main window.
    model->setLayoutFile("XML/DeviceXml/mousedevice.xml");
    model->setOwnerWindow(&owner);
    model->setKeyCount(kKeys);
    model->setLedCount(kLeds);
    model->setTableIndex(0);
    model->setHasPowerStatus(true);
    model->setLogoLed(2);
    model->setProfileName("mouse_profile");
    model->setModelFolder("mouse");
    model->setPowerTile(&powerTile);
    model->setIdentity(identity);
    model->setLightTableIndex(1);
    model->setLightListName("LightList");
    model->setSdkFolder(MD_FAKE_SDK_DIR);
    model->bindPageControls();
}

void MouseModelTest::TearDown() {
    delete model;
    model = nullptr;
    setDefaultHidBackend(nullptr);
    AppPaths::setDataRoot("");
}

std::string MouseModelTest::commandPath() const {
    return wireless() ? simPath(bus, 0x320F, 0x221D, 1, 4) : simPath(bus, 0x248A, 0x5B50, 1, 4);
}

std::string MouseModelTest::eventPath() const {
    return wireless() ? simPath(bus, 0x320F, 0x221D, 1, 3) : simPath(bus, 0x248A, 0x5B50, 1, 3);
}

void MouseModelTest::attach() {
    ASSERT_TRUE(model->commandLink().openLink(commandPath(), wireless() ? 2 : 1));
    model->onDeviceAttached();
}

std::vector<uint8_t> MouseModelTest::block(uint8_t p) {
    const auto cfg = firmware().configBlock(p);
    return {cfg.begin(), cfg.begin() + 48};
}

std::unique_ptr<CMouseProfiledata> MouseModelTest::profileFile() {
    auto p = std::make_unique<CMouseProfiledata>();
    p->setDefaultPath(model->defaultTemplatePath());
    p->setProfilePath(model->profileFilePath());
    p->loadNode(model->profileFilePath());
    p->readDpiStages();
    p->readMouseStages();
    return p;
}

}  // namespace md::test
