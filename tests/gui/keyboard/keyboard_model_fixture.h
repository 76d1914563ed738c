#pragma once
// A keyboard model built from its real page layout, set up as the main window sets it up, on a
// virtual bus with the keyboard and its receiver. Param: false over the cable, true through the
// receiver.

#include <gtest/gtest.h>

#include <QWidget>
#include <memory>
#include <string>
#include <vector>

#include "pages/keyboard/orrivale_keyboard_device.h"
#include "sim/sim_devices.h"

namespace md::test {

class KeyboardModelTest : public ::testing::TestWithParam<bool> {
  protected:
    void SetUp() override;
    void TearDown() override;

    bool wireless() const { return GetParam(); }
    sim::Firmware& firmware() { return keyboard->firmware(); }
    std::string commandPath() const;
    // Opens the command link on the cable or the receiver and attaches the model.
    void attach();
    // The 25 bytes of hardware profile p's settings record in the keyboard's memory.
    std::vector<uint8_t> record(uint8_t p);
    // The profile file as a fresh reader sees it.
    std::unique_ptr<CKeyboardProfiledata> profileFile();

    template <typename T = QWidget>
    T* control(const QString& name) {
        return model->findChild<T*>(name);
    }

    std::shared_ptr<sim::VirtualBus> bus;
    std::shared_ptr<sim::VirtualDevice> keyboard, receiver;
    QWidget owner;
    COrrivaleKeyboardDevice* model = nullptr;  // owned by owner
};

}  // namespace md::test
