#pragma once
// The modal about window ("AboutWnd.xml") with the software version.

#include <QDialog>

#include "ui/control_finder.h"
#include "ui/notification.h"

namespace md {

class CAboutWnd : public QDialog, public NotifyTarget {
    Q_OBJECT
  public:
    static constexpr int kWidth = 800;
    static constexpr int kHeight = 572;

    explicit CAboutWnd(QWidget* parent = nullptr);

    // Message 3089 (language changed) refreshes the window.
    bool handleMessage(uint32_t message, uintptr_t wParam, intptr_t lParam);
    void notify(const Notification& n) override;
    ControlFinder& controls() { return m_controls; }

  protected:
    // Tab and Shift+Tab in reading order (keyboard_access.h).
    bool focusNextPrevChild(bool next) override;

  private:
    void updateVersionLabel();
    void updateZoomButtons();

    ControlFinder m_controls;
};

}  // namespace md
