#pragma once
// Ends the program in order (like the menu's "exit") when the session sends SIGTERM or SIGINT,
// e.g. at logout: the signal handler only writes to a socket; the UI thread does the rest.

#include <QObject>
#include <functional>

class QSocketNotifier;

namespace md {

class TerminationWatcher : public QObject {
    Q_OBJECT
  public:
    TerminationWatcher(std::function<void()> onTerminate, QObject* parent);
    ~TerminationWatcher() override;

  private:
    std::function<void()> m_onTerminate;
    QSocketNotifier* m_notifier = nullptr;
};

}  // namespace md
