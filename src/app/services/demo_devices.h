#pragma once
// The virtual devices of --demo: a bus with the wired mouse and its receiver, a keyboard, a
// mousepad and a headset, made the default HID backend so that detection and the device models
// run against them, and a "Virtual devices" submenu that plugs and unplugs each of them.

#include <QObject>
#include <map>
#include <memory>
#include <string>

class QMenu;

namespace md {

namespace sim {
class VirtualBus;
class VirtualDevice;
}  // namespace sim

class DemoDevices : public QObject {
    Q_OBJECT
  public:
    // The labels of the bus, in menu order.
    static const char* const kLabels[5];

    // Builds the bus (firmware memories kept in stateFile) and makes it the default backend.
    DemoDevices(const std::string& stateFile, QObject* parent = nullptr);
    ~DemoDevices() override;

    bool valid() const { return m_bus != nullptr; }
    const std::shared_ptr<sim::VirtualBus>& bus() const { return m_bus; }
    bool plugged(const std::string& label) const;
    void setPlugged(const std::string& label, bool plugged);
    // Appends the "Virtual devices" submenu to menu.
    void fillMenu(QMenu* menu);
    // Plays a plug time line ("2000 unplug mouse; 3000 plug mouse", times from now); each step
    // writes "demo: ACTION DEVICE at MS" (monotonic milliseconds) to the debugger output. False
    // when the script is malformed (nothing is played).
    bool playScript(const std::string& script);

  private:
    std::shared_ptr<sim::VirtualBus> m_bus;
    std::map<std::string, std::shared_ptr<sim::VirtualDevice>> m_devices;
};

}  // namespace md
