#pragma once
// The device tile of the main window's device list: name, connection ("cable" / "2.4G") and
// battery text, and the "device_select" option. It runs the timers that attach its device
// model once the model's command link is open (link poll, 1001) and watch a device on the
// 2.4G receiver (link check, 1007); the owner window is told through message 3331 (wParam =
// the model's table index, lParam 1 show / 0 hide) when the tile is to appear or go.

#include <QFrame>
#include <QPointer>
#include <QTimer>
#include <functional>

#include "devices/base/power_status.h"

class QLabel;
class QRadioButton;

namespace md {

class COrrivaleUSBDevice;

class CDeviceOptionUI : public QFrame {
    Q_OBJECT
  public:
    static constexpr int kLinkPollTimer = 1001;
    static constexpr int kReadAgainTimer = 1002;
    static constexpr int kLinkCheckTimer = 1007;
    static constexpr uint32_t kVisibilityMessage = 3331;
    using MessageSink = std::function<void(uint32_t message, uintptr_t wParam, intptr_t lParam)>;

    explicit CDeviceOptionUI(QWidget* parent = nullptr);

    void setModel(COrrivaleUSBDevice* model);
    COrrivaleUSBDevice* model() const { return m_model; }
    void setMessageSink(MessageSink sink) { m_sink = std::move(sink); }

    // Bound page in "device_switch" and battery tile in "device_power_switch" (-1: none).
    void bindPage(int index) { m_pageIndex = index; }
    int pageIndex() const { return m_pageIndex; }
    void bindPowerTile(int index) { m_powerIndex = index; }
    int powerIndex() const { return m_powerIndex; }
    void setKindRole(uint32_t kind, uint32_t role) {
        m_kind = kind;
        m_role = role;
    }
    uint32_t kind() const { return m_kind; }
    uint32_t role() const { return m_role; }

    void setNameText(const QString& text);
    QString nameText() const;
    QString linkText() const;
    QString batteryText() const;
    // Shows the battery and connection text of a fresh power status.
    void showPowerStatus(const PowerStatus& status);
    // Shows the connection the model's command link uses now.
    void refreshLinkText();

    bool isSelected() const;
    // Sets the "device_select" option; with notify the selection is reported (selected()).
    void setSelected(bool on, bool notify);

    void startLinkPoll(int ms = 500);
    // Only while the model's command link is open.
    void startLinkCheck(int ms);
    void stopTimers();
    // Timer 1002: the model asked to be read again after ms.
    void requestReadAgain(int ms) { m_readAgain.start(ms); }
    bool linkPollActive() const { return m_linkPoll.isActive(); }
    int attachCount() const { return m_attachCount; }

  signals:
    // The user (or setSelected with notify) selected this tile.
    void selected(CDeviceOptionUI* tile);

  private:
    void onLinkPoll();
    void onLinkCheck();
    void send(intptr_t visible);

    QPointer<COrrivaleUSBDevice> m_model;
    MessageSink m_sink;
    QRadioButton* m_option = nullptr;
    QLabel* m_name = nullptr;
    QLabel* m_link = nullptr;
    QLabel* m_battery = nullptr;
    QTimer m_linkPoll;
    QTimer m_linkCheck;
    QTimer m_readAgain;
    int m_pageIndex = -1;
    int m_powerIndex = -1;
    uint32_t m_kind = 0;
    uint32_t m_role = 0;
    int m_attachCount = 0;
};

}  // namespace md
