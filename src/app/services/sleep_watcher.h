#pragma once
// Suspend and resume from logind on the system bus. While the program runs it holds a delay
// inhibitor ("sleep", "delay"), so that on PrepareForSleep(true) the power message (wParam
// kPowerSuspend) is handled (the lighting-off writes) before the inhibitor is released and the
// machine sleeps; after PrepareForSleep(false) the resume message goes out and the inhibitor is
// taken again. Without a system bus or logind it does nothing.

#include <QDBusConnection>
#include <QObject>
#include <functional>

namespace md {

class SleepWatcher : public QObject {
    Q_OBJECT
  public:
    using Handler = std::function<void(uint32_t message, uintptr_t wParam, intptr_t lParam)>;
    SleepWatcher(Handler handler, QObject* parent,
                 QDBusConnection bus = QDBusConnection::systemBus());
    ~SleepWatcher() override;
    bool connected() const { return m_connected; }
    // True while the delay inhibitor is held.
    bool inhibiting() const { return m_inhibitor >= 0; }

  signals:
    // The inhibitor was taken (after start-up or a resume).
    void inhibitorTaken();

  private slots:
    void onPrepareForSleep(bool start);

  private:
    void takeInhibitor();
    void releaseInhibitor();

    Handler m_handler;
    QDBusConnection m_bus;
    bool m_connected = false;
    int m_inhibitor = -1;  // the file descriptor logind handed out
};

}  // namespace md
