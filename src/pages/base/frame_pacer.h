#pragma once
// Brings the frames of a lighting preview to the picture at a pace the eye needs: a worker
// reports each change (from its own thread); the picture is repainted on the UI thread at most
// every kMinIntervalMs, with the latest colours. A fast effect (a step every 14 ms) then wakes
// the UI thread 15 times a second instead of 70, and no change is ever lost: the last one is
// always shown.

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>
#include <atomic>
#include <functional>

namespace md {

class FramePacer : public QObject {
  public:
    static constexpr int kMinIntervalMs = 66;

    // paint runs on the UI thread (this object's thread).
    FramePacer(QObject* parent, std::function<void()> paint);

    // Any thread: the colours changed.
    void changed();
    // UI thread: paint now (e.g. the picture was shown again).
    void paintNow();

  private:
    void schedule();

    std::function<void()> m_paint;
    std::atomic<bool> m_pending{false};
    QElapsedTimer m_sincePaint;
    QTimer m_timer;
};

}  // namespace md
