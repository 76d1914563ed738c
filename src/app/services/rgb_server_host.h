#pragma once
// The program's devices served to other lighting programs: the RGB SDK server, the pump that
// takes their colours to the devices, and the device list as the server sees it. The list is
// a snapshot made on the UI thread whenever a device arrives, leaves, switches its link or
// changes its lighting; the server thread reads only the snapshot. Client colours go from the
// server thread straight to the pump (never through the UI thread); a mode chosen by a client
// is applied on the UI thread as the lighting panel applies it.

#include <QObject>
#include <QPointer>
#include <map>
#include <memory>
#include <mutex>
#include <set>
#include <string>
#include <vector>

#include "devices/lighting/light_files.h"
#include "rgb_server/frame_pump.h"
#include "rgb_server/rgb_host.h"
#include "rgb_server/rgb_server.h"

namespace md {

class COrrivaleUSBDevice;
class DeviceManager;

class RgbServerHost final : public QObject, public rgb::RgbHost {
    Q_OBJECT
  public:
    explicit RgbServerHost(DeviceManager& devices, QObject* parent = nullptr);
    ~RgbServerHost() override;

    // Starts the server on address ("" for the loopback addresses) and port; false with
    // *error set when it could not listen.
    bool start(const std::string& address, uint16_t port, std::string* error = nullptr);
    void stop();
    bool running() const { return m_server.running(); }
    uint16_t port() const { return m_server.port(); }
    const rgb::FramePump& pump() const { return m_pump; }

    // --- rgb::RgbHost (server thread) ---
    std::vector<rgb::Controller> controllers() override;
    size_t ledCount(size_t index) override;
    void showColours(size_t index, std::vector<lighting::LedColour> colours,
                     const std::string& client) override;
    void applyMode(size_t index, const rgb::Mode& mode, const rgb::Mode& described,
                   const std::string& client) override;
    void clientsChanged(const std::vector<std::string>& names) override;

  private:
    struct Device {
        QPointer<COrrivaleUSBDevice> model;
        std::string key;  // the model's name: the mouse is one device on either link
        rgb::Controller controller;
    };
    // UI thread: the device list again; the pump follows.
    void refresh();
    COrrivaleUSBDevice* modelAt(size_t index) const;

    DeviceManager& m_devices;
    rgb::FramePump m_pump;
    rgb::RgbServer m_server{*this};
    mutable std::mutex m_mutex;
    std::vector<Device> m_list;                // guarded by m_mutex
    std::map<std::string, std::string> m_lit;  // device -> the client lighting it (m_mutex)
    // Devices the user took back: client frames are ignored until that client reconnects.
    std::map<std::string, std::string> m_takenBack;  // (m_mutex)
    std::set<std::string> m_attached;                // UI thread: keys the pump knows
    struct LightNames {
        std::vector<lighting::EffectEntry> effects;
        std::vector<std::string> areas;
    };
    std::map<int, LightNames> m_lightNames;  // UI thread: per light table row
};

}  // namespace md
