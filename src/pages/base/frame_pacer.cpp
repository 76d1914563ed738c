#include "pages/base/frame_pacer.h"

namespace md {

FramePacer::FramePacer(QObject* parent, std::function<void()> paint)
    : QObject(parent), m_paint(std::move(paint)) {
    m_timer.setSingleShot(true);
    connect(&m_timer, &QTimer::timeout, this, &FramePacer::paintNow);
}

void FramePacer::changed() {
    // One queued call at a time; the worker never waits for the UI thread.
    if (m_pending.exchange(true)) return;
    QMetaObject::invokeMethod(this, &FramePacer::schedule, Qt::QueuedConnection);
}

void FramePacer::schedule() {
    if (m_timer.isActive()) return;
    const qint64 since = m_sincePaint.isValid() ? m_sincePaint.elapsed() : kMinIntervalMs;
    if (since >= kMinIntervalMs)
        paintNow();
    else
        m_timer.start(int(kMinIntervalMs - since));
}

void FramePacer::paintNow() {
    m_timer.stop();
    m_pending = false;
    m_sincePaint.restart();
    if (m_paint) m_paint();
}

}  // namespace md
