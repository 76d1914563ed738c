#pragma once
// Same mode: one device's lighting shown by every connected device in step. A click on
// "deng_same_mode" copies the selected device's effect (as its shared mode) to every connected
// keyboard, mouse, mousepad and headset, and starts the shared effect's worker. Its frames
// reach the UI thread as queued calls; there each device in same mode takes
// the colour for all its LEDs and shows it (and sends it, for devices that take frames).
// While a device is in same mode the shared effect owns its LED colours.
//
// Everything here runs on the UI thread except the worker, which only computes frames.

#include <QObject>
#include <memory>

#include "devices/lighting/sync_lighting.h"

namespace md {

class CMainWnd;
class COrrivaleUSBDevice;
class DeviceManager;

class SameMode : public QObject {
    Q_OBJECT
  public:
    SameMode(CMainWnd& wnd, DeviceManager& devices);
    ~SameMode() override;

    // The selected device's lighting becomes everybody's; false when its effect has no shared
    // mode (nothing changes then).
    bool start(COrrivaleUSBDevice& source);
    // Offers same mode when more than one device is active; with one or none every device
    // leaves it.
    void setActiveDevices(int count);
    // After a device left same mode (a lighting change, removal): the worker stops when no
    // device is left in it.
    void refresh();
    bool playing() const { return m_sync.playing(); }
    const lighting::SyncLighting& sync() const { return m_sync; }

  private:
    void onFrame(uint32_t packed);
    bool anyInSameMode() const;

    CMainWnd& m_wnd;
    DeviceManager& m_devices;
    lighting::SyncLighting m_sync;
};

}  // namespace md
