#pragma once
// The main window's side of the mouse's recoil panel: gun and bullet choice, the bullet's
// fields kept when left, reset, import and export of a gun's table, and writing the four
// tables to the mouse.

#include <QObject>
#include <functional>

#include "ui/notification.h"

namespace md {

class CMainWnd;
class DeviceManager;

class ShootRouter : public QObject {
    Q_OBJECT
  public:
    ShootRouter(CMainWnd& wnd, DeviceManager& devices);

    bool route(const Notification& n);

    // Hooks (message boxes and the file dialog by default; tests replace them).
    std::function<bool(const QString& textId)> confirm;
    std::function<void(const QString& text, bool textIsId)> inform;
    std::function<QString(bool save)> chooseFile;

  private:
    CMainWnd& m_wnd;
    DeviceManager& m_devices;
};

}  // namespace md
