#pragma once
// Suspend and resume from logind's PrepareForSleep signal on the system bus, delivered as the
// power message (wParam kPowerSuspend / kPowerResume). Without a system bus it does nothing.

#include <QObject>
#include <functional>

namespace md {

class SleepWatcher : public QObject {
    Q_OBJECT
  public:
    using Handler = std::function<void(uint32_t message, uintptr_t wParam, intptr_t lParam)>;
    SleepWatcher(Handler handler, QObject* parent);
    bool connected() const { return m_connected; }

  private slots:
    void onPrepareForSleep(bool start);

  private:
    Handler m_handler;
    bool m_connected = false;
};

}  // namespace md
