#include "host_lit_page_fixture.h"

#include "app/devmgmt/model_pages.h"
#include "app/shell/main_wnd.h"
#include "devices/device_registry.h"
#include "devlink/sim_link_fixture.h"
#include "gui_test_support.h"
#include "pages/headset/orrivale_hs6533_device.h"
#include "pages/device_page_classes.h"
#include "profiles/app_paths.h"
#include "ui/layout_builder.h"

namespace md::test {

void HostLitPageTest::setUpPage(const char* label) {
    useSourceSkin();
    registerDevicePageControls();
    bus = sim::makeVirtualBus({label}, "");
    ASSERT_TRUE(bus);
    device = bus->device(label);
    setDefaultHidBackend(bus);
    AppPaths::setDataRoot(freshFolder(QString(label) + "_page").toStdString());

    const DeviceModelRow* row = nullptr;
    for (const DeviceModelRow& r : kDeviceModels)
        if (std::string(r.name) == label) row = &r;
    ASSERT_NE(row, nullptr);
    LayoutBuilder builder(&CMainWnd::layoutTags());
    model = qobject_cast<CHostLightingDevice*>(builder.build(modelPageOf(*row).pageLayout, &owner));
    ASSERT_NE(model, nullptr);
    if (auto* headset = qobject_cast<COrrivaleHS6533Device*>(model))
        headset->setAudioLibrary(MD_CONF_LIB_PATH);
    DeviceIdentity identity;
    identity.vendorId = device->vendorId();
    identity.productId = device->productId();
    identity.deviceKind = kindValue(row->kind);
    // The creation sequence of the main window.
    model->setLayoutFile(modelPageOf(*row).pageLayout);
    model->setOwnerWindow(&owner);
    model->setKeyCount(row->keyCount);
    model->setLedCount(row->ledCount);
    model->setTableIndex(int(row - kDeviceModels.data()));
    model->setHasPowerStatus(row->has(kCapPowerStatus));
    model->setProfileName("");
    model->setModelFolder(row->folder);
    model->setPowerTile(&powerTile);
    model->setIdentity(identity);
    model->setLightTableIndex(row->lightTable);
    model->setLightListName(row->lightList);
    model->bindPageControls();
}

void HostLitPageTest::TearDown() {
    delete model;
    model = nullptr;
    setDefaultHidBackend(nullptr);
    AppPaths::setDataRoot("");
}

std::string HostLitPageTest::commandPath() const {
    // The headset's one collection; the mousepad's command collection.
    return device->label() == "headset"
               ? simPath(bus, device->vendorId(), device->productId(), 3, 0)
               : simPath(bus, device->vendorId(), device->productId(), 1, 4);
}

void HostLitPageTest::commit(const LightSetting& l) {
    const LightSetting::Words w = l.toWords();
    model->setLightSetting(w.w0, w.w1, w.w2, w.w3);
    model->saveProfile();
    model->loadLighting();
    model->writeSettingsToDevice(0, 0);
}

void HostLitPageTest::attach() {
    ASSERT_TRUE(model->session().open(commandPath(), LinkRoute::Shared));
    model->onDeviceAttached();
}

}  // namespace md::test
