#pragma once
// Whether an object lies inside another by QObject parenthood. Unlike QWidget::isAncestorOf
// this looks through windows of their own, such as a panel's drop-down popup.

#include <QObject>

namespace md {

inline bool isInside(const QObject* object, const QObject* ancestor) {
    for (; object; object = object->parent())
        if (object == ancestor) return true;
    return false;
}

}  // namespace md
