#pragma once
// A headset or mousepad page built from its real layout, set up as the main window sets it up,
// on a virtual bus with that device (the simulated audio library for the headset).

#include <gtest/gtest.h>

#include <QWidget>
#include <memory>
#include <string>

#include "pages/base/host_lighting_device.h"
#include "sim/sim_devices.h"

namespace md::test {

class HostLitPageTest : public ::testing::Test {
  protected:
    // label: "headset" or "mousepad" (the sim label and the registry row's name).
    void setUpPage(const char* label);
    void TearDown() override;

    sim::Firmware& firmware() { return device->firmware(); }
    // Opens the command collection as the main window does and attaches the model.
    void attach();
    std::string commandPath() const;
    // Sets the lighting as the lighting panel's route does: model, profile file, device.
    void commit(const LightSetting& l);
    template <typename T = QWidget>
    T* control(const QString& name) {
        return model->findChild<T*>(name);
    }

    std::shared_ptr<sim::VirtualBus> bus;
    std::shared_ptr<sim::VirtualDevice> device;
    QWidget owner;
    QWidget powerTile;
    CHostLightingDevice* model = nullptr;  // owned by owner
};

}  // namespace md::test
