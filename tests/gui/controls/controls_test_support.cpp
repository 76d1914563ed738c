#include "controls_test_support.h"

#include <QCoreApplication>
#include <QEnterEvent>
#include <QMouseEvent>

namespace md::test {

NotifyRecorder::NotifyRecorder(QWidget* root)
    : m_dispatcher(std::make_unique<NotifyDispatcher>(*this, root)) {}

QStringList NotifyRecorder::list() const {
    QStringList out;
    for (const auto& n : seen) out << n.type + ":" + n.sender;
    return out;
}

int NotifyRecorder::count(const QString& type) const {
    int n = 0;
    for (const auto& s : seen) n += s.type == type ? 1 : 0;
    return n;
}

void sendMouse(QWidget* w, QEvent::Type type, QPoint pos, Qt::MouseButton button,
               Qt::KeyboardModifiers modifiers) {
    const QPointF local(pos);
    const QPointF global(w->mapToGlobal(pos));
    const bool move = type == QEvent::MouseMove;
    const Qt::MouseButtons held =
        type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::MouseButtons(button);
    QMouseEvent e(type, local, local, global, move ? Qt::NoButton : button, held, modifiers);
    QCoreApplication::sendEvent(w, &e);
}

void drag(QWidget* w, QPoint from, QPoint to, int steps) {
    sendMouse(w, QEvent::MouseButtonPress, from);
    for (int i = 1; i <= steps; ++i)
        sendMouse(w, QEvent::MouseMove, from + (to - from) * i / steps);
    sendMouse(w, QEvent::MouseButtonRelease, to);
}

void sendEnter(QWidget* w, QPoint pos) {
    const QPointF local(pos);
    QEnterEvent e{local, local, QPointF(w->mapToGlobal(pos))};
    QCoreApplication::sendEvent(w, &e);
}

void sendLeave(QWidget* w) {
    QEvent e(QEvent::Leave);
    QCoreApplication::sendEvent(w, &e);
}

}  // namespace md::test
