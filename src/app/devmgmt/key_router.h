#pragma once
// The main window's side of the key panels: a click on a key of the device picture selects
// it, the panel's combos, edits and modifier options apply the chosen function to the key
// (profile data and labels), its buttons undo, restore the factory function or write keys and
// macros to the device and save the profile, and the keyboard-key edit captures the next key
// pressed (input capture from focus to loss of focus).

#include <QObject>
#include <functional>

#include "input/capture/input_capture.h"
#include "ui/notification.h"

namespace md {

class CKeySetControlUI;
class CMainWnd;
class COrrivaleUSBDevice;
class DeviceManager;

class KeyRouter : public QObject {
    Q_OBJECT
  public:
    KeyRouter(CMainWnd& wnd, DeviceManager& devices, capture::InputCapture& capture);
    ~KeyRouter() override;

    // Answers whether the notification was the key panel's or a key of the picture.
    bool route(const Notification& n);
    // Ends key capture (the page or device went away).
    void stopCapture();

    // Tells the user something (a message box by default; tests replace it). text is a text
    // id unless isId is false.
    std::function<void(const QString& text, bool isId)> inform;
    // Asks before a change that would make the mouse hard to use (the page router's question).
    std::function<bool(const QString& textId)> confirm;

  private:
    // "key_butt_keysave": the controls become the selected key's current assignment.
    void apply(COrrivaleUSBDevice& model, CKeySetControlUI& panel);
    void saveToDevice(COrrivaleUSBDevice& model, CKeySetControlUI& panel);
    void startCapture(CKeySetControlUI& panel);
    void onCapturedKey(int mode, const capture::KeyRecord& r);

    CMainWnd& m_wnd;
    DeviceManager& m_devices;
    capture::InputCapture& m_capture;
};

}  // namespace md
