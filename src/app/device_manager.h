#pragma once
// The main window's device management: the slot list, the device pages and their tiles built
// from the model table, the detection worker in worker slot 0, the reactions to arrival (3090)
// and removal (3091) of a supported collection, the cable / 2.4G receiver switch of the mouse,
// the visible and selected tile, "No_device_Link", and the routing of the mouse page's
// notifications to the selected mouse. Everything here runs on the UI thread.

#include <QObject>
#include <memory>
#include <utility>
#include <vector>

#include "devlink/device_identity.h"
#include "devlink/slot_list.h"
#include "ui/notification.h"

namespace md {

class CDeviceOptionUI;
class CMainWnd;
class COrrivaleMouseDevice;
class COrrivaleUSBDevice;
class DeviceDetector;
class HidBackend;

class DeviceManager : public QObject {
    Q_OBJECT
  public:
    // How often switchLink asks the receiver whether the mouse is online.
    static constexpr int kOnlineTries = 26;

    // Parented to the window; installs itself in the window's hooks.
    DeviceManager(CMainWnd& wnd, const DeviceTable& table);
    ~DeviceManager() override;

    // First "windowinit": builds the pages and starts detection. Answers whether it started.
    bool onFirstInit();
    void buildDevicePages();
    bool createDevicePage(int slot, uint32_t role);
    // Starts the detection worker in worker slot 0 on the default HID backend.
    bool startDetection();

    void onDeviceArrived(int slot);
    void onDeviceRemoved(int slot);
    void switchLink(int slot);

    COrrivaleUSBDevice* selectedModel() const;
    void showTile(int index, bool visible, bool select);
    void hideTile(int index);
    // (first shown index or -1, number of shown tiles)
    std::pair<int, int> firstShownTile() const;
    void selectPreviousTile();
    void selectNextTile();
    void onTileSelected();
    void onTileVisibility(int index, int visible);
    void routeNotification(const Notification& n);

    SlotList& slotList() { return m_slots; }
    int tileCount() const { return static_cast<int>(m_entries.size()); }
    CDeviceOptionUI* tile(int index) const;
    COrrivaleUSBDevice* model(int index) const;
    const std::vector<COrrivaleMouseDevice*>& mice() const { return m_mice; }
    // Whether the model's live connection is its 2.4G receiver.
    bool onReceiver(const COrrivaleUSBDevice* model) const;
    int selectedIndex() const { return m_selected; }

  private:
    struct Entry {
        COrrivaleUSBDevice* model = nullptr;
        CDeviceOptionUI* tile = nullptr;
        QWidget* powerTile = nullptr;
        bool onReceiver = false;
    };
    bool partnerConnected(int slot) const;
    int entryOf(const COrrivaleUSBDevice* model) const;
    // The first mouse whose identity is the same collection as the slot (or -1).
    int mouseEntryFor(const DeviceIdentity& key) const;
    // The identity the model of a command collection carries: a receiver's model has its cable
    // partner's.
    DeviceIdentity modelIdentityOf(const DeviceIdentity& id) const;
    void onEventCollectionArrived(const DeviceIdentity& id);
    void onEventCollectionRemoved(const DeviceIdentity& id);
    bool routeMouse(const Notification& n, COrrivaleMouseDevice* mouse);

    CMainWnd& m_wnd;
    SlotList m_slots;
    std::vector<Entry> m_entries;  // in tile (and page) order
    std::vector<COrrivaleMouseDevice*> m_mice;
    std::unique_ptr<DeviceDetector> m_detector;
    int m_selected = -1;
    uint32_t m_selectedKind = 0;
    uint32_t m_selectedRole = 0;
};

}  // namespace md
