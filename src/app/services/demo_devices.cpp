#include "app/services/demo_devices.h"

#include <QAction>
#include <QMenu>
#include <QTimer>
#include <cstdio>
#include <iterator>

#include "common/clock.h"
#include "common/dbg_out.h"
#include "devlink/hid/hid_backend.h"
#include "sim/plug_script.h"
#include "sim/sim_devices.h"
#include "sim/state_file.h"
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
    const std::vector<std::string> labels(std::begin(kLabels), std::end(kLabels));
    std::string problem;
    m_bus = sim::makeVirtualBus(labels, stateFile, &problem);
    if (!m_bus && !stateFile.empty() && !sim::stateFileProblem(stateFile).empty()) {
        // A state file that cannot be used is kept aside for the user; the demo starts afresh
        // instead of without devices.
        const std::string aside = stateFile + ".damaged";
        std::rename(stateFile.c_str(), aside.c_str());
        std::fprintf(stderr,
                     "mouse-driver: the virtual devices' state %s could not be used (%s); it was "
                     "moved to %s and the virtual devices start afresh\n",
                     stateFile.c_str(), problem.c_str(), aside.c_str());
        m_bus = sim::makeVirtualBus(labels, stateFile, &problem);
    }
    if (!m_bus) {
        std::fprintf(stderr, "mouse-driver: no virtual devices: %s\n", problem.c_str());
        return;
    }
    for (const char* label : kLabels) {
        m_devices[label] = m_bus->device(label);
        // The report log serves tests; a demo that runs for hours keeps none.
        if (m_devices[label]) m_devices[label]->log().setCapacity(0);
    }
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
            sim::applyPlugStep(*m_bus, it->second, s);
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
