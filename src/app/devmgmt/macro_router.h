#pragma once
// The main window's side of the macro editors: list operations (with the key panel's macro
// list and the key assignments of every profile kept in step when a macro goes), recording
// through input capture (the page's other controls locked meanwhile), list editing, mouse
// inserts, the action list's context menu and the file dialogs of import and export.

#include <QObject>
#include <QPointer>
#include <functional>

#include "input/capture/input_capture.h"
#include "ui/notification.h"

namespace md {

class CMacroControlUI;
class CMainWnd;
class COrrivaleUSBDevice;
class DeviceManager;

class MacroRouter : public QObject {
    Q_OBJECT
  public:
    MacroRouter(CMainWnd& wnd, DeviceManager& devices, capture::InputCapture& capture);

    bool route(const Notification& n);
    // Ends recording (the page or device went away); the macro is saved.
    void stopRecording();

    // Hooks (message boxes, file dialog, context menu by default; tests replace them).
    std::function<bool(const QString& textId)> confirm;
    std::function<void(const QString& text, bool textIsId)> inform;
    std::function<QString(bool save)> chooseFile;
    // The chosen item's name ("" for none) of the action list's context menu.
    std::function<QString(const QPoint& global)> chooseMenuItem;

  private:
    bool onClick(COrrivaleUSBDevice& model, CMacroControlUI& panel, const QString& s);
    void startRecording(CMacroControlUI& panel, int mode, int delayMode);
    void setEditLock(COrrivaleUSBDevice& model, bool locked);
    void deleteMacro(COrrivaleUSBDevice& model, CMacroControlUI& panel);
    void onMenuItem(COrrivaleUSBDevice& model, CMacroControlUI& panel, const QString& item);
    void report(const CMacroControlUI& panel, int result);
    void save(CMacroControlUI& panel);

    CMainWnd& m_wnd;
    DeviceManager& m_devices;
    capture::InputCapture& m_capture;
    QPointer<COrrivaleUSBDevice> m_recordingFor;  // the device a recording runs for
};

}  // namespace md
