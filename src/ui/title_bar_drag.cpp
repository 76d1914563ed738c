#include "ui/title_bar_drag.h"

#include <QMouseEvent>
#include <QWidget>
#include <QWindow>

namespace md {

TitleBarDrag::TitleBarDrag(QWidget* titleBar) : QObject(titleBar) {}

void TitleBarDrag::install(QWidget* titleBar) {
    if (titleBar) titleBar->installEventFilter(new TitleBarDrag(titleBar));
}

bool TitleBarDrag::eventFilter(QObject* watched, QEvent* event) {
    auto* bar = static_cast<QWidget*>(watched);
    QWidget* window = bar->window();
    switch (event->type()) {
        case QEvent::MouseButtonPress: {
            auto* e = static_cast<QMouseEvent*>(event);
            if (e->button() != Qt::LeftButton) return false;
            if (window->windowHandle() && window->windowHandle()->startSystemMove()) return true;
            m_dragging = true;
            m_grab = e->globalPosition().toPoint() - window->frameGeometry().topLeft();
            return true;
        }
        case QEvent::MouseMove:
            if (!m_dragging) return false;
            window->move(static_cast<QMouseEvent*>(event)->globalPosition().toPoint() - m_grab);
            return true;
        case QEvent::MouseButtonRelease:
            m_dragging = false;
            return false;
        default:
            return false;
    }
}

}  // namespace md
