#pragma once
// Input capture inside the application's window (works on X11 and Wayland): while installed,
// an application-wide event filter takes the key events the window receives (their native
// scan code is the Linux input code + 8) and, for recording, its mouse button events, and
// hands them to the sink as capture records. Keys are swallowed (lock keys excepted) so that
// they reach no widget and trigger no shortcut. Capture can only start while the window is
// shown, and ends by itself when the window hides.

#include <QObject>
#include <QPointer>
#include <QWidget>

#include "common/clock.h"
#include "input/capture/input_capture.h"
#include "input/capture/key_filter.h"

class QKeyEvent;
class QMouseEvent;

namespace md {

class WindowInputCapture : public QObject, public capture::InputCapture {
    Q_OBJECT
  public:
    explicit WindowInputCapture(QWidget* window, const Clock& clock = SteadyClock::instance());
    ~WindowInputCapture() override;

    bool install(int mode, bool keyboard, bool mouse) override;
    bool uninstall() override;
    bool installed() const override { return m_installed; }
    int mode() const override { return m_mode; }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    bool onKey(QKeyEvent* e);
    void onMouse(QMouseEvent* e);
    // A click on a control of the program (button, slider, combo, edit, menu, tab) or in
    // another of its windows (tray menu, dialog): meant for the program, not recorded.
    bool meantForTheProgram(const QWidget* w) const;
    // An event seen again while it propagates to a parent widget is handled once.
    bool seen(const QEvent* e, uint64_t stamp);
    uint64_t timeOf(uint64_t eventStamp) const;

    QPointer<QWidget> m_window;
    const Clock& m_clock;
    capture::KeyFilter m_filter;
    bool m_installed = false;
    bool m_keyboard = false;
    bool m_mouse = false;
    int m_mode = 0;
    const QEvent* m_lastEvent = nullptr;
    int m_lastType = 0;
    uint64_t m_lastStamp = 0;
};

}  // namespace md
