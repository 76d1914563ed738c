#pragma once
// The lighting preview's life on a page, the same for every page that has one: the worker
// runs while the device is open; it reports its changes, paced (FramePacer), only while the
// page is visible and previewing; a page that is shown again or turns previewing back on
// catches up with one frame.

#include <chrono>
#include <functional>
#include <memory>
#include <utility>

#include "pages/base/frame_pacer.h"

namespace md {

// Preview: a worker with setChangeListener, setMuted, start, stop(timeout) and running.
template <class Preview>
class PreviewLifecycle {
  public:
    // paint shows the current colours (UI thread); muted says whether nobody can see them.
    PreviewLifecycle(QObject* page, std::function<void()> paint, std::function<bool()> muted)
        : m_paint(std::move(paint)),
          m_muted(std::move(muted)),
          m_pacer(new FramePacer(page, [this] { m_paint(); })) {}
    ~PreviewLifecycle() { stop(); }
    PreviewLifecycle(const PreviewLifecycle&) = delete;
    PreviewLifecycle& operator=(const PreviewLifecycle&) = delete;

    // Replaces a running preview with one made from args; configure sets it up before it runs.
    template <class... Args>
    void start(const std::function<void(Preview&)>& configure, Args&&... args) {
        stop();
        m_preview = std::make_unique<Preview>(std::forward<Args>(args)...);
        if (configure) configure(*m_preview);
        m_preview->setChangeListener([pacer = m_pacer] { pacer->changed(); });
        updateMute();
        m_preview->start();
    }
    void stop() {
        if (!m_preview) return;
        m_preview->stop(kStopTimeout);
        m_preview.reset();
    }

    Preview* get() const { return m_preview.get(); }
    bool running() const { return m_preview && m_preview->running(); }

    // Visibility, previewing or same mode changed.
    void updateMute() {
        if (m_preview) m_preview->setMuted(m_muted());
    }
    // Shown again, or previewing turned back on: mute as now, and one frame to catch up.
    void catchUp() {
        updateMute();
        if (m_preview) m_paint();
    }

  private:
    static constexpr auto kStopTimeout = std::chrono::milliseconds(1000);

    std::function<void()> m_paint;
    std::function<bool()> m_muted;
    FramePacer* m_pacer;  // owned by the page
    std::unique_ptr<Preview> m_preview;
};

}  // namespace md
