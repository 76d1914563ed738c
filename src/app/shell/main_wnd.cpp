#include "app/shell/main_wnd.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCloseEvent>
#include <QEnterEvent>
#include <QScreen>
#include <QStyle>
#include <QSystemTrayIcon>
#include <QTimer>

#include "app/shell/about_wnd.h"
#include "app/shell/app_messages.h"
#include "app/shell/language_controller.h"
#include "app/shell/msg_wnd.h"
#include "app/shell/skin_frame.h"
#include "app/shell/ui_scale.h"
#include "common/dbg_out.h"
#include "ui/background_panel.h"
#include "ui/control_timers.h"
#include "ui/keyboard_access.h"
#include "ui/layout_builder.h"
#include "ui/notify_dispatcher.h"
#include "ui/qt_ui_dispatcher.h"
#include "ui/repolish.h"
#include "ui/resource_manager.h"
#include "ui/title_bar_drag.h"

namespace md {
namespace {
CMainWnd* g_mainWnd = nullptr;

bool is(const Notification& n, const char* name) {
    return n.sender.compare(QLatin1String(name), Qt::CaseInsensitive) == 0;
}
}  // namespace

CMainWnd* CMainWnd::instance() {
    return g_mainWnd;
}

CMainWnd::CMainWnd(std::unique_ptr<LanguageController> language, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint), m_language(std::move(language)) {
    setObjectName("MainWnd");
    setWindowTitle("Mouse Driver");
    resize(kWidth, kHeight);
    setMinimumSize(kWidth, kHeight);

    LayoutBuilder builder(&layoutTags());
    if (!builder.buildInto("XML_MAIN", this)) dbgOut("main layout missing");
    m_controls.setRoot(this);
    m_dispatcher = new NotifyDispatcher(*this, this);
    m_timers = new ControlTimers(*m_dispatcher, this);
    m_uiDispatcher = new QtUiDispatcher(
        [this](uint32_t m, uintptr_t w, intptr_t l) { handleMessage(m, w, l); }, this);
    TitleBarDrag::install(m_controls.find("title_bar"));
    if (QWidget* restore = m_controls.find("restorebtn")) restore->hide();

    // What the program does when its window first exists.
    g_mainWnd = this;
    ResourceManager::instance().loadLanguage("lan_cn.xml");
    SkinObserver::instance().addReceiver(this);
    setWindowIcon(QIcon(ResourceManager::instance().resolve("common/logo.svg")));
    createTrayIcon();
    m_language->onChanged = [this](int index) {
        // Texts a control composes itself (not a text id) are made again by the control.
        QEvent change(QEvent::LanguageChange);
        for (QWidget* w : QApplication::allWidgets()) QCoreApplication::sendEvent(w, &change);
        update();
        if (auto* about = qobject_cast<CAboutWnd*>(m_about.data()))
            about->handleMessage(msg::kLanguageChanged, 0, 0);
        if (m_hooks.onLanguageApplied) m_hooks.onLanguageApplied(index);
    };
}

CMainWnd::~CMainWnd() {
    shutdown();
    if (m_menu) delete m_menu.data();
    if (g_mainWnd == this) g_mainWnd = nullptr;
}

UiDispatcher& CMainWnd::uiDispatcher() {
    return *m_uiDispatcher;
}

namespace {
// MOUSE_DRIVER_TRAY=1 or 0 overrides what Qt finds, for panels whose tray it cannot see.
bool systemTrayProbe() {
    const QByteArray forced = qgetenv("MOUSE_DRIVER_TRAY");
    if (forced == "1" || forced == "0") return forced == "1";
    return QSystemTrayIcon::isSystemTrayAvailable();
}
bool (*g_trayProbe)() = systemTrayProbe;
}  // namespace

void CMainWnd::setTrayProbe(bool (*probe)()) {
    g_trayProbe = probe ? probe : systemTrayProbe;
}

bool CMainWnd::hasTray() const {
    return m_tray && g_trayProbe();
}

void CMainWnd::updateCloseTexts() {
    const bool tray = hasTray();
    const ResourceManager& res = ResourceManager::instance();
    res.setTextId(m_controls.find("footer_status"),
                  tray ? QStringLiteral("footer_status") : QStringLiteral("footer_status_no_tray"));
    res.setTipId(m_controls.find("closebtn"),
                 tray ? QStringLiteral("tip_close") : QStringLiteral("tip_exit"));
}

void CMainWnd::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    updateCloseTexts();
    if (!m_initialised) {
        QMetaObject::invokeMethod(m_dispatcher, &NotifyDispatcher::windowInit,
                                  Qt::QueuedConnection);
    } else if (!m_shownReported) {
        // Start-up scripts and the load measurement wait for this line.
        m_shownReported = true;
        dbgOut("main window shown");
    }
}

