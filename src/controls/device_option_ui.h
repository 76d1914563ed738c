#pragma once
// The device tile of the main window's device list, built from
// "XML/CustomControlXML/DeviceOption.xml": the "device_select" option (the device's icon), the
// name label "device_select_name", connection and battery text, and the synchronised-lighting
// option "synchro_device_select". Children are looked up by name on first use; an operation
// whose child is missing does nothing.
//
// The tile runs the timers that drive its device model between arrival and removal:
//   1001 link poll      attach once the device answers (every 3000 ms while a receiver's
//                       mouse is unreachable)
//   1000 frame refresh  push the LED frame to the picture and repaint the preview panel
//   1005 power refresh  read the battery state every 5000 ms
//   1002 settings read  asked for by the model's event workers
//   1007 link check     watch a device on its 2.4G receiver
// Each handler first stops its own timer and restarts it only where the chain goes on. The
// owner window hears through message 3331 (wParam = the model's table index, lParam 1 show /
// 0 hide) when the tile is to appear or go.

#include <QFrame>
#include <QHash>
#include <QPointer>
#include <functional>
#include <optional>

#include "controls/tile_device.h"
#include "devices/base/power_status.h"

class QAbstractButton;
class QLabel;
class QTimer;

namespace md {

class CDeviceOptionUI : public QFrame {
    Q_OBJECT
  public:
    static constexpr const char* kClass = "DeviceOption";
    static constexpr const char* kLayout = "XML/CustomControlXML/DeviceOption.xml";
    static constexpr int kFrameRefreshTimer = 1000;
    static constexpr int kLinkPollTimer = 1001;
    static constexpr int kReadAgainTimer = 1002;
    static constexpr int kPowerRefreshTimer = 1005;
    static constexpr int kLinkCheckTimer = 1007;
    static constexpr uint32_t kVisibilityMessage = 3331;
    // Device polling while the window is hidden: power every 30 s, the receiver's link every
    // 10 s (5 s and 3 s while it is shown).
    static constexpr int kHiddenPowerRefreshMs = 30000;
    static constexpr int kHiddenLinkCheckMs = 10000;
    using MessageSink = std::function<void(uint32_t message, uintptr_t wParam, intptr_t lParam)>;

    explicit CDeviceOptionUI(QWidget* parent = nullptr);

    // Icons and tooltip of the device kind (and, for mousepads, role).
    void setTileKind(uint32_t kind, uint32_t role);
    uint32_t kind() const { return m_kind; }
    uint32_t role() const { return m_role; }
    // The four images the option shows (normal, selected; plain or synchronised).
    QString normalImage() const { return m_normalImage; }
    QString selectedImage() const { return m_selectedImage; }
    QString synchroNormalImage() const { return m_synchroNormalImage; }
    QString synchroSelectedImage() const { return m_synchroSelectedImage; }
    // The images the option shows now.
    QString shownNormalImage() const { return m_shownNormal; }
    QString shownSelectedImage() const { return m_shownSelected; }

    void setSynchroVisible(bool flag);
    void selectSynchro(bool flag);
    bool isSynchroSelected();

    // Selects or clears the "device_select" option; the change is notified ("selectchanged").
    void selectTile(bool flag);
    bool isTileSelected();

    void bindPage(const QString& tabLayout, int index);
    int boundPageIndex();
    QString boundPageName();
    void bindPowerTile(const QString& switchName, int index);
    int boundPowerIndex() const { return m_powerIndex; }
    QString boundPowerSwitch() const { return m_powerSwitch; }
    void setTileGroup(const QString& group);
    void setTileName(const QString& text);
    QString tileName();

    void setModel(TileDevice* model);
    TileDevice* model() const;
    void setPreviewPanel(QWidget* panel) { m_previewPanel = panel; }
    void setMessageSink(MessageSink sink) { m_sink = std::move(sink); }

    void startLinkPoll();
    // Only while the model's command link is open.
    void startLinkCheck(int periodMs);
    // Timer 1002: the model asked to be read again after ms.
    void requestReadAgain(int ms);
    // Ends every chain (the device went away).
    void stopTimers();
    // The timer handler: what the tile does when timer id fires.
    void onTimer(int id);
    bool timerActive(int id) const;
    // Period of the timer's last start (0 when it was never started).
    int timerInterval(int id) const;

    // Activation (keyboard or accessibility) of a shown, enabled tile: "selectchanged".
    bool activate();
    bool isShown() const { return m_shown; }
    void setVisible(bool visible) override;

    // Connection and battery text of the tile.
    QString linkText() const;
    QString batteryText() const;
    void showPowerStatus(const PowerStatus& status);
    void refreshLinkText();
    int attachCount() const { return m_attachCount; }

  protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
    // Space and Enter select the tile as a click does.
    void keyPressEvent(QKeyEvent* event) override;
    // A new language: the connection and power texts are made again.
    void changeEvent(QEvent* event) override;

  private:
    bool windowShown() const;
    QAbstractButton* selectOption();
    QAbstractButton* synchroOption();
    QLabel* label(const char* name);
    void applyOptionImages(bool synchro);
    void startTimer(int id, int ms);
    void stopTimer(int id);
    void send(intptr_t visible);
    void onLinkPoll();
    void onFrameRefresh();
    void onPowerRefresh();
    void onLinkCheck();

    // The model is a widget of its own lifetime; the guard notices when it is gone.
    TileDevice* m_model = nullptr;
    QPointer<QObject> m_modelGuard;
    QPointer<QWidget> m_previewPanel;
    QPointer<QAbstractButton> m_selectOption;
    QPointer<QAbstractButton> m_synchroOption;
    MessageSink m_sink;
    QHash<int, QTimer*> m_timers;
    uint32_t m_kind = 0;
    uint32_t m_role = 0;
    QString m_synchroSelectedImage = "common/device_ico/unknow_device_synchro_selected.png";
    QString m_synchroNormalImage = "common/device_ico/unknow_device_synchro_normal.png";
    QString m_selectedImage = "common/device_ico/unknow_device_selected.png";
    QString m_normalImage = "common/device_ico/unknow_device_normal.png";
    QString m_shownNormal;
    QString m_shownSelected;
    QString m_pageName;
    int m_pageIndex = -1;
    QString m_powerSwitch;
    int m_powerIndex = -1;
    bool m_shown = true;
    int m_attachCount = 0;
    std::optional<PowerStatus> m_power;  // the status shown last
    bool m_iconSet = false;
};

}  // namespace md
