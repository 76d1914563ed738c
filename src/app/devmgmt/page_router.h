#pragma once
// The routing of the main window's page notifications: the click, option, slider, combo and
// edit tables, each naming the sender (or its indexed prefix, "DPI_slider_" n) and the
// operation it reaches, and the game-lighting messages. Operations of a device page go to the
// selected model; with no tile shown and selected they do nothing.

#include <QObject>
#include <QPointer>
#include <QStringList>
#include <functional>

#include "profiles/profile_records.h"
#include "ui/notification.h"

namespace md {

class CMainWnd;
class DeviceManager;
class KeyRouter;
class MacroRouter;
class ShootRouter;
class LightRouter;
class WindowInputCapture;
class SameMode;
class ProfileRouter;
class COrrivaleKeyboardDevice;
class COrrivaleMouseDevice;
class COrrivaleUSBDevice;

class PageRouter : public QObject {
    Q_OBJECT
  public:
    // The pages of the tab options "deng_Op_tab" .. "Virtual7.1_Op_tab", 1-based.
    static int workingModeOf(const QString& sender);
    // The program and arguments that open the desktop's keyboard (n = 0) or mouse (n = 1)
    // settings, or an empty list when none is installed.
    static QStringList deviceSettingsCommand(int n);

    // Parented to the window; installs itself in the window's hooks.
    PageRouter(CMainWnd& wnd, DeviceManager& devices);

    // Answers whether a table had a route for the notification.
    bool route(const Notification& n);
    // Asks the user to confirm (the message box by default; tests replace it).
    std::function<bool(const QString& textId)> confirm;

    // The profile panels' part of the routing.
    ProfileRouter& profiles() { return *m_profiles; }
    SameMode& sameMode() { return *m_sameMode; }
    KeyRouter& keys() { return *m_keys; }
    MacroRouter& macros() { return *m_macros; }
    ShootRouter& shoot() { return *m_shoot; }
    WindowInputCapture& inputCapture() { return *m_capture; }

    void onGameLighting(uint32_t message, uintptr_t wParam, intptr_t lParam);
    void onGameLightingEnd();

  private:
    bool onClick(const Notification& n);
    bool onOption(const Notification& n);
    bool routeMouse(const Notification& n, COrrivaleMouseDevice* mouse);
    bool routeKeyboard(const Notification& n, COrrivaleKeyboardDevice* keyboard);
    // The headset's equaliser, microphone and voice-changer pages.
    bool routeHeadset(const Notification& n);
    void resetSelectedToDefaults();

    CMainWnd& m_wnd;
    DeviceManager& m_devices;
    SameMode* m_sameMode;           // child of the window
    ProfileRouter* m_profiles;      // child of the window
    LightRouter* m_lights;          // child of the window
    WindowInputCapture* m_capture;  // child of the macro router
    KeyRouter* m_keys;              // child of the window
    MacroRouter* m_macros;          // child of the window
    ShootRouter* m_shoot;           // child of the window
    // The lighting the selected model had before the first game message.
    QPointer<COrrivaleUSBDevice> m_gameModel;
    LightSetting m_gameBefore;
    bool m_gameActive = false;
};

}  // namespace md