void CMainWnd::onWindowInit() {
    if (m_initialised) return;
    emit lightOwnerNotify(1, 1);
    m_language->applyLanguage(m_language->readLanguageIndex());
    const bool detecting = m_hooks.onFirstInit && m_hooks.onFirstInit();
    hide();
    m_timers->start(this, msg::kTimerAdaptMonitor, 100, true);
    if (QScreen* s = screen())
        connect(s, &QScreen::geometryChanged, this, [this] {
            m_displayChanged = true;
            adaptToMonitor();
        });
    m_initialised = true;
    // Without a detection pass to report, the window comes forward at once.
    if (!detecting) m_uiDispatcher->post(msg::kActivateInstance, 0, 0);
}

void CMainWnd::notify(const Notification& n) {
    // The wallpaper list's own buttons end here.
    if (n.type == QLatin1String("click_wpremove") || n.type == QLatin1String("click_wpedit"))
        return;
    if (n.type == QLatin1String("windowinit")) {
        onWindowInit();
    } else if (n.type == QLatin1String("windowsize")) {
        if (n.control == this && m_displayChanged) {
            m_displayChanged = false;
            adaptToMonitor();
        }
    } else if (n.type == QLatin1String("timer") && n.control == this) {
        switch (static_cast<int>(n.wParam)) {
            case msg::kTimerAdaptMonitor:
                adaptToMonitor();
                update();
                return;
            case msg::kTimerTrayMenu:
                showTrayMenu();
                return;
            case msg::kTimerGameLighting:
                if (m_hooks.onGameLightingEnd) m_hooks.onGameLightingEnd();
                return;
            default:
                break;
        }
    } else if (n.type == QLatin1String("click")) {
        onClick(n);
    } else if (n.type == QLatin1String("killfocus") &&
               n.sender == QLatin1String("keyset_keyboard_text_edit")) {
        handleMessage(msg::kKeyCaptureHook, 0, 0);
    } else if (n.type == QLatin1String("setfocus") &&
               n.sender == QLatin1String("keyset_keyboard_text_edit")) {
        handleMessage(msg::kKeyCaptureHook, 1, 0);
    }
    if (m_hooks.routeNotification) m_hooks.routeNotification(n);
}

void CMainWnd::onClick(const Notification& n) {
    if (is(n, "closebtn")) {
        if (!hasTray()) return exitApplication();
        closeSecondaryWindows();
        hide();
    } else if (is(n, "nodevice_ok_btn")) {
        hide();
    } else if (is(n, "minbtn")) {
        showMinimized();
    } else if (is(n, "maxbtn")) {
        showMaximized();
        m_controls.find("maxbtn")->hide();
        if (QWidget* r = m_controls.find("restorebtn")) r->show();
    } else if (is(n, "restorebtn")) {
        showNormal();
        m_controls.find("restorebtn")->hide();
        if (QWidget* m = m_controls.find("maxbtn")) m->show();
    } else if (is(n, "skinbtn")) {
        openSkinPicker();
    } else if (is(n, "setbtn")) {
        if (m_hooks.openSettings) m_hooks.openSettings(false);
    } else if (is(n, "control_light_status")) {
        setLightControl(m_lightControl ? 0 : 1);
        emit lightOwnerNotify(1, m_lightControl);
    }
}

void CMainWnd::setLightControl(int flag) {
    m_lightControl = flag;
    if (QWidget* w = m_controls.find("control_light_status")) {
        ResourceManager::instance().setTextId(w, flag ? "控制灯光" : "不控制灯光");
        w->setProperty("lightControl", flag);
        if (auto* b = qobject_cast<QAbstractButton*>(w))
            b->setIcon(QIcon(ResourceManager::instance().resolve(flag ? "common/light_on.svg"
                                                                      : "common/light_off.svg")));
        repolish(w);
    }
    if (m_hooks.onLightControl) m_hooks.onLightControl(flag);
}

