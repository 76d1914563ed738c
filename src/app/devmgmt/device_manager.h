#pragma once
// The main window's device management: the slot list, the device pages and their tiles built
// from the device-model registry, the detection worker in worker slot 0, the reactions to arrival
// (3090) and removal (3091) of a supported collection, the cable / 2.4G receiver switch of the
// mouse, the visible and selected tile, "No_device_Link", and the routing of the mouse page's
// notifications to the selected mouse. Everything here runs on the UI thread.

#include <QObject>
#include <memory>
#include <utility>
#include <vector>

#include "devlink/link/connection_policy.h"
#include "devlink/link/device_identity.h"
#include "devlink/link/slot_list.h"
#include "ui/notification.h"

namespace md {

class CDeviceOptionUI;
class CMainWnd;
class COrrivaleMouseDevice;
class COrrivaleUSBDevice;
class DeviceDetector;
class HidBackend;
class PageRouter;

// Four model lists by device kind.
enum class ModelList { Mice, Keyboards, MousePads, Headsets, None };
ModelList modelListOf(uint32_t deviceKind);

class DeviceManager : public QObject {
    Q_OBJECT
  public:
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

    COrrivaleUSBDevice* selectedModel() const;
    // The selected model when it is a mouse, else null.
    COrrivaleMouseDevice* selectedMouse() const;
    void showTile(int index, bool visible, bool select);
    void hideTile(int index);
    // (first shown index or -1, number of shown tiles)
    std::pair<int, int> firstShownTile() const;
    void selectPreviousTile();
    void selectNextTile();
    void onTileSelected();
    void onTileVisibility(int index, int visible);
    // True while a key-assignment or macro edit holds the input hook and has disabled the
    // device list; false again when it lets go.
    void setEditInProgress(bool editing) { m_editing = editing; }
    bool editInProgress() const { return m_editing; }
    // Ends an edit in progress of the selected device (its device went away): input hook
    // removed, recording stopped, device list and panels enabled again.
    void endEditInProgress();

    SlotList& slotList() { return m_slots; }
    int tileCount() const { return static_cast<int>(m_entries.size()); }
    CDeviceOptionUI* tile(int index) const;
    COrrivaleUSBDevice* model(int index) const;
    const std::vector<COrrivaleMouseDevice*>& mice() const { return m_mice; }
    const std::vector<COrrivaleUSBDevice*>& models(ModelList list) const;
    // Entry index of a model (the index of its tile and page), or -1.
    int entryOf(const COrrivaleUSBDevice* model) const;
    // Whether the model's live connection is its 2.4G receiver.
    bool onReceiver(const COrrivaleUSBDevice* model) const;
    int selectedIndex() const { return m_selected; }
    PageRouter& router() { return *m_router; }

  signals:
    // A device went away (its link is closed); its page is still there. Edits running for it
    // (macro recording, key capture) end now.
    void deviceLeft(COrrivaleUSBDevice* model);
    // A device arrived, left or switched between its cable and its receiver.
    void devicesChanged();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    // "Connected: N" under the device list.
    void showDeviceCount();
    int m_shownTiles = 0;
    bool m_countWatched = false;
    struct Entry {
        COrrivaleUSBDevice* model = nullptr;
        CDeviceOptionUI* tile = nullptr;
        QWidget* powerTile = nullptr;
    };
    // What the connection policy needs to know of every model, in entry order.
    std::vector<ModelConnection> connections() const;
    // The policy's actions, carried out on the models, tiles and pages.
    void carryOut(const std::vector<ConnectionAction>& actions);
    void switchLink(Entry& e, const std::string& path, LinkRoute route);
    // Vendor and product of a model-table row; rows shipped as 0 take the device table's.
    std::pair<uint16_t, uint16_t> rowIds(size_t row) const;
    void wireTile(CDeviceOptionUI* tile, COrrivaleUSBDevice* model);
    // Brings the tile's page and battery tile forward (hides the battery switch without one).
    void showBoundPages(CDeviceOptionUI* t);

    CMainWnd& m_wnd;
    SlotList m_slots;
    std::vector<Entry> m_entries;  // in tile (and page) order
    std::vector<COrrivaleMouseDevice*> m_mice;
    std::vector<COrrivaleUSBDevice*> m_lists[4];
    std::unique_ptr<DeviceDetector> m_detector;
    int m_selected = -1;
    uint32_t m_selectedKind = 0;
    uint32_t m_selectedRole = 0;
    bool m_editing = false;
    PageRouter* m_router = nullptr;  // owned by the window
};

}  // namespace md
