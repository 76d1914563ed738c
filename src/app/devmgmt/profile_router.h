#pragma once
// The main window's side of the profile panels: the buttons of the selected model's panel
// ("device_add_btn" ... "profile_fun_spread_btn"), the combo's selection with its 400 ms timer
// (1055; selections within the time make one switch), and the profile switch, which runs the
// one profile-switch sequence on the model. Messages use the language's text ids.

#include <QObject>
#include <QString>
#include <functional>

#include "devices/base/profile_switch.h"
#include "ui/notification.h"

namespace md {

class CDeviceProfileUI;
class CMainWnd;
class COrrivaleUSBDevice;
class DeviceManager;

class ProfileRouter : public QObject {
    Q_OBJECT
  public:
    static constexpr int kSwitchDelayMs = 400;

    ProfileRouter(CMainWnd& wnd, DeviceManager& devices);

    // Answers whether the notification was the profile panel's.
    bool route(const Notification& n);

    // The selected model's panel switches its device to the panel's selection now.
    void switchProfile();
    // The one sequence for a model: the profile list's current profile goes to the device.
    // Messages for what failed.
    ProfileSwitchResult applyCurrentProfile(COrrivaleUSBDevice& model,
                                            ProfileSwitchSteps steps = {});

    // Hooks tests replace: a yes/no question, a message (text id or text), a file chooser
    // (save or open, the folder to start in; empty for none chosen).
    std::function<bool(const QString& textId)> confirm;
    std::function<void(const QString& text, bool textIsId)> inform;
    std::function<QString(bool save, const QString& folder)> chooseFile;

  private:
    void onImport(COrrivaleUSBDevice& model, CDeviceProfileUI& panel);
    void onExport(CDeviceProfileUI& panel);
    void onReset(COrrivaleUSBDevice& model, CDeviceProfileUI& panel);
    void onRename(CDeviceProfileUI& panel);
    // Shows the panel's problem, when it has one.
    void tellProblem(const CDeviceProfileUI& panel);
    QString lastFolder() const;
    void rememberFolder(const QString& file);

    CMainWnd& m_wnd;
    DeviceManager& m_devices;
};

}  // namespace md