bool CMainWnd::handleMessage(uint32_t message, uintptr_t wParam, intptr_t lParam) {
    // Inter-process messages, then power, work before the suspended check.
    switch (message) {
        case msg::kActivateInstance:
            // Started hidden: the window's own activation after start-up (lParam 0) stays away.
            if (m_startHidden && lParam == 0) return true;
            m_startHidden = false;
            bringToFront();
            return true;
        case msg::kUpdateProgress:
            if (m_hooks.forwardUpdateProgress) m_hooks.forwardUpdateProgress(wParam, lParam);
            return true;
        case msg::kLightOwnerSet:
            if (wParam == 1) setLightControl(lParam == 0 ? 0 : 1);
            return true;
        case msg::kWorkToolQuery:
            return true;  // answered by the D-Bus method itself
        case msg::kPowerBroadcast:
            if (wParam == msg::kPowerSuspend) {
                m_suspended = true;
                if (m_hooks.onLightControl) m_hooks.onLightControl(0);
            } else if (wParam == msg::kPowerResume) {
                m_suspended = false;
                if (m_hooks.onLightControl) m_hooks.onLightControl(m_lightControl);
            }
            return true;
        default:
            break;
    }
    if (m_suspended) return false;
    switch (message) {
        case msg::kTrayIcon:
            if (lParam == 0x0202) toggleFromTray();  // left button up
            if (lParam == 0x0205) m_timers->start(this, msg::kTimerTrayMenu, 10, true);
            return true;
        case msg::kKeyCaptureHook:
            if (m_hooks.onKeyCaptureHook) m_hooks.onKeyCaptureHook(wParam == 1);
            return true;
        case msg::kShowProgress:
            if (QWidget* p = m_controls.find("setting_progress")) p->show();
            return true;
        case msg::kLanguageChanged:
            m_language->chooseLanguage(static_cast<int>(wParam));
            if (m_hooks.onLanguageMessage) m_hooks.onLanguageMessage(static_cast<int>(wParam));
            return true;
        case msg::kSlotClaimed:
            if (m_hooks.onDeviceArrived) m_hooks.onDeviceArrived(static_cast<int>(wParam));
            return true;
        case msg::kSlotFreed:
            if (m_hooks.onDeviceRemoved) m_hooks.onDeviceRemoved(static_cast<int>(wParam));
            return true;
        case msg::kOpenSettings:
            if (m_hooks.openSettings) m_hooks.openSettings(true);
            return true;
        case msg::kClearUpdateBadge:
            if (QWidget* b = m_controls.find("setbtn")) {
                b->setProperty("badge", false);
                repolish(b);
            }
            return true;
        case msg::kTileVisibility:
            if (m_hooks.onTileVisibility)
                m_hooks.onTileVisibility(static_cast<int>(wParam), static_cast<int>(lParam));
            return true;
        case msg::kModelNotice1:
        case msg::kModelNotice2:
        case msg::kModelNotice3:
            return true;
        case msg::kGameStart:
        case msg::kGameEnd:
        case msg::kGameKill:
        case msg::kGameDeath:
            if (wParam <= 2 && m_hooks.onGameLighting)
                m_hooks.onGameLighting(message, wParam, lParam);
            m_timers->start(this, msg::kTimerGameLighting, 5000, true);
            return true;
        default:
            return false;
    }
}

void CMainWnd::updateNoDeviceLink() {
    showNoDeviceState(!m_hooks.shownTileCount || m_hooks.shownTileCount() == 0);
}

void CMainWnd::showProblemOnce(const QString& text) {
    if (text.isEmpty() || m_problemsShown.contains(text)) return;
    m_problemsShown.append(text);
    dbgOut("problem: " + text.toStdString());
    auto* box = new CMsgWnd(this);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setTitle(QString());
    box->setText(text, false);
    box->setUiScale(m_uiScale);
    box->setButtons(0);
    box->adjustSize();
    if (isVisible()) box->move(frameGeometry().center() - box->rect().center());
    box->open();  // window-modal, without a nested event loop
}

