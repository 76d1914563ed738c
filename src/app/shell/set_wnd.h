#pragma once
// The settings window ("setwnd.xml", window class "SetWnd", 630 x 500, modal): the language
// choice, the switch that starts the program with the desktop session, and the update list. Opening
// it starts the update worker, which asks the update service about every entry of the version list;
// the rows and the overall status follow the answers. Updating itself is done by another program,
// which reports its progress with the UpdateProgress message that the main window forwards here:
//   wParam 1  the row being updated is done (its latest version becomes the installed one)
//   wParam 2, 3  that row failed
//   wParam 4  its percentage in lParam: a waiting row starts downloading, a downloaded row
//             starts installing; 100 % of a download marks it downloaded
// The row being updated is the first one waiting, downloading, downloaded or installing.
// The window can always be closed; closing stops the worker (500 ms bound).

#include <QDialog>
#include <QPointer>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/shell/language_controller.h"
#include "common/worker.h"
#include "online/http_client.h"
#include "online/update_info.h"
#include "profiles/autostart_entry.h"
#include "ui/control_finder.h"
#include "ui/notification.h"

namespace md {

class CUpdateInfoListItemUI;
class UpdateCheckSink;

// What the window needs from its owner.
struct SetWndSetup {
    std::vector<UpdateEntry> entries;  // the version list
    std::string serviceUrl;            // base address; empty: no service configured
    HttpClientSettings http;
    std::string timeFile;  // "updatetime.config"; empty: no date is kept
    std::vector<LanguageEntry> languages;
    int languageIndex = -1;
    // Messages to the main window: 3089 (language, wParam = index), 3094 (clear the badge).
    std::function<void(uint32_t message, uintptr_t wParam, intptr_t lParam)> sendToMain;
    // The autostart entry the switch writes and removes; none: the switch is hidden.
    std::optional<AutostartEntry> autostart;
    // Tells the user why the switch could not be changed (the text names the file).
    std::function<void(const QString& problem)> reportProblem;
    // The lighting server for other programs: whether it runs and the address it listens on
    // ("" for this computer only). apply turns it on or off, saves the choice and answers why
    // it could not listen ("" when it could). No apply: the switch is hidden.
    struct LightingServer {
        bool on = false;
        QString address;
        std::function<QString(bool on, const QString& address)> apply;
    };
    LightingServer lightingServer;
};

class CSetWnd : public QDialog, public NotifyTarget {
    Q_OBJECT
  public:
    static constexpr int kWidth = 630;
    static constexpr int kHeight = 500;
    static constexpr std::chrono::milliseconds kWorkerBound{500};

    explicit CSetWnd(SetWndSetup setup, QWidget* parent = nullptr);
    ~CSetWnd() override;

    // 3089 (language changed, wParam = index) and the update-progress message.
    bool handleMessage(uint32_t message, uintptr_t wParam, intptr_t lParam);
    void notify(const Notification& n) override;
    ControlFinder& controls() { return m_controls; }

  protected:
    // Tab goes through the window in reading order and shows the focus ring.
    bool focusNextPrevChild(bool next) override;

  public:
    // The worker's results, delivered on the UI thread.
    void showRow(size_t index, const UpdateInfo& info);
    void finishCheck(int status);

    int overallStatus() const { return m_status; }
    std::vector<CUpdateInfoListItemUI*> rows() const;
    // The date shown with "up to date".
    const std::string& checkDate() const { return m_checkDate; }
    // Ends the update worker (signal, wait up to 500 ms); true when it had ended in time.
    bool stopWorkers();
    bool checkRunning() const { return m_worker.running(); }

  public slots:
    void reject() override;  // Escape closes like the close button

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    void buildRows();
    void fillLanguages();
    void showAutostart();
    void switchAutostart(bool on);
    void showLightingServer();
    void applyLightingServer(bool on, const QString& address);
    void startCheck();
    void setOverallStatus(int status);
    void showStatusText();
    void updateStartButton();
    void confirmUpdate();
    void onUpdateProgress(uintptr_t wParam, intptr_t lParam);
    void settleAfterUpdate();
    CUpdateInfoListItemUI* rowBeingUpdated() const;
    void updateZoomButtons();

    SetWndSetup m_setup;
    ControlFinder m_controls;
    std::vector<QPointer<CUpdateInfoListItemUI>> m_rows;
    std::unique_ptr<UpdateCheckSink> m_sink;
    Worker m_worker;
    std::string m_checkDate;
    int m_status = -1;
    int m_rowsChecked = 0;
};

}  // namespace md
