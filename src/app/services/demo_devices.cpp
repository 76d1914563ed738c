#include "app/services/demo_devices.h"

#include <QAction>
#include <QMenu>
#include <QTimer>

#include "common/clock.h"
#include "common/dbg_out.h"
#include "devlink/hid/hid_backend.h"
#include "sim/plug_script.h"
#include "sim/sim_devices.h"
#include "ui/resource_manager.h"

namespace md {
namespace {
const char* textIdOf(const std::string& label) {
    if (label == "mouse") return "demo_mouse_cable";
    if (label == "receiver") return "demo_receiver";
    if (label == "keyboard") return "demo_keyboard";
    if (label == "mousepad") return "demo_mousepad";
    return "demo_headset";
}
}  // namespace

const char* const DemoDevices::kLabels[5] = {"mouse", "receiver", "keyboard", "mousepad",
                                             "headset"};

DemoDevices::DemoDevices(const std::string& stateFile, QObject* parent) : QObject(parent) {
    m_bus = sim::makeVirtualBus({kLabels[0], kLabels[1], kLabels[2], kLabels[3], kLabels[4]},
                                stateFile);
    if (!m_bus) return;
    for (const char* label : kLabels) m_devices[label] = m_bus->device(label);
    setDefaultHidBackend(m_bus);
}

DemoDevices::~DemoDevices() {
    if (m_bus && defaultHidBackend() == m_bus) setDefaultHidBackend(nullptr);
}

bool DemoDevices::plugged(const std::string& label) const {
    return m_bus && m_bus->device(label) != nullptr;
}

void DemoDevices::setPlugged(const std::string& label, bool plugged) {
    const auto it = m_devices.find(label);
    if (!m_bus || it == m_devices.end() || !it->second) return;
    if (plugged)
        m_bus->plug(it->second);
    else
        m_bus->unplug(it->second);
}

bool DemoDevices::playScript(const std::string& script) {
    std::vector<sim::PlugStep> steps;
    std::string error;
    if (!m_bus || !sim::parsePlugScript(script, steps, error)) {
        dbgOut("demo script: " + error);
        return false;
    }
    for (const sim::PlugStep& s : steps) {
        QTimer::singleShot(s.atMs, this, [this, s] {
            dbgOutf("demo: %s %s at %llu", s.action.c_str(), s.device.c_str(),
                    static_cast<unsigned long long>(SteadyClock::instance().nowMs()));
            const auto it = m_devices.find(s.device);
            if (it == m_devices.end() || !it->second) return;
            if (s.action == "plug" || s.action == "unplug")
                setPlugged(s.device, s.action == "plug");
            if (s.action == "on" || s.action == "off")
                it->second->firmware().setPoweredOn(s.action == "on");
        });
    }
    return true;
}

void DemoDevices::fillMenu(QMenu* menu) {
    if (!m_bus || !menu) return;
    const ResourceManager& res = ResourceManager::instance();
    QMenu* sub = menu->addMenu(res.text("demo_virtual_devices"));
    sub->setObjectName("demo_devices_menu");
    for (const char* label : kLabels) {
        QAction* a = sub->addAction(res.text(textIdOf(label)));
        a->setObjectName(QString("demo_plug_%1").arg(label));
        a->setCheckable(true);
        a->setChecked(plugged(label));
        const std::string name = label;
        connect(a, &QAction::toggled, this, [this, name](bool on) { setPlugged(name, on); });
    }
}

}  // namespace md
