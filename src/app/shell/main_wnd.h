#pragma once
// The main window's frame: its own title bar, the device list area and the empty state, the
// notification-area icon and menu, the window messages of the program and timers 1011/1032.
// Closing hides it; only the menu's "exit" ends the program.

#include <QMenu>
#include <QPointer>
#include <QSize>
#include <QStringList>
#include <QWidget>
#include <memory>

#include "app/shell/main_wnd_hooks.h"
#include "app/shell/skin_changed_param.h"
#include "app/shell/worker_slots.h"
#include "ui/control_finder.h"
#include "ui/notification.h"

class QSystemTrayIcon;

namespace md {

class ControlTimers;
class LanguageController;
class LayoutTagTable;
class NotifyDispatcher;
class QtUiDispatcher;
class UiDispatcher;

class CMainWnd : public QWidget, public NotifyTarget, public SkinReceiver {
    Q_OBJECT
  public:
    static constexpr int kWidth = 800;
    static constexpr int kHeight = 572;
    static constexpr int kAdaptedWidth = 1000;
    static constexpr int kAdaptedHeight = 640;

    explicit CMainWnd(std::unique_ptr<LanguageController> language, QWidget* parent = nullptr);
    ~CMainWnd() override;

    // The main window of the process, or nullptr (for workers that need its dispatcher).
    static CMainWnd* instance();
    // The layout tags of the main window (classes and sub-tree files).
    static const LayoutTagTable& layoutTags();

    // Custom-message handler; answers whether the message was handled.
    bool handleMessage(uint32_t message, uintptr_t wParam, intptr_t lParam);
    UiDispatcher& uiDispatcher();

    void notify(const Notification& n) override;
    int receive(const SkinChangedParam& param) override;

    MainWndHooks& hooks() { return m_hooks; }
    ControlFinder& controls() { return m_controls; }
    ControlTimers& timers() { return *m_timers; }
    NotifyDispatcher& dispatcher() { return *m_dispatcher; }
    LanguageController& language() { return *m_language; }
    WorkerSlots& workers() { return m_workers; }
    QMenu* trayMenu() const { return m_menu; }

    int lightControlFlag() const { return m_lightControl; }
    bool isSuspended() const { return m_suspended; }
    int uiScale() const { return m_uiScale; }
    bool aboutOpen() const { return m_about != nullptr; }
    bool initialised() const { return m_initialised; }

    void bringToFront();
    // Starts the window's work (first "windowinit": language, device pages, detection) without
    // showing it: it stays in the notification area until the user or a second start asks.
    void startHidden();
    // Closes the settings and about windows when they are open.
    void closeSecondaryWindows();
    void toggleFromTray();
    void adaptToMonitor();
    void showTrayMenu();
    void onMenuCommand(const QString& name);
    void openAbout();
    void openSkinPicker();
    // Ends the program: closes the secondary windows, then the main window.
    void exitApplication();
    // Whether the desktop shows a notification area now. Without one, closing the window ends
    // the program and a hidden start shows the window; asked again whenever it matters, since
    // a tray can appear or go later. Tests replace the probe.
    bool hasTray() const;
    static void setTrayProbe(bool (*probe)());

    // The "no device" hint instead of the device pages, or the pages.
    void showNoDeviceState(bool empty);
    // Tells the user of a problem (a damaged profile file, ...) in a message box that does not
    // block the window; the same text is shown once per run.
    void showProblemOnce(const QString& text);
    const QStringList& problemsShown() const { return m_problemsShown; }

  signals:
    // The program's light-owner state for other programs (wParam 1, lParam = flag).
    void lightOwnerNotify(uint wParam, int lParam);

  protected:
    // The footer and the close button say what closing does: hide or end.
    void updateCloseTexts();
    // Tab and Shift+Tab in reading order (keyboard_access.h).
    bool focusNextPrevChild(bool next) override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;

  private:
    void onWindowInit();
    void onClick(const Notification& n);
    void setLightControl(int flag);
    void updateNoDeviceLink();

    void createTrayIcon();
    void shutdown();

    std::unique_ptr<LanguageController> m_language;
    MainWndHooks m_hooks;
    ControlFinder m_controls;
    NotifyDispatcher* m_dispatcher = nullptr;
    ControlTimers* m_timers = nullptr;
    QtUiDispatcher* m_uiDispatcher = nullptr;
    QSystemTrayIcon* m_tray = nullptr;
    QPointer<QMenu> m_menu;
    QPointer<QWidget> m_about;
    WorkerSlots m_workers;

    QStringList m_problemsShown;
    int m_lightControl = 1;
    bool m_active = false;
    bool m_hovering = false;
    int m_uiScale = 96;
    bool m_suspended = false;
    bool m_initialised = false;
    bool m_shownReported = false;  // the diagnostic line of the first real showing
    bool m_startHidden = false;    // started hidden, nobody asked for the window yet
    bool m_displayChanged = false;
    bool m_exiting = false;
    bool m_shutDown = false;
};

}  // namespace md
