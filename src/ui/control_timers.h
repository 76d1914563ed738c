#pragma once
// Timers of controls: one QTimer per (control, id). A timer that fires sends a "timer"
// notification from its control with wParam = id. Single-shot timers stop before the
// notification is sent (the behaviour of a handler that kills its timer on firing).

#include <QHash>
#include <QObject>
#include <QPair>
#include <QTimer>

namespace md {

class NotifyDispatcher;

class ControlTimers : public QObject {
    Q_OBJECT
  public:
    ControlTimers(NotifyDispatcher& dispatcher, QObject* parent);

    // (Re)starts the timer; an active timer of the same pair restarts with the new interval.
    void start(QWidget* control, int id, int intervalMs, bool singleShot = false);
    void kill(QWidget* control, int id);
    bool isActive(QWidget* control, int id) const;

  private:
    using Key = QPair<QObject*, int>;
    NotifyDispatcher& m_dispatcher;
    QHash<Key, QTimer*> m_timers;  // QTimers are children of this object
};

}  // namespace md