void CMainWnd::showNoDeviceState(bool empty) {
    if (QWidget* w = m_controls.find("No_device_Link")) w->setVisible(empty);
    if (QWidget* w = m_controls.find("device_list_empty")) w->setVisible(empty);
    if (QWidget* w = m_controls.find("device_switch")) w->setVisible(!empty);
}

void CMainWnd::startHidden() {
    // Without a notification area a hidden window could not be brought back.
    if (!hasTray()) {
        dbgOut("no notification area: the window is shown");
        return show();
    }
    m_startHidden = true;
    QMetaObject::invokeMethod(m_dispatcher, &NotifyDispatcher::windowInit, Qt::QueuedConnection);
}

void CMainWnd::bringToFront() {
    updateNoDeviceLink();
    // Devices that arrive while a hidden start is still hidden do not bring the window up.
    if (m_startHidden) return;
    if (isMinimized()) showNormal();
    show();
    raise();
    activateWindow();
}

void CMainWnd::toggleFromTray() {
    m_startHidden = false;
    updateNoDeviceLink();
    closeSecondaryWindows();
    if (isVisible() && !isMinimized()) {
        hide();
        return;
    }
    show();
    adaptToMonitor();
    showNormal();
    raise();
    activateWindow();
    update();
}

void CMainWnd::adaptToMonitor() {
    const bool visible = isVisible() && !isMinimized();
    if (!visible && isMinimized()) showNormal();
    const QScreen* s = screen();
    const QRect monitor = s ? s->geometry() : QRect();
    m_uiScale =
        checkUiScale(monitorUiScale(monitor.width(), monitor.height()), "MAIN_WND DPI SET ERROR");
    // Qt scales for the monitor's pixel density itself; the window keeps its logical size.
    resize(kAdaptedWidth, kAdaptedHeight);
    if (s) move(s->availableGeometry().center() - rect().center());
    setVisible(visible);
}

int CMainWnd::receive(const SkinChangedParam& param) {
    auto* root = m_controls.find<BackgroundPanel>("root");
    if (!root) return 1;
    if (param.isColor) {
        root->setBackgroundColor(QColor::fromRgba(param.color));
        root->setBackgroundImage("");
    } else {
        root->setBackgroundColor(QColor::fromRgba(0));
        root->setBackgroundImage(param.image);
    }
    return 1;
}

void CMainWnd::openAbout() {
    if (m_about) return;
    CAboutWnd about(this);
    m_about = &about;  // cleared when the window object goes
    about.exec();
}

void CMainWnd::openSkinPicker() {
    auto* frame = new CSkinFrame(m_controls.find("skinbtn"));
    frame->show();
}

void CMainWnd::closeSecondaryWindows() {
    if (m_hooks.closeSettings) m_hooks.closeSettings();
    if (m_about) m_about->close();
}

void CMainWnd::exitApplication() {
    m_exiting = true;
    closeSecondaryWindows();
    close();
}

void CMainWnd::closeEvent(QCloseEvent* event) {
    if (!m_exiting && !hasTray()) m_exiting = true;  // nowhere to hide to: the program ends
    if (!m_exiting) {
        // A close request from the window system only hides the window.
        closeSecondaryWindows();
        hide();
        event->ignore();
        return;
    }
    event->accept();
    shutdown();
    QApplication::quit();
}

void CMainWnd::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() != QEvent::ActivationChange) return;
    m_active = m_hovering = isActiveWindow();
    if (m_hooks.onActivity) m_hooks.onActivity(m_active, m_hovering);
}

void CMainWnd::enterEvent(QEnterEvent* event) {
    QWidget::enterEvent(event);
    if (m_active) return;
    m_hovering = true;
    if (m_hooks.onActivity) m_hooks.onActivity(m_active, m_hovering);
}

void CMainWnd::leaveEvent(QEvent* event) {
    QWidget::leaveEvent(event);
    if (m_active) return;
    m_hovering = false;
    if (m_hooks.onActivity) m_hooks.onActivity(m_active, m_hovering);
}

void CMainWnd::shutdown() {
    if (m_shutDown) return;
    m_shutDown = true;
    if (m_tray) m_tray->hide();
    hide();
    m_uiDispatcher->shutdown();
    m_workers.stopAll();
}

bool CMainWnd::focusNextPrevChild(bool next) {
    return moveFocusInReadingOrder(this, next);
}

}  // namespace md
