#include "ui/qt_ui_dispatcher.h"

#include <QMetaObject>
#include <QThread>

namespace md {

QtUiDispatcher::QtUiDispatcher(Handler handler, QObject* parent)
    : QObject(parent), m_handler(std::move(handler)) {}

QtUiDispatcher::~QtUiDispatcher() {
    shutdown();
}

void QtUiDispatcher::shutdown() {
    std::lock_guard lock(m_shared->mutex);
    m_shared->closed = true;
    m_shared->cv.notify_all();
}

void QtUiDispatcher::send(uint32_t message, uintptr_t wParam, intptr_t lParam) {
    if (QThread::currentThread() == thread()) {
        bool closed;
        {
            std::lock_guard lock(m_shared->mutex);
            closed = m_shared->closed;
        }
        if (!closed) m_handler(message, wParam, lParam);
        return;
    }
    auto shared = m_shared;
    auto done = std::make_shared<bool>(false);
    QMetaObject::invokeMethod(
        this,
        [this, shared, done, message, wParam, lParam] {
            bool closed;
            {
                std::lock_guard lock(shared->mutex);
                closed = shared->closed;
            }
            if (!closed) m_handler(message, wParam, lParam);
            std::lock_guard lock(shared->mutex);
            *done = true;
            shared->cv.notify_all();
        },
        Qt::QueuedConnection);
    std::unique_lock lock(shared->mutex);
    shared->cv.wait(lock, [&] { return *done || shared->closed; });
}

void QtUiDispatcher::post(uint32_t message, uintptr_t wParam, intptr_t lParam) {
    auto shared = m_shared;
    QMetaObject::invokeMethod(
        this,
        [this, shared, message, wParam, lParam] {
            bool closed;
            {
                std::lock_guard lock(shared->mutex);
                closed = shared->closed;
            }
            if (!closed) m_handler(message, wParam, lParam);
        },
        Qt::QueuedConnection);
}

}  // namespace md
