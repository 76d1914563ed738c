#pragma once
// A mouse model built from its real page layout, set up as the main window sets it up, on a
// virtual bus with the mouse and its receiver. Param: false over the cable, true through the
// receiver.

#include <gtest/gtest.h>

#include <QWidget>
#include <memory>
#include <string>
#include <vector>

#include "pages/mouse/orrivale_mouse_device.h"
#include "profiles/mouse_profiledata.h"
#include "sim/sim_devices.h"

namespace md::test {

class MouseModelTest : public ::testing::TestWithParam<bool> {
  protected:
    static constexpr int kKeys = 11;
    static constexpr int kLeds = 3;

    void SetUp() override;
    void TearDown() override;

    bool wireless() const { return GetParam(); }
    sim::Firmware& firmware() { return mouse->firmware(); }
    // Opens the command link on the cable or the receiver and attaches the model.
    void attach();
    // Bytes 0-47 of the settings block of hardware profile p in the mouse's memory.
    std::vector<uint8_t> block(uint8_t p);
    // The profile file as a fresh reader sees it.
    std::unique_ptr<CMouseProfiledata> profileFile();
    std::string commandPath() const;
    std::string eventPath() const;
    sim::VirtualDevice& eventSource() { return wireless() ? *receiver : *mouse; }

    template <typename T = QWidget>
    T* control(const QString& name) {
        return model->findChild<T*>(name);
    }

    std::shared_ptr<sim::VirtualBus> bus;
    std::shared_ptr<sim::VirtualDevice> mouse, receiver;
    QWidget owner;
    QWidget powerTile;
    COrrivaleMouseDevice* model = nullptr;  // owned by owner
};

// The virtual bus's path of a collection ("" when absent).
std::string simCollectionPath(const std::shared_ptr<sim::VirtualBus>& bus, uint16_t vid,
                              uint16_t pid, uint16_t itf, uint16_t col);

}  // namespace md::test
