#include "app/services/rgb_server_host.h"

#include <algorithm>

#include "app/devmgmt/device_manager.h"
#include "common/dbg_out.h"
#include "devices/base/device_driver.h"
#include "devices/device_registry.h"
#include "devices/lighting/light_files.h"
#include "pages/base/orrivale_usb_device.h"
#include "profiles/app_paths.h"
#include "rgb_server/device_description.h"

namespace md {

RgbServerHost::RgbServerHost(DeviceManager& devices, QObject* parent)
    : QObject(parent), m_devices(devices) {
    connect(&devices, &DeviceManager::devicesChanged, this, &RgbServerHost::refresh);
}

RgbServerHost::~RgbServerHost() {
    stop();
}

bool RgbServerHost::start(const std::string& address, uint16_t port, std::string* error) {
    refresh();
    return m_server.start(address, port, error);
}

void RgbServerHost::stop() {
    m_server.stop();
    for (const std::string& key : m_attached) m_pump.detach(key);
    m_attached.clear();
    std::vector<QPointer<COrrivaleUSBDevice>> lit;
    {
        std::lock_guard lock(m_mutex);
        for (const Device& d : m_list)
            if (m_lit.count(d.key)) lit.push_back(d.model);
        m_lit.clear();
        m_takenBack.clear();
    }
    for (const auto& m : lit)
        if (m) m->setClientLighting({});
}

void RgbServerHost::refresh() {
    std::vector<Device> list;
    std::set<std::string> keys;
    for (int i = 0; i < m_devices.tileCount(); ++i) {
        COrrivaleUSBDevice* m = m_devices.model(i);
        if (!m || !m->session().isOpen()) continue;
        DeviceDriver* driver = m->driver();
        if (!driver) continue;
        const DeviceModelRow& row = driver->model();
        if (!keys.insert(row.name).second) continue;  // the mouse on its other link
        rgb::DeviceFacts f;
        f.model = &row;
        f.connection = connectionName(m->getDeviceKind());
        f.path = m->session().path();
        // The factory effect names do not change while the program runs: read once per model.
        auto names = m_lightNames.find(row.lightTable);
        if (names == m_lightNames.end()) {
            LightNames read;
            lighting::readDefaultLightNames(AppPaths::defaultDataFolder() + "default_light.json",
                                            row.lightTable, read.effects, read.areas);
            names = m_lightNames.emplace(row.lightTable, std::move(read)).first;
        }
        f.effects = names->second.effects;
        f.areas = names->second.areas;
        f.lighting = driver->lightingMode();
        {
            std::lock_guard lock(m_mutex);
            f.direct = m_lit.count(row.name) > 0;
        }
        if (!m_attached.count(row.name)) {
            if (LedFrameSender send = driver->ledFrameSender()) {
                m_pump.attach(row.name, std::move(send));
                m_attached.insert(row.name);
            }
        }
        list.push_back({m, row.name, rgb::describeDevice(f)});
    }
    // Devices that left take no more frames; their links stay, but nothing is sent to them.
    for (auto it = m_attached.begin(); it != m_attached.end();) {
        if (keys.count(*it)) {
            ++it;
            continue;
        }
        m_pump.detach(*it);
        it = m_attached.erase(it);
    }
    bool changed = false;
    {
        std::lock_guard lock(m_mutex);
        changed =
            list.size() != m_list.size() ||
            !std::equal(list.begin(), list.end(), m_list.begin(), [](const auto& a, const auto& b) {
                return a.key == b.key && a.controller.location == b.controller.location;
            });
        m_list = std::move(list);
    }
    if (changed) m_server.deviceListChanged();
}

COrrivaleUSBDevice* RgbServerHost::modelAt(size_t index) const {
    std::lock_guard lock(m_mutex);
    return index < m_list.size() ? m_list[index].model.data() : nullptr;
}

std::vector<rgb::Controller> RgbServerHost::controllers() {
    std::lock_guard lock(m_mutex);
    std::vector<rgb::Controller> out;
    out.reserve(m_list.size());
    for (const Device& d : m_list) out.push_back(d.controller);
    return out;
}

size_t RgbServerHost::ledCount(size_t index) {
    std::lock_guard lock(m_mutex);
    return index < m_list.size() ? m_list[index].controller.leds.size() : 0;
}

void RgbServerHost::showColours(size_t index, std::vector<lighting::LedColour> colours,
                                const std::string& client) {
    std::string key;
    bool first = false;
    QPointer<COrrivaleUSBDevice> model;
    {
        std::lock_guard lock(m_mutex);
        if (index >= m_list.size()) return;
        key = m_list[index].key;
        if (const auto t = m_takenBack.find(key); t != m_takenBack.end() && t->second == client)
            return;
        m_takenBack.erase(key);
        auto [it, inserted] = m_lit.insert_or_assign(key, client);
        first = inserted;
        model = m_list[index].model;
    }
    if (first) {
        dbgOutf("lighting server: %s lights the %s\n", client.c_str(), key.c_str());
        QMetaObject::invokeMethod(
            this,
            [this, model, client, key] {
                if (!model) return;
                model->setClientLighting(QString::fromStdString(client));
                connect(
                    model, &COrrivaleUSBDevice::lightingTakenBack, this,
                    [this, key] {
                        std::lock_guard lock(m_mutex);
                        if (const auto it = m_lit.find(key); it != m_lit.end()) {
                            m_takenBack[key] = it->second;
                            m_lit.erase(it);
                        }
                    },
                    Qt::UniqueConnection);
            },
            Qt::QueuedConnection);
    }
    m_pump.post(key, std::move(colours));
}

void RgbServerHost::applyMode(size_t index, const rgb::Mode& mode, const rgb::Mode& described,
                              const std::string& client) {
    QMetaObject::invokeMethod(
        this,
        [this, index, mode, described, client] {
            COrrivaleUSBDevice* model = modelAt(index);
            DeviceDriver* driver = model ? model->driver() : nullptr;
            if (!driver) return;
            {
                std::lock_guard lock(m_mutex);
                m_lit.erase(driver->model().name);
            }
            dbgOutf("lighting server: %s chose mode %d on the %s\n", client.c_str(),
                    described.value, driver->model().name);
            model->setClientLighting({});
            model->commitLighting(rgb::lightingOfMode(mode, described, driver->lightingMode()));
            model->showSettings();
            refresh();
        },
        Qt::QueuedConnection);
}

void RgbServerHost::clientsChanged(const std::vector<std::string>& names) {
    // A device lit by a client that left shows its own lighting again.
    std::vector<QPointer<COrrivaleUSBDevice>> released;
    {
        std::lock_guard lock(m_mutex);
        const auto gone = [&](const std::string& c) {
            return std::find(names.begin(), names.end(), c) == names.end();
        };
        for (auto it = m_lit.begin(); it != m_lit.end();) {
            if (!gone(it->second)) {
                ++it;
                continue;
            }
            for (const Device& d : m_list)
                if (d.key == it->first) released.push_back(d.model);
            it = m_lit.erase(it);
        }
        std::erase_if(m_takenBack, [&](const auto& t) { return gone(t.second); });
    }
    if (released.empty()) return;
    QMetaObject::invokeMethod(
        this,
        [released] {
            for (const auto& m : released)
                if (m) m->setClientLighting({});
        },
        Qt::QueuedConnection);
}

}  // namespace md
