#pragma once
// The main window's side of the lighting panels: each change the user makes on the selected
// model's panel (effect, brightness, speed, colour edits, palette, swatches, multi-colour,
// direction) becomes the model's lighting: stored in the profile, saved, shown and sent to the
// device. Changes other than a preset swatch take the device out of same mode.

#include <QObject>
#include <functional>

#include "profiles/profile_records.h"
#include "ui/notification.h"

namespace md {

class CLightControlUI;
class CMainWnd;
class COrrivaleUSBDevice;
class DeviceManager;
class SameMode;

class LightRouter : public QObject {
    Q_OBJECT
  public:
    LightRouter(CMainWnd& wnd, DeviceManager& devices, SameMode& sameMode);

    // Answers whether the notification was the lighting panel's.
    bool route(const Notification& n);

    // Asks before a change that cannot be taken back (the page router's question).
    std::function<bool(const QString& textId)> confirm;

  private:
    // Steps 3-8 of every lighting change: the new record goes to the model, the profile, the
    // picture and the device.
    void commit(COrrivaleUSBDevice& model, const LightSetting& l, bool leavesSameMode);
    // Shows a single colour on the panel (edits, palette, display) with multi-colour off.
    static void showColour(CLightControlUI& panel, const LightSetting& l);

    CMainWnd& m_wnd;
    DeviceManager& m_devices;
    SameMode& m_sameMode;
};

}  // namespace md
