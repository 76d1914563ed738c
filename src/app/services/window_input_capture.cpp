#include "app/services/window_input_capture.h"

#include <QApplication>
#include <QKeyEvent>
#include <QAbstractButton>
#include <QAbstractSlider>
#include <QAbstractSpinBox>
#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QTabBar>

#include "input/capture/scan_codes.h"

namespace md {

WindowInputCapture::WindowInputCapture(QWidget* window, const Clock& clock)
    : QObject(window), m_window(window), m_clock(clock) {}

WindowInputCapture::~WindowInputCapture() {
    if (m_installed) qApp->removeEventFilter(this);
}

bool WindowInputCapture::install(int mode, bool keyboard, bool mouse) {
    // A second install replaces the first; a failed one leaves nothing installed.
    uninstall();
    if (!m_window || !m_window->isVisible() || !qApp) return false;
    qApp->installEventFilter(this);
    m_installed = true;
    m_mode = mode;
    m_keyboard = keyboard;
    m_mouse = mouse;
    m_filter.reset();
    m_lastEvent = nullptr;
    return true;
}

bool WindowInputCapture::uninstall() {
    if (!m_installed) return false;
    qApp->removeEventFilter(this);
    m_installed = false;
    m_mode = 0;
    m_filter.reset();
    return true;
}

bool WindowInputCapture::seen(const QEvent* e, uint64_t stamp) {
    if (e == m_lastEvent && int(e->type()) == m_lastType && stamp == m_lastStamp) return true;
    m_lastEvent = e;
    m_lastType = int(e->type());
    m_lastStamp = stamp;
    return false;
}

uint64_t WindowInputCapture::timeOf(uint64_t eventStamp) const {
    // The events' own time stamps give the delays between them; synthetic events have none.
    return eventStamp ? eventStamp : m_clock.nowMs();
}

bool WindowInputCapture::eventFilter(QObject* watched, QEvent* event) {
    if (!m_installed) return false;
    switch (event->type()) {
        case QEvent::Hide:
            if (watched == m_window) {
                uninstall();
                if (sink().released) sink().released();
            }
            return false;
        case QEvent::ShortcutOverride:
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
            return m_keyboard && watched->isWidgetType() && onKey(static_cast<QKeyEvent*>(event));
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick:
        case QEvent::MouseButtonRelease:
            // The innermost widget gets the click first (its parents see the same event after
            // it): a click on the program's own controls or other windows is no input to record.
            if (m_mouse && capture::isRecordingMode(m_mode) && watched->isWidgetType() &&
                !seen(event, static_cast<QMouseEvent*>(event)->timestamp()) &&
                !meantForTheProgram(static_cast<QWidget*>(watched)))
                onMouse(static_cast<QMouseEvent*>(event));
            return false;  // clicks still reach the window (the stop button among them)
        default:
            return false;
    }
}

bool WindowInputCapture::meantForTheProgram(const QWidget* w) const {
    // Other windows of the program: the tray menu, menus, dialogs, pop-ups.
    if (w->window() != m_window) return true;
    for (const QWidget* p = w; p && p != m_window; p = p->parentWidget()) {
        if (qobject_cast<const QAbstractButton*>(p) || qobject_cast<const QAbstractSlider*>(p) ||
            qobject_cast<const QComboBox*>(p) || qobject_cast<const QLineEdit*>(p) ||
            qobject_cast<const QAbstractSpinBox*>(p) || qobject_cast<const QMenu*>(p) ||
            qobject_cast<const QTabBar*>(p))
            return true;
    }
    return false;
}

bool WindowInputCapture::onKey(QKeyEvent* e) {
    const quint32 native = e->nativeScanCode();
    const uint16_t evdev = native > 8 ? static_cast<uint16_t>(native - 8) : 0;
    const bool lock = capture::isLockKey(evdev);
    if (e->type() == QEvent::ShortcutOverride) {
        // Taken as a plain key press, so that no shortcut fires; the press follows.
        if (lock) return false;
        e->accept();
        return true;
    }
    if (seen(e, e->timestamp())) return !lock;
    const auto out = m_filter.onKey(m_mode, evdev, e->type() == QEvent::KeyPress, e->isAutoRepeat(),
                                    timeOf(e->timestamp()));
    // Delivered after the decision: the sink may uninstall (a captured key ends capture).
    const bool swallow = out.swallow;
    if (out.record && sink().key) sink().key(m_mode, *out.record);
    return swallow;
}

void WindowInputCapture::onMouse(QMouseEvent* e) {
    const bool down = e->type() != QEvent::MouseButtonRelease;
    capture::MouseRecord r;
    switch (e->button()) {
        case Qt::LeftButton:
            r.message = down ? capture::kLeftDown : capture::kLeftUp;
            break;
        case Qt::RightButton:
            r.message = down ? capture::kRightDown : capture::kRightUp;
            break;
        case Qt::MiddleButton:
            r.message = down ? capture::kMiddleDown : capture::kMiddleUp;
            break;
        case Qt::BackButton:
        case Qt::ForwardButton:
            r.message = down ? capture::kExtraDown : capture::kExtraUp;
            r.extraButton = e->button() == Qt::BackButton ? 1 : 2;
            break;
        default:
            return;
    }
    const QPoint global = e->globalPosition().toPoint();
    r.x = global.x();
    r.y = global.y();
    r.timeMs = timeOf(e->timestamp());
    if (sink().mouse) sink().mouse(m_mode, r);
}

}  // namespace md
